#include "model/element.h"
#include "model/project.h"
#include "model/tree_commands.h"

#include "support/project_builder.h"
#include "support/recording_prompter.h"

#include <gtest/gtest.h>

#include <tuple>

namespace redewerk {
namespace {

using testing::AddNode;
using testing::TRecordingPrompter;

const std::string kEmpty = "Gib bitte einen g\xFCltigen Namen ein!";
const std::string kExists = "Der Name existiert bereits!";
const std::string kSpecial = "Sonderzeichen sind in einem Bezeichner nicht erlaubt!";

// Wirt (folder) > Hallo (Dialog) > Ja (Choice); Wirt > Tschuess (Dialog);
// Schmied (folder) > Hallo (Dialog); Code (Code block) in the top row.
struct TTreeCommandsTest : ::testing::Test {
    TProject Project;
    TRecordingPrompter Prompter;
    TNode* Wirt = AddNode(Project, "Wirt", ekFolder);
    TNode* Hallo = AddNode(Project, "Wirt\\Hallo", ekDialog);
    TNode* Ja = AddNode(Project, "Wirt\\Hallo\\Ja", ekChoice);
    TNode* Tschuess = AddNode(Project, "Wirt\\Tschuess", ekDialog);
    TNode* Schmied = AddNode(Project, "Schmied", ekFolder);
    TNode* SchmiedHallo = AddNode(Project, "Schmied\\Hallo", ekDialog);
    TNode* Code = AddNode(Project, "Code", ekCode);

    TNode* N(const char* path) { return path ? Project.Tree.FindByPath(path) : nullptr; }
    std::vector<std::string> Children(TNode* parent) const {
        std::vector<std::string> names;
        for (const auto& child : Project.Tree.ChildrenOf(parent))
            names.push_back(child->Text());
        return names;
    }
};

TEST_F(TTreeCommandsTest, NameRulesGiveOneMessageInTheirOrder) {
    for (auto [node, name, message] :
         std::initializer_list<std::tuple<const char*, std::string, std::string>>{
             {"Wirt\\Tschuess", "", kEmpty},
             {"Wirt\\Tschuess", "hallo", kExists},       // sibling, other case
             {"Wirt\\Tschuess", "tschuess", ""},         // its own name
             {"Wirt\\Hallo\\Ja", "Hallo", ""},           // same name, other place
             {"Schmied", "wirt", kExists},               // top row
             {"Wirt\\Tschuess", "Gr\xFC\xDF", kSpecial}, // umlauts and sharp s
             {"Wirt\\Tschuess", "Bis bald", kSpecial},
             {"Wirt\\Tschuess", "Bis.bald-2", kSpecial},
             {"Wirt\\Tschuess", "Caf\xE9_2=$'", ""}, // other letters and signs are allowed
             // A node in the own subtree carries the path along and does not collide.
             {"Wirt\\Hallo", "Hallo\\Ja", kSpecial},
             // A line break is taken as "_", as the name is stored; then it may collide.
             {"Wirt\\Tschuess", "Ja\r\nNein", ""},
             {"Schmied", "\n", ""},
             {"Schmied", "Schmied\x01\n", ""}}) {
        EXPECT_EQ(NameProblemMessage(CheckNodeName(Project.Tree, N(node), name)), message) << name;
    }
    // In use and with a special character at once: the name in use is told.
    Project.Tree.SetText(Code, "Bis bald");
    EXPECT_EQ(CheckNodeName(Project.Tree, Schmied, "Bis bald"), TNameProblem::Exists);

    EXPECT_FALSE(ValidateName(Project.Tree, Tschuess, "hallo", Prompter));
    EXPECT_EQ(Tschuess->Text(), "Tschuess");
    EXPECT_TRUE(ValidateName(Project.Tree, Tschuess, "Servus", Prompter));
    EXPECT_EQ(Tschuess->Path(), "Wirt\\Servus");
    EXPECT_TRUE(ValidateName(Project.Tree, Tschuess,
                             "\x02"
                             "EOF",
                             Prompter));
    EXPECT_EQ(Tschuess->Path(), "Wirt\\_EOF");
    EXPECT_EQ(Prompter.Messages, std::vector<std::string>{kExists});
}

TEST_F(TTreeCommandsTest, NewNodesGoBesideOrBelowTheAnchorAndAreFinishedOnceNamed) {
    Project.MenuAnchor = Hallo;
    TNode* option = CreateNewNode(Project, TNewNodeKind::Choice, true);
    EXPECT_EQ(option->Parent(), Hallo);
    EXPECT_EQ(option->Element()->Kind, ekChoice);
    EXPECT_TRUE(Hallo->Element()->Body.empty()); // nothing before it has a name
    ASSERT_TRUE(ValidateName(Project.Tree, option, "Nein", Prompter));
    FinishNewNode(Project, option, TNewNodeKind::Choice);
    EXPECT_EQ(Hallo->Element()->Body, TLines{"++#" + std::to_string(option->Element()->Id) + "#"});

    TNode* end = CreateNewNode(Project, TNewNodeKind::EndDialog, false);
    EXPECT_EQ(end->Parent(), Wirt);
    EXPECT_EQ(end->Row(), 2);
    ASSERT_TRUE(ValidateName(Project.Tree, end, ProposedName(TNewNodeKind::EndDialog), Prompter));
    FinishNewNode(Project, end, TNewNodeKind::EndDialog);
    const TElement& element = *end->Element();
    EXPECT_EQ(end->Text(), "ENDE");
    EXPECT_EQ(element.Kind, ekDialog);
    EXPECT_EQ(element.Nr, "999");
    EXPECT_TRUE(element.Permanent);
    EXPECT_FALSE(element.Important);
    EXPECT_EQ(element.Description, "!DIALOG_ENDE");
    EXPECT_EQ(element.Body, TLines{"ENDE"});

    // Beside a folder's child the parent is the folder: nothing is added anywhere.
    Project.MenuAnchor = Tschuess;
    TNode* loose = CreateNewNode(Project, TNewNodeKind::Choice, false);
    FinishNewNode(Project, loose, TNewNodeKind::Choice);
    EXPECT_TRUE(Tschuess->Element()->Body.empty());

    Project.MenuAnchor = nullptr;
    TNode* top = CreateNewNode(Project, TNewNodeKind::Folder, true);
    EXPECT_EQ(top->Element(), nullptr);
    EXPECT_EQ(Project.Tree.TopRow().back().get(), top);
}

TEST_F(TTreeCommandsTest, DropRules) {
    AddNode(Project, "Schmied\\Hallo\\JA", ekChoice);
    AddNode(Project, "Schmied\\Hallo\\Code", ekChoice);
    const std::tuple<const char*, const char*, bool, bool> cases[] = {
        // dragged, target, as its first child (else in front of it), allowed
        {"Wirt", "Wirt\\Hallo\\Ja", true, false},           // below itself
        {"Wirt", "Wirt", true, false},                      // onto itself
        {"Wirt\\Hallo", "Schmied", true, false},            // Schmied\Hallo exists
        {"Wirt\\Hallo\\Ja", "Schmied\\Hallo", true, false}, // it has a JA
        {"Wirt\\Tschuess", "Schmied", true, true},
        {"Wirt\\Hallo", "Schmied\\Hallo", false, false},
        {"Wirt\\Tschuess", "Schmied\\Hallo", false, true},
        {"Wirt\\Tschuess", "Wirt\\Hallo", false, true}, // same parent
        {"Wirt\\Hallo\\Ja", "Wirt", false, true},       // to the top row
        {"Schmied\\Hallo\\Code", "Wirt", false, false}, // the top row has a Code
        {nullptr, "Wirt", false, false},
        {"Wirt\\Hallo\\Ja", nullptr, false, false}};
    for (auto [dragged, target, asFirstChild, allowed] : cases)
        EXPECT_EQ(CanDropNode(Project.Tree, N(dragged), N(target), asFirstChild), allowed)
            << (dragged ? dragged : "-") << " -> " << (target ? target : "-");
}

TEST_F(TTreeCommandsTest, DropMovesTheSubtreeAndKeepsIds) {
    const int32_t halloId = Hallo->Element()->Id;
    ASSERT_TRUE(DropNode(Project.Tree, Hallo, Code, false)); // in front of Code, top row
    EXPECT_EQ(Children(nullptr), (std::vector<std::string>{"Wirt", "Schmied", "Hallo", "Code"}));
    EXPECT_EQ(Ja->Path(), "Hallo\\Ja");
    EXPECT_EQ(Hallo->Element()->Id, halloId);

    ASSERT_TRUE(DropNode(Project.Tree, Code, Wirt, true)); // first child of Wirt
    EXPECT_EQ(Children(Wirt), (std::vector<std::string>{"Code", "Tschuess"}));

    EXPECT_FALSE(DropNode(Project.Tree, Wirt, Code, true));
    EXPECT_EQ(Children(Wirt), (std::vector<std::string>{"Code", "Tschuess"}));
}

TEST_F(TTreeCommandsTest, DeleteAsksOnceForALeafAndTwiceForAParent) {
    const std::string first = "Den ausgew\xE4hlten Punkt wirklich l\xF6schen?";
    std::vector<int32_t> freed;
    Project.Selected = Tschuess;
    Prompter.OkCancelAnswers = {false, true};
    EXPECT_FALSE(DeleteSelectedNode(Project, Prompter)); // Cancel keeps it
    EXPECT_TRUE(DeleteSelectedNode(Project, Prompter, &freed));
    EXPECT_EQ(freed, std::vector<int32_t>{2});
    EXPECT_EQ(Children(Wirt), std::vector<std::string>{"Hallo"});
    EXPECT_EQ(Prompter.Questions, (std::vector<std::string>{first, first}));

    // With children: OK then Cancel deletes nothing.
    Prompter.Questions.clear();
    Project.Selected = Wirt;
    Project.MenuAnchor = Ja;
    Prompter.OkCancelAnswers = {true, false};
    EXPECT_FALSE(DeleteSelectedNode(Project, Prompter));
    EXPECT_EQ(
        Prompter.Questions,
        (std::vector<std::string>{
            first,
            "Der ausgew\xE4hlte Knoten hat untergeordnete Objekte, die mitgel\xF6scht werden!"}));
    EXPECT_FALSE(Project.Elements.At(1)->IsFree());

    Prompter.OkCancelAnswers = {true, true};
    EXPECT_TRUE(DeleteSelectedNode(Project, Prompter, &freed));
    EXPECT_EQ(freed, (std::vector<int32_t>{1, 0})); // children first
    EXPECT_EQ(Project.Selected, nullptr);
    EXPECT_EQ(Project.MenuAnchor, nullptr);
    EXPECT_EQ(Project.Elements.At(1)->Node, nullptr);

    Prompter.Questions.clear();
    EXPECT_FALSE(DeleteSelectedNode(Project, Prompter)); // nothing selected: no question
    EXPECT_TRUE(Prompter.Questions.empty());
}

TEST_F(TTreeCommandsTest, CopyPathRemembersBlocksAndPasteChecksThemStillLive) {
    const std::string pasteGone =
        "Pfad einf\xFCgen: Der Pfad in der Zwischenablage ist nicht mehr g\xFCltig.";
    int32_t copied = -1;
    CopyPath(Project, copied, Prompter);
    Project.Selected = Wirt;
    CopyPath(Project, copied, Prompter);
    EXPECT_FALSE(CheckCopiedBlock(Project, copied, Prompter, false)); // silent
    EXPECT_FALSE(CheckCopiedBlock(Project, copied, Prompter, true));
    EXPECT_EQ(Prompter.Messages,
              (std::vector<std::string>{
                  "Pfad kopieren: Du musst zuvor einen Knotenpunkt erstellen (Rechtsklick)",
                  "Pfad kopieren: Ein Ordner dient nur der\r\nOrganisation und ist kein "
                  "g\xFCltiger Baustein!",
                  "Pfad einf\xFCgen: Du musst zun\xE4"
                  "chst einen im Navigationsfeld (links)\r\neinen Pfad in die Zwischenablage "
                  "kopieren."}));

    Prompter.Messages.clear();
    Project.Selected = Ja;
    CopyPath(Project, copied, Prompter);
    Project.Selected = Code; // silently ignored: the earlier copy stays
    CopyPath(Project, copied, Prompter);
    EXPECT_EQ(copied, Ja->Element()->Id);
    EXPECT_TRUE(CheckCopiedBlock(Project, copied, Prompter, true));
    Project.DeleteSubtree(Ja);
    EXPECT_FALSE(CheckCopiedBlock(Project, copied, Prompter, true));
    EXPECT_FALSE(CheckCopiedBlock(Project, 4711, Prompter, true));
    EXPECT_EQ(Prompter.Messages, (std::vector<std::string>{pasteGone, pasteGone}));
}

} // namespace
} // namespace redewerk
