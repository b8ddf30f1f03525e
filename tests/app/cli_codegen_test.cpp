#include "app/cli/cli.h"
#include "model/file_system.h"

#include "support/cli_runner.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

namespace redewerk {
namespace {

namespace fs = std::filesystem;
using testing::RunCliCommand;
using testing::TCliRun;

const std::string kTaverne = std::string(REDEWERK_SOURCE_DIR) + "/examples/Taverne.dlx";
const fs::path kExpected = fs::path(REDEWERK_TEST_DATA_DIR) / "codegen";

std::string Read(const fs::path& path) {
    std::string content;
    TDiskFileSystem files;
    EXPECT_EQ(files.ReadFile(path.string(), content), 0) << path;
    return content;
}

// A fresh, empty folder for one test.
fs::path EmptyFolder(const std::string& name) {
    fs::path folder = fs::path(::testing::TempDir()) / ("redewerk_" + name);
    fs::remove_all(folder);
    return folder;
}

std::set<std::string> FileNames(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

// The example project exported with the options of each expected folder matches it byte for
// byte, with no file more or less.
TEST(CliCodegen, ExportMatchesTheExpectedFiles) {
    struct Case {
        const char* Expected;
        std::vector<std::string> Options;
    };
    const Case cases[] = {
        {"taverne_default", {}},
        {"taverne_one_file_npc_globals", {"--one-file", "--npc-globals"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Expected);
        fs::path folder = EmptyFolder(c.Expected);
        std::vector<std::string> args = {"export",  kTaverne,   "--name",
                                         "Taverne", "--folder", folder.string()};
        args.insert(args.end(), c.Options.begin(), c.Options.end());
        TCliRun run = RunCliCommand(args);
        EXPECT_EQ(run.Exit, kExitOk) << run.Err;
        EXPECT_EQ(run.Err, "");
        const fs::path expected = kExpected / c.Expected;
        EXPECT_EQ(FileNames(folder), FileNames(expected));
        for (const auto& name : FileNames(expected)) {
            SCOPED_TRACE(name);
            EXPECT_EQ(Read(folder / name), Read(expected / name));
            EXPECT_NE(run.Out.find((folder / name).string() + "\n"), std::string::npos);
        }
    }
}

TEST(CliCodegen, ExportStopsAtAnExistingFileUnlessToldToOverwrite) {
    fs::path folder = EmptyFolder("overwrite");
    fs::create_directories(folder);
    TDiskFileSystem files;
    const std::string events = (folder / "EVT_Taverne.d").string();
    ASSERT_EQ(files.WriteFile(events, "alt"), 0);
    const std::vector<std::string> args = {"export",  kTaverne,   "--name",
                                           "Taverne", "--folder", folder.string()};

    TCliRun refused = RunCliCommand(args);
    EXPECT_EQ(refused.Exit, kExitFailure);
    EXPECT_EQ(refused.Err,
              "Die Datei existiert bereits (" + events + ") . Überschreiben? [Abbrechen]\n");
    EXPECT_EQ(FileNames(folder), std::set<std::string>{"EVT_Taverne.d"});
    EXPECT_EQ(Read(events), "alt");

    std::vector<std::string> overwriting = args;
    overwriting.push_back("--overwrite");
    TCliRun run = RunCliCommand(overwriting);
    EXPECT_EQ(run.Exit, kExitOk) << run.Err;
    EXPECT_EQ(run.Err, "");
    EXPECT_EQ(Read(events), Read(kExpected / "taverne_default" / "EVT_Taverne.d"));
}

TEST(CliCodegen, ExportRefusesBadArguments) {
    fs::path folder = EmptyFolder("bad_arguments");
    struct Case {
        std::vector<std::string> Args;
        int Exit;
    };
    const Case cases[] = {
        {{"export", kTaverne, "--folder", folder.string()}, kExitUsage},
        {{"export", kTaverne, "--name", "Taverne"}, kExitUsage},
        {{"export", kTaverne, "--name"}, kExitUsage},
        {{"export", kTaverne, "--name", "T", "--folder", folder.string(), "--bunt"}, kExitUsage},
        {{"export", kTaverne, "--name", "Meine Taverne", "--folder", folder.string()},
         kExitFailure},
        {{"export", folder.string() + "/fehlt.dlx", "--name", "T", "--folder", folder.string()},
         kExitFailure},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Args.back());
        TCliRun run = RunCliCommand(c.Args);
        EXPECT_EQ(run.Exit, c.Exit) << run.Err;
        EXPECT_NE(run.Err, "");
    }
    EXPECT_FALSE(fs::exists(folder));
    EXPECT_EQ(RunCliCommand(cases[4].Args).Err,
              "Sonderzeichen sind im Projektnamen nicht erlaubt!\n");
}

TEST(CliCodegen, CompilePrintsOneBlockAsTheExportWritesIt) {
    TCliRun run = RunCliCommand({"compile", kTaverne, "wirt\\arbeit\\JA"});
    EXPECT_EQ(run.Exit, kExitOk) << run.Err;
    EXPECT_EQ(run.Err, "");
    const std::string dialogs = Read(kExpected / "taverne_default" / "DIA_Taverne.d");
    ASSERT_FALSE(run.Out.empty());
    EXPECT_TRUE(run.Out.starts_with("FUNC void DIA_WIRT_ARBEIT_JA()\r\n")) << run.Out;
    EXPECT_NE(dialogs.find(run.Out), std::string::npos) << run.Out;

    // Known targets are computed first: Bier is asked for as known, so it sets its variable.
    TCliRun bier = RunCliCommand({"compile", kTaverne, "Wirt\\Bier"});
    EXPECT_NE(bier.Out.find("\tBekannt_DIA_WIRT_BIER = TRUE;\r\n"), std::string::npos);
}

TEST(CliCodegen, CompileNeedsABlock) {
    TCliRun missing = RunCliCommand({"compile", kTaverne, "Wirt\\Niemand"});
    EXPECT_EQ(missing.Exit, kExitFailure);
    EXPECT_EQ(missing.Err, "redewerk-cli: Kein Knoten mit dem Pfad \"Wirt\\Niemand\" gefunden.\n");
    TCliRun folder = RunCliCommand({"compile", kTaverne, "Ereignisse"});
    EXPECT_EQ(folder.Exit, kExitFailure);
    EXPECT_EQ(folder.Err, "redewerk-cli: \"Ereignisse\" ist ein Ordner und erzeugt keinen Code.\n");
    EXPECT_EQ(RunCliCommand({"compile", kTaverne}).Exit, kExitUsage);
}

} // namespace
} // namespace redewerk
