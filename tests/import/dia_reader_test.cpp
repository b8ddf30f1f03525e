#include "import/dia_import.h"
#include "import/dia_reader.h"

#include "model/project.h"
#include "support/recording_prompter.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace redewerk {
namespace {

using testing::TRecordingPrompter;

// Imports small ".dia" texts (LF line ends) into a fresh project and looks at the blocks.
class DiaReaderTest : public ::testing::Test {
protected:
    void Import(const std::string& text) {
        ASSERT_TRUE(ImportDiaText(Project, text, TDiaImportMode::Append, Prompter).Imported);
    }
    const TElement& Block(const std::string& path) {
        TNode* node = Project.Tree.FindByPath(path);
        if (!node || !node->Element()) throw std::runtime_error("no block " + path);
        return *node->Element();
    }
    std::string Ref(const std::string& path) { return "#" + std::to_string(Block(path).Id) + "#"; }

    TProject Project;
    TRecordingPrompter Prompter;
};

const std::string kHeader = "PERSON: VLK_400_Wirt\nINFO: Hallo\n";

TEST_F(DiaReaderTest, ExitAndBackInAnyLetterCase) {
    Import("PERSON: VLK_400_Wirt\nINFO: exit\nINFO: Frage\nOPT: Back\n");
    const TElement& exit = Block("Wirt\\exit");
    EXPECT_EQ(exit.Nr, "999");
    EXPECT_TRUE(exit.Permanent);
    EXPECT_EQ(exit.Description, "!DIALOG_ENDE");
    EXPECT_EQ(exit.Body, TLines{"ENDE"});
    const TElement& back = Block("Wirt\\Frage\\Back");
    EXPECT_EQ(back.Kind, ekChoice);
    EXPECT_EQ(back.Description, "!DIALOG_BACK");
    EXPECT_EQ(back.Body, TLines{"--"});
}

TEST_F(DiaReaderTest, AnOptionNamedExitDoesNotEndTheDialog) {
    Import(kHeader + "OPT: Exit\n>Tschuess.\n");
    EXPECT_EQ(Block("Wirt\\Hallo\\Exit").Body, TLines{">>Tschuess."});
    EXPECT_EQ(Block("Wirt\\Hallo\\Exit").Nr, "10");
}

TEST_F(DiaReaderTest, FlagsAreSetFromTheWholeLine) {
    Import("PERSON: VLK_400_Wirt\n"
           "INFO: A\nFLAGS: permanent, Trade\n"
           "INFO: B\nFLAGS: IMPORTANT\nFLAGS: permanent\n");
    const TElement& a = Block("Wirt\\A");
    EXPECT_FALSE(a.Important);
    EXPECT_TRUE(a.Permanent);
    EXPECT_TRUE(a.Trade);
    const TElement& b = Block("Wirt\\B"); // the last FLAGS line decides
    EXPECT_FALSE(b.Important);
    EXPECT_TRUE(b.Permanent);
    EXPECT_FALSE(b.Trade);
}

TEST_F(DiaReaderTest, ConditionLinesAreJoinedWithIfAndAnd) {
    Import(kHeader + "CONDFUNC: C_IsDay\nCONDITEM: !ItMi_Gold\ncondcode: x == 1\n");
    EXPECT_EQ(Block("Wirt\\Hallo").Condition,
              (TLines{"if C_IsDay()", "&& !(Npc_HasItems (hero, ItMi_Gold) > 0)", "&& (x == 1)"}));
}

TEST_F(DiaReaderTest, UnknownConditionKindKeepsItsLineEmptyAndTellsSo) {
    Import(kHeader + "CONDX: foo\nCONDCODE: a\n");
    EXPECT_EQ(Prompter.Messages,
              std::vector<std::string>{"Importer: Ung\xFCltige Conditionart (CONDX)!"});
    EXPECT_EQ(Block("Wirt\\Hallo").Condition, (TLines{"if ", "&& (a)"}));
}

TEST_F(DiaReaderTest, KnownReferenceConditionsRegisterTheirTargets) {
    Import("PERSON: VLK_400_Wirt\nINFO: Hallo\n"
           "PERSON: VLK_401_Schmied\nINFO: Schwert\n"
           "CONDDIA: VLK_400_Wirt, Hallo\nCONDDIA: !Hallo2\n"
           "INFO: Hallo2\n"
           "OPT: Ja\nCONDDIA: Schwert\n");
    const TElement& schwert = Block("Schmied\\Schwert");
    EXPECT_EQ(schwert.Condition,
              (TLines{"if ("
                      "#!" +
                          std::to_string(Block("Wirt\\Hallo").Id) + "#)",
                      "&& (!#!" + std::to_string(Block("Schmied\\Hallo2").Id) + "#)"}));
    EXPECT_EQ(schwert.KnownRefs,
              (std::vector<int32_t>{Block("Wirt\\Hallo").Id, Block("Schmied\\Hallo2").Id}));
    // In an option the path climbs one level more and still finds the dialog.
    const TElement& ja = Block("Schmied\\Hallo2\\Ja");
    EXPECT_EQ(ja.Condition, TLines{"if (#!" + std::to_string(schwert.Id) + "#)"});
    EXPECT_EQ(ja.KnownRefs, std::vector<int32_t>{schwert.Id});
    EXPECT_EQ(Prompter.Messages, std::vector<std::string>{});
}

TEST_F(DiaReaderTest, ChoiceReferenceForms) {
    Import("PERSON: VLK_400_Wirt\n"
           "INFO: Hallo\n%Ja\n%Hallo, Nein\n"
           "OPT: Ja\n%Nein\n%Frage, Eins\n"
           "OPT: Nein\n"
           "INFO: Frage\n"
           "OPT: Eins\n");
    EXPECT_EQ(Block("Wirt\\Hallo").Body,
              (TLines{"++" + Ref("Wirt\\Hallo\\Ja"), "++" + Ref("Wirt\\Hallo\\Nein")}));
    EXPECT_EQ(Block("Wirt\\Hallo\\Ja").Body,
              (TLines{"++" + Ref("Wirt\\Hallo\\Nein"), "++" + Ref("Wirt\\Frage\\Eins")}));
    EXPECT_EQ(Prompter.Messages, std::vector<std::string>{});
}

TEST_F(DiaReaderTest, BareChoiceMarkListsOptionsUntilTheNextInfo) {
    Import(kHeader + "OPT: A\nOPT: B\n%\nOPT: C\nINFO: Zwei\nOPT: D\n");
    EXPECT_EQ(Block("Wirt\\Hallo").Body,
              (TLines{"++" + Ref("Wirt\\Hallo\\B"), "++" + Ref("Wirt\\Hallo\\C")}));
    EXPECT_EQ(Block("Wirt\\Zwei").Body, TLines{});
}

TEST_F(DiaReaderTest, ReferenceToAMissingOptionIsReportedAndMarked) {
    Import(kHeader + "%Fehlt\n");
    EXPECT_EQ(Block("Wirt\\Hallo").Body, TLines{"++#INVALID:Hallo\\Fehlt#"});
    EXPECT_EQ(Prompter.Messages,
              std::vector<std::string>{"Pfadconverter: Pfad weist ins Leere: \"Hallo\\Fehlt\""});
}

TEST_F(DiaReaderTest, RawLinesGoToTheVariablesBeforeTheFirstElement) {
    Import("!const int Preis = 5;\nPERSON: VLK_400_Wirt\n!var int Zaehler;\n"
           "INFO: Hallo\nFLAGS: TRADE\n!Zaehler += 1;\n!B_GiveTradeInv (self);\n"
           "!B_GiveTradeInv (self);\n");
    EXPECT_EQ(Project.Variables, (TLines{"const int Preis = 5;", "var int Zaehler;"}));
    EXPECT_EQ(Block("Wirt\\Hallo").Body, TLines{"Zaehler += 1;"});
}

TEST_F(DiaReaderTest, BadNumberKeepsTheNumberAndTellsSo) {
    Import(kHeader + "NUM: zehn\nINFO: Zwei\nNUM: 5\nNUM: 7x\n");
    const std::string message =
        "Importer: Ung\xFClitige \"NUM:\" Angabe? Suche nach eventuellen Fehler mit dem QDC!";
    EXPECT_EQ(Prompter.Messages, (std::vector<std::string>{message, message}));
    EXPECT_EQ(Block("Wirt\\Hallo").Nr, "10");
    EXPECT_EQ(Block("Wirt\\Zwei").Nr, "5");
}

TEST_F(DiaReaderTest, BadPickpocketLineLeavesAPlainDialog) {
    Import("PERSON: VLK_400_Wirt\nINFO: PICKPOCKET 40, 100\n>Hm.\n");
    EXPECT_EQ(Prompter.Messages,
              std::vector<std::string>{"Importer: Ung\xFCltiger Pickpocket Dialog!? Suche nach "
                                       "eventuellen Fehler mit dem QDC!"});
    const TElement& dialog = Block("Wirt\\PICKPOCKET");
    EXPECT_EQ(dialog.Nr, "10");
    EXPECT_FALSE(dialog.Permanent);
    EXPECT_EQ(dialog.Body, TLines{">>Hm."});
    EXPECT_EQ(Project.Tree.FindByPath("Wirt\\PICKPOCKET")->ChildCount(), 0);
}

TEST(DiaPickpocketTest, DescriptionsByDifficultyAndVictim) {
    const std::pair<int, const char*> bands[] = {
        {-5, "ein Kinderspiel"},
        {0, "ein Kinderspiel"},
        {19, "ein Kinderspiel"},
        {20, "einfach"},
        {39, "einfach"},
        {40, "gewagt"},
        {59, "gewagt"},
        {60, "schwierig"},
        {79, "schwierig"},
        {80, "verdammt schwierig"},
        {99, "verdammt schwierig"},
        {100, "fast unm\xF6glich"},
        {1000, "fast unm\xF6glich"},
    };
    for (const auto& [difficulty, how] : bands) {
        EXPECT_EQ(PickpocketDescription(difficulty, false),
                  std::string("(Es w\xE4re ") + how + " seinen Geldbeutel zu stehlen)")
            << difficulty;
        EXPECT_EQ(PickpocketDescription(difficulty, true),
                  std::string("(Es w\xE4re ") + how + " ihren Geldbeutel zu stehlen)")
            << difficulty;
    }
}

TEST_F(DiaReaderTest, PickpocketVictimIsFemaleWithAWAnywhereAfterTheName) {
    Import("PERSON: VLK_400_Wirtin\nINFO: Pickpocket 10 w 20\n");
    EXPECT_EQ(Block("Wirtin\\Pickpocket").Description,
              "(Es w\xE4re ein Kinderspiel ihren Geldbeutel zu stehlen)");
    EXPECT_EQ(Block("Wirtin\\Pickpocket").Condition, TLines{"if (C_Beklauen(10, 20))"});
}

// Which lines are set off by an empty line and which stay together.
struct TBodyCase {
    const char* Dia;
    TLines Body;
};

TEST_F(DiaReaderTest, BodyLinesAndTheirSpacing) {
    const TBodyCase cases[] = {
        {"$EXP: 10\n>Hi\n", {"B_GivePlayerXP (10);", "", ">>Hi"}},
        {">A\n<B\n>C\n", {">>A", "<<B", ">>C"}},
        {"$EXP: 10\n$EXP:20 \n", {"B_GivePlayerXP (10);", "B_GivePlayerXP (20);"}},
        {">A\n$EXP: 10\n", {">>A", "", "B_GivePlayerXP (10);"}},
        {"<!T_A\n>!T_B\n<<ItFo_Beer\n",
         {"AI_PlayAni (self, \"T_A\");", "AI_PlayAni (other, \"T_B\");", "",
          "CreateInvItems (self, ItFo_Beer, 1);", "B_GiveInvItems (self, other, ItFo_Beer, 1);"}},
        {"$LOGNOTE: Bier, Der Wirt hat Bier.\n$LOGNOTE: Bier,Kalt.\n",
         {"LOG_CreateTopic (TOPIC_Bier, LOG_NOTE);",
          "B_LogEntry (TOPIC_Bier, \"Der Wirt hat Bier.\");", "",
          "LOG_CreateTopic (TOPIC_Bier, LOG_NOTE);", "B_LogEntry (TOPIC_Bier, \"Kalt.\");"}},
        {"$MISFAIL: Bier\n$MISOBSO: Wein\n",
         {"Log_SetTopicStatus(TOPIC_Bier, LOG_FAILED);", "MIS_Bier = LOG_FAILED;", "",
          "Log_SetTopicStatus(TOPIC_Wein, LOG_OBSOLETE);", "MIS_Wein = LOG_OBSOLETE;"}},
        {"$IF: a\n$EXP: 5\n<Gut.\n$ENDIF\n",
         {"if (a)", "{", "\tB_GivePlayerXP (5);", "\t", "\t<<Gut.", "};"}},
        {"$IF: a\n$IF: b\n>x\n$ENDIF\n$ENDIF\n$END\n",
         {"if (a)", "{", "\t", "\tif (b)", "\t{", "\t\t>>x", "\t};", "};", "",
          "AI_StopProcessInfos (self);"}},
        {"%%\n", {"--"}},
        {">A\n%%\n", {">>A", "", "--"}},
        {"# Notiz\n>A\n", {"// Notiz", "", ">>A"}},
        {"Freier Text ohne Regel\n\n  \n>A\n", {">>A"}},
    };
    for (const auto& c : cases) {
        TProject project;
        TRecordingPrompter prompter;
        ImportDiaText(project, kHeader + c.Dia, TDiaImportMode::Append, prompter);
        EXPECT_EQ(project.Tree.FindByPath("Wirt\\Hallo")->Element()->Body, c.Body) << c.Dia;
        EXPECT_EQ(prompter.Messages, std::vector<std::string>{}) << c.Dia;
    }
}

TEST_F(DiaReaderTest, AnOptionBeforeAnyDialogGoesToTheTopRow) {
    Import("PERSON: VLK_400_Wirt\nOPT: Lose\n");
    EXPECT_EQ(Block("Lose").Kind, ekChoice);
    EXPECT_NE(Project.Tree.FindByPath("Wirt"), nullptr);
}

// Lines that lack a separator keep their whole value.
TEST_F(DiaReaderTest, MissingColonOrCommaLosesNoCharacter) {
    Import("PERSON VLK_400_Wirt\nINFO Hallo\nNUM 25\nDESC Frage?\n$EXP 100\n"
           "$LOGMISS: Bier Kein Komma\nCONDCODE x > 1\n");
    const TElement& hallo = Block("Wirt\\Hallo");
    EXPECT_EQ(hallo.Nr, "25");
    EXPECT_EQ(hallo.Description, "Frage?");
    EXPECT_EQ(hallo.Condition, TLines{"if (x > 1)"});
    EXPECT_EQ(hallo.Body,
              (TLines{"B_GivePlayerXP (100);", "", "B_LogEntry (TOPIC_Bier, \"Kein Komma\");"}));
}

// Without a PERSON line there is no NPC name, and a nameless folder would break the paths
// of everything below it.
TEST_F(DiaReaderTest, WithoutPersonTheBlocksGoToTheTopRow) {
    Import("INFO: Hallo\n%Ja\nOPT: Ja\n");
    ASSERT_EQ(Project.Tree.TopRow().size(), 1u);
    EXPECT_EQ(Block("Hallo").Npc, "");
    EXPECT_EQ(Block("Hallo").Body, TLines{"++" + Ref("Hallo\\Ja")});
    EXPECT_EQ(Prompter.Messages, std::vector<std::string>{});
}

// Dialog conditions of such a file name their dialogs where the blocks went: beside the
// block, and other NPCs' folders beside it as well.
TEST_F(DiaReaderTest, WithoutPersonDialogConditionsFindTheirDialogs) {
    Import("PERSON: VLK_401_Schmied\nINFO: Schwert\n");
    Project.Selected = Project.Tree.AppendChild(nullptr, "Mod");
    ASSERT_TRUE(ImportDiaText(Project,
                              "INFO: Hallo\nCONDDIA: Frage\nCONDDIA: VLK_401_Schmied, Amboss\n"
                              "OPT: Ja\nCONDDIA: !Frage; VLK_401_Schmied, Amboss\n"
                              "INFO: Frage\nPERSON: VLK_401_Schmied\nINFO: Amboss\n",
                              TDiaImportMode::IntoSelected, Prompter)
                    .Imported);
    const std::string frage = "#!" + std::to_string(Block("Mod\\Frage").Id) + "#";
    const std::string amboss = "#!" + std::to_string(Block("Mod\\Schmied\\Amboss").Id) + "#";
    EXPECT_EQ(Block("Mod\\Hallo").Condition, (TLines{"if (" + frage + ")", "&& (" + amboss + ")"}));
    EXPECT_EQ(Block("Mod\\Hallo\\Ja").Condition,
              TLines{"if ((!" + frage + ") || (" + amboss + "))"});
    EXPECT_EQ(Prompter.Messages, std::vector<std::string>{});
}

TEST_F(DiaReaderTest, ShortInstanceNameAsksForTheClearName) {
    Prompter.TextAnswers.push_back("Torwache");
    Import("PERSON: PAL_12\nINFO: Halt\n");
    EXPECT_EQ(Prompter.Questions, std::vector<std::string>{"Klarname von PAL_12"});
    EXPECT_EQ(Block("Torwache\\Halt").Npc, "Torwache");
}

} // namespace
} // namespace redewerk
