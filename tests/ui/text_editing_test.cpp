#include "ui/text_editing.h"

#include <QPlainTextEdit>
#include <QTextCursor>
#include <gtest/gtest.h>

#include <functional>

namespace redewerk {
namespace {

// An editor state written as text: "|" is the caret, "[" and "]" enclose a selection made
// from left to right, "]" ... "[" one made from right to left (the caret at "[").
void SetState(QPlainTextEdit& editor, QString state) {
    const qsizetype caret = state.indexOf(u'|');
    const qsizetype open = state.indexOf(u'['), close = state.indexOf(u']');
    state.remove(u'|').remove(u'[').remove(u']');
    editor.setPlainText(state);
    QTextCursor cursor = editor.textCursor();
    if (caret >= 0) {
        cursor.setPosition(static_cast<int>(caret));
    } else if (open < close) {
        cursor.setPosition(static_cast<int>(open));
        cursor.setPosition(static_cast<int>(close - 1), QTextCursor::KeepAnchor);
    } else {
        cursor.setPosition(static_cast<int>(open - 1));
        cursor.setPosition(static_cast<int>(close), QTextCursor::KeepAnchor);
    }
    editor.setTextCursor(cursor);
}

std::string State(const QPlainTextEdit& editor) {
    QString text = editor.toPlainText();
    const QTextCursor cursor = editor.textCursor();
    if (!cursor.hasSelection()) return text.insert(cursor.position(), u'|').toStdString();
    const bool forward = cursor.position() > cursor.anchor();
    text.insert(cursor.selectionEnd(), forward ? u']' : u'[');
    text.insert(cursor.selectionStart(), forward ? u'[' : u']');
    return text.toStdString();
}

struct TEditCase {
    const char* Before;
    const char* After;
};

// Runs `edit` on each case, compares the state, then checks that one undo of the document
// restores the text: each helper is a single edit.
void RunCases(std::initializer_list<TEditCase> cases,
              const std::function<void(QPlainTextEdit&)>& edit) {
    for (const TEditCase& c : cases) {
        QPlainTextEdit editor;
        SetState(editor, QString::fromLatin1(c.Before));
        const QString before = editor.toPlainText();
        edit(editor);
        EXPECT_EQ(State(editor), c.After) << c.Before;
        editor.document()->undo();
        EXPECT_EQ(editor.toPlainText(), before) << c.Before;
    }
}

TEST(TextEditingTest, EnterIndentsLikeTheLineAndOneMoreAfterABrace) {
    RunCases(
        {
            {"\t\tif (x) {|", "\t\tif (x) {\n\t\t\t|"},
            {"\tAI_Wait (self, 1);|", "\tAI_Wait (self, 1);\n\t|"},
            {"\tif (a) |{", "\tif (a) \n\t|{"}, // only the text left of the caret counts
            {"\t{|", "\t{\n\t\t|"},
            {"{|\t\t", "{\n\t|\t\t"},
            {"|", "\n|"},
            {"\t\t|", "\t\t\n\t\t|"},
            {"\tx[yz]w", "\tx\n\t|w"}, // the break replaces the selection
            {"a\n\tb[c\nd]e", "a\n\tb\n\t|e"},
        },
        [](QPlainTextEdit& editor) { AutoIndentNewLine(&editor); });
}

TEST(TextEditingTest, BraceAfterATabReplacesIt) {
    const auto typeBrace = [](QPlainTextEdit& editor) {
        DedentBeforeBrace(&editor);
        editor.insertPlainText(QStringLiteral("}"));
    };
    RunCases(
        {
            {"\t\t|", "\t}|"},
            {"\tx = 1;\n\t\t|", "\tx = 1;\n\t}|"},
            {"\t |", "\t }|"},   // after a blank the brace is only inserted
            {"|", "}|"},         // an empty text
            {"\tx|", "\tx}|"},   // no Tab before the caret
            {"\t[ab]", "}|"},    // the selection and the Tab before it
            {"\t\n|", "\t\n}|"}, // the Tab is on the line before
        },
        typeBrace);
}

TEST(TextEditingTest, TabIndentsEverySelectedLine) {
    RunCases(
        {
            {"[a\nb\nc]", "\t[a\n\tb\n\tc]"},
            {"a[b\nc]d", "\ta[b\n\tc]d"},
            {"x\na[b\nc\nd]e\ny", "x\n\ta[b\n\tc\n\td]e\ny"},
            {"[a\n]b", "\t[a\n\t]b"},     // a selection ending at a line start takes that line
            {"a]b\nc[d", "\ta]b\n\tc[d"}, // made backwards, it stays backwards
        },
        [](QPlainTextEdit& editor) { EXPECT_TRUE(IndentSelectedLines(&editor)); });

    for (const char* state : {"a[bc]d", "ab|c", "[\tab]"}) {
        QPlainTextEdit editor;
        SetState(editor, QString::fromLatin1(state));
        EXPECT_FALSE(IndentSelectedLines(&editor)) << state;
        EXPECT_EQ(State(editor), state);
    }
}

} // namespace
} // namespace redewerk
