#include "ui/code_editor.h"

#include "model/cp1252.h"
#include "ui/syntax_panel.h"
#include "ui/text_editing.h"

#include <QKeyEvent>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextLayout>
#include <algorithm>
#include <utility>

namespace redewerk {
namespace {

using TFormatList = QList<QTextLayout::FormatRange>;

// One coloured run of a line: offset in the line, length, colour class.
struct TLineRun {
    int Start = 0;
    int Length = 0;
    int Class = 0;

    bool operator==(const TLineRun&) const = default;
};

// The runs a line's formats were made from, and with which colours, kept with the line, so
// that re-colouring recognises an unchanged line without reading its formats back.
struct TLineColours : QTextBlockUserData {
    std::vector<TLineRun> Runs;
    uint32_t Generation = 0; // 0: no longer valid
};

} // namespace

TCodeEditor::TCodeEditor(const QString& objectName, const QString& accessibleName, QWidget* parent)
    : QPlainTextEdit(parent), Undos(std::u16string(), true),
      StatusPanel(new TSyntaxPanel(this, QStringLiteral("Syntaxprüfung ") + accessibleName)) {
    setObjectName(objectName);
    setAccessibleName(accessibleName);
    // This editor's own history is the only one.
    setUndoRedoEnabled(false);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setTabChangesFocus(false);
    connect(document(), &QTextDocument::contentsChange, this, &TCodeEditor::OnContentsChange);
}

std::u16string TCodeEditor::DocumentText(int from, int count) const {
    QString text;
    if (from == 0 && count == document()->characterCount() - 1) {
        text = document()->toRawText(); // the whole text, as a new block shows it
    } else {
        QTextCursor cursor(document());
        cursor.setPosition(from);
        cursor.setPosition(from + count, QTextCursor::KeepAnchor);
        text = cursor.selectedText();
    }
    std::u16string units(static_cast<size_t>(text.size()), u'\0');
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        units[static_cast<size_t>(i)] =
            c == QChar::ParagraphSeparator || c == QChar::LineSeparator ? u'\n' : c;
    }
    return units;
}

void TCodeEditor::OnContentsChange(int position, int removed, int added) {
    const int after = document()->characterCount() - 1;
    if (Replayed) {
        // The history made this edit itself and already holds its result.
        const TTextEdit& edit = *std::exchange(Replayed, nullptr);
        if (static_cast<int>(Undos.Text().size()) == after) {
            if (ReplayInOneLine)
                ShiftFormats(edit.Pos, edit.Removed, static_cast<int>(edit.Inserted.size()));
            emit Edited();
            return;
        }
        Undos.Reset(); // it does not: a history that no longer fits the text is worthless
    }
    const auto before = static_cast<int>(Undos.Text().size());
    // Qt may count the closing paragraph separator in; the texts end before it.
    position = std::clamp(position, 0, std::min(before, after));
    removed = std::clamp(removed, 0, before - position);
    added = std::clamp(added, 0, after - position);
    if (before - removed + added != after) {
        // A report that does not add up: follow the whole text, which costs a copy but keeps
        // the history true to the document.
        Undos.Change(0, before, DocumentText(0, after));
        emit Edited();
        return;
    }
    const std::u16string inserted = DocumentText(position, added);
    const std::u16string_view old =
        std::u16string_view(Undos.Text())
            .substr(static_cast<size_t>(position), static_cast<size_t>(removed));
    if (old == inserted) return; // formats only
    if (old.find(u'\n') == std::u16string_view::npos &&
        inserted.find(u'\n') == std::u16string::npos)
        ShiftFormats(position, removed, added);
    Undos.Change(position, removed, inserted);
    emit Edited();
}

void TCodeEditor::ShiftFormats(int position, int removed, int added) {
    // Until the next colouring, the colours of the edited line move with its text: what is
    // typed takes the colour of the text before it, as in a rich-text editor.
    const QTextBlock block = document()->findBlock(position);
    QTextLayout* layout = block.layout();
    if (!layout) return;
    TFormatList formats = layout->formats();
    if (formats.isEmpty()) return;
    const int at = position - block.position();
    const auto move = [&](int offset) {
        return offset < at ? offset : std::max(offset - removed, at) + added;
    };
    TFormatList moved;
    moved.reserve(formats.size());
    for (QTextLayout::FormatRange range : formats) {
        const int start = move(range.start);
        const int end = move(range.start + range.length);
        if (end <= start) continue;
        range.start = start;
        range.length = end - start;
        moved.append(range);
    }
    layout->setFormats(moved);
    // The runs the line was coloured by no longer describe it.
    if (auto* colours = static_cast<TLineColours*>(block.userData())) colours->Generation = 0;
}

std::string TCodeEditor::Bytes() const {
    const std::u16string& text = Undos.Text();
    std::string bytes(text.size(), '\0');
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        unsigned char byte = static_cast<unsigned char>(c);
        if (c >= 0x80 && !UnicodeToCp1252(c, byte)) byte = '?';
        bytes[i] = static_cast<char>(byte);
    }
    return bytes;
}

void TCodeEditor::keyPressEvent(QKeyEvent* event) {
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    const bool ctrl = (modifiers & Qt::ControlModifier) && !(modifiers & Qt::AltModifier);
    const int key = event->key();
    if (ctrl && (key == Qt::Key_Z || key == Qt::Key_Y)) {
        if (isReadOnly()) return;
        key == Qt::Key_Z ? Undo() : Redo();
        return;
    }
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        // Ctrl+Enter belongs to the window; Enter never breaks a line on its own.
        if (ctrl) {
            event->ignore();
            return;
        }
        if (!isReadOnly()) AutoIndentNewLine(this);
        return;
    }
    if (key == Qt::Key_Tab && !ctrl && !isReadOnly() && IndentSelectedLines(this)) return;
    if (event->text() == QStringLiteral("}") && !isReadOnly()) DedentBeforeBrace(this);
    QPlainTextEdit::keyPressEvent(event);
}

void TCodeEditor::Replay(const TTextEdit& edit) {
    // The view stays where it was as far as the caret allows.
    const int vertical = verticalScrollBar()->value();
    const int horizontal = horizontalScrollBar()->value();
    viewport()->setUpdatesEnabled(false);
    QTextCursor cursor(document());
    cursor.setPosition(edit.Pos);
    cursor.setPosition(edit.Pos + edit.Removed, QTextCursor::KeepAnchor);
    ReplayInOneLine = edit.Inserted.find(u'\n') == std::u16string::npos &&
                      cursor.selectedText().indexOf(QChar::ParagraphSeparator) < 0;
    Replayed = &edit;
    cursor.insertText(QString::fromStdU16String(edit.Inserted));
    Replayed = nullptr;
    setTextCursor(cursor);
    verticalScrollBar()->setValue(vertical);
    horizontalScrollBar()->setValue(horizontal);
    ensureCursorVisible();
    viewport()->setUpdatesEnabled(true);
}

void TCodeEditor::Undo() {
    if (const std::optional<TTextEdit> edit = Undos.Undo()) Replay(*edit);
}

void TCodeEditor::Redo() {
    if (const std::optional<TTextEdit> edit = Undos.Redo()) Replay(*edit);
}

void TCodeEditor::ColourBlocks(QTextBlock block, const QTextBlock& last,
                               const std::vector<THighlightRun>& runs,
                               const TColourFormats& formats) {
    if (!block.isValid()) return;
    int start = block.position();
    // The first run that ends inside or after the first line.
    auto run = std::partition_point(runs.begin(), runs.end(), [&](const THighlightRun& r) {
        return r.Start + r.Length <= start;
    });
    int dirtyFrom = -1, dirtyTo = -1;
    const auto flush = [&] {
        if (dirtyFrom >= 0) document()->markContentsDirty(dirtyFrom, dirtyTo - dirtyFrom);
        dirtyFrom = -1;
    };
    std::vector<TLineRun> wanted;
    for (;; block = block.next()) {
        const int length = block.length();
        const int end = start + length - 1; // without the line break
        wanted.clear();
        while (run != runs.end() && run->Start < end) {
            const int from = std::max(run->Start, start);
            const int to = std::min(run->Start + run->Length, end);
            if (to > from && run->Class != clDef && run->Class >= 0 &&
                run->Class < kColourClassCount)
                wanted.push_back({from - start, to - from, run->Class});
            if (run->Start + run->Length > end) break; // it goes on in the next line
            ++run;
        }
        auto* colours = static_cast<TLineColours*>(block.userData());
        QTextLayout* layout = block.layout();
        if (colours && colours->Generation == Generation && colours->Runs == wanted &&
            layout->formats().size() == static_cast<qsizetype>(wanted.size())) {
            flush();
        } else {
            TFormatList list;
            list.reserve(static_cast<qsizetype>(wanted.size()));
            for (const TLineRun& r : wanted)
                list.append({r.Start, r.Length, formats[static_cast<size_t>(r.Class)]});
            layout->setFormats(list);
            if (!colours) {
                colours = new TLineColours;
                block.setUserData(colours); // the line owns it
            }
            colours->Runs = wanted;
            colours->Generation = Generation;
            if (dirtyFrom < 0) dirtyFrom = start;
            dirtyTo = start + length;
        }
        if (block == last || !block.next().isValid()) break;
        start += length;
    }
    flush();
}

void TCodeEditor::ApplyColours(const std::vector<THighlightRun>& runs,
                               const TColourFormats& formats) {
    setExtraSelections({});
    if (formats != AppliedFormats) {
        // Other colours: no line keeps what it has.
        AppliedFormats = formats;
        ++Generation;
    }
    // What is on screen first, painted at once; then the rest of the text.
    const QTextBlock first = firstVisibleBlock();
    QTextBlock last = first;
    const qreal bottom = viewport()->height();
    for (QTextBlock block = first; block.isValid(); block = block.next()) {
        last = block;
        if (blockBoundingGeometry(block).translated(contentOffset()).bottom() >= bottom) break;
    }
    ColourBlocks(first, last, runs, formats);
    if (isVisible()) viewport()->repaint();
    emit ScreenColoured();
    const QTextBlock firstOfText = document()->firstBlock();
    if (first.isValid() && first != firstOfText)
        ColourBlocks(firstOfText, first.previous(), runs, formats);
    if (last.isValid() && last.next().isValid())
        ColourBlocks(last.next(), document()->lastBlock(), runs, formats);
}

void TCodeEditor::MarkError(int32_t pos) {
    const int length = document()->characterCount() - 1;
    const int start = std::clamp(pos, 0, length);
    QTextEdit::ExtraSelection mark;
    mark.cursor = QTextCursor(document());
    mark.cursor.setPosition(start);
    mark.cursor.setPosition(std::min(start + 3, length), QTextCursor::KeepAnchor);
    mark.format.setFontWeight(QFont::Bold);
    mark.format.setFontUnderline(true);
    setExtraSelections({mark});
}

} // namespace redewerk
