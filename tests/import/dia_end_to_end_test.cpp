#include "codegen/compiled.h"
#include "codegen/exporter.h"
#include "daedalus/syntax_checker.h"
#include "import/dia_import.h"
#include "model/file_system.h"
#include "model/project.h"
#include "model/text_lines.h"

#include "support/memory_file_system.h"
#include "support/recording_prompter.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace redewerk {
namespace {

// Imported dialogs must export to scripts that the game's compiler accepts: every rule of the
// importer writes Daedalus or the editor's notation, and the exporter turns the notation into
// Daedalus.
TEST(DiaEndToEnd, ImportedFilesExportToValidScripts) {
    TProject project;
    testing::TRecordingPrompter prompter;
    TDiskFileSystem disk;
    const std::string dir = REDEWERK_TEST_DATA_DIR "/import/dia/";
    // The merchant twice: the second copy's blocks take free names, so no instance is declared
    // twice.
    for (const char* name : {"haendler.dia", "pickpocket.dia", "haendler.dia"})
        ASSERT_TRUE(
            ImportDiaFile(project, dir + name, TDiaImportMode::Append, disk, prompter).Imported);

    TCompiled compiled;
    compiled.ProjectName = "Markt";
    compiled.Folder = "/exp";
    compiled.WriteNpcGlobals = true;
    testing::TMemoryFileSystem files;
    TExportReport report = ExportProject(project, compiled, files, prompter);
    ASSERT_EQ(report.Result, TExportResult::Exported);
    EXPECT_EQ(prompter.Messages, std::vector<std::string>{});
    EXPECT_EQ(prompter.Questions, std::vector<std::string>{});
    ASSERT_EQ(report.WrittenFiles.size(), 4u);

    for (const auto& path : report.WrittenFiles) {
        const std::string& script = files.Files.at(path);
        TCheckResult result = CheckSyntax(script, TCheckMode::Declarations);
        EXPECT_TRUE(result.Ok) << path << ": " << result.Message << " at "
                               << script.substr(static_cast<size_t>(std::max(result.ErrorPos, 0)),
                                                60);
    }
    // The choices, the known-reference and the pickpocket condition made it into the code.
    const std::string& dialogs = files.Files.at("/exp/DIA_Markt.d");
    for (const char* expected : {
             "Info_AddChoice (DIA_HAENDLER_HALLO, \"Ich will kaufen.\", "
             "DIA_HAENDLER_HALLO_KAUFEN);",
             "Npc_KnowsInfo (hero, DIA_HAENDLER_HALLO)",
             "if (C_Beklauen(60, 80))",
             "Info_AddChoice (DIA_BAEUERIN_PICKPOCKET, DIALOG_BACK, "
             "DIA_BAEUERIN_PICKPOCKET_BACK);",
         })
        EXPECT_NE(dialogs.find(expected), std::string::npos) << expected;

    std::set<std::string> instances;
    for (const auto& line : SplitLines(dialogs)) {
        if (line.starts_with("instance ")) {
            EXPECT_TRUE(instances.insert(line).second) << "declared twice: " << line;
        }
    }
    EXPECT_EQ(instances.count("instance DIA_HAENDLER_HALLO_2 (C_INFO)"), 1u);
    EXPECT_NE(dialogs.find("Info_AddChoice (DIA_HAENDLER_HALLO_2, \"Ich will kaufen.\", "
                           "DIA_HAENDLER_HALLO_2_KAUFEN);"),
              std::string::npos);
}

} // namespace
} // namespace redewerk
