#include "codegen/compiler.h"
#include "codegen/instance_names.h"

#include "model/project.h"

#include "support/project_builder.h"

#include <gtest/gtest.h>

namespace redewerk {
namespace {

using testing::AddBlock;

TEST(InstanceNames, JoinThePathAndPrefixDialogsAndChoices) {
    const struct {
        const char* Path;
        int32_t Kind;
        const char* Name;
    } cases[] = {
        {"Wirt\\Hallo", ekDialog, "DIA_WIRT_HALLO"},
        {"Wirt\\Hallo\\Ja", ekChoice, "DIA_WIRT_HALLO_JA"},
        {"Alt\\Wirt\\Gruss", ekDialog, "DIA_ALT_WIRT_GRUSS"},
        {"Events\\TuerAuf", ekEvent, "EVENTS_TUERAUF"},
        {"Werkzeug\\hilfe_1", ekCode, "WERKZEUG_HILFE_1"},
        {"DIA_Koch\\Essen", ekDialog, "DIA_KOCH_ESSEN"}, // already prefixed
        {"Dia\\Frage", ekDialog, "DIA_DIA_FRAGE"},       // the prefix test minds the case
        {"Oben", ekDialog, "DIA_OBEN"},
        {"Caf\xE9", ekEvent, "CAF\xE9"}, // only ASCII letters change, as in the lexer
    };
    TProject project;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Path);
        const TElement& element = AddBlock(project, c.Path, c.Kind);
        EXPECT_EQ(InstanceName(project, element.Id), c.Name);
    }
    EXPECT_EQ(InstanceName(project, 999), "");
}

TEST(InstanceNames, TheIndexFindsTheFirstLiveBlockInIdOrder) {
    TProject project;
    TElement& first = AddBlock(project, "A\\B", ekEvent); // A_B, id 0
    TElement& second = AddBlock(project, "A_B", ekEvent); // A_B again, id 1
    TElement& dialog = AddBlock(project, "Wirt\\Hallo", ekDialog);
    TInstanceNameIndex index(project);
    EXPECT_EQ(index.Find("A_B"), first.Id);
    EXPECT_EQ(index.Find("DIA_WIRT_HALLO"), dialog.Id);
    EXPECT_EQ(index.Find("dia_wirt_hallo"), -1); // exact letter case
    EXPECT_EQ(index.Find("WIRT_HALLO"), -1);

    project.DeleteSubtree(project.Tree.FindByPath("A"));
    EXPECT_EQ(TInstanceNameIndex(project).Find("A_B"), second.Id);
}

TEST(InstanceNames, KnownVariablesAndExpressionsFollowKindAndFlags) {
    const struct {
        int32_t Kind;
        bool Permanent, KnownTarget, Needs;
        const char* Expression;
    } cases[] = {
        {ekDialog, false, false, false, "Npc_KnowsInfo (hero, DIA_X)"},
        {ekDialog, false, true, false, "Npc_KnowsInfo (hero, DIA_X)"},
        {ekDialog, true, false, false, "Bekannt_DIA_X"},
        {ekDialog, true, true, true, "Bekannt_DIA_X"},
        {ekEvent, false, false, true, "Bekannt_X"},
        {ekEvent, true, false, false, "Bekannt_X"},
        {ekEvent, true, true, true, "Bekannt_X"},
        {ekChoice, false, false, false, "Bekannt_DIA_X"},
        {ekChoice, false, true, true, "Bekannt_DIA_X"},
        {ekCode, false, true, false, "X"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.Kind) + (c.Permanent ? " permanent" : "") +
                     (c.KnownTarget ? " known" : ""));
        TProject project;
        TElement& element = AddBlock(project, "X", c.Kind);
        element.Permanent = c.Permanent;
        element.IsKnownTarget = c.KnownTarget;
        EXPECT_EQ(NeedsKnownVar(project, element.Id), c.Needs);
        EXPECT_EQ(KnownExpression(project, element.Id), c.Expression);
    }
}

} // namespace
} // namespace redewerk
