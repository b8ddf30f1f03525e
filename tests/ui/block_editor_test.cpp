#include "window_fixture.h"

#include "ui/code_editor.h"
#include "ui/palette_colours.h"
#include "ui/syntax_panel.h"

#include <QAccessible>
#include <QCheckBox>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextLayout>

namespace redewerk {
namespace {

struct TFakeClock : TClock {
    uint32_t Now = 1000;
    uint32_t Milliseconds() override { return Now; }
};

// The main window with the clock in the test's hand: the idle passes run when the test says.
struct TBlockEditorTest : testing::TWindowFixture {
    TFakeClock Clock;

    void SetUp() override {
        TWindowFixture::SetUp();
        Window.SetClock(Clock);
        Window.IdleTimer()->stop();
    }

    TCodeEditor* Body() const { return Window.BodyEditor(); }
    TCodeEditor* Condition() const { return Window.ConditionEditor(); }
    QCheckBox* Switch(const char* name) const { return Find<QCheckBox>(name); }

    // `ms` later, one idle pass.
    void Idle(uint32_t ms) {
        Clock.Now += ms;
        Window.RunIdlePass();
    }
    // Passes until nothing is pending, the user pausing all along.
    void Settle() {
        for (int pass = 0; pass < 10 && Window.IdleScheduler().Pending(); ++pass)
            Idle(400);
    }
    void Focus(QWidget* widget) {
        if (!Window.isActiveWindow()) { // a dialog was open
            Window.activateWindow();
            QTRY_VERIFY(Window.isActiveWindow());
        }
        widget->setFocus(Qt::OtherFocusReason);
        ASSERT_EQ(QApplication::focusWidget(), widget);
    }
    static std::string Text(const QPlainTextEdit* editor) {
        return editor->toPlainText().toStdString();
    }
    static std::string Hint(const TCodeEditor* editor) {
        return editor->Panel()->Hint().toStdString();
    }
};

// The three preview states, and the caret of each block's body kept from visit to visit.
TEST_F(TBlockEditorTest, ThePreviewGivesWayToTheBlocksTextWhileTheBodyIsEdited) {
    Hallo->Element()->Body = {">>Hallo", "<<Tag"};
    Hallo->Element()->BodySelStart = 2;
    Hallo->Element()->BodySelLength = 5;
    EXPECT_FALSE(Switch("LockBody")->isEnabled());
    Switch("InstantCompile")->setChecked(true);
    EXPECT_TRUE(Switch("LockBody")->isEnabled());
    Click(Hallo);
    EXPECT_NE(Text(Body()).find("instance DIA_WIRT_HALLO (C_INFO)"), std::string::npos);

    Focus(Body()); // the block's text, the selection where it was left
    EXPECT_EQ(Text(Body()), ">>Hallo\n<<Tag");
    EXPECT_EQ(Body()->textCursor().selectedText(), QStringLiteral("Hallo"));
    QTest::keyClicks(Body(), QStringLiteral("Moin"));
    QTest::keyClick(Body(), Qt::Key_Left);
    Focus(Field("Heading")); // left: written back, the preview shows the edit
    EXPECT_EQ(Hallo->Element()->Body, (TLines{">>Moin", "<<Tag"}));
    EXPECT_NE(Text(Body()).find("//Moin"), std::string::npos);
    Focus(Body());
    EXPECT_EQ(Body()->textCursor().position(), 5);

    // Kept: the generated code stays, read-only, and nothing can be typed or undone.
    Focus(Field("Heading"));
    Switch("LockBody")->setChecked(true);
    Focus(Body());
    EXPECT_TRUE(Body()->isReadOnly());
    const std::string code = Text(Body());
    EXPECT_NE(code.find("//Moin"), std::string::npos);
    QTest::keyClicks(Body(), QStringLiteral("x"));
    QTest::keyClick(Body(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Text(Body()), code);

    // Off: the block's text again, and "Vs. Beibehalten" goes with the preview.
    Focus(Field("Heading"));
    Switch("InstantCompile")->setChecked(false);
    EXPECT_EQ(Text(Body()), ">>Moin\n<<Tag");
    EXPECT_FALSE(Switch("LockBody")->isChecked());
    EXPECT_FALSE(Switch("LockBody")->isEnabled());
    EXPECT_FALSE(Body()->isReadOnly());
}

// A block whose code cannot be generated (a reference the file holds damaged) shows its own
// text, not the code of the block shown before.
TEST_F(TBlockEditorTest, APreviewThatFailsShowsTheBlocksText) {
    Switch("InstantCompile")->setChecked(true);
    Click(Tschuess);
    Hallo->Element()->Body = {"B_Gib (#x#);"};
    Click(Hallo);
    EXPECT_EQ(Text(Body()).substr(0, 7), "B_Gib (");
    EXPECT_EQ(Prompter.Messages, std::vector<std::string>{"'x' ist kein g\xFCltiger Integerwert"});
}

// Every header field and flag, left or clicked, shows its change in the preview at once.
TEST_F(TBlockEditorTest, HeaderChangesRefreshThePreview) {
    Switch("InstantCompile")->setChecked(true);
    Click(Hallo);
    EXPECT_NE(Text(Body()).find("important\t= TRUE;"), std::string::npos);
    QTest::mouseClick(Switch("important"), Qt::LeftButton);
    EXPECT_EQ(Text(Body()).find("important\t= TRUE;"), std::string::npos);
    QTest::mouseClick(Switch("permanent"), Qt::LeftButton);
    EXPECT_NE(Text(Body()).find("permanent\t= TRUE;"), std::string::npos);
    const struct {
        const char* Field;
        const char* Typed;
        const char* Shows;
    } fields[] = {
        {"Npc", "Koch", "npc\t\t\t= Koch;"},
        {"nr", "7", "nr\t\t\t= 7;"},
        {"description", "Wer bist du?", "description\t= \"Wer bist du?\";"},
        {"Heading", "Begr\xC3\xBC\xC3\x9Fung", "//   Begr\xC3\xBC\xC3\x9Fung"},
    };
    for (const auto& f : fields) {
        Focus(Field(f.Field));
        Field(f.Field)->setText(QString::fromUtf8(f.Typed));
        Focus(Window.TreeView());
        EXPECT_NE(Text(Body()).find(f.Shows), std::string::npos) << f.Field;
    }
}

// The editing keys of both code editors, each one undo step; the caret is written as "|".
TEST_F(TBlockEditorTest, EditingKeysAreOneUndoStepEach) {
    const struct {
        const char* Before;
        Qt::Key Key;
        Qt::KeyboardModifiers SelectFirst; // Ctrl+Shift+Home before the key
        const char* After;
    } cases[] = {
        {"\t\tif (x) {|", Qt::Key_Return, {}, "\t\tif (x) {\n\t\t\t|"},
        {"\ta;\n\t|", Qt::Key_BraceRight, {}, "\ta;\n}|"},
        {"a\nb\nc|", Qt::Key_Tab, Qt::ControlModifier | Qt::ShiftModifier, "\ta\n\tb\n\tc"},
    };
    for (TCodeEditor* editor : {Body(), Condition()}) {
        for (const auto& c : cases) {
            Click(Hallo);
            const QString before = QString::fromLatin1(c.Before);
            editor->setPlainText(QString(before).remove(u'|'));
            Focus(editor);
            editor->moveCursor(QTextCursor::End);
            if (c.SelectFirst) QTest::keyClick(editor, Qt::Key_Home, c.SelectFirst);
            QTest::keyClick(editor, c.Key);
            QString after = editor->toPlainText();
            if (!editor->textCursor().hasSelection())
                after.insert(editor->textCursor().position(), u'|');
            EXPECT_EQ(after.toStdString(), c.After) << editor->objectName().toStdString();
            QTest::keyClick(editor, Qt::Key_Z, Qt::ControlModifier);
            EXPECT_EQ(editor->toPlainText(), QString(before).remove(u'|')) << c.Before;
        }
    }
}

// Typed keys are undone one by one; the history outlives leaving the editor but not the block.
TEST_F(TBlockEditorTest, UndoGoesStepByStepAndEndsWithTheBlock) {
    const auto press = [&](Qt::Key key) {
        QTest::keyClick(Body(), key, Qt::ControlModifier);
        return Text(Body());
    };
    Click(Hallo);
    Focus(Body());
    QTest::keyClicks(Body(), QStringLiteral("abc"));
    for (const char* expected : {"ab", "a", "", ""})
        EXPECT_EQ(press(Qt::Key_Z), expected);
    press(Qt::Key_Y);
    EXPECT_EQ(press(Qt::Key_Y), "ab");
    QTest::keyClicks(Body(), QStringLiteral("x")); // drops what was left to redo
    EXPECT_EQ(press(Qt::Key_Y), "abx");
    Focus(Field("Heading"));
    Focus(Body());
    EXPECT_EQ(press(Qt::Key_Z), "ab");
    Click(Tschuess);
    Click(Hallo);
    Focus(Body());
    EXPECT_EQ(press(Qt::Key_Z), "ab");
    EXPECT_TRUE(Prompter.Messages.empty()); // no pause left unbalanced
}

// The colour of the character at `pos`: its layout format, else the editor's text colour.
QColor ColourAt(const QPlainTextEdit* editor, int pos) {
    const QTextBlock block = editor->document()->findBlock(pos);
    for (const QTextLayout::FormatRange& range : block.layout()->formats())
        if (pos - block.position() >= range.start &&
            pos - block.position() < range.start + range.length)
            return range.format.foreground().color();
    return editor->palette().color(QPalette::Text);
}

// Colouring and the error mark change neither the text nor its history nor the caret; the
// mark goes with the next colouring.
TEST_F(TBlockEditorTest, ColoursAndErrorMarksAreNoEdits) {
    Click(Hallo);
    Focus(Body());
    QTest::keyClicks(Body(), QStringLiteral("if (x) { y = 1 }"));
    QTest::keyClick(Body(), Qt::Key_Return);
    QTest::keyClicks(Body(), QStringLiteral(">>Hallo #1#"));
    QTest::keyClick(Body(), Qt::Key_Left);
    Body()->document()->setModified(false);
    Settle();
    EXPECT_EQ(Body()->History().Steps().size(), 28u); // the typed keys only
    EXPECT_FALSE(Body()->document()->isModified());
    EXPECT_EQ(Body()->textCursor().position(), 28);
    const auto colour = [&](int colourClass) {
        return ToQColor(Window.Colours()[static_cast<size_t>(colourClass)],
                        QApplication::palette());
    };
    // "if (x) { y = 1 }", then a Tab (the line opened a brace) and a hero line.
    const std::pair<int, int> expected[] = {
        {0, clTypes}, {4, clDef}, {13, clConst}, {27, clDiaHero}};
    for (const auto& [pos, colourClass] : expected)
        EXPECT_EQ(ColourAt(Body(), pos), colour(colourClass)) << pos;

    const auto& error = Body()->extraSelections();
    ASSERT_EQ(error.size(), 1);
    EXPECT_EQ(error[0].cursor.selectionStart(), Window.BodyErrorPos());
    EXPECT_EQ(error[0].cursor.selectedText().size(), 3);
    EXPECT_EQ(error[0].format.fontWeight(), QFont::Bold);
    EXPECT_TRUE(error[0].format.fontUnderline());

    // Typed text takes the colour before it until the next colouring, which also takes the
    // error mark away.
    QTest::keyClick(Body(), Qt::Key_Home, Qt::ControlModifier);
    QTest::keyClicks(Body(), QStringLiteral("x"));
    EXPECT_EQ(ColourAt(Body(), 4), colour(clDelimiter)); // "(" moved along
    Idle(0);
    Idle(31);
    EXPECT_EQ(ColourAt(Body(), 0), colour(clDef)); // "xif" is no keyword
    EXPECT_FALSE(Body()->HasErrorMark());
}

// With the default delays the panel turns red a little over 300 ms after the last key, never
// while the keys come faster; the scheduler's timer runs only while work is pending.
TEST_F(TBlockEditorTest, TheCheckWaitsForAPauseInTyping) {
    Click(Hallo);
    Focus(Body());
    Settle();
    EXPECT_FALSE(Window.IdleTimer()->isActive());
    EXPECT_EQ(Hint(Body()), "Syntax ok");
    for (QChar c : QStringLiteral("x = ")) {
        QTest::keyClicks(Body(), QString(c));
        EXPECT_TRUE(Window.IdleTimer()->isActive());
        Idle(0);   // the pass right after the key
        Idle(100); // coloured, no check yet
        Idle(100);
        EXPECT_FALSE(Body()->Panel()->IsRed());
    }
    Idle(99); // 299 ms after the pass that followed the last key
    EXPECT_FALSE(Body()->Panel()->IsRed());
    Idle(2);
    EXPECT_TRUE(Body()->Panel()->IsRed());
    EXPECT_EQ(Hint(Body()), "Identifier oder Literal erwartet.");
    EXPECT_EQ(Body()->Panel()->accessibleDescription(), Body()->Panel()->Hint());
    EXPECT_FALSE(Window.IdleScheduler().Pending());

    // "Syntaxüberprüfung" off: panels hidden, no check; on again: both checked.
    Switch("CheckSyntax")->click();
    EXPECT_FALSE(Body()->Panel()->isVisible());
    EXPECT_FALSE(Condition()->Panel()->isVisible());
    Focus(Body());
    QTest::keyClicks(Body(), QStringLiteral("1;"));
    Settle();
    EXPECT_TRUE(Body()->Panel()->IsRed());
    Switch("CheckSyntax")->click();
    EXPECT_TRUE(Body()->Panel()->isVisible());
    EXPECT_TRUE(Condition()->Panel()->isVisible());
    Settle();
    EXPECT_FALSE(Body()->Panel()->IsRed());
}

// The body is read as statements while the user edits a block's text and as declarations in
// a Code block and in the preview; the condition as IF and one expression.
TEST_F(TBlockEditorTest, EachTextIsCheckedAsWhatItIs) {
    Hallo->Element()->Body = {"var int x;"};
    Hallo->Element()->Condition = {"x == 1"};
    Hilfen->Element()->Body = {"var int x;", "x = 1;"};
    Click(Hallo);
    Settle();
    EXPECT_EQ(Hint(Body()), "Syntax ok");
    EXPECT_EQ(Hint(Condition()), "if-Statement in der condition erwartet.");
    Click(Hilfen);
    Settle();
    EXPECT_EQ(Hint(Body()), "Ungültiges Statement oder ungültiges Zeichen.");
    Tschuess->Element()->Body = {"var int x;"};
    Tschuess->Element()->Npc = "Wirt";
    Switch("InstantCompile")->setChecked(true);
    Click(Tschuess);
    Settle();
    EXPECT_EQ(Hint(Body()), "Syntax ok"); // the generated code
}

// Kept names are shown and written back as they stand, never as paths; the check knows which
// block's texts may carry which.
TEST_F(TBlockEditorTest, KeptNamesAreEditedInPlace) {
    const std::string ja = std::to_string(Ja->Element()->Id);
    Hallo->Element()->Body = {"#:DIA_Wirt_Hallo#", "#:DIA_Wirt_Hallo_15_00#>>Hallo.",
                              "++#" + ja + "#"};
    Hallo->Element()->Condition = {"#:B_Bereit()#"};
    Betrunken->Element()->Condition = {"#:B_Bereit()#"};
    Click(Hallo);
    Settle();
    EXPECT_EQ(Text(Body()), "#:DIA_Wirt_Hallo#\n#:DIA_Wirt_Hallo_15_00#>>Hallo.\n++#Hallo\\Ja#");
    EXPECT_EQ(Hint(Body()), "Syntax ok");
    EXPECT_EQ(Hint(Condition()), "Syntax ok");
    Focus(Body());
    QTest::keyClick(Body(), Qt::Key_End, Qt::ControlModifier);
    QTest::keyClick(Body(), Qt::Key_Return);
    QTest::keyClicks(Body(), QStringLiteral(">>Neu."));
    Focus(Field("Heading"));
    EXPECT_EQ(Hallo->Element()->Body,
              (TLines{"#:DIA_Wirt_Hallo#", "#:DIA_Wirt_Hallo_15_00#>>Hallo.", "++#" + ja + "#",
                      ">>Neu."}));
    EXPECT_EQ(Hallo->Element()->Condition, TLines{"#:B_Bereit()#"});
    EXPECT_TRUE(Prompter.Messages.empty());

    Click(Betrunken);
    Settle();
    EXPECT_EQ(Hint(Condition()),
              "Nur die Condition eines Dialogs kann eine Funktion \"#:Name()#\" nennen.");
}

// "Gehe zu erstem Fehler" from the menu, Ctrl+E and a click on the red panel; never while a
// check is pending.
TEST_F(TBlockEditorTest, GotoErrorFindsTheMarkedPlace) {
    Hallo->Element()->Body = {">>Hallo", "x = ;", "<<Tag"};
    Hallo->Element()->Condition = {"IF x;"};
    Click(Hallo);
    Settle();
    EXPECT_EQ(Window.BodyErrorPos(), 12);
    EXPECT_EQ(Window.ConditionErrorPos(), 4);
    QAction* entry = MenuEntry(Window.TextMenu(), QStringLiteral("Gehe zu erstem Fehler"));
    Focus(Body());
    Window.UpdateTextMenu();
    EXPECT_TRUE(entry->isEnabled());
    entry->trigger();
    EXPECT_EQ(Body()->textCursor().position(), 12);

    QTest::keyClick(Body(), Qt::Key_Home, Qt::ControlModifier);
    QTest::keyClick(Body(), Qt::Key_E, Qt::ControlModifier);
    EXPECT_EQ(Body()->textCursor().position(), 12);
    EXPECT_EQ(Text(Body()), ">>Hallo\nx = ;\n<<Tag"); // Ctrl+E typed nothing

    QTest::keyClicks(Body(), QStringLiteral(" ")); // pending now: no message, no jump
    QTest::keyClick(Body(), Qt::Key_Home, Qt::ControlModifier);
    Window.UpdateTextMenu();
    EXPECT_FALSE(entry->isEnabled());
    QTest::keyClick(Body(), Qt::Key_E, Qt::ControlModifier);
    QTest::mouseClick(Body()->Panel(), Qt::LeftButton);
    EXPECT_EQ(Body()->textCursor().position(), 0);
    EXPECT_TRUE(Prompter.Messages.empty());

    // A click on the condition's red panel shows its message and goes to its error.
    Settle();
    QTest::mouseClick(Condition()->Panel(), Qt::LeftButton);
    EXPECT_EQ(Prompter.Messages,
              std::vector<std::string>{"Ung\xFCltiges Statement oder ung\xFCltiges Zeichen."});
    EXPECT_EQ(QApplication::focusWidget(), Condition());
    EXPECT_EQ(Condition()->textCursor().position(), 4);
}

// The panel sits in the top right corner and makes room for the vertical scroll bar.
TEST_F(TBlockEditorTest, ThePanelMovesWithTheScrollBar) {
    Click(Hallo);
    TSyntaxPanel* panel = Body()->Panel();
    const int right = Body()->width() - Body()->frameWidth();
    EXPECT_EQ(panel->geometry().right() + 1, right);
    EXPECT_EQ(panel->y(), Body()->frameWidth());
    Body()->setPlainText(QString(QStringLiteral("x;\n")).repeated(300));
    QApplication::processEvents();
    ASSERT_TRUE(Body()->verticalScrollBar()->isVisible());
    EXPECT_EQ(panel->geometry().right() + 1, right - Body()->verticalScrollBar()->width());
    Body()->clear();
    QApplication::processEvents();
    EXPECT_EQ(panel->geometry().right() + 1, right);
}

// Ctrl+Up/Down walks the tree in order, over folders, and stops at the ends, where the key
// is the editor's again. The body goes straight to the next block's own text.
TEST_F(TBlockEditorTest, CtrlUpAndDownMoveBetweenBlocks) {
    Switch("InstantCompile")->setChecked(true);
    Betrunken->Element()->Body = {"<<Hicks"};
    Betrunken->Element()->BodySelStart = 3;
    const struct {
        TNode* TWindowFixture::*From;
        Qt::Key Key;
        TNode* TWindowFixture::*To;
    } moves[] = {
        {&TWindowFixture::Hallo, Qt::Key_Down, &TWindowFixture::Ja},
        {&TWindowFixture::Ja, Qt::Key_Down, &TWindowFixture::Tschuess},
        {&TWindowFixture::Hilfen, Qt::Key_Down, &TWindowFixture::Hilfen}, // the last block
        {&TWindowFixture::Betrunken, Qt::Key_Up, &TWindowFixture::Tschuess},
        {&TWindowFixture::Hallo, Qt::Key_Up, &TWindowFixture::Hallo}, // only a folder before
        {&TWindowFixture::Tschuess, Qt::Key_Down, &TWindowFixture::Betrunken}, // over a folder
    };
    for (const auto& move : moves) {
        Click(this->*move.From);
        Focus(Body());
        QTest::keyClick(Body(), move.Key, Qt::ControlModifier);
        EXPECT_EQ(Window.SelectedNode(), this->*move.To) << (this->*move.From)->Text();
        EXPECT_EQ(QApplication::focusWidget(), Body());
    }
    EXPECT_EQ(Text(Body()), "<<Hicks");
    EXPECT_EQ(Body()->textCursor().position(), 3);
}

// Whatever changes the selection or the tree while the body holds typing, the text goes into
// the block it was typed for, or nowhere when that block is gone, and into no other block.
TEST_F(TBlockEditorTest, TypedTextIsNeverLostNorWrittenIntoAnotherBlock) {
    const std::function<void(TBlockEditorTest&)> paths[] = {
        [](TBlockEditorTest& t) { t.Click(t.Tschuess); },
        [](TBlockEditorTest& t) { QTest::keyClick(t.Body(), Qt::Key_Down, Qt::ControlModifier); },
        [](TBlockEditorTest& t) { t.Window.SelectNode(t.Betrunken); }, // a search result
        [](TBlockEditorTest& t) { t.Window.NewNode(TNewNodeKind::Folder, false); },
        [](TBlockEditorTest& t) { t.Window.DropNode(t.Betrunken, t.Wirt, true); },
        [](TBlockEditorTest& t) { t.Switch("InstantCompile")->setChecked(true); },
        [](TBlockEditorTest& t) {
            t.Switch("InstantCompile")->setChecked(true);
            t.Switch("LockBody")->setChecked(true);
            t.Switch("LockBody")->setChecked(false); // the body edits the block's text again
            QTest::keyClick(t.Body(), Qt::Key_End, Qt::ControlModifier);
            QTest::keyClicks(t.Body(), QStringLiteral("!"));
            QTest::keyClick(t.Body(), Qt::Key_Backspace);
            t.Focus(t.Window.TreeView());
        },
        [](TBlockEditorTest& t) { t.Window.RefreshPreview(); },
        [](TBlockEditorTest& t) {
            t.Files.Files["t.dlx"] = "";
            t.Prompter.OkCancelAnswers = {false}; // keep the unsaved typing
            t.Window.LoadProjectFile(QStringLiteral("t.dlx"));
        },
        [](TBlockEditorTest& t) { t.Window.DeleteSelectedNode(); }, // the last: Hallo goes
    };
    int path = 0;
    for (const auto& act : paths) {
        ++path;
        Click(Hallo);
        Focus(Body());
        Body()->selectAll();
        QTest::keyClicks(Body(), QStringLiteral(">>Neu"));
        if (path == 4) AnswerNames({QStringLiteral("Neu")});
        act(*this);
        Window.CommitFocusedField(); // wherever the text still is, it goes now
        const bool deleted = Project.Tree.AbsoluteIndex(Hallo) < 0;
        if (!deleted) {
            EXPECT_EQ(Hallo->Element()->Body, TLines{">>Neu"}) << path;
        }
        for (TNode* other : {Ja, Tschuess, Betrunken, Hilfen}) {
            if (Project.Tree.AbsoluteIndex(other) < 0) continue;
            EXPECT_TRUE(other->Element()->Body.empty()) << path << other->Text();
        }
        if (deleted) break; // the last case
        Switch("InstantCompile")->setChecked(false);
        Hallo->Element()->Body.clear();
    }
    EXPECT_EQ(path, static_cast<int>(std::size(paths)));
}

// A project replaced while a field or the body holds typing: nothing goes into the new
// project, and undo cannot bring back text of the old one.
TEST_F(TBlockEditorTest, AReplacedProjectTakesNoTypingAndNoHistory) {
    TNode* shown = Hallo;
    for (const char* typedIn : {"Heading", "Body"}) {
        Click(shown);
        QWidget* field = Find<QWidget>(typedIn);
        Focus(field);
        QTest::keyClicks(field, QStringLiteral("alt"));
        TProject replacement;
        shown = replacement.Tree.AppendChild(nullptr, "Neu");
        replacement.CreateElement(shown, ekDialog);
        shown->Element()->Body = {">>Neu"};
        replacement.Selected = shown;
        Project.TakeContentsFrom(replacement);
        EXPECT_FALSE(field->isEnabled()) << typedIn;
        Window.CommitFocusedField();
        QTRY_VERIFY(field->isEnabled()); // the new selection is shown once the event loop runs
        EXPECT_EQ(Window.TreeView()->CurrentNode(), shown);
        EXPECT_EQ(shown->Element()->Heading, "") << typedIn;
        EXPECT_EQ(shown->Element()->Body, TLines{">>Neu"}) << typedIn;
        Focus(Body());
        QTest::keyClick(Body(), Qt::Key_Z, Qt::ControlModifier);
        EXPECT_EQ(Text(Body()), ">>Neu") << typedIn;
    }
}

// References are shown as paths from the block and stored as ids. Both editors' known
// references live in one list: leaving either rebuilds it from both texts, including a
// condition the editor does not show (a Choice's from an import).
TEST_F(TBlockEditorTest, ReferencesAreShownAsPathsAndStoredAsIds) {
    const int32_t betrunken = Betrunken->Element()->Id, tschuess = Tschuess->Element()->Id;
    const auto ref = [](const char* mark, int32_t id) { return mark + std::to_string(id) + "#"; };
    Hallo->Element()->Body = {">>Hallo", ref("#", tschuess)};
    Hallo->Element()->Condition = {ref("#!", betrunken)};
    Click(Hallo);
    EXPECT_EQ(Text(Body()), ">>Hallo\n#Tschuess#");
    EXPECT_EQ(Text(Condition()), "#!..\\Ereignisse\\Betrunken#");
    Focus(Body());
    Body()->setPlainText(QStringLiteral(">>Hallo\n#Tschuess#\n#..\\Wirt\\Hallo\\Ja#"));
    Focus(Condition());
    EXPECT_EQ(Hallo->Element()->Body,
              (TLines{">>Hallo", ref("#", tschuess), ref("#", Ja->Element()->Id)}));
    EXPECT_EQ(Hallo->Element()->KnownRefs, std::vector<int32_t>{betrunken});

    Condition()->selectAll();
    QTest::keyClicks(Condition(), QStringLiteral("#!Tschuess#"));
    Focus(Body());
    Focus(Condition());
    Focus(Body());
    EXPECT_EQ(Hallo->Element()->KnownRefs, std::vector<int32_t>{tschuess});
    Focus(Condition());
    Condition()->selectAll();
    QTest::keyClick(Condition(), Qt::Key_Delete);
    Focus(Body());
    EXPECT_TRUE(Hallo->Element()->KnownRefs.empty());

    Ja->Element()->Condition = {ref("#!", betrunken)};
    Click(Ja);
    Focus(Body());
    QTest::keyClicks(Body(), QStringLiteral("#!..\\Tschuess#"));
    Focus(Field("Heading"));
    EXPECT_EQ(Ja->Element()->KnownRefs, (std::vector<int32_t>{betrunken, tschuess}));
}

// Every control of the window can be named by a screen reader.
TEST_F(TBlockEditorTest, EveryControlHasAnAccessibleName) {
    Click(Hallo);
    Settle();
    for (QWidget* widget : Window.findChildren<QWidget*>()) {
        if (!widget->isVisibleTo(&Window) || widget->focusPolicy() == Qt::NoFocus) continue;
        if (qobject_cast<QScrollBar*>(widget) || widget->inherits("QSplitterHandle")) continue;
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
        ASSERT_NE(accessible, nullptr);
        EXPECT_FALSE(accessible->text(QAccessible::Name).isEmpty())
            << widget->metaObject()->className() << " " << widget->objectName().toStdString();
    }
}

} // namespace
} // namespace redewerk
