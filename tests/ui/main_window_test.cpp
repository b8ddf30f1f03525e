#include "window_fixture.h"

#include "model/project_file.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

namespace redewerk {
namespace {

using testing::TWindowFixture;

using TMainWindowTest = TWindowFixture;

// Which header fields, editors and flags are usable for each kind of node.
TEST_F(TMainWindowTest, FieldStatesPerKind) {
    struct TCase {
        TNode* TWindowFixture::*Node;
        const char* Name;
        // Heading, Npc, nr, description, condition, Body, important, permanent, trade
        std::array<bool, 9> Enabled;
    };
    const TCase cases[] = {
        {&TWindowFixture::Wirt, "folder", {0, 0, 0, 0, 0, 0, 0, 0, 0}},
        {&TWindowFixture::Hallo, "Dialog", {1, 1, 1, 1, 1, 1, 1, 1, 1}},
        {&TWindowFixture::Betrunken, "Event", {1, 0, 0, 0, 1, 1, 1, 1, 0}},
        {&TWindowFixture::Ja, "Choice", {1, 0, 0, 1, 0, 1, 0, 0, 0}},
        {&TWindowFixture::Hilfen, "Code", {1, 0, 0, 0, 0, 1, 0, 0, 0}},
    };
    const char* names[] = {"Heading", "Npc",       "nr",        "description", "condition",
                           "Body",    "important", "permanent", "trade"};
    for (const TCase& c : cases) {
        Click(this->*c.Node);
        for (size_t i = 0; i < 9; ++i) {
            QWidget* widget = Find<QWidget>(names[i]);
            EXPECT_EQ(widget->isEnabled(), c.Enabled[i]) << c.Name << " " << names[i];
            if (auto* field = qobject_cast<QLineEdit*>(widget); field && !c.Enabled[i]) {
                EXPECT_TRUE(field->text().isEmpty()) << c.Name << " " << names[i];
            }
            if (auto* flag = qobject_cast<QCheckBox*>(widget); flag && !c.Enabled[i]) {
                EXPECT_FALSE(flag->isChecked()) << c.Name << " " << names[i];
            }
        }
        // A label is greyed exactly when its field is.
        int labels = 0;
        for (QLabel* label : Window.findChildren<QLabel*>()) {
            if (!label->buddy() || label->buddy()->objectName() == QStringLiteral("Body")) continue;
            if (label->parent() != Find<QWidget>("Heading")->parent()) continue;
            ++labels;
            EXPECT_EQ(label->isEnabled(), label->buddy()->isEnabled()) << c.Name;
        }
        EXPECT_EQ(labels, 5);
    }
}

TEST_F(TMainWindowTest, ShowsTheBlocksFieldsAndHints) {
    Click(Hallo);
    EXPECT_EQ(Field("Heading")->text(), QString::fromUtf8("Gruß"));
    EXPECT_EQ(Field("Npc")->text(), QStringLiteral("Wirt"));
    EXPECT_EQ(Field("nr")->text(), QStringLiteral("10"));
    EXPECT_TRUE(Find<QCheckBox>("important")->isChecked());
    EXPECT_EQ(Editor("condition")->toolTip(),
              QString::fromUtf8("Unter welchen Bedingungen ist der Dialog anwählbar?"));
    Click(Betrunken);
    EXPECT_EQ(Find<QCheckBox>("permanent")->toolTip(),
              QString::fromUtf8("Kann das Event mehr als einmal ausgelöst werden?"));
    EXPECT_FALSE(Find<QCheckBox>("important")->isChecked());
}

TEST_F(TMainWindowTest, ReferencesAreShownAsPathsAndStoredAsIds) {
    const int32_t tschuess = Tschuess->Element()->Id;
    Hallo->Element()->Body = {">>Hallo", "#" + std::to_string(tschuess) + "#"};
    Hallo->Element()->Condition = {"#!" + std::to_string(Betrunken->Element()->Id) + "#"};
    Click(Hallo);
    EXPECT_EQ(Editor("Body")->toPlainText(), QStringLiteral(">>Hallo\n#Tschuess#"));
    EXPECT_EQ(Editor("condition")->toPlainText(), QStringLiteral("#!..\\Ereignisse\\Betrunken#"));

    Editor("Body")->setFocus();
    Editor("Body")->setPlainText(QStringLiteral(">>Hallo\n#Tschuess#\n#..\\Wirt\\Hallo\\Ja#"));
    Click(Tschuess); // leaving the body writes it back into Hallo
    EXPECT_EQ(Hallo->Element()->Body, (TLines{">>Hallo", "#" + std::to_string(tschuess) + "#",
                                              "#" + std::to_string(Ja->Element()->Id) + "#"}));
    // Known references of condition and body are registered again.
    EXPECT_EQ(Hallo->Element()->KnownRefs, std::vector<int32_t>{Betrunken->Element()->Id});
}

TEST_F(TMainWindowTest, LeavingAFieldWritesItBackIntoTheBlockStillSelected) {
    Click(Hallo);
    Field("Npc")->setFocus();
    Field("Npc")->setText(QStringLiteral("Koch"));
    Field("Heading")->setFocus(); // leaving the NPC field
    EXPECT_EQ(Hallo->Element()->Npc, "Koch");
    Field("Heading")->setText(QString::fromUtf8("Begrüßung"));
    Click(Tschuess);
    EXPECT_EQ(Hallo->Element()->Heading, "Begr\xFC\xDFung");
    EXPECT_EQ(Tschuess->Element()->Heading, "");
    EXPECT_EQ(Field("Heading")->text(), QString());

    // A flag is stored at once.
    QTest::mouseClick(Find<QCheckBox>("trade"), Qt::LeftButton);
    EXPECT_TRUE(Tschuess->Element()->Trade);

    // Saving takes the field being edited along.
    Field("description")->setFocus();
    Field("description")->setText(QStringLiteral("Auf Wiedersehen"));
    ASSERT_TRUE(Window.SaveProjectFile(QStringLiteral("p.dlx")));
    EXPECT_EQ(Tschuess->Element()->Description, "Auf Wiedersehen");
    EXPECT_NE(Files.Files["p.dlx"].find("Auf Wiedersehen"), std::string::npos);
}

TEST_F(TMainWindowTest, AChoiceKeepsAConditionItsEditorDoesNotShow) {
    Ja->Element()->Condition = {"Npc_KnowsInfo (other, DIA_X)"};
    Click(Ja);
    Editor("Body")->setFocus();
    Editor("Body")->setPlainText(QStringLiteral("<<Ja."));
    Click(Hallo);
    EXPECT_EQ(Ja->Element()->Body, TLines{"<<Ja."});
    EXPECT_EQ(Ja->Element()->Condition, TLines{"Npc_KnowsInfo (other, DIA_X)"});
}

TEST_F(TMainWindowTest, LeavingTheEditorsKeepsEveryByteOfTheTexts) {
    // A no-break space (0xA0) must not turn into a blank on the way through the editors.
    Hallo->Element()->Body = {"<<Na\xA0"
                              "ja.",
                              "", "\t>>Gut\xA0!"};
    Hallo->Element()->Condition = {"Npc_GetDistToWP (self, \"A\xA0"
                                   "B\") < 500"};
    const TElement before = *Hallo->Element();
    Click(Hallo);
    Editor("Body")->setFocus();
    Editor("condition")->setFocus();
    Click(Tschuess);
    EXPECT_EQ(Hallo->Element()->Body, before.Body);
    EXPECT_EQ(Hallo->Element()->Condition, before.Condition);
}

TEST_F(TMainWindowTest, EnterMovesToTheNextUsableField) {
    struct TCase {
        TNode* TWindowFixture::*Node;
        const char* From;
        const char* To;
    };
    const TCase cases[] = {
        {&TWindowFixture::Hallo, "Heading", "Npc"},
        {&TWindowFixture::Hallo, "Npc", "nr"},
        {&TWindowFixture::Hallo, "nr", "description"},
        {&TWindowFixture::Hallo, "description", "condition"},
        {&TWindowFixture::Betrunken, "Heading", "condition"},
        {&TWindowFixture::Ja, "Heading", "description"},
        {&TWindowFixture::Ja, "description", "Body"},
        {&TWindowFixture::Hilfen, "Heading", "Body"},
    };
    for (const TCase& c : cases) {
        Click(this->*c.Node);
        Field(c.From)->setFocus();
        QTest::keyClick(Field(c.From), Qt::Key_Return);
        EXPECT_EQ(QApplication::focusWidget(), Find<QWidget>(c.To)) << c.From;
    }
}

TEST_F(TMainWindowTest, FontSizeKeysStayAtLeastOne) {
    EXPECT_EQ(Window.FontSize(), 8);
    QTest::keyClick(Window.TreeView(), Qt::Key_Plus, Qt::ControlModifier);
    EXPECT_EQ(Window.FontSize(), 9);
    EXPECT_EQ(Window.TreeView()->font().pointSize(), 9);
    EXPECT_EQ(Editor("Body")->font().pointSize(), 9);
    for (int i = 0; i < 12; ++i)
        QTest::keyClick(Window.TreeView(), Qt::Key_Minus, Qt::ControlModifier);
    EXPECT_EQ(Window.FontSize(), 1);
}

TEST_F(TMainWindowTest, CommandButtonsInOrderWithTheirHints) {
    const std::pair<const char*, const char*> buttons[] = {
        {"Laden", "eine .dlx Datei laden"},
        {"Speichern", "Projekt als .dlx Datei speichern"},
        {"Exportieren", "Projekt als als Daedalus Code exportieren"},
        {"QDC-Import", "Quarn Dialog Creator Datei importieren"},
        {"Importieren", "Gothic Dialoge importieren"},
        {"Npc-Liste", "Zuordnung von Npc zu Instanzname"},
        {"Variablen", "f\xC3\xBCr globale Variablen und Markos"},
    };
    int lastY = -1;
    for (const auto& [caption, hint] : buttons) {
        auto* button = Find<QPushButton>(caption);
        ASSERT_NE(button, nullptr);
        EXPECT_TRUE(button->isVisible()) << caption;
        EXPECT_EQ(button->toolTip(), QString::fromUtf8(hint)) << caption;
        EXPECT_GT(button->y(), lastY) << caption; // top to bottom
        lastY = button->y();
    }
    for (const char* caption : {"Laden", "Speichern", "Exportieren"})
        EXPECT_TRUE(Find<QPushButton>(caption)->isEnabled()) << caption;
}

TEST_F(TMainWindowTest, LoadingShowsTheStoredSelection) {
    Project.Selected = Betrunken;
    Files.Files["t.dlx"] = SerializeProject(Project);
    Click(Hilfen);
    ASSERT_TRUE(Window.LoadProjectFile(QStringLiteral("t.dlx")));
    ASSERT_NE(Window.SelectedNode(), nullptr);
    EXPECT_EQ(Window.SelectedNode()->Path(), "Ereignisse\\Betrunken");
    EXPECT_TRUE(Editor("condition")->isEnabled());

    // A broken file keeps the open project and its display.
    Files.Files["kaputt.dlx"] = "x\r\n";
    EXPECT_FALSE(Window.LoadProjectFile(QStringLiteral("kaputt.dlx")));
    EXPECT_EQ(Window.SelectedNode()->Path(), "Ereignisse\\Betrunken");
    EXPECT_EQ(Prompter.Messages.size(), 1u);
}

TEST_F(TMainWindowTest, UnsavedChangesAreAskedForBeforeTheyAreLost) {
    const std::string onClose =
        "Die \xC4nderungen am Projekt sind nicht gespeichert und gehen beim Beenden verloren.";
    const std::string onLoad =
        "Die \xC4nderungen am Projekt sind nicht gespeichert und gehen beim Laden verloren.";
    const std::string tschuess = std::to_string(Tschuess->Element()->Id);
    const std::string betrunken = std::to_string(Betrunken->Element()->Id);
    Hallo->Element()->Condition = {"#!" + betrunken + "#"};
    Hallo->Element()->Body = {"#!" + tschuess + "#"};
    Hallo->Element()->KnownRefs = {Tschuess->Element()->Id, Betrunken->Element()->Id};
    Files.Files["t.dlx"] = SerializeProject(Project);
    ASSERT_TRUE(Window.LoadProjectFile(QStringLiteral("t.dlx"))); // the fields set above count
    Prompter.Questions.clear();
    Hallo = Project.Tree.FindByPath("Wirt\\Hallo");
    Tschuess = Project.Tree.FindByPath("Wirt\\Tschuess");
    Betrunken = Project.Tree.FindByPath("Ereignisse\\Betrunken");

    // Looking at fields and leaving them unchanged is no change.
    Click(Hallo);
    Editor("condition")->setFocus();
    Editor("Body")->setFocus();
    Field("Heading")->setFocus(); // the body registers the condition's reference first
    Click(Tschuess);
    EXPECT_EQ(Hallo->Element()->KnownRefs,
              (std::vector<int32_t>{Betrunken->Element()->Id, Tschuess->Element()->Id}));
    ASSERT_TRUE(Window.LoadProjectFile(QStringLiteral("t.dlx")));
    EXPECT_TRUE(Prompter.Questions.empty());

    // Text typed into a field counts although the field was not left yet.
    Click(Project.Tree.FindByPath("Wirt\\Hallo"));
    Field("Heading")->setFocus();
    Field("Heading")->setText(QStringLiteral("Neu"));
    Prompter.OkCancelAnswers = {false};
    EXPECT_FALSE(Window.LoadProjectFile(QStringLiteral("t.dlx")));
    EXPECT_EQ(Project.Tree.FindByPath("Wirt\\Hallo")->Element()->Heading, "Neu");
    Prompter.YesNoAnswers = {true};
    Prompter.OkCancelAnswers = {false};
    EXPECT_FALSE(Window.close());
    EXPECT_EQ(Prompter.Questions, (std::vector<std::string>{onLoad, "Redewerk beenden?", onClose}));
    EXPECT_EQ(Files.Files.count("Schaltpult.ini"), 0u); // the program did not end

    // A failed save keeps the changes unsaved; a saved project goes without a question.
    Prompter.Questions.clear();
    Files.WriteError = 28;
    EXPECT_FALSE(Window.SaveProjectFile(QStringLiteral("p.dlx")));
    Files.WriteError = 0;
    Prompter.YesNoAnswers = {true};
    Prompter.OkCancelAnswers = {false};
    EXPECT_FALSE(Window.close());
    ASSERT_TRUE(Window.SaveProjectFile(QStringLiteral("p.dlx")));
    Prompter.YesNoAnswers = {true};
    EXPECT_TRUE(Window.close());
    EXPECT_EQ(Prompter.Questions,
              (std::vector<std::string>{"Redewerk beenden?", onClose, "Redewerk beenden?"}));
}

TEST_F(TMainWindowTest, AFieldLeftAfterTheProjectWasReplacedWritesNowhere) {
    Click(Hallo);
    Field("Heading")->setFocus();
    Field("Heading")->setText(QStringLiteral("alt"));
    // An import replaces the whole project while the heading still has the focus.
    TProject replacement;
    TNode* other = replacement.Tree.AppendChild(nullptr, "Neu");
    replacement.CreateElement(other, ekDialog);
    replacement.Selected = other;
    Project.TakeContentsFrom(replacement);
    EXPECT_FALSE(Field("Heading")->isEnabled());
    Window.CommitFocusedField();
    EXPECT_EQ(other->Element()->Heading, "");
    // The new project's selected node is shown once the event loop runs.
    QTRY_VERIFY(Field("Heading")->isEnabled());
    EXPECT_EQ(Window.TreeView()->CurrentNode(), other);
}

TEST_F(TMainWindowTest, ClosingAsksAndWritesOnlyTheSettings) {
    Files.Files["Schaltpult.ini"] = "; eigene Zeile\r\n[Fremd]\r\nk=v\r\n";
    Prompter.YesNoAnswers = {false};
    EXPECT_FALSE(Window.close());
    EXPECT_EQ(Prompter.Questions.back(), "Redewerk beenden?");
    EXPECT_EQ(Files.Files["Schaltpult.ini"], "; eigene Zeile\r\n[Fremd]\r\nk=v\r\n");
    EXPECT_TRUE(Window.isVisible());

    Window.SetFontSize(13);
    Prompter.YesNoAnswers = {true};
    EXPECT_TRUE(Window.close());
    const std::string& ini = Files.Files["Schaltpult.ini"];
    EXPECT_EQ(ini.rfind("; eigene Zeile\r\n[Fremd]\r\nk=v\r\n", 0), 0u);
    EXPECT_NE(ini.find("Schriftgroesse=13\r\n"), std::string::npos);
    EXPECT_NE(ini.find("FensterMaximiert=0\r\n"), std::string::npos);
    EXPECT_EQ(Files.Files.count("p.dlx"), 0u); // the project is never saved on its own
}

} // namespace
} // namespace redewerk
