#include "import/dia_reader.h"

#include "import/dia_import.h"
#include "import_helpers.h"
#include "model/project.h"
#include "model/text_lines.h"
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

// The cases of tests/data/import/dia/reader_cases.txt (its first lines tell the form): each
// .dia text imported into an empty project, the blocks named and the messages compared whole.
TEST(DiaReader, LinesBecomeHeadersConditionsAndBodies) {
    const TLines lines =
        SplitLines(testing::ReadDataFile(REDEWERK_TEST_DATA_DIR "/import/dia/reader_cases.txt"));
    size_t i = 0;
    const auto section = [&] { // the lines up to the next marker, each ending with "\n"
        std::string text;
        for (; i < lines.size() && !lines[i].starts_with("---") && lines[i] != "==="; ++i)
            if (!lines[i].starts_with("##")) text += lines[i] + "\n";
        return text;
    };
    int cases = 0;
    while (i < lines.size()) {
        if (lines[i++] != "===") continue;
        const std::string dia = section();
        SCOPED_TRACE(dia);
        TProject project;
        TRecordingPrompter prompter;
        ImportDia(project, dia, prompter);
        std::vector<std::string> messages;
        while (i < lines.size() && lines[i].starts_with("--- ")) {
            const std::string path = lines[i++].substr(4);
            const std::string text = section();
            if (path == "messages")
                messages = SplitLines(text);
            else
                EXPECT_EQ(BlockText(project, path), text) << path;
        }
        EXPECT_EQ(prompter.Messages, messages);
        ++cases;
    }
    EXPECT_EQ(cases, 30);
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
