#include "app/cli/cli.h"
#include "model/project.h"
#include "model/project_file.h"

#include "support/cli_runner.h"
#include "support/memory_file_system.h"
#include "support/project_builder.h"

#include <gtest/gtest.h>

namespace redewerk {
namespace {

using testing::RunCliCommand;
using testing::TCliRun;

// Each node on its own line, indented by its level, with kind and number of its block.
TEST(CliProject, InfoPrintsTheTreeInPreOrderInUtf8) {
    TProject project;
    testing::AddNode(project, "M\xFChle\\Hallo", ekDialog);
    testing::AddNode(project, "M\xFChle\\Hallo\\Ja", ekChoice);
    testing::AddNode(project, "Hilfen", ekCode);
    testing::TMemoryFileSystem files;
    files.Files["info.dlx"] = SerializeProject(project);
    const std::string tree = "Mühle [Ordner]\n  Hallo [Dialog #0]\n    Ja [Dialogoption #1]\n"
                             "Hilfen [Code #2]\n";
    EXPECT_EQ(RunCliCommand({"info", "info.dlx"}, files), (TCliRun{kExitOk, tree, ""}));
}

TEST(CliProject, ResaveOfAFileTheProgramWroteIsByteIdentical) {
    const std::string taverne = testing::JoinPath(REDEWERK_SOURCE_DIR, "examples/Taverne.dlx");
    const std::string target = testing::TempPath("resaved.dlx");
    ASSERT_EQ(RunCliCommand({"resave", taverne, target}), (TCliRun{kExitOk, "", ""}));
    EXPECT_EQ(testing::ReadDiskFile(target), testing::ReadDiskFile(taverne));
}

// A file the user may not write stays as it is, whichever command would replace it.
TEST(CliProject, AReadOnlyTargetIsRefused) {
    const std::string taverne = testing::JoinPath(REDEWERK_SOURCE_DIR, "examples/Taverne.dlx");
    const std::string folder = testing::TempPath("schreibgeschuetzt");
    testing::RemoveTree(PathFromUtf8(folder));
    std::filesystem::create_directories(PathFromUtf8(folder));
    const std::string project = testing::JoinPath(folder, "ziel.dlx");
    const std::string script = testing::JoinPath(folder, "DLX_T.d");
    TDiskFileSystem files;
    for (const std::string& path : {project, script}) {
        ASSERT_EQ(files.WriteFile(path, "alt"), 0);
        // Without write permission; on Windows, marked read-only.
        std::filesystem::permissions(PathFromUtf8(path), std::filesystem::perms::owner_read);
    }
    const auto refused = [](const std::string& path) {
        return TCliRun{kExitFailure, "", "Datei " + path + " ist schreibgesch\u00FCtzt.\n"};
    };
    EXPECT_EQ(RunCliCommand({"resave", taverne, project}), refused(project));
    EXPECT_EQ(RunCliCommand({"export", taverne, "--name", "T", "--folder", folder, "--one-file",
                             "--overwrite"}),
              refused(script));
    EXPECT_EQ(testing::ReadDiskFile(project), "alt");
    EXPECT_EQ(testing::ReadDiskFile(script), "alt");
}

} // namespace
} // namespace redewerk
