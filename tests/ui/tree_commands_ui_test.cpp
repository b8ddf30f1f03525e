#include "window_fixture.h"

#include "model/references.h"

#include <QContextMenuEvent>

namespace redewerk {
namespace {

using testing::TWindowFixture;

using TTreeCommandsUiTest = TWindowFixture;

const std::string kEmptyName = "Gib bitte einen g\xFCltigen Namen ein!";
const std::string kNameExists = "Der Name existiert bereits!";
const std::string kSpecialChars = "Sonderzeichen sind in einem Bezeichner nicht erlaubt!";

TEST_F(TTreeCommandsUiTest, EveryKindIsCreatedThroughTheMenuAndNamed) {
    struct TCase {
        const char* Submenu;
        const char* Entry;
        QString Name;
        int32_t Kind;
        const char* ExpectedPath;
    };
    const TCase cases[] = {
        {"Neu", "Ordner", QStringLiteral("Koch"), ekFolder, "Wirt\\Koch"},
        {"Neu", "Dialog", QStringLiteral("Bier"), ekDialog, "Wirt\\Bier"},
        {"Neues Unterobjekt", "Dialogoption", QStringLiteral("Nein"), ekChoice,
         "Wirt\\Hallo\\Nein"},
        {"Neues Unterobjekt", "Event", QStringLiteral("Gruss"), ekEvent, "Wirt\\Hallo\\Gruss"},
        {"Neu", "Code", QStringLiteral("Helfer"), ekCode, "Wirt\\Helfer"},
        {"Neu", "Ende Dialog", QStringLiteral("ENDE"), ekDialog, "Wirt\\ENDE"},
    };
    for (const TCase& c : cases) {
        Window.OpenTreeMenu(Hallo); // the right click selects Hallo and anchors the menu there
        QAction* entry = SubmenuEntry(Window.TreeMenu(), QString::fromLatin1(c.Submenu),
                                      QString::fromUtf8(c.Entry));
        ASSERT_NE(entry, nullptr) << c.Entry;
        AnswerNames({c.Name});
        entry->trigger();
        TNode* created = Window.SelectedNode();
        ASSERT_NE(created, nullptr);
        EXPECT_EQ(created->Path(), c.ExpectedPath) << c.Entry;
        EXPECT_EQ(created->ImageIndex(), c.Kind) << c.Entry;
    }
    TElement* ende = Project.Tree.FindByPath("Wirt\\ENDE")->Element();
    EXPECT_EQ(ende->Nr, "999");
    EXPECT_EQ(ende->Body, TLines{"ENDE"});
    EXPECT_EQ(Field("description")->text(), QStringLiteral("!DIALOG_ENDE")); // shown again
    // The new Dialog took the anchor's NPC, the new option joined Hallo's choices.
    EXPECT_EQ(Project.Tree.FindByPath("Wirt\\Bier")->Element()->Npc, "Wirt");
    const int32_t nein = Project.Tree.FindByPath("Wirt\\Hallo\\Nein")->Element()->Id;
    EXPECT_EQ(Hallo->Element()->Body, TLines{"++#" + std::to_string(nein) + "#"});
    EXPECT_TRUE(Prompter.Messages.empty());
}

TEST_F(TTreeCommandsUiTest, TheNameDialogStaysUntilTheNameIsValid) {
    Window.OpenTreeMenu(Tschuess);
    AnswerNames({QString(), QStringLiteral("hallo"), QString::fromUtf8("Grüße"),
                 QStringLiteral("Hallo ja"), QStringLiteral("Servus_2")});
    TNode* created = Window.NewNode(TNewNodeKind::Dialog, false);
    EXPECT_EQ(Prompter.Messages,
              (std::vector<std::string>{kEmptyName, kNameExists, kSpecialChars, kSpecialChars}));
    EXPECT_EQ(created->Text(), "Servus_2");
    EXPECT_FALSE(Window.NameDialog()->isVisible());
}

TEST_F(TTreeCommandsUiTest, ASecondEndDialogIsRefusedUntilRenamedAndOnlyThenPreset) {
    Window.OpenTreeMenu(Tschuess);
    AnswerNames({QStringLiteral("ENDE")});
    Window.NewNode(TNewNodeKind::EndDialog, false);
    AnswerNames({QStringLiteral("ENDE"), QStringLiteral("ENDE2")});
    TNode* second = Window.NewNode(TNewNodeKind::EndDialog, false);
    EXPECT_EQ(Prompter.Messages, std::vector<std::string>{kNameExists});
    EXPECT_EQ(second->Text(), "ENDE2");
    EXPECT_EQ(second->Element()->Body, TLines{"ENDE"});
}

TEST_F(TTreeCommandsUiTest, RenameInPlaceGoesThroughTheNameRules) {
    Click(Tschuess);
    QTest::keyClick(Window.TreeView(), Qt::Key_F2);
    auto* editor = Window.TreeView()->viewport()->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    editor->setText(QStringLiteral("Servus"));
    QTest::keyClick(editor, Qt::Key_Return); // the editor commits on the next pass
    QTRY_COMPARE(Tschuess->Text(), std::string("Servus"));
    EXPECT_EQ(Window.TreeModel()->IndexOf(Tschuess).data().toString(), QStringLiteral("Servus"));

    // A refused name: the message, then the name dialog with the refused text.
    QTest::keyClick(Window.TreeView(), Qt::Key_F2);
    editor = Window.TreeView()->viewport()->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    editor->setText(QStringLiteral("HALLO"));
    AnswerNames({QStringLiteral("Tschuess")});
    QTest::keyClick(editor, Qt::Key_Return);
    QTRY_VERIFY(!Prompter.Messages.empty());
    QTRY_COMPARE(Tschuess->Text(), std::string("Tschuess"));
    EXPECT_EQ(Prompter.Messages, std::vector<std::string>{kNameExists});
}

TEST_F(TTreeCommandsUiTest, DeleteKeyAsksOnceForALeafAndTwiceForAParent) {
    const std::string first = "Den ausgew\xE4hlten Punkt wirklich l\xF6schen?";
    const std::string second =
        "Der ausgew\xE4hlte Knoten hat untergeordnete Objekte, die mitgel\xF6scht werden!";
    const int32_t tschuess = Tschuess->Element()->Id;
    Hilfen->Element()->Body = {"#" + std::to_string(tschuess) + "#"};

    Click(Tschuess);
    Prompter.OkCancelAnswers = {false};
    QTest::keyClick(Window.TreeView(), Qt::Key_Delete);
    EXPECT_EQ(Project.Tree.FindByPath("Wirt\\Tschuess"), Tschuess);
    Prompter.OkCancelAnswers = {true};
    QTest::keyClick(Window.TreeView(), Qt::Key_Delete);
    EXPECT_EQ(Project.Tree.FindByPath("Wirt\\Tschuess"), nullptr);
    EXPECT_TRUE(Project.Elements.At(tschuess)->IsFree());
    EXPECT_EQ(Prompter.Questions, (std::vector<std::string>{first, first}));
    // The reference to it does not move on to the next block that takes its id.
    EXPECT_EQ(Hilfen->Element()->Body, TLines{"#" + std::string(kDeletedReference) + "#"});

    Prompter.Questions.clear();
    Click(Wirt);
    Prompter.OkCancelAnswers = {true, false};
    Window.DeleteSelectedNode();
    EXPECT_EQ(Prompter.Questions, (std::vector<std::string>{first, second}));
    EXPECT_EQ(Project.Tree.FindByPath("Wirt\\Hallo\\Ja"), Ja);

    Prompter.OkCancelAnswers = {true, true};
    Window.DeleteSelectedNode();
    EXPECT_EQ(Project.Tree.FindByPath("Wirt"), nullptr);
    ASSERT_NE(Window.SelectedNode(), nullptr); // the tree moved on to another node
    EXPECT_EQ(Window.TreeView()->CurrentNode(), Window.SelectedNode());

    // Nothing left: an empty, disabled editor.
    Click(Hilfen);
    Prompter.OkCancelAnswers = {true};
    Window.DeleteSelectedNode();
    Click(Ereignisse);
    Prompter.OkCancelAnswers = {true, true};
    Window.DeleteSelectedNode();
    EXPECT_EQ(Project.Tree.NodeCount(), 0);
    EXPECT_EQ(Window.SelectedNode(), nullptr);
    EXPECT_FALSE(Editor("Body")->isEnabled());
}

TEST_F(TTreeCommandsUiTest, DropAcceptanceAndMoves) {
    auto* view = Window.TreeView();
    Window.FullExpand();
    const auto at = [&](TNode* node) {
        return view->visualRect(Window.TreeModel()->IndexOf(node)).center();
    };
    EXPECT_FALSE(view->AcceptsDrop(Wirt, at(Ja), false));       // below itself
    EXPECT_FALSE(view->AcceptsDrop(Wirt, at(Wirt), true));      // onto itself
    EXPECT_TRUE(view->AcceptsDrop(Tschuess, at(Hallo), false)); // same parent
    EXPECT_TRUE(view->AcceptsDrop(Ja, at(Hilfen), false));      // to the top row
    EXPECT_FALSE(view->AcceptsDrop(Ja, QPoint(5, view->viewport()->height() - 2), false));
    Add(Ereignisse, "tschuess", ekEvent);
    EXPECT_FALSE(view->AcceptsDrop(Tschuess, at(Ereignisse), true)); // name taken there
    EXPECT_FALSE(view->AcceptsDrop(Tschuess, at(Betrunken), false));

    // With Ctrl: first child of the target, which opens and gets selected.
    Window.FullCollapse();
    Click(Hallo);
    ASSERT_TRUE(Window.DropNode(Hilfen, Ereignisse, true));
    EXPECT_EQ(Hilfen->Path(), "Ereignisse\\Hilfen");
    EXPECT_EQ(Hilfen->Row(), 0);
    EXPECT_TRUE(view->isExpanded(Window.TreeModel()->IndexOf(Ereignisse)));
    EXPECT_EQ(Window.SelectedNode(), Ereignisse);

    // Without Ctrl: in front of the target; the selected block is shown again.
    Click(Ja);
    ASSERT_TRUE(Window.DropNode(Ja, Wirt, false));
    EXPECT_EQ(Ja->Parent(), nullptr);
    EXPECT_EQ(Ja->Row(), 0);
    EXPECT_EQ(Window.SelectedNode(), Ja);
    EXPECT_FALSE(Window.DropNode(Wirt, Hallo, false));
    EXPECT_TRUE(Prompter.Messages.empty());
}

TEST_F(TTreeCommandsUiTest, CopyAndPastePaths) {
    // Before any copy both paste entries are disabled, without a message.
    Window.UpdateTextMenu();
    EXPECT_FALSE(MenuEntry(Window.TextMenu(), QString::fromUtf8("Pfad einfügen"))->isEnabled());
    EXPECT_FALSE(MenuEntry(Window.TextMenu(), QString::fromUtf8("Pfad als Bedingung einfügen"))
                     ->isEnabled());
    Click(Hallo);
    Editor("Body")->setFocus();
    Window.PastePath(false);
    EXPECT_EQ(Prompter.Messages.size(), 1u);
    EXPECT_EQ(Prompter.Messages[0].rfind("Pfad einf\xFCgen: Du musst zun\xE4", 0), 0u);

    Click(Betrunken);
    QAction* copy = MenuEntry(Window.TreeMenu(), QStringLiteral("Pfad kopieren"));
    ASSERT_NE(copy, nullptr);
    copy->trigger();
    EXPECT_EQ(Window.CopiedBlock(), Betrunken->Element()->Id);
    Window.UpdateTextMenu();
    EXPECT_TRUE(MenuEntry(Window.TextMenu(), QString::fromUtf8("Pfad einfügen"))->isEnabled());

    Click(Hallo);
    Editor("Body")->setFocus();
    Editor("Body")->selectAll();
    Window.PastePath(false);
    EXPECT_EQ(Editor("Body")->toPlainText(), QStringLiteral("#..\\Ereignisse\\Betrunken#"));
    Editor("condition")->setFocus();
    Window.PastePath(true);
    EXPECT_EQ(Editor("condition")->toPlainText(), QStringLiteral("#!..\\Ereignisse\\Betrunken#"));
    Click(Tschuess);
    EXPECT_EQ(Hallo->Element()->Condition,
              TLines{"#!" + std::to_string(Betrunken->Element()->Id) + "#"});

    // The copied block is deleted: the entries are disabled and pasting says why.
    Click(Betrunken);
    Prompter.OkCancelAnswers = {true};
    Window.DeleteSelectedNode();
    Window.UpdateTextMenu();
    EXPECT_FALSE(MenuEntry(Window.TextMenu(), QString::fromUtf8("Pfad einfügen"))->isEnabled());
    Click(Hallo);
    Editor("Body")->setFocus();
    Window.PastePath(false);
    EXPECT_EQ(Prompter.Messages.back(),
              "Pfad einf\xFCgen: Der Pfad in der Zwischenablage ist nicht mehr g\xFCltig.");
}

TEST_F(TTreeCommandsUiTest, TheContextMenuAnchorsAtTheClickedOrCurrentNode) {
    auto* view = Window.TreeView();
    Window.FullExpand();
    Click(Hallo);
    const QPoint onBetrunken = view->visualRect(Window.TreeModel()->IndexOf(Betrunken)).center();
    QContextMenuEvent click(QContextMenuEvent::Mouse, onBetrunken,
                            view->viewport()->mapToGlobal(onBetrunken));
    QApplication::sendEvent(view->viewport(), &click);
    EXPECT_EQ(Window.SelectedNode(), Betrunken); // the right click selects first
    EXPECT_EQ(Project.MenuAnchor, Betrunken);
    EXPECT_TRUE(Window.TreeMenu()->isVisible());
    Window.TreeMenu()->close();

    // On empty space the selected node stays the anchor.
    const QPoint empty(5, view->viewport()->height() - 3);
    QContextMenuEvent emptyClick(QContextMenuEvent::Mouse, empty,
                                 view->viewport()->mapToGlobal(empty));
    QApplication::sendEvent(view->viewport(), &emptyClick);
    EXPECT_EQ(Project.MenuAnchor, Betrunken);
    Window.TreeMenu()->close();

    // The menu key opens it for the current node, wherever the mouse is.
    Click(Tschuess);
    QContextMenuEvent key(QContextMenuEvent::Keyboard, QPoint(1, 1),
                          view->viewport()->mapToGlobal(QPoint(1, 1)));
    QApplication::sendEvent(view->viewport(), &key);
    EXPECT_EQ(Window.SelectedNode(), Tschuess);
    EXPECT_EQ(Project.MenuAnchor, Tschuess);
    Window.TreeMenu()->close();
}

} // namespace
} // namespace redewerk
