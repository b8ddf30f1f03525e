#include "ui/text_editing.h"

#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>

namespace redewerk {

void AutoIndentNewLine(QPlainTextEdit* editor) {
    QTextCursor cursor = editor->textCursor();
    const int start = cursor.selectionStart();
    const QTextBlock line = editor->document()->findBlock(start);
    const QString left = line.text().left(start - line.position());
    qsizetype tabs = 0;
    while (tabs < left.size() && left.at(tabs) == u'\t')
        ++tabs;
    if (left.indexOf(u'{', tabs) >= 0) ++tabs;
    cursor.insertText(QLatin1Char('\n') + QString(tabs, u'\t'));
    editor->setTextCursor(cursor);
    editor->ensureCursorVisible();
}

void DedentBeforeBrace(QPlainTextEdit* editor) {
    QTextCursor cursor = editor->textCursor();
    const int start = cursor.selectionStart();
    if (start == 0 || cursor.block().text().isEmpty()) return;
    if (editor->document()->characterAt(start - 1) != u'\t') return;
    const int end = cursor.selectionEnd();
    cursor.setPosition(end);
    cursor.setPosition(start - 1, QTextCursor::KeepAnchor);
    editor->setTextCursor(cursor);
}

bool IndentSelectedLines(QPlainTextEdit* editor) {
    QTextCursor cursor = editor->textCursor();
    const int start = cursor.selectionStart();
    const int end = cursor.selectionEnd();
    QTextDocument* document = editor->document();
    const QTextBlock first = document->findBlock(start);
    const QTextBlock last = document->findBlock(end);
    if (first == last) return false;
    const bool forward = cursor.position() >= cursor.anchor();
    QTextCursor edit(document);
    edit.beginEditBlock();
    for (QTextBlock line = first;; line = line.next()) {
        edit.setPosition(line.position());
        edit.insertText(QStringLiteral("\t"));
        if (line == last) break;
    }
    edit.endEditBlock();
    // One Tab went in before the selection, the others inside it.
    const int lines = last.blockNumber() - first.blockNumber();
    const int newStart = start + 1;
    const int newEnd = end + lines + 1;
    cursor.setPosition(forward ? newStart : newEnd);
    cursor.setPosition(forward ? newEnd : newStart, QTextCursor::KeepAnchor);
    editor->setTextCursor(cursor);
    return true;
}

} // namespace redewerk
