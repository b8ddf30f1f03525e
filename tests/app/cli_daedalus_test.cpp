#include "app/cli/cli.h"
#include "model/cp1252.h"
#include "model/file_system.h"
#include "model/script_file.h"

#include "support/cli_runner.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace redewerk {
namespace {

using testing::RunCliCommand;
using testing::TCliRun;

class CliDaedalus : public ::testing::Test {
protected:
    std::string Write(const std::string& name, const std::string& content) {
        std::string path = ::testing::TempDir() + "/" + name;
        EXPECT_EQ(Files.WriteFile(path, content), 0);
        return path;
    }
    TDiskFileSystem Files;
};

TEST_F(CliDaedalus, CheckReportsOkOrLineColumnAndMessage) {
    const std::string good = Write("gut.d", "func void f() {\r\n\tx = 1;\r\n};\r\n");
    // The error is on the third line: "= ;" has no operand; the ";" is at column 6.
    const std::string bad = Write("schlecht.d", "func void f() {\r\n\tx = 1;\r\n\ty = ;\r\n};");
    TCliRun run = RunCliCommand({"check", good, bad});
    EXPECT_EQ(run.Exit, kExitFailure);
    EXPECT_EQ(run.Out, good + ": Syntax ok\n" + bad + ":3:6: Identifier oder Literal erwartet.\n");
    EXPECT_EQ(run.Err, "");

    run = RunCliCommand({"check", good});
    EXPECT_EQ(run.Exit, kExitOk);
}

TEST_F(CliDaedalus, CheckModesAndUtf8Messages) {
    const std::string condition = Write("bedingung.d", "if Npc_KnowsInfo(other, #3#)");
    const std::string body = Write("rumpf.d", ">> Hallo\nvar gr\xF6\xDF"
                                              "e x;");
    EXPECT_EQ(RunCliCommand({"check", "--condition", condition}).Out, condition + ": Syntax ok\n");
    EXPECT_EQ(RunCliCommand({"check", condition}).Out,
              condition + ":1:1: Ungültiges Statement oder ungültiges Zeichen.\n");
    // An LF alone ends a line too; the message is converted to UTF-8.
    TCliRun run = RunCliCommand({"check", "--statements", body});
    EXPECT_EQ(run.Out, body + ":2:5: Ungültiger Datentyp: GRößE\n");
    EXPECT_EQ(run.Exit, kExitFailure);
}

TEST_F(CliDaedalus, CheckReadsUtf8ScriptsAsWindows1252) {
    // Columns count characters of the Windows-1252 text, not UTF-8 bytes.
    const std::string utf8 = Write("utf8.d", "const string S = \"\xC3\xA4\xC3\xB6\" + ;\r\n");
    TCliRun run = RunCliCommand({"check", utf8});
    EXPECT_EQ(run.Out, utf8 + ":1:25: Identifier oder Literal erwartet.\n");
    EXPECT_EQ(run.Err, "");

    // A character without a Windows-1252 form becomes "?" and is reported once.
    const std::string lossy = Write("pfeil.d", "// A \xE2\x86\x92 B\r\nvar int x;\r\n");
    run = RunCliCommand({"check", lossy});
    EXPECT_EQ(run.Out, lossy + ": Syntax ok\n");
    EXPECT_EQ(run.Exit, kExitOk);
    EXPECT_EQ(run.Err, Cp1252ToUtf8(LossyScriptWarning(lossy)) + "\n");
}

TEST_F(CliDaedalus, CheckOfTheDialogScriptIsClean) {
    const std::string script = std::string(REDEWERK_TEST_DATA_DIR) + "/daedalus/dialoge.d";
    TCliRun run = RunCliCommand({"check", "--declarations", script});
    EXPECT_EQ(run.Out, script + ": Syntax ok\n");
    EXPECT_EQ(run.Exit, kExitOk);
}

TEST_F(CliDaedalus, UnreadableFileExitsWithTwoAndGoesOn) {
    const std::string missing = ::testing::TempDir() + "/fehlt.d";
    std::filesystem::remove(missing);
    const std::string good = Write("gut2.d", "var int x;");
    TCliRun run = RunCliCommand({"check", missing, good});
    EXPECT_EQ(run.Exit, kExitUsage);
    EXPECT_EQ(run.Err,
              "redewerk-cli: Die Datei " + missing + " kann nicht gelesen werden: E/A-Fehler 2\n");
    EXPECT_EQ(run.Out, good + ": Syntax ok\n");
}

TEST_F(CliDaedalus, UsageErrors) {
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"check"},
             {"check", "--condition"},
             {"check", "--condition", "--statements", "a.d"},
             {"check", "--quiet", "a.d"},
             {"highlight"},
             {"highlight", "a.d", "b.d"},
             {"highlight", "a.d", "-o"},
             {"highlight", "a.d", "-o", "x.rtf", "-o", "y.rtf"}}) {
        TCliRun run = RunCliCommand(args);
        EXPECT_EQ(run.Exit, kExitUsage) << args.size();
        EXPECT_NE(run.Err.find("Aufruf: redewerk-cli"), std::string::npos);
    }
}

TEST_F(CliDaedalus, HighlightWritesTheDocumentUnchanged) {
    const std::string source = Write("farbig.d", "if x\r\n{ \"\xE4\" };");
    const std::string expected =
        "{\\rtf1 {\\colortbl ;\\red255\\green255\\blue255;\\red0\\green0\\blue0;"
        "\\red128\\green128\\blue128;\\red255\\green140\\blue0;\\red255\\green0\\blue255;"
        "\\red255\\green0\\blue0;\\red0\\green0\\blue255;\\red128\\green0\\blue128;"
        "\\red0\\green128\\blue128;\\red170\\green68\\blue0;\\red68\\green0\\blue170;"
        "\\red0\\green128\\blue0;}\\ulnone \\b0 \\i0 \\cf7 if \\cf2 x\\par\r\n"
        "\\cf3 \\{ \\cf8 \"\xE4\" \\cf3 \\};\\par\r\n}";
    TCliRun run = RunCliCommand({"highlight", source});
    EXPECT_EQ(run.Exit, kExitOk) << run.Err;
    EXPECT_EQ(run.Out, expected);

    const std::string target = ::testing::TempDir() + "/farbig.rtf";
    run = RunCliCommand({"highlight", source, "-o", target});
    EXPECT_EQ(run.Exit, kExitOk) << run.Err;
    EXPECT_EQ(run.Out, "");
    std::string written;
    ASSERT_EQ(Files.ReadFile(target, written), 0);
    EXPECT_EQ(written, expected);

    run = RunCliCommand({"highlight", ::testing::TempDir() + "/gibtsnicht.d", "-o", target});
    EXPECT_EQ(run.Exit, kExitFailure);
    ASSERT_EQ(Files.ReadFile(target, written), 0);
    EXPECT_EQ(written, expected); // the earlier output is left alone
}

} // namespace
} // namespace redewerk
