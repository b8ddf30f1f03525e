#include "import/dia_conditions.h"

#include <gtest/gtest.h>

#include <string>

namespace redewerk {
namespace {

struct TConditionCase {
    const char* Line;
    bool InOption;
    const char* Term;
    const char* Error = "";
};

TEST(DiaConditionsTest, TermsOfEachKind) {
    const TConditionCase cases[] = {
        {"CONDCODE: Npc_IsDead (Bauer)", false, "(Npc_IsDead (Bauer))"},
        {"condcode:x > 1;", false, "(x > 1)"},
        {"CONDCODE: a ; b", false, "((a ) || (b))"},
        {"CONDFUNC: C_NpcIsHero", false, "C_NpcIsHero()"},
        {"CONDFUNC: C_A; C_B; C_C", false, "(C_A() || C_B() || C_C())"},
        {"CONDITEM: ItMi_Gold", false, "(Npc_HasItems (hero, ItMi_Gold) > 0)"},
        {"CONDITEM: ItMi_Gold , 100", false, "(Npc_HasItems (hero, ItMi_Gold) >= 100)"},
        {"CONDITEM: !ItFo_Apple", false, "!(Npc_HasItems (hero, ItFo_Apple) > 0)"},
        {"CONDITEM: ItFo_Apple!", false, "!(Npc_HasItems (hero, ItFo_Apple) > 0)"},
        {"CONDITEM: !ItMi_Gold, 5; ItFo_Apple", false,
         "(!(Npc_HasItems (hero, ItMi_Gold) >= 5) || (Npc_HasItems (hero, ItFo_Apple) > 0))"},
        {"CONDDIA: !Hallo", false, "(!#!..\\Wirt\\Hallo#)"},
        {"CONDDIA: ! VLK_401_Schmied,Schwert", false, "(!#!..\\Schmied\\Schwert#)"},
        {"CONDDIA: Hallo; VLK_401_Schmied, Schwert", false,
         "((#!..\\Wirt\\Hallo#) || (#!..\\Schmied\\Schwert#))"},
        // An option lies one level below its dialog, so its path climbs one more step.
        {"CONDDIA: Hallo", true, "(#!..\\..\\Wirt\\Hallo#)"},
        {"CONDWAS: x", false, "", "Importer: Ung\xFCltige Conditionart (CONDWAS)!"},
        {"Condition: x; y", false, "( || )", "Importer: Ung\xFCltige Conditionart (Condition)!"},
    };
    // Clear names as the NPC table derives them: the part after the last underscore.
    auto clearName = [](const std::string& instance) {
        return instance.substr(instance.rfind('_') + 1);
    };
    for (const auto& c : cases) {
        const TDiaCondition condition =
            BuildDiaCondition(c.Line, "VLK_400_Wirt", c.InOption, clearName);
        EXPECT_EQ(condition.Term, c.Term) << c.Line;
        EXPECT_EQ(condition.Error, c.Error) << c.Line;
    }
}

} // namespace
} // namespace redewerk
