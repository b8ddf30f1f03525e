// Realistic dialog scripts from tests/data/import, and the way back: what the exporter writes
// from the imported blocks imports to the same blocks again, and a second round trip changes
// nothing at all.
#include "import/importer.h"
#include "import_helpers.h"
#include "model/cp1252.h"
#include "model/project.h"
#include "model/text_lines.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace redewerk {
namespace {

using testing::BlockText;
using testing::ExportOneFile;
using testing::ImportExport;
using testing::ImportFixtures;

const std::string kData = std::string(REDEWERK_TEST_DATA_DIR) + "/import/";
const std::vector<std::string>& kFarm = testing::kFarmScripts;
const std::vector<std::string>& kMoorbach = testing::kVillageScripts;

TEST(ScriptFixtures, BecomeFoldersDialogsOptionsAndCode) {
    TProject project;
    ImportFixtures(project, kFarm, {true, true});
    EXPECT_EQ(
        testing::TreeOutline(project),
        (std::vector<std::string>{"IMPORT 0", "  Gate 0", "    EXIT 1", "    Hello 1",
                                  "      Back 3", "      Parole 3", "      Gold 3", "    After 1",
                                  "  Hilda 0", "    DIA_Hilda_Hallo_Condition 4", "    Hallo 1",
                                  "    B_HildaGreets 4", "    Trade 1", "    Shout 3", "  Kurt 0",
                                  "    Job 1", "      Yes 3", "        Pay 3", "      No 3"}));
    const std::string hello = "IMPORT\\Gate\\Hello";
    EXPECT_EQ(BlockText(project, hello),
              "1|Guard|1||Lass mich durch!\n// Begr\xFC\xDFung am Tor\n\n>>Lass mich durch!\n"
              "<<Nur wer die Parole kennt, darf passieren. H\xF6rst du?\n"
              "/* the guard looks suspicious */\n--\n++#" +
                  hello + "\\Back#\n++#" + hello + "\\Parole#\n++#" + hello + "\\Gold#\n");
    EXPECT_EQ(
        BlockText(project, hello + "\\Gold"),
        "3||10||Ich habe Gold.\n>>Ich habe Gold.\nif (Npc_HasItems (other, ItMi_Gold) >= 50)\n"
        "{\n\tB_GiveInvItems (other, self, ItMi_Gold, 50);\n\t<<Das gen\xFCgt.\n}\nelse\n{\n"
        "\t<<Das ist zu wenig.\n};\n--\n");
    EXPECT_EQ(BlockText(project, "IMPORT\\Hilda\\Trade"),
              "1|Hilda|5|PT|Zeig mir deine Waren.\n? if (#!IMPORT\\Hilda\\Hallo#\n"
              "? && (Hilda_Angry == FALSE))\n// ----- Handel -----\n\n>>Zeig mir deine Waren.\n"
              "Hilda_TradeCount = Hilda_TradeCount + 1;\nknown #IMPORT\\Hilda\\Hallo#\n");
    EXPECT_EQ(BlockText(project, "IMPORT\\Hilda\\Hallo"),
              "1|Hilda|1|I|\n? if (DIA_Hilda_Hallo_Condition())\n// ----- Hallo -----\n\n"
              "<<Du bist neu hier, oder?\nB_HildaGreets (2);\nENDE\n// she turns away\n");
    EXPECT_EQ(project.Variables,
              (TLines{"", "// Variables of Hilda's trade", "var int Hilda_Angry;",
                      "var int Hilda_TradeCount;", "const int Hilda_MaxTrades = 3;"}));
}

// The whole import of the village, block by block, as tests/data/import/moorbach.txt holds it:
// teaching offers keep their computed descriptions, an information function declared
// "func int" loses the values of its returns, a choice that runs another dialog's information
// stays a call, members of dialogs and the other dialogs are references.
TEST(ScriptFixtures, TheVillageImportsWhole) {
    TProject project;
    ImportFixtures(project, kMoorbach, {true, true});
    int dialogs = 0;
    project.Elements.ForEach([&](const TElement& element) { dialogs += element.Kind == ekDialog; });
    EXPECT_EQ(dialogs, 30);
    EXPECT_EQ(testing::DumpWithVariables(project), testing::ReadDataFile(kData + "moorbach.txt"));
}

// What must survive an export and a new import: every block with its path, kind, header
// fields, condition, spoken lines and choices, references written as paths. The exported
// instance names are upper case, so the whole text is compared in upper case.
std::vector<std::string> Comparable(const TProject& project) {
    std::vector<std::string> blocks;
    project.Tree.ForEachPreOrder([&](TNode* node) {
        if (!node->Element()) return;
        const TLines lines = SplitLines(BlockText(project, *node->Element()));
        std::string text = node->Path() + " " + lines[0];
        for (const auto& line : lines) {
            const size_t start = line.find_first_not_of('\t');
            if (start == std::string::npos) continue;
            const std::string rest = line.substr(start), head = rest.substr(0, 2);
            if (head == "? " || rest.starts_with("known ") || head == ">>" || head == "<<" ||
                head == "++" || head == "--" || rest == "ENDE")
                text += "\n  " + rest;
        }
        blocks.push_back(UpperCase1252(text));
    });
    std::sort(blocks.begin(), blocks.end());
    return blocks;
}

// Imported without a folder per file, the blocks keep their paths through an export and a new
// import, so the export comes out the same again: instances, fields, spoken lines, choices,
// every statement and the variables.
TEST(ScriptFixtures, ExportAndImportAgainGiveTheSameBlocksAndCode) {
    for (const auto* scripts : {&kFarm, &kMoorbach}) {
        TProject first, second;
        ImportFixtures(first, *scripts, {false, true});
        const auto exported = ExportOneFile(first);
        ImportExport(second, exported, {false, true});
        EXPECT_EQ(Comparable(second), Comparable(first));
        EXPECT_EQ(ExportOneFile(second), exported);
    }
}

// A file's import exported as one file, imported again with the same options and exported
// again: from the second export on nothing changes, neither the indentation of options nor
// the place of an option in its tree.
TEST(ScriptFixtures, RoundTripsSettle) {
    for (const auto* scripts : {&kFarm, &kMoorbach}) {
        TProject first, second, third;
        ImportFixtures(first, *scripts, {true, true});
        ImportExport(second, ExportOneFile(first), {true, true});
        const auto exported = ExportOneFile(second);
        ImportExport(third, exported, {true, true});
        EXPECT_EQ(ExportOneFile(third), exported);
    }
}

} // namespace
} // namespace redewerk
