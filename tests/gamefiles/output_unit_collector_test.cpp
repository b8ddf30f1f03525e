#include "gamefiles/output_unit_collector.h"

#include <gtest/gtest.h>

namespace redewerk {
namespace {

// "NAME=TEXT" for each unit, so that a case states the whole outcome in one line.
std::vector<std::string> Collected(const TOutputUnitCollector& collector) {
    std::vector<std::string> units;
    for (const auto& unit : collector.Units())
        units.push_back(unit.Name + "=" + unit.Text);
    return units;
}

TEST(OutputUnitCollector, FindsTheCallsAndTheirSubtitles) {
    struct TCase {
        const char* Script;
        std::vector<std::string> Units;
    };
    const TCase cases[] = {
        {"AI_Output (self, other, \"DIA_A_00\"); //Hallo du", {"DIA_A_00=Hallo du"}},
        // Blanks around the subtitle go, CR LF too; the letter case of the call does not count.
        {"\tai_output(other,self,\"B\");// \t Mit Tab\t \r\nAI_OUTPUT (self, other, \"C\");\r\n",
         {"B=Mit Tab", "C="}},
        {"AI_Output (self, other, \"D\")  //ohne Semikolon\nAI_Output (self, other, \"E\");\n"
         "// ein Kommentar in der Zeile danach",
         {"D=ohne Semikolon", "E="}},
        {"AI_Output (self, other, \"F\"); AI_Output (self, other, \"G\"); //zwei",
         {"F=", "G=zwei"}},
        {"AI_Output (self, other, \"H\"); // a // b \"c\"", {"H=a // b \"c\""}},
        // Calls in comments and strings are none; neither are calls without a literal name
        // and the declaration of the function.
        {"// AI_Output (self, other, \"X1\"); //a\n/* AI_Output (self, other, \"X2\"); */\n"
         "s = \"AI_Output (self, other, \";\nAI_Output (self, other, name); //b\n"
         "func void AI_Output (var C_NPC a, var C_NPC b, var string c) {};\n"
         "AI_Output (self, other, \"Y\", 1); //c\nAI_OutputSVM (self, other, \"Z\");",
         {}},
        {"AI_Output (self, other, \"DIA_\xDC_00\"); //Gr\xFC\xDF dich!",
         {"DIA_\xDC_00=Gr\xFC\xDF dich!"}},
    };
    for (const auto& [script, units] : cases) {
        TOutputUnitCollector collector;
        std::string error;
        EXPECT_TRUE(collector.AddScript(script, "a.d", error)) << error;
        EXPECT_EQ(Collected(collector), units) << script;
        EXPECT_EQ(collector.Warnings(), std::vector<std::string>{}) << script;
    }
}

// Names are taken in the order they first occur, scripts in turn; a name again with another
// text (in any letter case) keeps its first text and spelling and is named with both places.
TEST(OutputUnitCollector, KeepsTheFirstTextOfANameAndWarnsAboutAnother) {
    TOutputUnitCollector collector;
    std::string error;
    ASSERT_TRUE(collector.AddScript("AI_Output (self, other, \"X\"); //eins\r\n"
                                    "AI_Output (self, other, \"Y\"); //zwei\r\n",
                                    "a.d", error));
    ASSERT_TRUE(collector.AddScript("AI_Output (self, other, \"x\"); //eins\r\n"
                                    "AI_Output (self, other, \"Z\"); //drei\r\n"
                                    "AI_Output (self, other, \"y\"); //anders\r\n"
                                    "AI_Output (self, other, \"\"); //leer\r\n"
                                    "AI_Output (self, other, \"A\r\nB\"); //zwei Zeilen\r\n",
                                    "b.d", error));
    EXPECT_EQ(Collected(collector), (std::vector<std::string>{"X=eins", "Y=zwei", "Z=drei"}));
    const std::string skipped = ": Warnung: Der Ausgabename ist leer oder enth\xE4lt einen "
                                "Zeilenumbruch; der Aufruf wird \xFC"
                                "bergangen.";
    EXPECT_EQ(collector.Warnings(),
              (std::vector<std::string>{"b.d:3: Warnung: Der Ausgabename \"y\" steht schon in "
                                        "a.d:2 mit einem anderen Text; es gilt der erste.",
                                        "b.d:4" + skipped, "b.d:5" + skipped}));
}

// A script the lexer stops at adds nothing, not even the calls before the fault.
TEST(OutputUnitCollector, AScriptWithALexicalFaultAddsNothing) {
    const std::pair<const char*, const char*> cases[] = {
        {"AI_Output (self, other, \"A\"); //x\r\nvar int ?;", "c.d:2: Ung\xFCltiges Zeichen: ?"},
        {"AI_Output (self, other, \"A\"); //x\n\nAI_Output (self, other, \"B);",
         "c.d:3: Ung\xFCltiges (nicht endendes) String-Literal."},
    };
    for (const auto& [script, message] : cases) {
        TOutputUnitCollector collector;
        std::string error;
        EXPECT_FALSE(collector.AddScript(script, "c.d", error));
        EXPECT_EQ(error, message);
        EXPECT_TRUE(collector.Units().empty());
    }
}

} // namespace
} // namespace redewerk
