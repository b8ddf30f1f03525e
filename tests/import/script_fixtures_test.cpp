// Realistic dialog scripts from tests/data/import/scripts, and the way back: what the exporter
// writes from the imported blocks imports to the same blocks again.
#include "codegen/compiled.h"
#include "codegen/exporter.h"
#include "import/importer.h"
#include "import_helpers.h"
#include "model/cp1252.h"
#include "model/file_system.h"
#include "model/project.h"
#include "model/text_lines.h"
#include "support/memory_file_system.h"
#include "support/recording_prompter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace redewerk {
namespace {

using testing::BlockText;
using testing::TRecordingPrompter;

void ImportFixtures(TProject& project, TRecordingPrompter& prompter, bool folderForEach) {
    std::vector<std::string> paths;
    for (const char* name : {"DIA_Guard_Gate.d", "DIA_Bau_Hilda.d", "DIA_Bau_Kurt.d"})
        paths.push_back(std::string(REDEWERK_TEST_DATA_DIR) + "/import/scripts/" + name);
    TDiskFileSystem files;
    ASSERT_TRUE(RunScriptImport(project, paths, folderForEach, files, prompter))
        << (prompter.Messages.empty() ? "" : prompter.Messages.front());
}

TEST(ScriptFixtures, BecomeFoldersDialogsOptionsAndCode) {
    TProject project;
    TRecordingPrompter prompter;
    ImportFixtures(project, prompter, true);
    EXPECT_TRUE(prompter.Messages.empty());
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

// What must survive an export and a new import: every block with its path, kind, header
// fields, condition and spoken lines, references written as paths. The exported instance
// names are upper case, so the whole text is compared in upper case.
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

TEST(ScriptFixtures, ExportAndImportAgainGiveTheSameBlocks) {
    TProject first;
    TRecordingPrompter prompter;
    ImportFixtures(first, prompter, false);

    testing::TMemoryFileSystem files;
    TCompiled compiled;
    compiled.ProjectName = "Rund";
    compiled.Folder = "/export";
    compiled.SeparateEvents = false;
    compiled.SeparateVariables = false;
    const TExportReport report = ExportProject(first, compiled, files, prompter);
    ASSERT_EQ(report.Result, TExportResult::Exported);
    ASSERT_EQ(report.WrittenFiles.size(), 1u);

    TProject second;
    ASSERT_TRUE(RunScriptImport(second, report.WrittenFiles, false, files, prompter))
        << prompter.Messages.back() << "\n"
        << files.Files[report.WrittenFiles[0]];
    EXPECT_EQ(Comparable(second), Comparable(first));
    EXPECT_TRUE(prompter.Messages.empty());
}

} // namespace
} // namespace redewerk
