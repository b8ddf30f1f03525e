#include "ui/undo_history.h"

#include <gtest/gtest.h>

#include <string>

namespace redewerk {
namespace {

// A text field as the editor drives the history: every edit is reported as it happens; the
// history's own undo and redo edits are not reported.
struct TField {
    TUndoRecord History{u"", false};

    void Edit(int32_t pos, int32_t removed, std::u16string_view inserted) {
        History.Change(pos, removed, inserted);
    }
    void Type(std::u16string_view text) {
        for (char16_t c : text)
            Edit(static_cast<int32_t>(History.Text().size()), 0, std::u16string(1, c));
    }
    bool Undo() { return History.Undo().has_value(); }
    std::u16string Text() const { return History.Text(); }
};

// What one reported change records: only the span that really changed, so that an editor
// reporting a wider span (or a formats-only change) costs nothing.
TEST(UndoHistoryTest, AChangeRecordsWhatItReplaced) {
    struct TCase {
        const char16_t* Before;
        int32_t Pos, Removed;
        const char16_t* Inserted;
        std::vector<TUndoStep> Steps;
    } cases[] = {
        {u"Hallo Welt", 6, 4, u"x", {{6, u"Welt", u"x"}}},         // typing over a selection
        {u"Hallo Welt", 0, 6, u"", {{0, u"Hallo ", u""}}},         // deleting a selection
        {u"Hallo Welt", 0, 10, u"Hallo Welt", {}},                 // formats only
        {u"Hallo Welt", 2, 8, u"llo Wald", {{7, u"elt", u"ald"}}}, // a wide report
        {u"ab", 1, 50, u"X", {{1, u"b", u"X"}}},                   // counts past the end clipped
        {u"ab", 9, 0, u"!", {{2, u"", u"!"}}},                     // a position past the end too
    };
    for (const TCase& c : cases) {
        TUndoRecord history(c.Before, false);
        history.Change(c.Pos, c.Removed, c.Inserted);
        EXPECT_EQ(history.Steps(), c.Steps) << std::string(c.Inserted, c.Inserted + 1);
    }

    TField field;
    field.Type(u"Hallo Welt");
    field.Edit(6, 4, u"x");
    EXPECT_TRUE(field.Undo());
    EXPECT_EQ(field.Text(), u"Hallo Welt"); // one undo restores the word
}

// While paused the history follows the text. Resuming with recording turns everything the
// program changed meanwhile into one step; resuming without recording drops the steps when
// the text changed, since they no longer fit it, and keeps them when it did not (colouring).
TEST(UndoHistoryTest, WhatChangesWhilePausedBecomesOneStepOrEndsTheHistory) {
    const struct {
        bool Record;
        bool ChangeText;
        size_t Steps;
        const char16_t* AfterUndo;
    } cases[] = {
        {true, true, 6, u"a\nb\nc"},
        {false, true, 0, u"\ta\n\tb\n\tc"},
        {false, false, 5, u"a\nb\n"},
        {true, false, 5, u"a\nb\n"},
    };
    for (const auto& c : cases) {
        TField field;
        field.Type(u"a\nb\nc");
        field.History.Blind();
        if (c.ChangeText) {
            field.Edit(0, 0, u"\t");
            field.Edit(3, 0, u"\t");
            field.Edit(6, 0, u"\t");
        }
        field.Edit(0, 1, field.Text().substr(0, 1)); // formats only
        EXPECT_TRUE(field.History.Unblind(c.Record));
        EXPECT_EQ(field.History.Steps().size(), c.Steps) << c.Record << c.ChangeText;
        field.Undo();
        EXPECT_EQ(field.Text(), c.AfterUndo) << c.Record << c.ChangeText;
    }
}

TEST(UndoHistoryTest, PausesNestAndAnUnpausedHistoryCannotBeResumed) {
    TUndoRecord history(u"x", true);
    EXPECT_EQ(history.BlindCount(), 1);
    history.Blind();
    EXPECT_TRUE(history.Unblind(true));
    EXPECT_TRUE(history.Paused());
    EXPECT_TRUE(history.Unblind(true));
    EXPECT_FALSE(history.Paused());
    EXPECT_FALSE(history.Unblind(true)); // the editor's "Internal Error" case
    EXPECT_EQ(history.BlindCount(), 0);
    history.Change(1, 0, u"y"); // recording goes on
    EXPECT_EQ(history.Steps().size(), 1u);
}

// A reset while recording: the history starts over from the text as it stands.
TEST(UndoHistoryTest, AResetStartsOverFromTheTextAsItStands) {
    TField field;
    field.Type(u"neu!");
    field.History.Reset();
    field.Type(u"?");
    EXPECT_TRUE(field.Undo());
    EXPECT_EQ(field.Text(), u"neu!");
    EXPECT_FALSE(field.Undo());
}

} // namespace
} // namespace redewerk
