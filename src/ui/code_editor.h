#pragma once

#include "daedalus/highlighter.h"
#include "model/colours.h"
#include "ui/undo_history.h"

#include <QPlainTextEdit>
#include <QTextCharFormat>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace redewerk {

class TSyntaxPanel;

// The colour of each colour class, as character formats.
using TColourFormats = std::array<QTextCharFormat, kColourClassCount>;

// A Daedalus code editor (the body and the condition of a block). It has an undo history of
// its own instead of Qt's, fed by every change of its document; the keys that edit (Enter,
// Tab over lines, "}", Ctrl+Z, Ctrl+Y) act here. Colours go into the lines' layouts and the
// error mark is an extra selection, so neither ever changes the text, the undo history or
// the modification flag.
class TCodeEditor : public QPlainTextEdit {
    Q_OBJECT
public:
    // `objectName` finds it, `accessibleName` names it to screen readers; its status panel
    // is called "Syntaxprüfung " + the accessible name.
    TCodeEditor(const QString& objectName, const QString& accessibleName,
                QWidget* parent = nullptr);

    TUndoRecord& History() { return Undos; }
    const TUndoRecord& History() const { return Undos; }
    TSyntaxPanel* Panel() const { return StatusPanel; }

    void Undo();
    void Redo();
    // Whether the history has a step to undo or to redo.
    bool CanUndo() const { return Undos.Position() > 0; }
    bool CanRedo() const { return Undos.Position() < static_cast<int32_t>(Undos.Steps().size()); }

    // The text as the highlighter and the checker read it: one Windows-1252 byte per
    // character of the editor, line breaks as "\n", so that offsets are editor positions.
    std::string Bytes() const;

    // Colours the text by the highlighter's runs of it (class 1 is the editor's own text
    // colour). The lines on screen are coloured and repainted first. Removes the error mark.
    void ApplyColours(const std::vector<THighlightRun>& runs, const TColourFormats& formats);

    // Marks three characters from `pos` (fewer at the end) bold and underlined.
    void MarkError(int32_t pos);
    bool HasErrorMark() const { return !extraSelections().isEmpty(); }

signals:
    // The text changed, by typing or by the program; colouring is no change.
    void Edited();
    // The history was resumed although it was not paused.
    void UnblindFailed();
    // The lines on screen are coloured and painted; the rest of the text follows.
    void ScreenColoured();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void OnContentsChange(int position, int removed, int added);
    void ShiftFormats(int position, int removed, int added);
    void Replay(const TTextEdit& edit);
    std::u16string DocumentText(int from, int count) const;
    // Sets the formats of the lines from `first` to `last` where they differ.
    void ColourBlocks(QTextBlock first, const QTextBlock& last,
                      const std::vector<THighlightRun>& runs, const TColourFormats& formats);

    TUndoRecord Undos;
    // The colours the lines were last coloured with; a new table starts a new generation.
    TColourFormats AppliedFormats;
    uint32_t Generation = 1;
    TSyntaxPanel* StatusPanel;
    // The undo or redo step being made, and whether it stays inside one line.
    const TTextEdit* Replayed = nullptr;
    bool ReplayInOneLine = false;
};

} // namespace redewerk
