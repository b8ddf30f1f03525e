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
    const std::string taverne = std::string(REDEWERK_SOURCE_DIR) + "/examples/Taverne.dlx";
    const std::string target = ::testing::TempDir() + "/resaved.dlx";
    ASSERT_EQ(RunCliCommand({"resave", taverne, target}), (TCliRun{kExitOk, "", ""}));
    EXPECT_EQ(testing::ReadDiskFile(target), testing::ReadDiskFile(taverne));
}

// A file the user may not write stays as it is, whichever command would replace it.
TEST(CliProject, AReadOnlyTargetIsRefused) {
    const std::string taverne = std::string(REDEWERK_SOURCE_DIR) + "/examples/Taverne.dlx";
    const std::string folder =
        (std::filesystem::path(::testing::TempDir()) / "schreibgeschuetzt").string();
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    for (const char* name : {"ziel.dlx", "DLX_T.d"}) {
        testing::WriteTempFile(std::string("schreibgeschuetzt/") + name, "alt");
        std::filesystem::permissions(folder + "/" + name, std::filesystem::perms::owner_read);
    }
    const auto refused = [](const std::string& path) {
        return TCliRun{kExitFailure, "", "Datei " + path + " ist schreibgesch\u00FCtzt.\n"};
    };
    EXPECT_EQ(RunCliCommand({"resave", taverne, folder + "/ziel.dlx"}),
              refused(folder + "/ziel.dlx"));
    EXPECT_EQ(RunCliCommand({"export", taverne, "--name", "T", "--folder", folder, "--one-file",
                             "--overwrite"}),
              refused(folder + "/DLX_T.d"));
    EXPECT_EQ(testing::ReadDiskFile(folder + "/ziel.dlx"), "alt");
    EXPECT_EQ(testing::ReadDiskFile(folder + "/DLX_T.d"), "alt");
}

} // namespace
} // namespace redewerk
