#include "app/cli/cli.h"
#include "model/file_system.h"
#include "model/project.h"
#include "model/project_file.h"

#include "support/cli_runner.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace redewerk {
namespace {

using testing::RunCliCommand;
using testing::TCliRun;

const std::string kTaverne = std::string(REDEWERK_SOURCE_DIR) + "/examples/Taverne.dlx";

TEST(CliProject, InfoPrintsTheTreeInPreOrder) {
    TProject project;
    TNode* folder = project.Tree.AppendChild(nullptr, "Gr\xFC\xDF"
                                                      "e");
    TNode* dialog = project.Tree.AppendChild(folder, "Hallo");
    project.CreateElement(dialog, ekDialog);
    project.CreateElement(project.Tree.AppendChild(dialog, "Ja"), ekChoice);
    project.CreateElement(project.Tree.AppendChild(folder, "Alarm"), ekEvent);
    project.CreateElement(project.Tree.AppendChild(nullptr, "Hilfen"), ekCode);
    std::string path = ::testing::TempDir() + "/info.dlx";
    TDiskFileSystem files;
    ASSERT_EQ(files.WriteFile(path, SerializeProject(project)), 0);

    TCliRun run = RunCliCommand({"info", path});
    EXPECT_EQ(run.Exit, kExitOk) << run.Err;
    EXPECT_EQ(run.Out, "Grüße [Ordner]\n"
                       "  Hallo [Dialog #0]\n"
                       "    Ja [Dialogoption #1]\n"
                       "  Alarm [Event #2]\n"
                       "Hilfen [Code #3]\n");
}

TEST(CliProject, ResaveOfAFileTheProgramWroteIsByteIdentical) {
    std::string target = ::testing::TempDir() + "/resaved.dlx";
    TCliRun run = RunCliCommand({"resave", kTaverne, target});
    ASSERT_EQ(run.Exit, kExitOk) << run.Err;
    TDiskFileSystem files;
    std::string original, resaved;
    ASSERT_EQ(files.ReadFile(kTaverne, original), 0);
    ASSERT_EQ(files.ReadFile(target, resaved), 0);
    EXPECT_EQ(original, resaved);
}

TEST(CliProject, BrokenOrMissingFilesFailWithTheReason) {
    std::string broken = ::testing::TempDir() + "/broken.dlx";
    TDiskFileSystem files;
    ASSERT_EQ(files.WriteFile(broken, "\x02"
                                      "END\r\n\x02"
                                      "END\r\nA\r\nnull\r\n"),
              0);
    TCliRun run = RunCliCommand({"info", broken});
    EXPECT_EQ(run.Exit, kExitFailure);
    EXPECT_EQ(run.Out, "");
    EXPECT_EQ(run.Err, "Ungültige numerische Eingabe\nDatei: " + broken + ", Zeile 4\n");

    std::string target = ::testing::TempDir() + "/never-written.dlx";
    std::filesystem::remove(target);
    run = RunCliCommand({"resave", ::testing::TempDir() + "/missing.dlx", target});
    EXPECT_EQ(run.Exit, kExitFailure);
    EXPECT_EQ(run.Err.rfind("E/A-Fehler 2\n", 0), 0u) << run.Err;
    EXPECT_FALSE(std::filesystem::exists(target));
}

TEST(CliProject, UsageErrorsExitWithTwo) {
    for (const auto& args : std::vector<std::vector<std::string>>{
             {}, {"gibtsnicht"}, {"info"}, {"info", "a", "b"}, {"resave", "a"}}) {
        TCliRun run = RunCliCommand(args);
        EXPECT_EQ(run.Exit, kExitUsage);
        EXPECT_NE(run.Err.find("Aufruf: redewerk-cli"), std::string::npos);
    }
    TCliRun help = RunCliCommand({"--help"});
    EXPECT_EQ(help.Exit, kExitOk);
    EXPECT_NE(help.Out.find("Befehle:"), std::string::npos);
}

} // namespace
} // namespace redewerk
