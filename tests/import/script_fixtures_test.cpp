// Realistic dialog scripts from tests/data/import/scripts, and the way back: what the exporter
// writes from the imported blocks imports to the same blocks again.
#include "codegen/compiled.h"
#include "codegen/exporter.h"
#include "import/importer.h"
#include "import_helpers.h"
#include "model/cp1252.h"
#include "model/file_system.h"
#include "model/project.h"
#include "support/memory_file_system.h"
#include "support/recording_prompter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
#include <string>
#include <vector>

namespace redewerk {
namespace {

using testing::BlockAt;
using testing::TRecordingPrompter;
using testing::TreeOutline;

const std::vector<std::string> kFixtures = {"DIA_Guard_Gate.d", "DIA_Bau_Hilda.d",
                                            "DIA_Bau_Kurt.d"};

std::vector<std::string> FixturePaths() {
    std::vector<std::string> paths;
    for (const auto& name : kFixtures)
        paths.push_back(std::string(REDEWERK_TEST_DATA_DIR) + "/import/scripts/" + name);
    return paths;
}

void ImportFixtures(TProject& project, TRecordingPrompter& prompter) {
    TDiskFileSystem files;
    ASSERT_TRUE(RunScriptImport(project, FixturePaths(), true, files, prompter))
        << (prompter.Messages.empty() ? "" : prompter.Messages.front());
}

std::string Ref(const TProject& project, const std::string& path, const char* prefix = "#") {
    return prefix + std::to_string(BlockAt(project, path).Id) + "#";
}

TEST(ScriptFixtures, BecomeFoldersDialogsOptionsAndCode) {
    TProject project;
    TRecordingPrompter prompter;
    ImportFixtures(project, prompter);
    EXPECT_TRUE(prompter.Messages.empty());
    EXPECT_EQ(
        TreeOutline(project),
        (std::vector<std::string>{"IMPORT 0", "  Gate 0", "    EXIT 1", "    Hello 1",
                                  "      Back 3", "      Parole 3", "      Gold 3", "    After 1",
                                  "  Hilda 0", "    DIA_Hilda_Hallo_Condition 4", "    Hallo 1",
                                  "    B_HildaGreets 4", "    Trade 1", "    Shout 3", "  Kurt 0",
                                  "    Job 1", "      Yes 3", "        Pay 3", "      No 3"}));

    const TElement& hello = BlockAt(project, "IMPORT\\Gate\\Hello");
    EXPECT_EQ(hello.Body, (TLines{"// Begr\xFC\xDFung am Tor", "", ">>Lass mich durch!",
                                  "<<Nur wer die Parole kennt, darf passieren. H\xF6rst du?",
                                  "/* the guard looks suspicious */", "--",
                                  "++" + Ref(project, "IMPORT\\Gate\\Hello\\Back"),
                                  "++" + Ref(project, "IMPORT\\Gate\\Hello\\Parole"),
                                  "++" + Ref(project, "IMPORT\\Gate\\Hello\\Gold")}));
    EXPECT_EQ(BlockAt(project, "IMPORT\\Gate\\Hello\\Gold").Body,
              (TLines{">>Ich habe Gold.", "if (Npc_HasItems (other, ItMi_Gold) >= 50)", "{",
                      "\tB_GiveInvItems (other, self, ItMi_Gold, 50);", "\t<<Das gen\xFCgt.", "}",
                      "else", "{", "\t<<Das ist zu wenig.", "};", "--"}));
    EXPECT_EQ(BlockAt(project, "IMPORT\\Gate\\Hello\\Parole").Description,
              "Die Parole ist 'Drachenfeuer'.");
    EXPECT_EQ(BlockAt(project, "IMPORT\\Gate\\After").Condition,
              (TLines{"if (" + Ref(project, "IMPORT\\Gate\\Hello", "#!") + ")"}));

    const TElement& trade = BlockAt(project, "IMPORT\\Hilda\\Trade");
    EXPECT_TRUE(trade.Trade);
    EXPECT_TRUE(trade.Permanent);
    EXPECT_EQ(trade.Body, (TLines{"// ----- Handel -----", "", ">>Zeig mir deine Waren.",
                                  "Hilda_TradeCount = Hilda_TradeCount + 1;"}));
    EXPECT_EQ(trade.Condition, (TLines{"if (" + Ref(project, "IMPORT\\Hilda\\Hallo", "#!"),
                                       "&& (Hilda_Angry == FALSE))"}));
    const TElement& hallo = BlockAt(project, "IMPORT\\Hilda\\Hallo");
    EXPECT_TRUE(hallo.Important);
    EXPECT_EQ(hallo.Condition, (TLines{"if (DIA_Hilda_Hallo_Condition())"}));
    EXPECT_EQ(hallo.Body, (TLines{"// ----- Hallo -----", "", "<<Du bist neu hier, oder?",
                                  "B_HildaGreets (2);", "ENDE", "// she turns away"}));
    EXPECT_EQ(project.Variables,
              (TLines{"", "// Variables of Hilda's trade", "var int Hilda_Angry;",
                      "var int Hilda_TradeCount;", "const int Hilda_MaxTrades = 3;"}));
    EXPECT_EQ(BlockAt(project, "IMPORT\\Kurt\\Job").Description, "Hast du Arbeit f\xFCr mich?");
}

// What must survive an export and a new import: a block's name (the exported instance names
// are upper case), kind, header fields, condition and spoken lines, with references written
// as the names of the blocks they point at.
std::vector<std::string> Comparable(const TProject& project) {
    auto resolve = [&](const std::string& line) {
        static const std::regex marker("#(!?)([0-9]+)#");
        std::string out;
        std::sregex_iterator it(line.begin(), line.end(), marker), end;
        size_t last = 0;
        for (; it != end; ++it) {
            out += line.substr(last, it->position() - last);
            const TElement* target = project.Elements.LiveAt(std::stoi((*it)[2]));
            out +=
                "#" + (*it)[1].str() + (target ? UpperCase1252(target->Node->Text()) : "?") + "#";
            last = it->position() + it->length();
        }
        return out + line.substr(last);
    };
    std::vector<std::string> blocks;
    project.Tree.ForEachPreOrder([&](TNode* node) {
        const TElement* e = node->Element();
        if (!e) return;
        std::string text = UpperCase1252(node->Text()) + " kind=" + std::to_string(e->Kind);
        if (e->Kind == ekDialog)
            text += " npc=" + e->Npc + " nr=" + e->Nr + " imp=" + std::to_string(e->Important) +
                    " perm=" + std::to_string(e->Permanent) + " trade=" + std::to_string(e->Trade);
        if (e->Kind == ekDialog || e->Kind == ekChoice) text += " desc=" + e->Description;
        for (const auto& line : e->Condition)
            text += "\n  if| " + resolve(line);
        for (const auto& line : e->Body) {
            const size_t start = line.find_first_not_of('\t');
            if (start == std::string::npos) continue;
            const std::string_view head = std::string_view(line).substr(start, 2);
            if (head == ">>" || head == "<<" || head == "++" || head == "--" ||
                line.substr(start) == "ENDE")
                text += "\n  body| " + resolve(line.substr(start));
        }
        for (int32_t id : e->KnownRefs)
            text += "\n  known| " + resolve("#" + std::to_string(id) + "#");
        blocks.push_back(text);
    });
    std::sort(blocks.begin(), blocks.end());
    return blocks;
}

TEST(ScriptFixtures, ExportAndImportAgainGiveTheSameBlocks) {
    TProject first;
    TRecordingPrompter prompter;
    ImportFixtures(first, prompter);

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
    ASSERT_TRUE(RunScriptImport(second, report.WrittenFiles, true, files, prompter))
        << prompter.Messages.back() << "\n"
        << files.Files[report.WrittenFiles[0]];
    EXPECT_EQ(Comparable(second), Comparable(first));
    EXPECT_TRUE(prompter.Messages.empty());
}

} // namespace
} // namespace redewerk
