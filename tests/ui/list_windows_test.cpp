#include "window_fixture.h"

#include "model/project_file.h"
#include "ui/import_dialog.h"
#include "ui/npc_list_dialog.h"
#include "ui/variables_window.h"

#include <QPushButton>

namespace redewerk {
namespace {

using Names = std::vector<std::string>;

// The NPC list "Instanznamen" and the variables window "Variablen und Makros".
struct TListWindowsTest : testing::TWindowFixture {
    TFNPCLIST* NpcList() const { return Window.NpcListDialog(); }
    TFIntList* Variables() const { return Window.VariablesWindow(); }

    // Opens the NPC list with its button, lets `act` edit and close it, and closes it once
    // more when `act` left it open, as the close button would.
    void EditNpcList(std::function<void(QPlainTextEdit*)> act) {
        QTimer::singleShot(0, NpcList(), [this, act] {
            QTRY_VERIFY(NpcList()->isVisible());
            act(NpcList()->Text());
            if (NpcList()->isVisible()) NpcList()->close();
        });
        Find<QPushButton>("Npc-Liste")->click();
    }
};

TEST_F(TListWindowsTest, NpcListShowsTheTableAndKeepsItWhenUntouched) {
    // A clear name with "=" cannot be told apart in the lines; left untouched it stays whole.
    for (auto [clear, instance] :
         {std::pair{"Wirt", "VLK_401_Wirt"}, {"Diego", "PC_Thief"}, {"a=b", "AB"}, {"", ""}})
        Project.Npcs.Add(clear, instance);
    QString shown;
    EditNpcList([&](QPlainTextEdit* text) { shown = text->toPlainText(); });
    EXPECT_EQ(shown, QStringLiteral("Wirt=VLK_401_Wirt\nDiego=PC_Thief\na=b=AB\n="));
    EXPECT_EQ(Project.Npcs.ClearNames, (Names{"Wirt", "Diego", "a=b", ""}));
    EXPECT_EQ(Project.Npcs.InstanceNames, (Names{"VLK_401_Wirt", "PC_Thief", "AB", ""}));
    EXPECT_TRUE(Prompter.Messages.empty());
}

TEST_F(TListWindowsTest, NpcListStaysOpenUntilEveryLineHasItsEquals) {
    Project.Npcs.Add("Alt", "ALT");
    EditNpcList([&](QPlainTextEdit* text) {
        text->setPlainText(QStringLiteral("Wirt = VLK_401_Wirt\n\nDiego\nLares\nGorn=PC_Fighter"));
        NpcList()->close();
        EXPECT_TRUE(NpcList()->isVisible());
        EXPECT_EQ(Prompter.Messages, Names(2, "NpcListe: In jeder Zeile muss: = enthalten sein."));
        EXPECT_EQ(text->toPlainText(),
                  QStringLiteral("Wirt = VLK_401_Wirt\n\nDiego\nLares\nGorn=PC_Fighter"));
        EXPECT_EQ(Project.Npcs.ClearNames, (Names{"Wirt ", "Gorn"}));

        // Put back as it was shown, the text is still read again.
        text->setPlainText(QStringLiteral("Alt=ALT"));
        QTest::keyClick(NpcList(), Qt::Key_Escape);
        EXPECT_FALSE(NpcList()->isVisible());
    });
    EXPECT_EQ(Project.Npcs.ClearNames, (Names{"Alt"}));
    EXPECT_EQ(Project.Npcs.InstanceNames, (Names{"ALT"}));
}

TEST_F(TListWindowsTest, VariablesWindowEditsTheProjectsText) {
    Project.Variables = {"var int Wirt_Bezahlt;", "\tconst int X = 1;"};
    Files.Files["t.dlx"] = SerializeProject(Project);
    ASSERT_TRUE(Window.LoadProjectFile(QStringLiteral("t.dlx")));
    Find<QPushButton>("Variablen")->click();
    QPlainTextEdit* text = Variables()->Text();
    EXPECT_TRUE(Variables()->isVisible());
    EXPECT_FALSE(Variables()->isModal());
    EXPECT_EQ(QApplication::activeWindow(), &Window);
    EXPECT_EQ(text->toPlainText(), QStringLiteral("var int Wirt_Bezahlt;\n\tconst int X = 1;"));

    // Typing changes the project at once.
    text->moveCursor(QTextCursor::End);
    text->insertPlainText(QString::fromUtf8(" // für später"));
    EXPECT_EQ(Project.Variables,
              (TLines{"var int Wirt_Bezahlt;", "\tconst int X = 1; // f\xFCr sp\xE4ter"}));

    // Closing only hides the window; loading shows the loaded text in it.
    Variables()->close();
    EXPECT_FALSE(Variables()->isVisible());
    EXPECT_EQ(Project.Variables.size(), 2u);
    Prompter.SaveAnswers = {TPrompter::TSaveAnswer::Discard};
    ASSERT_TRUE(Window.LoadProjectFile(QStringLiteral("t.dlx")));
    EXPECT_EQ(text->toPlainText(), QStringLiteral("var int Wirt_Bezahlt;\n\tconst int X = 1;"));
}

TEST_F(TListWindowsTest, VariablesWindowIndentsLikeTheCodeEditors) {
    QPlainTextEdit* text = Variables()->Text();
    Variables()->ShowAbove();
    text->setPlainText(QStringLiteral("\tif (x) {"));
    text->moveCursor(QTextCursor::End);
    QTest::keyClick(text, Qt::Key_Return);
    EXPECT_EQ(text->toPlainText(), QStringLiteral("\tif (x) {\n\t\t"));
    QTest::keyClicks(text, QStringLiteral("y = 1;"));
    QTest::keyClick(text, Qt::Key_Return);
    // Ctrl+Alt+0 types the brace on a German keyboard.
    QTest::sendKeyEvent(QTest::Click, text, Qt::Key_0, QStringLiteral("}"),
                        Qt::ControlModifier | Qt::AltModifier);
    EXPECT_EQ(Project.Variables, (TLines{"\tif (x) {", "\t\ty = 1;", "\t}"}));
}

TEST_F(TListWindowsTest, VariablesWindowSharesTheTextMenuAndTheColours) {
    Project.Variables = {"var int A;", "var int B;"};
    Variables()->ShowProjectText();
    Variables()->ShowAbove();
    QPlainTextEdit* text = Variables()->Text();
    bool pasteEnabled = true;
    QTimer::singleShot(0, Window.TextMenu(), [&] {
        QTRY_VERIFY(Window.TextMenu()->isVisible());
        pasteEnabled = MenuEntry(Window.TextMenu(), QStringLiteral("Pfad einfügen"))->isEnabled();
        MenuEntry(Window.TextMenu(), QStringLiteral("Alles markieren"))->trigger();
        Window.TextMenu()->close();
    });
    emit text->customContextMenuRequested(QPoint(5, 5));
    EXPECT_FALSE(pasteEnabled); // there is no block to refer from
    EXPECT_EQ(text->textCursor().selectedText().size(), 21);

    const QPalette main = Field("Heading")->palette();
    for (QPlainTextEdit* field : {text, NpcList()->Text()})
        for (QPalette::ColorRole role : {QPalette::Base, QPalette::Text})
            EXPECT_EQ(field->palette().color(QPalette::Active, role),
                      main.color(QPalette::Active, role));
}

} // namespace
} // namespace redewerk
