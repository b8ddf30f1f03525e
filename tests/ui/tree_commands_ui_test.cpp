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

// Each entry of the tree menu creates its kind beside or below the anchor and asks its name;
// the dialog stays until the name is valid, saying why, and the end dialog's preset comes
// once it is named.
TEST_F(TTreeCommandsUiTest, EveryKindIsCreatedThroughTheMenuAndNamed) {
    const std::tuple<const char*, const char*, int32_t, const char*> cases[] = {
        {"Neu", "Ordner", ekFolder, "Wirt\\Koch"},
        {"Neu", "Dialog", ekDialog, "Wirt\\Bier"},
        {"Neues Unterobjekt", "Dialogoption", ekChoice, "Wirt\\Hallo\\Nein"},
        {"Neues Unterobjekt", "Event", ekEvent, "Wirt\\Hallo\\Gruss"},
        {"Neu", "Code", ekCode, "Wirt\\Helfer"},
        {"Neu", "Ende Dialog", ekDialog, "Wirt\\ENDE"},
    };
    for (const auto& [submenu, caption, kind, path] : cases) {
        Window.OpenTreeMenu(Hallo); // the right click selects Hallo and anchors the menu there
        QAction* entry = SubmenuEntry(Window.TreeMenu(), submenu, caption);
        ASSERT_NE(entry, nullptr) << caption;
        AnswerNames({QString::fromLatin1(path).section('\\', -1)});
        entry->trigger();
        ASSERT_NE(Window.SelectedNode(), nullptr);
        EXPECT_EQ(Window.SelectedNode()->Path(), path) << caption;
        EXPECT_EQ(Window.SelectedNode()->ImageIndex(), kind) << caption;
    }
    EXPECT_EQ(Field("description")->text(), QStringLiteral("!DIALOG_ENDE"));
    EXPECT_EQ(Project.Tree.FindByPath("Wirt\\Bier")->Element()->Npc, "Wirt");
    EXPECT_TRUE(Prompter.Messages.empty());

    AnswerNames(
        {QString(), QStringLiteral("ende"), QString::fromUtf8("Grüße"), QStringLiteral("ENDE_2")});
    TNode* second = Window.NewNode(TNewNodeKind::EndDialog, false);
    EXPECT_EQ(Prompter.Messages,
              (std::vector<std::string>{kEmptyName, kNameExists, kSpecialChars}));
    EXPECT_EQ(second->Text(), "ENDE_2");
    EXPECT_EQ(second->Element()->Body, TLines{"ENDE"});
    EXPECT_FALSE(Window.NameDialog()->isVisible());
}

// F2 edits the label in place; the name rules decide, and a refused name goes on in the name
// dialog.
TEST_F(TTreeCommandsUiTest, RenameInPlaceGoesThroughTheNameRules) {
    const auto rename = [&](const char* name) {
        QTest::keyClick(Window.TreeView(), Qt::Key_F2);
        auto* editor = Window.TreeView()->viewport()->findChild<QLineEdit*>();
        ASSERT_NE(editor, nullptr);
        editor->setText(QString::fromLatin1(name));
        QTest::keyClick(editor, Qt::Key_Return); // the editor commits on the next pass
    };
    Click(Tschuess);
    rename("Servus");
    QTRY_COMPARE(Tschuess->Text(), std::string("Servus"));
    EXPECT_EQ(Window.TreeModel()->IndexOf(Tschuess).data().toString(), QStringLiteral("Servus"));
    AnswerNames({QStringLiteral("Tschuess")});
    rename("HALLO");
    QTRY_VERIFY(!Prompter.Messages.empty());
    QTRY_COMPARE(Tschuess->Text(), std::string("Tschuess"));
    EXPECT_EQ(Prompter.Messages, std::vector<std::string>{kNameExists});
}

// The Delete key asks first; references to a deleted block are marked, not left to the next
// block that takes its id; the tree moves on, and with nothing left the editor is empty.
TEST_F(TTreeCommandsUiTest, DeleteKeyAsksAndTheTreeMovesOn) {
    const std::string question = "Den ausgew\xE4hlten Punkt wirklich l\xF6schen?";
    const int32_t tschuess = Tschuess->Element()->Id;
    Hilfen->Element()->Body = {"#" + std::to_string(tschuess) + "#"};
    Click(Tschuess);
    Prompter.OkCancelAnswers = {false};
    QTest::keyClick(Window.TreeView(), Qt::Key_Delete);
    EXPECT_EQ(Project.Tree.FindByPath("Wirt\\Tschuess"), Tschuess);
    Prompter.OkCancelAnswers = {true};
    QTest::keyClick(Window.TreeView(), Qt::Key_Delete);
    EXPECT_EQ(Project.Tree.FindByPath("Wirt\\Tschuess"), nullptr);
    EXPECT_EQ(Prompter.Questions, (std::vector<std::string>{question, question}));
    EXPECT_EQ(Hilfen->Element()->Body, TLines{"#" + std::string(kDeletedReference) + "#"});

    for (TNode* node : {Wirt, Hilfen, Ereignisse}) {
        Click(node);
        Prompter.OkCancelAnswers = {true, true};
        Window.DeleteSelectedNode();
        if (Project.Tree.NodeCount() == 0) break;
        ASSERT_NE(Window.SelectedNode(), nullptr);
        EXPECT_EQ(Window.TreeView()->CurrentNode(), Window.SelectedNode());
    }
    EXPECT_EQ(Project.Tree.NodeCount(), 0);
    EXPECT_EQ(Window.SelectedNode(), nullptr);
    EXPECT_FALSE(Editor("Body")->isEnabled());
}

// A drop is judged at the node under the mouse; empty space takes nothing.
TEST_F(TTreeCommandsUiTest, DropAcceptanceAndMoves) {
    auto* view = Window.TreeView();
    Window.FullExpand();
    const auto at = [&](TNode* node) {
        return view->visualRect(Window.TreeModel()->IndexOf(node)).center();
    };
    EXPECT_FALSE(view->AcceptsDrop(Wirt, at(Ja), false)); // below itself
    EXPECT_TRUE(view->AcceptsDrop(Tschuess, at(Ereignisse), true));
    EXPECT_FALSE(view->AcceptsDrop(Ja, QPoint(5, view->viewport()->height() - 2), false));

    // With Ctrl: first child of the target, which opens and gets selected.
    Window.FullCollapse();
    Click(Hallo);
    ASSERT_TRUE(Window.DropNode(Hilfen, Ereignisse, true));
    EXPECT_EQ(Hilfen->Path(), "Ereignisse\\Hilfen");
    EXPECT_TRUE(view->isExpanded(Window.TreeModel()->IndexOf(Ereignisse)));
    EXPECT_EQ(Window.SelectedNode(), Ereignisse);

    // Without Ctrl: in front of the target; the selected block is shown with its new path.
    Hallo->Element()->Body = {"#" + std::to_string(Ja->Element()->Id) + "#"};
    Click(Hallo);
    ASSERT_TRUE(Window.DropNode(Ja, Wirt, false));
    EXPECT_EQ(Ja->Path(), "Ja");
    EXPECT_EQ(Window.SelectedNode(), Hallo);
    EXPECT_EQ(Editor("Body")->toPlainText(), QStringLiteral("#..\\Ja#"));
    EXPECT_FALSE(Window.DropNode(Wirt, Hallo, false));
    EXPECT_TRUE(Prompter.Messages.empty());
}

// The paste entries are usable while the copied block lives; pasting puts its path, relative
// to the shown block, into the editor with the focus.
TEST_F(TTreeCommandsUiTest, CopyAndPastePaths) {
    const auto pasteEnabled = [&] {
        Window.UpdateTextMenu();
        return MenuEntry(Window.TextMenu(), QString::fromUtf8("Pfad einfügen"))->isEnabled() &&
               MenuEntry(Window.TextMenu(), QString::fromUtf8("Pfad als Bedingung einfügen"))
                   ->isEnabled();
    };
    const auto pasteInto = [&](const char* editor, bool asCondition) {
        Click(Hallo);
        Editor(editor)->setFocus();
        Editor(editor)->selectAll();
        Window.PastePath(asCondition);
        return Editor(editor)->toPlainText();
    };
    EXPECT_FALSE(pasteEnabled());
    EXPECT_EQ(pasteInto("Body", false), QString());
    EXPECT_EQ(Prompter.Messages,
              std::vector<std::string>{"Pfad einf\xFCgen: Du musst zun\xE4"
                                       "chst einen im Navigationsfeld (links)\r\neinen Pfad in "
                                       "die Zwischenablage kopieren."});

    Click(Betrunken);
    MenuEntry(Window.TreeMenu(), QStringLiteral("Pfad kopieren"))->trigger();
    EXPECT_TRUE(pasteEnabled());
    EXPECT_EQ(pasteInto("Body", false), QStringLiteral("#..\\Ereignisse\\Betrunken#"));
    EXPECT_EQ(pasteInto("condition", true), QStringLiteral("#!..\\Ereignisse\\Betrunken#"));
    Click(Tschuess);
    EXPECT_EQ(Hallo->Element()->Condition,
              TLines{"#!" + std::to_string(Betrunken->Element()->Id) + "#"});

    Click(Betrunken);
    Prompter.OkCancelAnswers = {true};
    Window.DeleteSelectedNode();
    EXPECT_FALSE(pasteEnabled());
}

// A right click selects the clicked node and anchors the menu there; on empty space the
// selected node stays the anchor; the menu key opens it for the current node.
TEST_F(TTreeCommandsUiTest, TheContextMenuAnchorsAtTheClickedOrCurrentNode) {
    auto* view = Window.TreeView();
    Window.FullExpand();
    const auto contextMenu = [&](QContextMenuEvent::Reason reason, QPoint at) {
        QContextMenuEvent event(reason, at, view->viewport()->mapToGlobal(at));
        QApplication::sendEvent(view->viewport(), &event);
        EXPECT_TRUE(Window.TreeMenu()->isVisible());
        Window.TreeMenu()->close();
    };
    Click(Hallo);
    contextMenu(QContextMenuEvent::Mouse,
                view->visualRect(Window.TreeModel()->IndexOf(Betrunken)).center());
    EXPECT_EQ(Window.SelectedNode(), Betrunken);
    EXPECT_EQ(Project.MenuAnchor, Betrunken);
    contextMenu(QContextMenuEvent::Mouse, QPoint(5, view->viewport()->height() - 3));
    EXPECT_EQ(Project.MenuAnchor, Betrunken);
    Click(Tschuess);
    contextMenu(QContextMenuEvent::Keyboard, QPoint(1, 1));
    EXPECT_EQ(Window.SelectedNode(), Tschuess);
    EXPECT_EQ(Project.MenuAnchor, Tschuess);
}

} // namespace
} // namespace redewerk
