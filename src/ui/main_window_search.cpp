// The main window's search: Ctrl+F asks for a text, F3 finds its next place in the names and
// fields of all blocks, from the caret of the focused field on, and selects it.
#include "ui/main_window.h"

#include "model/project.h"
#include "model/prompter.h"
#include "model/search.h"
#include "ui/block_tree_view.h"
#include "ui/search_dialog.h"
#include "ui/text_codec.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStatusBar>

#include <algorithm>
#include <array>
#include <optional>

namespace redewerk {
namespace {

// A selection in a code editor as the model writes it: its paragraph breaks become CR LF.
std::string SelectedText(const QPlainTextEdit* editor) {
    QString text = editor->textCursor().selectedText();
    text.replace(QChar::ParagraphSeparator, QStringLiteral("\r\n"));
    text.replace(QChar::LineSeparator, QStringLiteral("\r\n"));
    return FromQt(text);
}

} // namespace

void TFMain::StartSearch() {
    SearchText.clear();
    if (SearchForm->Ask()) SearchText = FromQt(SearchForm->Str()->text());
    FindNextMatch();
}

void TFMain::FindNext() {
    QWidget* focused = focusWidget();
    if (auto* field = qobject_cast<QLineEdit*>(focused); field && IsHeaderField(field)) {
        if (field->hasSelectedText()) SearchText = FromQt(field->selectedText());
    } else if (auto* editor = qobject_cast<QPlainTextEdit*>(focused);
               editor && IsEditorField(editor)) {
        if (editor->textCursor().hasSelection()) SearchText = SelectedText(editor);
    }
    FindNextMatch();
}

std::array<QWidget*, 7> TFMain::SearchWidgets() const {
    return {Tree, Heading, Npc, Nr, Description, Condition, Body};
}

std::optional<TSearchField> TFMain::SearchFieldOf(const QWidget* widget) const {
    const std::array<QWidget*, 7> widgets = SearchWidgets();
    const auto it = std::find(widgets.begin(), widgets.end(), widget);
    if (it == widgets.end()) return std::nullopt;
    return static_cast<TSearchField>(it - widgets.begin());
}

void TFMain::FindNextMatch() {
    if (SearchText.empty() || !Project.Selected) return;
    QWidget* focused = focusWidget();
    const std::optional<TSearchField> field = SearchFieldOf(focused);
    if (!field) {
        Prompter.ShowMessage("Error: Ung\xFCltiger Controltyp!");
        return;
    }
    const auto fields = SearchFieldsOf(Project.Selected);
    if (std::find(fields.begin(), fields.end(), *field) == fields.end()) {
        Prompter.ShowMessage("Error: ung\xFClitiges Control!");
        return;
    }
    // The focused field is searched as it stands, from the end of its selection; it is
    // written back only when the search moves the focus.
    TSearchPlace start{Project.Selected, *field, 0, 0};
    TLines shown;
    QString text;
    int caret = 0;
    if (auto* line = qobject_cast<QLineEdit*>(focused)) {
        text = line->text();
        caret = line->hasSelectedText() ? line->selectionEnd() : line->cursorPosition();
    } else if (auto* editor = qobject_cast<QPlainTextEdit*>(focused)) {
        if (editor == Body && BodyShowsCode) {
            // The body shows the generated code: on from the block's own selection.
            const TElement& element = *SelectedElement();
            text = BodySource(element);
            caret = element.BodySelStart + element.BodySelLength;
        } else {
            text = EditorText(editor);
            caret = editor->textCursor().selectionEnd();
        }
    }
    if (focused != Tree) {
        shown = LinesFromQt(text);
        // Every line break before the caret counts as CR LF.
        caret = std::clamp(caret, 0, static_cast<int>(text.size()));
        start.Offset = static_cast<size_t>(caret + text.left(caret).count(u'\n'));
    }
    const std::optional<TSearchPlace> found =
        FindNextInProject(Project, SearchText, start, focused == Tree ? nullptr : &shown);
    if (!found) {
        statusBar()->showMessage(QStringLiteral("Nicht gefunden: ") + ToQt(SearchText), 5000);
        return;
    }
    ShowMatch(*found);
}

void TFMain::ShowMatch(const TSearchPlace& place) {
    // The field that has the focus is written back, and the tree, taking the focus, shows
    // the block of the match.
    CommitFocusedField();
    Tree->setFocus(Qt::OtherFocusReason);
    SelectNode(place.Node);
    if (place.Field == TSearchField::NodeName) return;
    QWidget* widget = SearchWidgets()[static_cast<size_t>(place.Field)];
    widget->setFocus(Qt::OtherFocusReason);
    // A line break of the search text is one character in the editor.
    const auto breaks = static_cast<int>(std::count(SearchText.begin(), SearchText.end(), '\n'));
    const int length = static_cast<int>(SearchText.size()) - breaks;
    if (auto* line = qobject_cast<QLineEdit*>(widget)) {
        line->setSelection(static_cast<int>(place.Offset), length);
        return;
    }
    const auto position = static_cast<int>(place.Offset - place.Line);
    if (widget == Body) {
        // The match becomes the block's selection, which the body shows when it is entered;
        // while the body keeps showing the generated code, the next search goes on there.
        TElement* element = SelectedElement();
        element->BodySelStart = position;
        element->BodySelLength = length;
        if (BodyShowsCode) return;
    }
    auto* editor = static_cast<QPlainTextEdit*>(widget);
    // Writing the field back may have put a path into its normal form.
    const int end = editor->document()->characterCount() - 1;
    QTextCursor cursor = editor->textCursor();
    cursor.setPosition(std::min(position, end));
    cursor.setPosition(std::min(position + length, end), QTextCursor::KeepAnchor);
    editor->setTextCursor(cursor);
    editor->ensureCursorVisible();
}

} // namespace redewerk
