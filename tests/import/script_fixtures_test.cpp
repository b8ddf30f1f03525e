// Realistic dialog scripts from tests/data/import, and the way back: what the exporter writes
// from the imported blocks imports to the same blocks again.
#include "import/importer.h"
#include "import_helpers.h"
#include "model/project.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace redewerk {
namespace {

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

// A fixture set imported, exported as one file, imported again with the same options and
// exported again. Without a folder per file the blocks keep their paths, so the export comes
// out the same at once; with folders it settles from the second export on: neither the
// indentation of options nor the place of an option in its tree changes again.
TEST(ScriptFixtures, RoundTripsSettle) {
    for (const bool folderForEach : {false, true}) {
        for (const auto* scripts : {&kFarm, &kMoorbach}) {
            SCOPED_TRACE(scripts->front() + (folderForEach ? " with folders" : ""));
            const TImportOptions options{folderForEach, true};
            TProject first, second, third;
            ImportFixtures(first, *scripts, options);
            const auto firstExport = ExportOneFile(first);
            ImportExport(second, firstExport, options);
            const auto exported = ExportOneFile(second);
            if (!folderForEach) {
                EXPECT_EQ(exported, firstExport);
            }
            ImportExport(third, exported, options);
            EXPECT_EQ(ExportOneFile(third), exported);
        }
    }
}

} // namespace
} // namespace redewerk
