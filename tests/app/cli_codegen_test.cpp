#include "app/cli/cli.h"

#include "support/cli_runner.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace redewerk {
namespace {

namespace fs = std::filesystem;
using testing::EmptyFolder;
using testing::FileNames;
using testing::ReadDiskFile;
using testing::RunCliCommand;
using testing::TCliRun;

const std::string kTaverne = testing::JoinPath(REDEWERK_SOURCE_DIR, "examples/Taverne.dlx");
const fs::path kExpected = PathFromUtf8(REDEWERK_TEST_DATA_DIR) / "codegen";

std::vector<std::string> ExportArgs(const fs::path& folder, std::vector<std::string> options = {}) {
    std::vector<std::string> args = {"export",  kTaverne,   "--name",
                                     "Taverne", "--folder", PathToUtf8(folder)};
    args.insert(args.end(), options.begin(), options.end());
    return args;
}

// The example project exported with the options of each expected folder matches it byte for
// byte, with no file more or less, and every written file is listed.
TEST(CliCodegen, ExportMatchesTheExpectedFiles) {
    const std::pair<const char*, std::vector<std::string>> cases[] = {
        {"taverne_default", {}},
        {"taverne_one_file_npc_globals", {"--one-file", "--npc-globals"}},
    };
    for (const auto& [name, options] : cases) {
        SCOPED_TRACE(name);
        const fs::path folder = EmptyFolder("redewerk_" + std::string(name)) / "skripte";
        const TCliRun run = RunCliCommand(ExportArgs(folder, options));
        EXPECT_EQ(run.Exit, kExitOk) << run.Err;
        EXPECT_EQ(run.Err, "");
        const fs::path expected = kExpected / name;
        EXPECT_EQ(FileNames(folder), FileNames(expected));
        for (const auto& file : FileNames(expected)) {
            SCOPED_TRACE(file);
            EXPECT_EQ(ReadDiskFile(folder / file), ReadDiskFile(expected / file));
            EXPECT_NE(run.Out.find(PathToUtf8(folder / file) + "\n"), std::string::npos);
        }
    }
}

TEST(CliCodegen, ExportStopsAtAnExistingFileUnlessToldToOverwrite) {
    const fs::path folder = EmptyFolder("redewerk_overwrite");
    const std::string events = PathToUtf8(folder / "EVT_Taverne.d");
    TDiskFileSystem files;
    ASSERT_EQ(files.WriteFile(events, "alt"), 0);

    EXPECT_EQ(RunCliCommand(ExportArgs(folder)), (TCliRun{kExitFailure, "",
                                                          "Die Datei existiert bereits (" + events +
                                                              ") . Überschreiben? [Abbrechen]\n"}));
    EXPECT_EQ(FileNames(folder), std::set<std::string>{"EVT_Taverne.d"});
    EXPECT_EQ(ReadDiskFile(events), "alt");

    const TCliRun run = RunCliCommand(ExportArgs(folder, {"--overwrite"}));
    EXPECT_EQ(run.Exit, kExitOk) << run.Err;
    EXPECT_EQ(run.Err, "");
    EXPECT_EQ(ReadDiskFile(events), ReadDiskFile(kExpected / "taverne_default" / "EVT_Taverne.d"));
}

// Code that will not compile is printed on stderr, file:line:column with the block; the files
// are written all the same (exit 0), unless --strict makes it a failure that writes nothing,
// not the library of the spoken lines either.
TEST(CliCodegen, ExportPrintsFindingsAndWritesUnlessStrict) {
    const std::string project = PathToUtf8(kExpected / "taverne_findings.dlx");
    const std::string findings =
        "DIA_Taverne.d:24:41: Schließende Klammer \")\" oder Komma in Parameterliste erwartet. "
        "(Knoten Wirt\\Hallo)\n"
        "DIA_Taverne.d:50:39: Ungültiger Verweis: #INVALID:GELöSCHT!# (Knoten Wirt\\Arbeit)\n"
        "DIA_Taverne.d:90:27: Identifier oder Literal erwartet. (Knoten Wirt\\Bier)\n"
        "EVT_Taverne.d:16:26: Semikolon \";\" erwartet. (Knoten Hilfen)\n";
    const fs::path folder = EmptyFolder("redewerk_findings") / "skripte";
    const std::string library = PathToUtf8(folder.parent_path() / "OU.csl");
    const std::string written = PathToUtf8(folder / "DIA_Taverne.d") + "\n" +
                                PathToUtf8(folder / "EVT_Taverne.d") + "\n" +
                                PathToUtf8(folder / "VAR_Taverne.d") + "\n";
    const std::vector<std::string> args = {"export",  project,    "--name",
                                           "Taverne", "--folder", PathToUtf8(folder)};
    std::vector<std::string> strict = args;
    strict.insert(strict.end(), {"--strict", "--ou", library});
    EXPECT_EQ(RunCliCommand(strict),
              (TCliRun{kExitFailure, "",
                       findings + "redewerk-cli: Der erzeugte Code enthält Fehler (--strict): "
                                  "nichts geschrieben.\n"}));
    EXPECT_FALSE(fs::exists(folder)); // not even the folder is made
    EXPECT_FALSE(fs::exists(library));
    EXPECT_EQ(RunCliCommand(args), (TCliRun{kExitOk, written, findings}));
    EXPECT_EQ(FileNames(folder),
              (std::set<std::string>{"DIA_Taverne.d", "EVT_Taverne.d", "VAR_Taverne.d"}));
}

TEST(CliCodegen, CompilePrintsOneBlockAsTheExportWritesIt) {
    const TCliRun run = RunCliCommand({"compile", kTaverne, "wirt\\arbeit\\JA"});
    EXPECT_EQ(run.Exit, kExitOk) << run.Err;
    EXPECT_EQ(run.Err, "");
    EXPECT_TRUE(run.Out.starts_with("FUNC void DIA_WIRT_ARBEIT_JA()\r\n")) << run.Out;
    EXPECT_NE(ReadDiskFile(kExpected / "taverne_default" / "DIA_Taverne.d").find(run.Out),
              std::string::npos);

    // Known targets are computed first: Bier is asked for as known, so it sets its variable.
    EXPECT_NE(RunCliCommand({"compile", kTaverne, "Wirt\\Bier"})
                  .Out.find("\tBekannt_DIA_WIRT_BIER = TRUE;\r\n"),
              std::string::npos);
}

} // namespace
} // namespace redewerk
