#include "model/names.h"
#include "model/project.h"

#include "support/recording_prompter.h"

#include <gtest/gtest.h>

namespace redewerk {
namespace {

TEST(Project, ReusesTheLowestFreeId) {
    TProject project;
    TNode* a = project.Tree.AppendChild(nullptr, "A");
    TNode* b = project.Tree.AppendChild(nullptr, "B");
    TNode* c = project.Tree.AppendChild(nullptr, "C");
    EXPECT_EQ(project.CreateElement(a, ekDialog), 0);
    EXPECT_EQ(project.CreateElement(b, ekEvent), 1);
    EXPECT_EQ(project.CreateElement(c, ekCode), 2);
    EXPECT_EQ(c->ImageIndex(), ekCode);

    EXPECT_EQ(project.DeleteSubtree(b), std::vector<int32_t>{1});
    EXPECT_TRUE(project.Elements.At(1)->IsFree());
    TNode* d = project.Tree.AppendChild(nullptr, "D");
    EXPECT_EQ(project.CreateElement(d, ekChoice), 1);
    EXPECT_EQ(d->Element()->Node, d);
    EXPECT_EQ(project.Elements.Size(), 3);
}

TEST(Project, FreedIdsAreFoundAgainAfterManyCreations) {
    TProject project;
    std::vector<TNode*> nodes;
    for (int i = 0; i < 1000; ++i) {
        nodes.push_back(project.Tree.AppendChild(nullptr, "N" + std::to_string(i)));
        ASSERT_EQ(project.CreateElement(nodes.back(), ekDialog), i);
    }
    project.DeleteSubtree(nodes[700]);
    project.DeleteSubtree(nodes[3]);
    TNode* a = project.Tree.AppendChild(nullptr, "A");
    TNode* b = project.Tree.AppendChild(nullptr, "B");
    TNode* c = project.Tree.AppendChild(nullptr, "C");
    EXPECT_EQ(project.CreateElement(a, ekEvent), 3);
    EXPECT_EQ(project.CreateElement(b, ekEvent), 700);
    EXPECT_EQ(project.CreateElement(c, ekEvent), 1000);
}

TEST(Project, DeletingASubtreeFreesEveryBlockBelowChildrenFirst) {
    TProject project;
    TNode* folder = project.Tree.AppendChild(nullptr, "Wirt");
    TNode* dialog = project.Tree.AppendChild(folder, "Hallo");
    TNode* option = project.Tree.AppendChild(dialog, "Ja");
    TNode* other = project.Tree.AppendChild(folder, "Tschuess");
    project.CreateElement(dialog, ekDialog);
    project.CreateElement(option, ekChoice);
    project.CreateElement(other, ekDialog);
    project.Selected = option;
    project.MenuAnchor = dialog;

    EXPECT_EQ(project.DeleteSubtree(folder), (std::vector<int32_t>{1, 0, 2}));
    EXPECT_TRUE(project.Tree.IsEmpty());
    EXPECT_EQ(project.Selected, nullptr);
    EXPECT_EQ(project.MenuAnchor, nullptr);
    for (int id = 0; id < 3; ++id) {
        EXPECT_TRUE(project.Elements.At(id)->IsFree());
        EXPECT_EQ(project.Elements.At(id)->Node, nullptr);
    }
}

TEST(Project, ChoiceReferenceGoesOnlyToDialogsAndChoices) {
    struct Case {
        int32_t ParentKind; // -1: no parent, ekFolder: a folder
        bool Appended;
    };
    for (const auto& c : {Case{ekDialog, true}, Case{ekChoice, true}, Case{ekEvent, false},
                          Case{ekCode, false}, Case{ekFolder, false}, Case{-1, false}}) {
        SCOPED_TRACE(c.ParentKind);
        TProject project;
        TNode* parent = nullptr;
        if (c.ParentKind >= 0) {
            parent = project.Tree.AppendChild(nullptr, "P");
            for (int32_t id = 0; id < 9; ++id) // ids 0-8 in use: two-digit ids follow
                project.Elements.Store(std::make_unique<TElement>(id, ekCode, nullptr));
            if (c.ParentKind != ekFolder) project.CreateElement(parent, c.ParentKind);
        }
        TNode* option = project.Tree.AppendChild(parent, "Ja");
        int32_t id = project.CreateElement(option, ekChoice);
        project.AddChoiceReference(option, parent);
        if (c.Appended) {
            EXPECT_EQ(id, 10);
            EXPECT_EQ(parent->Element()->Body, TLines{"++#" + std::to_string(id) + "#"});
        } else if (parent && parent->Element()) {
            EXPECT_TRUE(parent->Element()->Body.empty());
        }
    }
}

TEST(Project, EndDialogPreset) {
    TProject project;
    TNode* node = project.Tree.AppendChild(nullptr, "ENDE");
    project.CreateElement(node, ekDialog);
    project.ApplyEndDialogPreset(node);
    const TElement& e = *node->Element();
    EXPECT_EQ(e.Kind, ekDialog);
    EXPECT_EQ(e.Nr, "999");
    EXPECT_TRUE(e.Permanent);
    EXPECT_FALSE(e.Important);
    EXPECT_EQ(e.Description, "!DIALOG_ENDE");
    EXPECT_EQ(e.Body, TLines{"ENDE"});
}

TEST(Project, NewDialogCopiesTheNpcOfTheMenuAnchorOnly) {
    TProject project;
    TNode* anchor = project.Tree.AppendChild(nullptr, "Hallo");
    project.CreateElement(anchor, ekDialog);
    anchor->Element()->Npc = "Wirt";
    project.MenuAnchor = anchor;
    struct Case {
        int32_t Kind;
        const char* Npc;
    };
    for (const auto& c : {Case{ekDialog, "Wirt"}, Case{ekEvent, ""}, Case{ekChoice, ""}}) {
        TNode* node = project.Tree.AppendChild(nullptr, "N");
        project.CreateElement(node, c.Kind);
        EXPECT_EQ(node->Element()->Npc, c.Npc) << c.Kind;
        EXPECT_EQ(node->Element()->Nr, "10");
    }
    project.MenuAnchor = project.Tree.AppendChild(nullptr, "Ordner");
    TNode* node = project.Tree.AppendChild(nullptr, "N");
    project.CreateElement(node, ekDialog);
    EXPECT_EQ(node->Element()->Npc, "");
}

TEST(Project, ComputeKnownTargetsResetsAndSetsOncePerTarget) {
    TProject project;
    std::vector<TNode*> nodes;
    for (int i = 0; i < 4; ++i) {
        nodes.push_back(project.Tree.AppendChild(nullptr, "N" + std::to_string(i)));
        project.CreateElement(nodes.back(), ekDialog);
    }
    project.Elements.At(0)->KnownRefs = {2, 2, 17};
    project.Elements.At(3)->IsKnownTarget = true; // stale from an earlier run
    project.DeleteSubtree(nodes[1]);
    project.Elements.At(1)->KnownRefs = {3}; // a freed block still takes part
    project.ComputeKnownTargets();
    EXPECT_FALSE(project.Elements.At(0)->IsKnownTarget);
    EXPECT_FALSE(project.Elements.At(1)->IsKnownTarget);
    EXPECT_TRUE(project.Elements.At(2)->IsKnownTarget);
    EXPECT_TRUE(project.Elements.At(3)->IsKnownTarget);
}

TEST(Project, ClearProjectEmptiesEverything) {
    TProject project;
    TNode* node = project.Tree.AppendChild(nullptr, "A");
    project.CreateElement(node, ekDialog);
    project.Npcs.Add("Wirt", "VLK_401_Wirt");
    project.Variables = {"var int x;"};
    project.MenuAnchor = node;
    project.Selected = node;
    project.ClearProject();
    EXPECT_TRUE(project.Tree.IsEmpty());
    EXPECT_TRUE(project.Elements.IsEmpty());
    EXPECT_EQ(project.Npcs.Count(), 0);
    EXPECT_TRUE(project.Variables.empty());
    EXPECT_EQ(project.MenuAnchor, nullptr);
    EXPECT_EQ(project.Selected, nullptr);
    TNode* again = project.Tree.AppendChild(nullptr, "B");
    EXPECT_EQ(project.CreateElement(again, ekDialog), 0);
}

TEST(Names, RefusesEverySpecialCharacter) {
    const std::string refused = ">*~ ?,:;!&.|\"\xA7%\\/()[]+-<#\xE4\xF6\xFC\xC4\xD6\xDC\xDF";
    for (char c : refused) {
        EXPECT_TRUE(HasSpecialChars(std::string("Hal") + c + "lo"))
            << int(static_cast<unsigned char>(c));
    }
    for (const char* ok : {"Hallo", "DIA_Wirt_01", "x", "Caf\xE9", "A=B", "$", "'"}) {
        EXPECT_FALSE(HasSpecialChars(ok)) << ok;
    }
}

TEST(NpcList, InstanceNameAsksOnceAndRemembers) {
    TNpcList npcs;
    testing::TRecordingPrompter prompter;
    prompter.TextAnswers = {"VLK_401_Wirt"};
    EXPECT_EQ(npcs.InstanceNameOf("", prompter), "");
    EXPECT_EQ(npcs.InstanceNameOf("Wirt", prompter), "VLK_401_Wirt");
    EXPECT_EQ(npcs.InstanceNameOf("Wirt", prompter), "VLK_401_Wirt");
    EXPECT_EQ(npcs.InstanceNameOf("wirt", prompter), "wirt"); // case counts; default answer
    EXPECT_EQ(prompter.Questions,
              (std::vector<std::string>{"Instanzname von Wirt", "Instanzname von wirt"}));
    EXPECT_EQ(npcs.ClearNames, (std::vector<std::string>{"Wirt", "wirt"}));
}

TEST(NpcList, ClearNameDerivesAsksAndKeepsNamesDistinct) {
    TNpcList npcs;
    testing::TRecordingPrompter prompter;
    prompter.TextAnswers = {"Torwache"};
    EXPECT_EQ(npcs.ClearNameOf("", prompter), "");
    EXPECT_EQ(npcs.ClearNameOf("VLK_401_Wirt", prompter), "Wirt");
    EXPECT_EQ(npcs.ClearNameOf("VLK_401_Wirt", prompter), "Wirt");
    EXPECT_EQ(npcs.ClearNameOf("SLD_700_Wirt", prompter), "SLD_700_Wirt");
    EXPECT_EQ(npcs.ClearNameOf("GRD_12", prompter), "Torwache");
    EXPECT_EQ(npcs.ClearNameOf("Diego", prompter), "Diego");
    EXPECT_EQ(prompter.Questions, std::vector<std::string>{"Klarname von GRD_12"});
    EXPECT_EQ(npcs.ClearNames,
              (std::vector<std::string>{"Wirt", "SLD_700_Wirt", "Torwache", "Diego"}));
    EXPECT_EQ(npcs.InstanceNames,
              (std::vector<std::string>{"VLK_401_Wirt", "SLD_700_Wirt", "GRD_12", "Diego"}));
}

} // namespace
} // namespace redewerk
