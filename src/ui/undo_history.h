#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace redewerk {

// One undo step: at Pos (0-based, in UTF-16 units of the editor text) OldText was replaced
// by NewText.
struct TUndoStep {
    int32_t Pos = 0;
    std::u16string OldText;
    std::u16string NewText;

    bool operator==(const TUndoStep&) const = default;
};

// An edit the editor has to make: at Pos, Removed characters replaced by Inserted.
struct TTextEdit {
    int32_t Pos = 0;
    int32_t Removed = 0;
    std::u16string Inserted;

    bool operator==(const TTextEdit&) const = default;
};

// The undo history of one code editor, free of widgets. The editor reports every change of
// its text as it happens (Change), and the history follows the text: while it records, each
// change is one step; while it is paused ("blinded": the editor is left, read-only, or the
// program itself edits), the changes only move the text along, and resuming with recording
// makes everything changed meanwhile one step. Steps are never merged and there is no limit
// on their number; a new step drops the redo tail.
//
// The history keeps the editor's text itself, updated by each change, so that a change is
// recorded from what it replaced without copying the whole text at every key.
class TUndoRecord {
public:
    // A history over `text`; `paused` when the editor does not have the focus.
    TUndoRecord(std::u16string text, bool paused);

    // At `pos`, `removed` characters of the text were replaced by `inserted`. Out-of-range
    // counts are clipped; a change that replaces text by the same text adds no step.
    void Change(int32_t pos, int32_t removed, std::u16string_view inserted);

    void Blind();
    // Resumes; when that ends the pause, `record` is set and a state was taken before the
    // pause, what changed meanwhile becomes one step. Without recording, a text changed
    // meanwhile makes the steps useless: they are dropped, so that undo never produces a
    // text that is half the program's and half the user's. False, changing nothing, when
    // the history was not paused.
    bool Unblind(bool record);
    // Forgets every step; a paused history forgets its state too, so resuming it records
    // nothing of what the program shows meanwhile.
    void Reset();

    // Undoes (redoes) the last (next) step in the text and returns the edit, or nothing.
    // The caller makes the same edit in the editor without reporting it as a change.
    std::optional<TTextEdit> Undo();
    std::optional<TTextEdit> Redo();

    const std::u16string& Text() const { return Current; }
    const std::vector<TUndoStep>& Steps() const { return StepList; }
    int32_t Position() const { return Applied; } // steps at and after it are the redo tail
    int32_t BlindCount() const { return Blinds; }
    bool Paused() const { return Blinds > 0; }

private:
    std::optional<TTextEdit> Replay(TTextEdit edit);
    void AddStep(int32_t pos, std::u16string_view oldText, std::u16string_view newText);

    std::u16string Current;
    // The text when the pause began, kept only once the program changed the text meanwhile.
    std::optional<std::u16string> PauseBase;
    bool HasSnapshot = false; // a state was taken while recording since the last reset
    int32_t Blinds = 0;
    int32_t Applied = 0;
    std::vector<TUndoStep> StepList;
};

} // namespace redewerk
