#include "model/project.h"

#include "support/recording_prompter.h"

#include <gtest/gtest.h>

#include <tuple>

namespace redewerk {
namespace {

TEST(Project, ReusesTheLowestFreeId) {
    TProject project;
    std::vector<TNode*> nodes;
    for (int i = 0; i < 10; ++i) {
        nodes.push_back(project.Tree.AppendChild(nullptr, "N" + std::to_string(i)));
        ASSERT_EQ(project.CreateElement(nodes.back(), i == 9 ? ekCode : ekDialog), i);
    }
    EXPECT_EQ(nodes[9]->ImageIndex(), ekCode);
    EXPECT_EQ(project.DeleteSubtree(nodes[7]), std::vector<int32_t>{7});
    EXPECT_TRUE(project.Elements.At(7)->IsFree());
    EXPECT_EQ(project.Elements.At(7)->Node, nullptr);
    project.DeleteSubtree(nodes[3]);
    for (int32_t expected : {3, 7, 10}) {
        TNode* node = project.Tree.AppendChild(nullptr, "Neu");
        EXPECT_EQ(project.CreateElement(node, ekChoice), expected);
        EXPECT_EQ(node->Element()->Node, node);
    }
    EXPECT_EQ(project.Elements.Size(), 11);
}

TEST(Project, ChoiceReferenceGoesOnlyToDialogsAndChoices) {
    TProject project;
    for (int i = 0; i < 9; ++i) // ids 0-8 in use: two-digit ids follow
        project.CreateElement(nullptr, ekCode);
    for (auto [kind, body] : std::initializer_list<std::pair<int32_t, TLines>>{
             {ekDialog, {"++#10#"}}, {ekChoice, {"++#12#"}}, {ekEvent, {}}, {ekCode, {}}}) {
        TNode* parent = project.Tree.AppendChild(nullptr, "P");
        project.CreateElement(parent, kind);
        TNode* option = project.Tree.AppendChild(parent, "Ja");
        project.CreateElement(option, ekChoice);
        project.AddChoiceReference(option, parent);
        project.AddChoiceReference(option, nullptr); // in the top row: no parent to add to
        EXPECT_EQ(parent->Element()->Body, body) << kind;
    }
}

TEST(Project, NewDialogCopiesTheNpcOfTheMenuAnchorOnly) {
    TProject project;
    TNode* anchor = project.Tree.AppendChild(nullptr, "Hallo");
    project.CreateElement(anchor, ekDialog);
    anchor->Element()->Npc = "Wirt";
    TNode* folder = project.Tree.AppendChild(nullptr, "Ordner");
    const std::tuple<TNode*, int32_t, std::string> cases[] = {{anchor, ekDialog, "Wirt"},
                                                              {anchor, ekEvent, ""},
                                                              {folder, ekDialog, ""},
                                                              {nullptr, ekDialog, ""}};
    for (const auto& [menuAnchor, kind, npc] : cases) {
        project.MenuAnchor = menuAnchor;
        TNode* node = project.Tree.AppendChild(nullptr, "N");
        project.CreateElement(node, kind);
        EXPECT_EQ(node->Element()->Npc, npc) << kind;
    }
}

TEST(Project, ComputeKnownTargetsResetsAndSetsOncePerTarget) {
    TProject project;
    std::vector<TNode*> nodes;
    for (int i = 0; i < 4; ++i) {
        nodes.push_back(project.Tree.AppendChild(nullptr, "N" + std::to_string(i)));
        project.CreateElement(nodes.back(), ekDialog);
    }
    project.Elements.At(0)->KnownRefs = {2, 2, 17};
    project.Elements.At(0)->IsKnownTarget = true; // stale from an earlier run
    project.DeleteSubtree(nodes[1]);
    project.Elements.At(1)->KnownRefs = {3}; // a freed block still takes part
    project.ComputeKnownTargets();
    EXPECT_FALSE(project.Elements.At(0)->IsKnownTarget);
    EXPECT_FALSE(project.Elements.At(1)->IsKnownTarget);
    EXPECT_TRUE(project.Elements.At(2)->IsKnownTarget);
    EXPECT_TRUE(project.Elements.At(3)->IsKnownTarget);
}

} // namespace
} // namespace redewerk
