#include "app/cli/cli.h"

#include "support/cli_runner.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

namespace redewerk {
namespace {

namespace fs = std::filesystem;
using testing::EmptyFolder;
using testing::ReadDiskFile;
using testing::RunCliCommand;
using testing::TCliRun;
using testing::WriteTempFile;

const fs::path kData = PathFromUtf8(REDEWERK_TEST_DATA_DIR);
const std::string kDate = "date 6.12.2026 09:05:00\n";
constexpr int64_t kTime = 1796547900; // 6.12.2026 09:05:00 UTC

void SetTime(const std::string& file, int64_t seconds) {
    const auto time = std::chrono::sys_seconds(std::chrono::seconds(seconds));
    fs::last_write_time(PathFromUtf8(file), std::chrono::file_clock::from_sys(time));
}

std::string Summary(int added, int replaced, int unchanged) {
    return "Ausgabeeinheiten: " + std::to_string(added) + " hinzugefügt, " +
           std::to_string(replaced) + " ersetzt, " + std::to_string(unchanged) + " unverändert.\n";
}

TEST(CliOutputUnits, WritesAndMergesTheLinesOfTheScripts) {
    const fs::path folder = EmptyFolder("redewerk_ou_merge");
    const std::string a =
        WriteTempFile("redewerk_ou_merge/a.d", "AI_Output (other, self, \"DIA_Wirt_Hallo_15_00\"); "
                                               "//Grüß dich, Wirt!\r\n");
    const std::string b = WriteTempFile(
        "redewerk_ou_merge/b.d", "AI_Output (self, other, \"DIA_Wirt_Hallo_08_01\");\r\n"
                                 "AI_Output (self, other, \"dia_wirt_hallo_15_00\"); //anders\r\n");
    SetTime(a, kTime - 3600);
    SetTime(b, kTime);
    const std::string library = PathToUtf8(folder / "OU.csl");
    const std::string warning = b +
                                ":2: Warnung: Der Ausgabename \"dia_wirt_hallo_15_00\" steht "
                                "schon in " +
                                a + ":1 mit einem anderen Text; es gilt der erste.\n";
    EXPECT_EQ(RunCliCommand({"ou", library, a, b}), (TCliRun{0, Summary(2, 0, 0), warning}));
    EXPECT_EQ(ReadDiskFile(library), ReadDiskFile(kData / "gamefiles/new_library.csl"));

    // Merged into itself, a changed line replaces its entry; with a compiled library beside
    // it, the reminder follows.
    WriteTempFile("redewerk_ou_merge/OU.bin", "");
    WriteTempFile("redewerk_ou_merge/a.d", "AI_Output (other, self, \"DIA_WIRT_HALLO_15_00\"); "
                                           "//Na?\r\n");
    const std::string reminder = "Das Spiel liest " + PathToUtf8(folder / "OU.bin") +
                                 " statt der neuen Bibliothek, solange es diese Datei gibt: sie "
                                 "muss gelöscht werden, damit das Spiel die Bibliothek neu "
                                 "einliest.\n";
    EXPECT_EQ(RunCliCommand({"ou", library, a, "--into", library}),
              (TCliRun{0, Summary(0, 1, 0) + reminder, ""}));
    const std::string merged = ReadDiskFile(library);
    EXPECT_NE(merged.find(kDate), std::string::npos);
    EXPECT_NE(merged.find("\t\tblockName=string:DIA_WIRT_HALLO_15_00\n"), std::string::npos);
    EXPECT_NE(merged.find("\t\t\t\ttext=string:Na?\n"), std::string::npos);
}

// export --ou merges the spoken lines of the written scripts into the library, a new one
// dated with the project file; ou over the same scripts then finds nothing to change.
TEST(CliOutputUnits, ExportUpdatesTheLibraryAfterTheScripts) {
    const fs::path folder = EmptyFolder("redewerk_ou_export");
    const fs::path project = folder / "Taverne.dlx";
    fs::copy_file(PathFromUtf8(REDEWERK_SOURCE_DIR) / "examples/Taverne.dlx", project);
    SetTime(PathToUtf8(project), kTime);
    const std::string library = PathToUtf8(folder / "OU.csl");
    const fs::path scripts = folder / "skripte";
    const auto exportArgs = [&](std::vector<std::string> more) {
        std::vector<std::string> args = {"export",   PathToUtf8(project), "--name",      "Taverne",
                                         "--folder", PathToUtf8(scripts), "--overwrite", "--ou",
                                         library};
        args.insert(args.end(), more.begin(), more.end());
        return args;
    };
    const std::string written = PathToUtf8(scripts / "DIA_Taverne.d") + "\n" +
                                PathToUtf8(scripts / "EVT_Taverne.d") + "\n" +
                                PathToUtf8(scripts / "VAR_Taverne.d") + "\n";
    EXPECT_EQ(RunCliCommand(exportArgs({})),
              (TCliRun{0, written + library + "\n" + Summary(12, 0, 0), ""}));
    const std::string content = ReadDiskFile(library);
    EXPECT_NE(content.find(kDate + "user Redewerk\n"), std::string::npos);
    EXPECT_NE(content.find("\n\tNumOfItems=int:12\n\t[% zCCSBlock 0 1]\n\t\tblockName=string:"
                           "DIA_WIRT_HALLO_00\n"),
              std::string::npos);

    std::vector<std::string> ou = {"ou", library};
    for (const char* file : {"DIA_Taverne.d", "EVT_Taverne.d", "VAR_Taverne.d"})
        ou.push_back(PathToUtf8(scripts / file));
    ou.insert(ou.end(), {"--into", library});
    EXPECT_EQ(RunCliCommand(ou), (TCliRun{0, Summary(0, 0, 12), ""}));
    EXPECT_EQ(ReadDiskFile(library), content);

    // A broken library fails the export after the scripts and stays as it was.
    WriteTempFile("redewerk_ou_export/OU.csl", "kaputt");
    EXPECT_EQ(RunCliCommand(exportArgs({})),
              (TCliRun{1, written,
                       library + ":1: Keine ZenGin-Archivdatei: die erste Zeile lautet nicht "
                                 "\"ZenGin Archive\".\n"}));
    EXPECT_EQ(ReadDiskFile(library), "kaputt");
}

} // namespace
} // namespace redewerk
