#include "import/dia_reader.h"

#include "import/dia_import.h"
#include "import_helpers.h"
#include "model/project.h"
#include "support/recording_prompter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace redewerk {
namespace {

using testing::BlockText;
using testing::Dump;
using testing::ImportDia;
using testing::TRecordingPrompter;

// A ".dia" text (LF line ends), the block to look at, its text with references as paths
// (see BlockText), the messages shown.
struct TDiaCase {
    std::string Dia;
    const char* Path;
    std::string Text;
    std::vector<std::string> Messages = {};
};

const std::string kWirt = "PERSON: VLK_400_Wirt\n";
const std::string kHallo = kWirt + "INFO: Hallo\n";
const std::string kPlain = "1|Wirt|10||\n"; // the header of a plain dialog
const std::string kKnown = kHallo +
                           "PERSON: VLK_401_Schmied\nINFO: Schwert\nCONDDIA: VLK_400_Wirt, Hallo\n"
                           "CONDDIA: !Hallo2\nINFO: Hallo2\nOPT: Ja\nCONDDIA: Schwert\n";
const std::string kChoices = kHallo + "%Ja\n%Hallo, Nein\nOPT: Ja\n%Nein\n%Frage, Eins\n"
                                      "OPT: Nein\nINFO: Frage\nOPT: Eins\n";
const std::string kBare = kHallo + "OPT: A\nOPT: B\n%\nOPT: C\nINFO: Zwei\nOPT: D\n";
const std::string kBadNum = kHallo + "NUM: zehn\nINFO: Zwei\nNUM: 5\nNUM: 7x\n";
const std::string kNum =
    "Importer: Ung\xFClitige \"NUM:\" Angabe? Suche nach eventuellen Fehler mit dem QDC!";

TEST(DiaReader, LinesBecomeHeadersConditionsAndBodies) {
    const TDiaCase cases[] = {
        // Header keywords; EXIT and BACK in any letter case, but only for their kind.
        {kWirt + "INFO: exit\n", "Wirt\\exit", "1|Wirt|999|P|!DIALOG_ENDE\nENDE\n"},
        {kWirt + "INFO: Frage\nOPT: Back\n", "Wirt\\Frage\\Back", "3|Wirt|10||!DIALOG_BACK\n--\n"},
        {kHallo + "OPT: Exit\n>Tschuess.\n", "Wirt\\Hallo\\Exit",
         "3|Wirt|10||Tschuess.\n>>Tschuess.\n"},
        {kWirt + "INFO: A\nFLAGS: permanent, Trade\n", "Wirt\\A", "1|Wirt|10|PT|\n"},
        {kWirt + "INFO: B\nFLAGS: IMPORTANT\nFLAGS: permanent\n", "Wirt\\B", "1|Wirt|10|P|\n"},
        {kBadNum, "Wirt\\Hallo", kPlain, {kNum, kNum}},
        {kBadNum, "Wirt\\Zwei", "1|Wirt|5||\n", {kNum, kNum}},
        {kHallo + "NUM: -2147483648\n", "Wirt\\Hallo", "1|Wirt|-2147483648||\n"},
        {kHallo + "NUM: +007\n", "Wirt\\Hallo", "1|Wirt|7||\n"},
        {kHallo + "NUM: 2147483648\n", "Wirt\\Hallo", kPlain, {kNum}},
        {kHallo + "NUM: +-1\n", "Wirt\\Hallo", kPlain, {kNum}},
        {kWirt + "OPT: Lose\n", "Lose", "3|Wirt|10||\n"},
        // Without a PERSON line no nameless folder breaks the paths below it.
        {"INFO: Hallo\n%Ja\nOPT: Ja\n", "Hallo", "1||10||\n++#Hallo\\Ja#\n"},
        // Lines that lack a separator keep their whole value.
        {"PERSON VLK_400_Wirt\nINFO Hallo\nNUM 25\nDESC Frage?\n$EXP 100\n"
         "$LOGMISS: Bier Kein Komma\nCONDCODE x > 1\n",
         "Wirt\\Hallo",
         "1|Wirt|25||Frage?\n? if (x > 1)\nB_GivePlayerXP (100);\n\n"
         "B_LogEntry (TOPIC_Bier, \"Kein Komma\");\n"},
        // Pickpocket dialogs; a "w" anywhere makes the victim female.
        {kWirt + "INFO: Pickpocket 19 w 20\n", "Wirt\\Pickpocket",
         "1|Wirt|900|P|(Es w\xE4re ein Kinderspiel ihren Geldbeutel zu stehlen)\n"
         "? if (C_Beklauen(19, 20))\n++#Wirt\\Pickpocket\\BACK#\n++#Wirt\\Pickpocket\\DoIt#\n"},
        {kWirt + "INFO: PICKPOCKET 40 5\n", "Wirt\\PICKPOCKET",
         "1|Wirt|900|P|(Es w\xE4re gewagt seinen Geldbeutel zu stehlen)\n"
         "? if (C_Beklauen(40, 5))\n++#Wirt\\PICKPOCKET\\BACK#\n++#Wirt\\PICKPOCKET\\DoIt#\n"},
        {kWirt + "INFO: PICKPOCKET 99 5\n", "Wirt\\PICKPOCKET",
         "1|Wirt|900|P|(Es w\xE4re verdammt schwierig seinen Geldbeutel zu stehlen)\n"
         "? if (C_Beklauen(99, 5))\n++#Wirt\\PICKPOCKET\\BACK#\n++#Wirt\\PICKPOCKET\\DoIt#\n"},
        {kWirt + "INFO: PICKPOCKET 40, 100\n>Hm.\n",
         "Wirt\\PICKPOCKET",
         "1|Wirt|10||Hm.\n>>Hm.\n",
         {"Importer: Ung\xFCltiger Pickpocket Dialog!? Suche nach eventuellen Fehler mit dem "
          "QDC!"}},
        // Conditions.
        {kHallo + "CONDFUNC: C_IsDay\nCONDITEM: !ItMi_Gold\ncondcode: x == 1\n", "Wirt\\Hallo",
         kPlain + "? if C_IsDay()\n? && !(Npc_HasItems (hero, ItMi_Gold) > 0)\n? && (x == 1)\n"},
        {kHallo + "CONDX: foo\nCONDCODE: a\n",
         "Wirt\\Hallo",
         kPlain + "? if \n? && (a)\n",
         {"Importer: Ung\xFCltige Conditionart (CONDX)!"}},
        {kKnown, "Schmied\\Schwert",
         "1|Schmied|10||\n? if (#!Wirt\\Hallo#)\n? && (!#!Schmied\\Hallo2#)\n"
         "known #Wirt\\Hallo#\nknown #Schmied\\Hallo2#\n"},
        // In an option the path climbs one level more and still finds the dialog.
        {kKnown, "Schmied\\Hallo2\\Ja",
         "3|Schmied|10||\n? if (#!Schmied\\Schwert#)\nknown #Schmied\\Schwert#\n"},
        // Choice references; a bare "%" lists the options that follow until the next INFO.
        {kChoices, "Wirt\\Hallo", kPlain + "++#Wirt\\Hallo\\Ja#\n++#Wirt\\Hallo\\Nein#\n"},
        {kChoices, "Wirt\\Hallo\\Ja",
         "3|Wirt|10||\n++#Wirt\\Hallo\\Nein#\n++#Wirt\\Frage\\Eins#\n"},
        {kBare, "Wirt\\Hallo", kPlain + "++#Wirt\\Hallo\\B#\n++#Wirt\\Hallo\\C#\n"},
        {kBare, "Wirt\\Zwei", kPlain},
        {kHallo + "%Fehlt\n",
         "Wirt\\Hallo",
         kPlain + "++#INVALID:Hallo\\Fehlt#\n",
         {"Pfadconverter: Pfad weist ins Leere: \"Hallo\\Fehlt\""}},
        // Body lines, and which of them are set off by an empty line.
        {kHallo + "$EXP: 10\n>Hi\n", "Wirt\\Hallo",
         "1|Wirt|10||Hi\nB_GivePlayerXP (10);\n\n>>Hi\n"},
        {kHallo + "$EXP: 10\n$EXP:20 \n", "Wirt\\Hallo",
         kPlain + "B_GivePlayerXP (10);\nB_GivePlayerXP (20);\n"},
        {kHallo + "$LOGNOTE: Bier, Der Wirt hat Bier.\n$LOGNOTE: Bier,Kalt.\n", "Wirt\\Hallo",
         kPlain + "LOG_CreateTopic (TOPIC_Bier, LOG_NOTE);\n"
                  "B_LogEntry (TOPIC_Bier, \"Der Wirt hat Bier.\");\n\n"
                  "LOG_CreateTopic (TOPIC_Bier, LOG_NOTE);\nB_LogEntry (TOPIC_Bier, \"Kalt.\");\n"},
        {kHallo + "$MISFAIL: Bier\n$MISOBSO: Wein\n", "Wirt\\Hallo",
         kPlain + "Log_SetTopicStatus(TOPIC_Bier, LOG_FAILED);\nMIS_Bier = LOG_FAILED;\n\n"
                  "Log_SetTopicStatus(TOPIC_Wein, LOG_OBSOLETE);\nMIS_Wein = LOG_OBSOLETE;\n"},
        {kHallo + "$IF: a\n$IF: b\n$EXP: 5\n>x\n$ENDIF\n$ENDIF\n$END\n", "Wirt\\Hallo",
         "1|Wirt|10||x\nif (a)\n{\n\t\n\tif (b)\n\t{\n\t\tB_GivePlayerXP "
         "(5);\n\t\t\n\t\t>>x\n\t};\n"
         "};\n\nAI_StopProcessInfos (self);\n"},
        {kHallo + "%%\n", "Wirt\\Hallo", kPlain + "--\n"},
        {kHallo + "Freier Text ohne Regel\n\n  \n>A\n", "Wirt\\Hallo", "1|Wirt|10||A\n>>A\n"},
    };
    for (const auto& c : cases) {
        TProject project;
        TRecordingPrompter prompter;
        ImportDia(project, c.Dia, prompter);
        EXPECT_EQ(BlockText(project, c.Path), c.Text) << c.Dia;
        EXPECT_EQ(prompter.Messages, c.Messages) << c.Dia;
    }
}

// Raw lines before the first element are variables; in a trade dialog the trade call is
// left out, since the trade flag writes it.
// Each difficulty step starts at its own number: 20 is no longer child's play.
TEST(DiaReader, PickpocketTextsChangeAtEachStep) {
    const std::pair<int, const char*> steps[] = {{19, "ein Kinderspiel"},
                                                 {20, "einfach"},
                                                 {39, "einfach"},
                                                 {40, "gewagt"},
                                                 {59, "gewagt"},
                                                 {60, "schwierig"},
                                                 {79, "schwierig"},
                                                 {80, "verdammt schwierig"},
                                                 {99, "verdammt schwierig"},
                                                 {100, "fast unm\xF6glich"}};
    for (auto [difficulty, how] : steps)
        EXPECT_EQ(PickpocketDescription(difficulty, false),
                  std::string("(Es w\xE4re ") + how + " seinen Geldbeutel zu stehlen)")
            << difficulty;
}

TEST(DiaReader, RawLinesGoToTheVariablesBeforeTheFirstElement) {
    TProject project;
    TRecordingPrompter prompter;
    ImportDia(project,
              "!const int Preis = 5;\nPERSON: VLK_400_Wirt\n!var int Zaehler;\n"
              "INFO: Hallo\nFLAGS: TRADE\n!Zaehler += 1;\n!B_GiveTradeInv (self);\n"
              "!B_GiveTradeInv (self);\n",
              prompter);
    EXPECT_EQ(project.Variables, (TLines{"const int Preis = 5;", "var int Zaehler;"}));
    EXPECT_EQ(BlockText(project, "Wirt\\Hallo"), "1|Wirt|10|T|\nZaehler += 1;\n");
}

// Dialog conditions of a file without PERSON line name their dialogs where the blocks went:
// beside the block, and other NPCs' folders beside it as well.
TEST(DiaReader, WithoutPersonDialogConditionsFindTheirDialogs) {
    TProject project;
    TRecordingPrompter prompter;
    ImportDia(project, "PERSON: VLK_401_Schmied\nINFO: Schwert\n", prompter);
    project.Selected = project.Tree.AppendChild(nullptr, "Mod");
    ImportDia(project,
              "INFO: Hallo\nCONDDIA: Frage\nCONDDIA: VLK_401_Schmied, Amboss\n"
              "OPT: Ja\nCONDDIA: !Frage; VLK_401_Schmied, Amboss\n"
              "INFO: Frage\nPERSON: VLK_401_Schmied\nINFO: Amboss\n",
              prompter, TDiaImportMode::IntoSelected);
    EXPECT_EQ(Dump(project),
              "Schmied\nSchmied\\Schwert 1|Schmied|10||\nMod\nMod\\Hallo 1||10||\n"
              "  ? if (#!Mod\\Frage#)\n  ? && (#!Mod\\Schmied\\Amboss#)\n  known #Mod\\Frage#\n"
              "  known #Mod\\Schmied\\Amboss#\nMod\\Hallo\\Ja 3||10||\n"
              "  ? if ((!#!Mod\\Frage#) || (#!Mod\\Schmied\\Amboss#))\n  known #Mod\\Frage#\n"
              "  known #Mod\\Schmied\\Amboss#\nMod\\Frage 1||10||\nMod\\Schmied\n"
              "Mod\\Schmied\\Amboss 1|Schmied|10||\n");
    EXPECT_EQ(prompter.Messages, std::vector<std::string>{});
}

} // namespace
} // namespace redewerk
