#include "model/element.h"
#include "model/project.h"
#include "model/tree_commands.h"

#include "support/recording_prompter.h"

#include <gtest/gtest.h>

namespace redewerk {
namespace {

using testing::TRecordingPrompter;

const std::string kEmptyName = "Gib bitte einen g\xFCltigen Namen ein!";
const std::string kNameExists = "Der Name existiert bereits!";
const std::string kSpecialChars = "Sonderzeichen sind in einem Bezeichner nicht erlaubt!";

// Wirt (folder) > Hallo (Dialog, NPC Wirt) > Ja (Choice); Wirt > Tschuess (Dialog);
// Schmied (folder) > Hallo (Dialog); Code (Code block) in the top row.
struct TTreeCommandsTest : ::testing::Test {
    TProject Project;
    TRecordingPrompter Prompter;
    TNode* Wirt = Add(nullptr, "Wirt", ekFolder);
    TNode* Hallo = Add(Wirt, "Hallo", ekDialog);
    TNode* Ja = Add(Hallo, "Ja", ekChoice);
    TNode* Tschuess = Add(Wirt, "Tschuess", ekDialog);
    TNode* Schmied = Add(nullptr, "Schmied", ekFolder);
    TNode* SchmiedHallo = Add(Schmied, "Hallo", ekDialog);
    TNode* Code = Add(nullptr, "Code", ekCode);

    TNode* Add(TNode* parent, const char* name, int32_t kind) {
        TNode* node = Project.Tree.AppendChild(parent, name);
        if (kind != ekFolder) Project.CreateElement(node, kind);
        return node;
    }
    std::vector<std::string> Children(TNode* parent) const {
        std::vector<std::string> names;
        for (const auto& child : Project.Tree.ChildrenOf(parent))
            names.push_back(child->Text());
        return names;
    }
};

TEST_F(TTreeCommandsTest, NameRulesGiveOneMessageInTheirOrder) {
    struct TCase {
        TNode* TTreeCommandsTest::*Node;
        std::string Name;
        TNameProblem Expected;
    };
    const TCase cases[] = {
        {&TTreeCommandsTest::Tschuess, "", TNameProblem::Empty},
        {&TTreeCommandsTest::Tschuess, "hallo", TNameProblem::Exists}, // sibling, other case
        {&TTreeCommandsTest::Tschuess, "HALLO", TNameProblem::Exists},
        {&TTreeCommandsTest::Tschuess, "Tschuess", TNameProblem::None}, // its own name
        {&TTreeCommandsTest::Tschuess, "tschuess", TNameProblem::None},
        {&TTreeCommandsTest::Ja, "Hallo", TNameProblem::None},       // same name, other place
        {&TTreeCommandsTest::Schmied, "wirt", TNameProblem::Exists}, // top row
        {&TTreeCommandsTest::Tschuess,
         "Gr\xFC\xDF"
         "e",
         TNameProblem::SpecialChars},
        {&TTreeCommandsTest::Tschuess, "Bis bald", TNameProblem::SpecialChars},
        {&TTreeCommandsTest::Tschuess, "Bis.bald", TNameProblem::SpecialChars},
        {&TTreeCommandsTest::Tschuess, "Bis-bald", TNameProblem::SpecialChars},
        {&TTreeCommandsTest::Tschuess, "Bis_bald_2", TNameProblem::None},
    };
    for (const TCase& c : cases) {
        TNode* node = this->*c.Node;
        EXPECT_EQ(CheckNodeName(Project.Tree, node, c.Name), c.Expected) << c.Name;
    }
    // In use and with a special character at once: the name in use is told.
    Project.Tree.SetText(Code, "Bis bald");
    EXPECT_EQ(CheckNodeName(Project.Tree, Schmied, "Bis bald"), TNameProblem::Exists);
    // A node in the own subtree carries the path along and does not collide.
    EXPECT_EQ(CheckNodeName(Project.Tree, Hallo, "Hallo\\Ja"), TNameProblem::SpecialChars);
}

TEST_F(TTreeCommandsTest, ValidateNameRenamesOrShowsTheMessage) {
    EXPECT_FALSE(ValidateName(Project.Tree, Tschuess, "hallo", Prompter));
    EXPECT_FALSE(ValidateName(Project.Tree, Tschuess, "", Prompter));
    EXPECT_FALSE(ValidateName(Project.Tree, Tschuess, "\xFC", Prompter));
    EXPECT_EQ(Prompter.Messages,
              (std::vector<std::string>{kNameExists, kEmptyName, kSpecialChars}));
    EXPECT_EQ(Tschuess->Text(), "Tschuess");

    EXPECT_TRUE(ValidateName(Project.Tree, Tschuess, "Servus", Prompter));
    EXPECT_EQ(Tschuess->Path(), "Wirt\\Servus");
    EXPECT_EQ(Prompter.Messages.size(), 3u);
}

TEST_F(TTreeCommandsTest, NewNodesGoBesideOrBelowTheMenuAnchor) {
    Project.Elements.At(Hallo->Element()->Id)->Npc = "Wirt";
    Project.MenuAnchor = Hallo;
    TNode* sibling = CreateNewNode(Project, TNewNodeKind::Dialog, false);
    EXPECT_EQ(sibling->Parent(), Wirt);
    EXPECT_EQ(sibling->Row(), 2);
    EXPECT_EQ(sibling->Text(), "");
    EXPECT_EQ(sibling->Element()->Npc, "Wirt"); // a new Dialog takes the anchor's NPC

    TNode* child = CreateNewNode(Project, TNewNodeKind::Event, true);
    EXPECT_EQ(child->Parent(), Hallo);
    EXPECT_EQ(child->Row(), 1);
    EXPECT_EQ(child->Element()->Npc, "");

    Project.MenuAnchor = nullptr;
    TNode* top = CreateNewNode(Project, TNewNodeKind::Folder, true);
    EXPECT_EQ(top->Parent(), nullptr);
    EXPECT_EQ(top->Element(), nullptr);
    EXPECT_EQ(Project.Tree.TopRow().back().get(), top);
}

TEST_F(TTreeCommandsTest, NewDialogOptionJoinsTheChoicesOfItsParentAfterNaming) {
    Project.MenuAnchor = Hallo;
    TNode* option = CreateNewNode(Project, TNewNodeKind::Choice, true);
    EXPECT_TRUE(Hallo->Element()->Body.empty()); // nothing before it has a name
    ASSERT_TRUE(ValidateName(Project.Tree, option, "Nein", Prompter));
    FinishNewNode(Project, option, TNewNodeKind::Choice);
    EXPECT_EQ(Hallo->Element()->Body, TLines{"++#" + std::to_string(option->Element()->Id) + "#"});

    // Beside a folder's child the parent is the folder: nothing is added anywhere.
    Project.MenuAnchor = Tschuess;
    TNode* loose = CreateNewNode(Project, TNewNodeKind::Choice, false);
    FinishNewNode(Project, loose, TNewNodeKind::Choice);
    EXPECT_TRUE(Tschuess->Element()->Body.empty());
}

TEST_F(TTreeCommandsTest, EndDialogOffersEndeAndGetsItsPresetOnceNamed) {
    EXPECT_EQ(ProposedName(TNewNodeKind::EndDialog), "ENDE");
    EXPECT_EQ(ProposedName(TNewNodeKind::Dialog), "");
    Project.MenuAnchor = Hallo;
    TNode* first = CreateNewNode(Project, TNewNodeKind::EndDialog, false);
    ASSERT_TRUE(ValidateName(Project.Tree, first, "ENDE", Prompter));
    FinishNewNode(Project, first, TNewNodeKind::EndDialog);
    const TElement& element = *first->Element();
    EXPECT_EQ(element.Kind, ekDialog);
    EXPECT_EQ(element.Nr, "999");
    EXPECT_TRUE(element.Permanent);
    EXPECT_EQ(element.Description, "!DIALOG_ENDE");
    EXPECT_EQ(element.Body, TLines{"ENDE"});

    TNode* second = CreateNewNode(Project, TNewNodeKind::EndDialog, false);
    EXPECT_FALSE(ValidateName(Project.Tree, second, "ENDE", Prompter));
    EXPECT_EQ(Prompter.Messages, std::vector<std::string>{kNameExists});
}

TEST_F(TTreeCommandsTest, DropRules) {
    TNode* schmiedJa = Add(SchmiedHallo, "JA", ekChoice);
    struct TCase {
        TNode* TTreeCommandsTest::*Dragged;
        TNode* TTreeCommandsTest::*Target;
        bool AsFirstChild;
        bool Allowed;
        const char* Why;
    };
    const TCase cases[] = {
        {&TTreeCommandsTest::Wirt, &TTreeCommandsTest::Hallo, false, false, "below itself"},
        {&TTreeCommandsTest::Wirt, &TTreeCommandsTest::Ja, true, false, "deep below itself"},
        {&TTreeCommandsTest::Wirt, &TTreeCommandsTest::Wirt, true, false, "onto itself"},
        {&TTreeCommandsTest::Hallo, &TTreeCommandsTest::Schmied, true, false, "Schmied\\Hallo"},
        {&TTreeCommandsTest::Tschuess, &TTreeCommandsTest::Schmied, true, true, "free name"},
        {&TTreeCommandsTest::Hallo, &TTreeCommandsTest::SchmiedHallo, false, false,
         "beside Schmied\\Hallo"},
        {&TTreeCommandsTest::Tschuess, &TTreeCommandsTest::SchmiedHallo, false, true, "free"},
        {&TTreeCommandsTest::Tschuess, &TTreeCommandsTest::Hallo, false, true, "same parent"},
        {&TTreeCommandsTest::Ja, &TTreeCommandsTest::Wirt, false, true, "to the top row"},
        {&TTreeCommandsTest::Code, &TTreeCommandsTest::Wirt, false, true, "top row already"},
        {&TTreeCommandsTest::Code, &TTreeCommandsTest::Ja, true, true, "any kind anywhere"},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(CanDropNode(Project.Tree, this->*c.Dragged, this->*c.Target, c.AsFirstChild),
                  c.Allowed)
            << c.Why;
    // A child of the same name in another letter case refuses the Ctrl drop.
    EXPECT_FALSE(CanDropNode(Project.Tree, Ja, SchmiedHallo, true));
    // A nested node cannot go to the top row when a top-row node has its name.
    Project.Tree.SetText(schmiedJa, "Code");
    EXPECT_FALSE(CanDropNode(Project.Tree, schmiedJa, Wirt, false));
    EXPECT_FALSE(CanDropNode(Project.Tree, nullptr, Wirt, false));
    EXPECT_FALSE(CanDropNode(Project.Tree, Ja, nullptr, false));
}

TEST_F(TTreeCommandsTest, DropMovesTheSubtreeAndKeepsIds) {
    const int32_t halloId = Hallo->Element()->Id;
    ASSERT_TRUE(DropNode(Project.Tree, Hallo, Code, false)); // in front of Code, top row
    EXPECT_EQ(Children(nullptr), (std::vector<std::string>{"Wirt", "Schmied", "Hallo", "Code"}));
    EXPECT_EQ(Ja->Path(), "Hallo\\Ja");
    EXPECT_EQ(Hallo->Element()->Id, halloId);

    ASSERT_TRUE(DropNode(Project.Tree, Code, Wirt, true)); // first child of Wirt
    EXPECT_EQ(Children(Wirt), (std::vector<std::string>{"Code", "Tschuess"}));

    ASSERT_TRUE(DropNode(Project.Tree, Tschuess, Code, false)); // reorder among siblings
    EXPECT_EQ(Children(Wirt), (std::vector<std::string>{"Tschuess", "Code"}));

    EXPECT_FALSE(DropNode(Project.Tree, Wirt, Code, true));
    EXPECT_EQ(Children(Wirt), (std::vector<std::string>{"Tschuess", "Code"}));
}

TEST_F(TTreeCommandsTest, DeleteAsksOnceForALeafAndTwiceForAParent) {
    Project.Selected = Tschuess;
    Prompter.OkCancelAnswers = {false};
    EXPECT_FALSE(DeleteSelectedNode(Project, Prompter));
    EXPECT_EQ(Children(Wirt).size(), 2u);

    std::vector<int32_t> freed;
    EXPECT_TRUE(DeleteSelectedNode(Project, Prompter, &freed));
    EXPECT_EQ(freed, std::vector<int32_t>{2});
    EXPECT_EQ(Children(Wirt), std::vector<std::string>{"Hallo"});
    const std::string first = "Den ausgew\xE4hlten Punkt wirklich l\xF6schen?";
    EXPECT_EQ(Prompter.Questions, (std::vector<std::string>{first, first}));

    // With children: OK then Cancel deletes nothing.
    Prompter.Questions.clear();
    Project.Selected = Wirt;
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

    Prompter.Questions.clear();
    EXPECT_FALSE(DeleteSelectedNode(Project, Prompter)); // nothing selected: no question
    EXPECT_TRUE(Prompter.Questions.empty());
}

TEST_F(TTreeCommandsTest, CopyPathRemembersBlocksOnly) {
    int32_t copied = -1;
    CopyPath(Project, copied, Prompter);
    Project.Selected = Wirt;
    CopyPath(Project, copied, Prompter);
    EXPECT_EQ(copied, -1);
    EXPECT_EQ(Prompter.Messages,
              (std::vector<std::string>{
                  "Pfad kopieren: Du musst zuvor einen Knotenpunkt erstellen (Rechtsklick)",
                  "Pfad kopieren: Ein Ordner dient nur der\r\nOrganisation und ist kein "
                  "g\xFCltiger Baustein!"}));

    Project.Selected = Ja;
    CopyPath(Project, copied, Prompter);
    EXPECT_EQ(copied, Ja->Element()->Id);
    Project.Selected = Code; // silently ignored: the earlier copy stays
    CopyPath(Project, copied, Prompter);
    EXPECT_EQ(copied, Ja->Element()->Id);
    EXPECT_EQ(Prompter.Messages.size(), 2u);
}

TEST_F(TTreeCommandsTest, CheckCopiedBlockTellsNothingCopiedFromDeleted) {
    Prompter.Messages.clear();
    EXPECT_FALSE(CheckCopiedBlock(Project, -1, Prompter, false));
    EXPECT_TRUE(Prompter.Messages.empty());
    EXPECT_FALSE(CheckCopiedBlock(Project, -1, Prompter, true));
    const int32_t jaId = Ja->Element()->Id;
    EXPECT_TRUE(CheckCopiedBlock(Project, jaId, Prompter, true));
    Project.DeleteSubtree(Ja);
    EXPECT_FALSE(CheckCopiedBlock(Project, jaId, Prompter, true));
    EXPECT_FALSE(CheckCopiedBlock(Project, 4711, Prompter, true));
    EXPECT_EQ(Prompter.Messages,
              (std::vector<std::string>{
                  "Pfad einf\xFCgen: Du musst zun\xE4"
                  "chst einen im Navigationsfeld (links)\r\neinen Pfad in die Zwischenablage "
                  "kopieren.",
                  "Pfad einf\xFCgen: Der Pfad in der Zwischenablage ist nicht mehr g\xFCltig.",
                  "Pfad einf\xFCgen: Der Pfad in der Zwischenablage ist nicht mehr g\xFCltig."}));
}

} // namespace
} // namespace redewerk
