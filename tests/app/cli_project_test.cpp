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

} // namespace
} // namespace redewerk
