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

// Each fixture set imported with a folder per script, block by block, with the variables, as
// the expected tree beside the scripts holds it. The farm: folders, dialogs, options, trade
// and code. The village: teaching offers keep their computed descriptions, an information
// function declared "func int" loses the values of its returns, a choice that runs another
// dialog's information stays a call, members of dialogs and the other dialogs are references.
// The reeve with the names kept: functions named unlike the instance, a condition of more than
// one if (a Code block of its own name), two dialogs sharing one information function, a
// condition defined in another script, one recording spoken twice.
TEST(ScriptFixtures, ImportAsTheirExpectedTree) {
    const struct {
        const std::vector<std::string>* Scripts;
        TImportOptions Options;
        const char* Expected;
    } cases[] = {
        {&kFarm, {true, true}, "farm.txt"},
        {&kMoorbach, {true, true}, "moorbach.txt"},
        {&testing::kReeveScripts, {true, true, true}, "names/alrik.txt"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Expected);
        TProject project;
        ImportFixtures(project, *c.Scripts, c.Options);
        EXPECT_EQ(testing::DumpWithVariables(project), testing::ReadDataFile(kData + c.Expected));
    }
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
