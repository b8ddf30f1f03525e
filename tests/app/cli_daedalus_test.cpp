#include "app/cli/cli.h"

#include "support/cli_runner.h"
#include "support/memory_file_system.h"

#include <gtest/gtest.h>

namespace redewerk {
namespace {

using testing::RunCliCommand;
using testing::TCliRun;

// Each file checked alone: "Syntax ok" or LINE:COLUMN of the error and its message in UTF-8.
TEST(CliDaedalus, CheckReportsOkOrLineColumnAndMessage) {
    const char* const cases[][3] = {
        // option, content, the result after "f.d"
        // The ";" of "y = ;" on the third line, at column 6, has no operand.
        {"", "func void f() {\r\n\tx = 1;\r\n\ty = ;\r\n};",
         ":3:6: Identifier oder Literal erwartet."},
        {"--condition", "if Npc_KnowsInfo(other, #3#)", ": Syntax ok"},
        {"", "if Npc_KnowsInfo(other, #3#)", ":1:1: Ungültiges Statement oder ungültiges Zeichen."},
        // An LF alone ends a line too.
        {"--statements", ">> Hallo\nvar m\xF6hre x;", ":2:5: Ungültiger Datentyp: MöHRE"},
        // UTF-8 files are read as Windows-1252: columns count characters, not UTF-8 bytes.
        {"", "const string S = \"\xC3\xA4\xC3\xB6\" + ;",
         ":1:25: Identifier oder Literal erwartet."},
    };
    for (const auto& [option, content, result] : cases) {
        SCOPED_TRACE(content);
        testing::TMemoryFileSystem files;
        files.Files["f.d"] = content;
        std::vector<std::string> args = {"check", "f.d"};
        if (*option) args.insert(args.begin() + 1, option);
        const std::string out = std::string("f.d") + result + "\n";
        EXPECT_EQ(RunCliCommand(args, files),
                  (TCliRun{out.ends_with("Syntax ok\n") ? kExitOk : kExitFailure, out, ""}));
    }
}

// An unreadable file exits with 2 at the end, but the other files are still checked. A
// character of a UTF-8 file without a Windows-1252 form becomes "?" and is reported once.
TEST(CliDaedalus, CheckGoesOnAfterAFailedFile) {
    testing::TMemoryFileSystem files;
    files.Files["schlecht.d"] = "func void f() {\r\n\ty = ;\r\n};";
    files.Files["pfeil.d"] = "// A \xE2\x86\x92 B\r\nvar int x;\r\n";
    EXPECT_EQ(RunCliCommand({"check", "fehlt.d", "schlecht.d", "pfeil.d"}, files),
              (TCliRun{kExitUsage,
                       "schlecht.d:2:6: Identifier oder Literal erwartet.\npfeil.d: Syntax ok\n",
                       "redewerk-cli: Die Datei fehlt.d kann nicht gelesen werden: E/A-Fehler 2\n"
                       "Warnung: Die Datei \"pfeil.d\" enth\xC3\xA4lt Zeichen, die es in "
                       "Windows-1252 nicht gibt.\nSie wurden durch \"?\" ersetzt.\n"}));
}

TEST(CliDaedalus, HighlightWritesTheRtfDocument) {
    const std::string expected =
        "{\\rtf1 {\\colortbl ;\\red255\\green255\\blue255;\\red0\\green0\\blue0;"
        "\\red128\\green128\\blue128;\\red255\\green140\\blue0;\\red255\\green0\\blue255;"
        "\\red255\\green0\\blue0;\\red0\\green0\\blue255;\\red128\\green0\\blue128;"
        "\\red0\\green128\\blue128;\\red170\\green68\\blue0;\\red68\\green0\\blue170;"
        "\\red0\\green128\\blue0;}\\ulnone \\b0 \\i0 \\cf7 if \\cf2 x\\par\r\n"
        "\\cf3 \\{ \\cf8 \"\xE4\" \\cf3 \\};\\par\r\n}";
    testing::TMemoryFileSystem files;
    files.Files["farbig.d"] = "if x\r\n{ \"\xE4\" };";
    EXPECT_EQ(RunCliCommand({"highlight", "farbig.d"}, files), (TCliRun{kExitOk, expected, ""}));
    EXPECT_EQ(RunCliCommand({"highlight", "farbig.d", "-o", "farbig.rtf"}, files),
              (TCliRun{kExitOk, "", ""}));
    EXPECT_EQ(files.Files["farbig.rtf"], expected);

    // A failed write leaves the earlier output alone.
    files.WriteError = 28;
    EXPECT_EQ(RunCliCommand({"highlight", "farbig.d", "-o", "farbig.rtf"}, files),
              (TCliRun{kExitFailure, "",
                       "redewerk-cli: Die Datei farbig.rtf kann nicht geschrieben werden: "
                       "E/A-Fehler 28\n"}));
    EXPECT_EQ(files.Files["farbig.rtf"], expected);
}

} // namespace
} // namespace redewerk
