#pragma once

class QPlainTextEdit;

namespace redewerk {

// Editing helpers shared by the code editors of the main window and the variables window.
// Each one is a single edit of the document, so an undo history sees it as one step.

// Enter: a line break followed by as many Tabs as the current line starts with, one more when
// the rest of the line left of the caret opens a "{". The break replaces the selection.
void AutoIndentNewLine(QPlainTextEdit* editor);

// Before a typed "}": when a Tab stands right before the caret (or the selection), the
// selection is widened over it, so that the brace replaces the Tab and lands one level out.
void DedentBeforeBrace(QPlainTextEdit* editor);

// Tab over a selection that spans lines: a Tab at the start of every line from the one the
// selection starts in to the one it ends in (that one too when the selection ends at its very
// start). The selection keeps covering the same text. Returns false, changing nothing, when
// the selection holds no line break.
bool IndentSelectedLines(QPlainTextEdit* editor);

} // namespace redewerk
