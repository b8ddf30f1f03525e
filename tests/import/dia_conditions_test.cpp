#include "import/dia_conditions.h"

#include <gtest/gtest.h>

#include <vector>

namespace redewerk {
namespace {

struct TConditionCase {
    const char* Line;
    bool InOption;
    const char* Term;
};

// Clear names as the NPC table derives them: the part after the last underscore.
std::string ClearName(const std::string& instance) {
    return instance.substr(instance.rfind('_') + 1);
}

TEST(DiaConditionsTest, TermsOfTheFourKinds) {
    const TConditionCase cases[] = {
        {"CONDCODE: Npc_IsDead (Bauer)", false, "(Npc_IsDead (Bauer))"},
        {"condcode:x > 1;", false, "(x > 1)"},
        {"CONDCODE: a ; b", false, "((a ) || (b))"},
        {"CONDFUNC: C_NpcIsHero", false, "C_NpcIsHero()"},
        {"CONDFUNC: C_A; C_B; C_C", false, "(C_A() || C_B() || C_C())"},
        {"CONDITEM: ItMi_Gold", false, "(Npc_HasItems (hero, ItMi_Gold) > 0)"},
        {"CONDITEM: ItMi_Gold, 100", false, "(Npc_HasItems (hero, ItMi_Gold) >= 100)"},
        {"CONDITEM: ItMi_Gold , 100", false, "(Npc_HasItems (hero, ItMi_Gold) >= 100)"},
        {"CONDITEM: !ItFo_Apple", false, "!(Npc_HasItems (hero, ItFo_Apple) > 0)"},
        {"CONDITEM: ItFo_Apple!", false, "!(Npc_HasItems (hero, ItFo_Apple) > 0)"},
        {"CONDITEM: !ItMi_Gold, 5; ItFo_Apple", false,
         "(!(Npc_HasItems (hero, ItMi_Gold) >= 5) || (Npc_HasItems (hero, ItFo_Apple) > 0))"},
        {"CONDDIA: Hallo", false, "(#!..\\Wirt\\Hallo#)"},
        {"CONDDIA: !Hallo", false, "(!#!..\\Wirt\\Hallo#)"},
        {"CONDDIA: VLK_401_Schmied, Schwert", false, "(#!..\\Schmied\\Schwert#)"},
        {"CONDDIA: ! VLK_401_Schmied,Schwert", false, "(!#!..\\Schmied\\Schwert#)"},
        {"CONDDIA: Hallo; VLK_401_Schmied, Schwert", false,
         "((#!..\\Wirt\\Hallo#) || (#!..\\Schmied\\Schwert#))"},
        // An option lies one level below its dialog, so its path climbs one more step.
        {"CONDDIA: Hallo", true, "(#!..\\..\\Wirt\\Hallo#)"},
    };
    for (const auto& c : cases) {
        TDiaCondition condition = BuildDiaCondition(c.Line, "VLK_400_Wirt", c.InOption, ClearName);
        EXPECT_EQ(condition.Term, c.Term) << c.Line;
        EXPECT_EQ(condition.Error, "") << c.Line;
    }
}

TEST(DiaConditionsTest, UnknownKindGivesEmptyTermsAndItsMessage) {
    TDiaCondition one = BuildDiaCondition("CONDWAS: x", "VLK_400_Wirt", false, ClearName);
    EXPECT_EQ(one.Term, "");
    EXPECT_EQ(one.Error, "Importer: Ung\xFCltige Conditionart (CONDWAS)!");
    TDiaCondition two = BuildDiaCondition("Condition: x; y", "VLK_400_Wirt", false, ClearName);
    EXPECT_EQ(two.Term, "( || )");
    EXPECT_EQ(two.Error, "Importer: Ung\xFCltige Conditionart (Condition)!");
}

TEST(DiaConditionsTest, DialogTermsAskTheNpcTableForEveryInstance) {
    std::vector<std::string> asked;
    auto lookup = [&](const std::string& instance) {
        asked.push_back(instance);
        return std::string("Klar");
    };
    BuildDiaCondition("CONDDIA: Hallo; PAL_1_Wache, Tor", "VLK_400_Wirt", false, lookup);
    EXPECT_EQ(asked, (std::vector<std::string>{"VLK_400_Wirt", "PAL_1_Wache"}));
}

} // namespace
} // namespace redewerk
