#include "ui/undo_history.h"

#include <algorithm>

namespace redewerk {

TUndoRecord::TUndoRecord(std::u16string text, bool paused)
    : Current(std::move(text)), HasSnapshot(!paused), Blinds(paused ? 1 : 0) {}

void TUndoRecord::AddStep(int32_t pos, std::u16string_view oldText, std::u16string_view newText) {
    // Only what really changed: an editor may report a wider span than it touched.
    size_t prefix = 0;
    while (prefix < oldText.size() && prefix < newText.size() && oldText[prefix] == newText[prefix])
        ++prefix;
    size_t suffix = 0;
    while (suffix < oldText.size() - prefix && suffix < newText.size() - prefix &&
           oldText[oldText.size() - 1 - suffix] == newText[newText.size() - 1 - suffix])
        ++suffix;
    if (prefix == oldText.size() && prefix == newText.size()) return;
    StepList.resize(static_cast<size_t>(Applied));
    StepList.push_back({pos + static_cast<int32_t>(prefix),
                        std::u16string(oldText.substr(prefix, oldText.size() - prefix - suffix)),
                        std::u16string(newText.substr(prefix, newText.size() - prefix - suffix))});
    ++Applied;
}

void TUndoRecord::Change(int32_t pos, int32_t removed, std::u16string_view inserted) {
    const auto size = static_cast<int32_t>(Current.size());
    pos = std::clamp(pos, 0, size);
    removed = std::clamp(removed, 0, size - pos);
    if (Paused()) {
        if (HasSnapshot && !PauseBase) PauseBase = Current;
    } else {
        AddStep(pos,
                std::u16string_view(Current).substr(static_cast<size_t>(pos),
                                                    static_cast<size_t>(removed)),
                inserted);
    }
    Current.replace(static_cast<size_t>(pos), static_cast<size_t>(removed), inserted);
}

void TUndoRecord::Blind() {
    ++Blinds;
}

bool TUndoRecord::Unblind(bool record) {
    if (Blinds <= 0) return false;
    if (--Blinds > 0) return true;
    if (PauseBase && record && HasSnapshot) {
        AddStep(0, *PauseBase, Current);
    } else if (PauseBase && *PauseBase != Current) {
        StepList.clear();
        Applied = 0;
    }
    PauseBase.reset();
    HasSnapshot = true;
    return true;
}

void TUndoRecord::Reset() {
    StepList.clear();
    Applied = 0;
    PauseBase.reset();
    HasSnapshot = !Paused();
}

std::optional<TTextEdit> TUndoRecord::Replay(TTextEdit edit) {
    Current.replace(static_cast<size_t>(edit.Pos), static_cast<size_t>(edit.Removed),
                    edit.Inserted);
    return edit;
}

std::optional<TTextEdit> TUndoRecord::Undo() {
    if (Applied == 0) return std::nullopt;
    const TUndoStep& step = StepList[static_cast<size_t>(--Applied)];
    return Replay({step.Pos, static_cast<int32_t>(step.NewText.size()), step.OldText});
}

std::optional<TTextEdit> TUndoRecord::Redo() {
    if (Applied >= static_cast<int32_t>(StepList.size())) return std::nullopt;
    const TUndoStep& step = StepList[static_cast<size_t>(Applied++)];
    return Replay({step.Pos, static_cast<int32_t>(step.OldText.size()), step.NewText});
}

} // namespace redewerk
