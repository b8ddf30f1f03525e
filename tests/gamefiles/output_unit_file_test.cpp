#include "gamefiles/output_unit_file.h"

#include "support/memory_file_system.h"
#include "support/recording_prompter.h"
#include "test_data.h"

#include <gtest/gtest.h>

namespace redewerk {
namespace {

using testing::GameFileData;
using testing::TMemoryFileSystem;
using testing::TRecordingPrompter;

struct TOutputUnitFileTest : ::testing::Test {
    TMemoryFileSystem Files;
    TRecordingPrompter Prompter;
    const std::string Library = "/spiel/OU.csl";

    void SetUp() override {
        // Written as a modern editor saves it: UTF-8; the library holds Windows-1252.
        Files.Files["/mod/a.d"] =
            "AI_Output (other, self, \"DIA_Wirt_Hallo_15_00\"); //Gr\xC3\xBC\xC3\x9F "
            "dich, Wirt!\r\n";
        Files.Files["/mod/b.d"] = "AI_Output (self, other, \"DIA_Wirt_Hallo_08_01\");\r\n";
        Files.Times = {{"/mod/a.d", 1796547900 - 60}, {"/mod/b.d", 1796547900}};
    }

    TOutputUnitReport Update(const std::string& into = {}) {
        return UpdateOutputUnitsFromFiles(Files, Prompter, {"/mod/a.d", "/mod/b.d"}, Library, into);
    }
};

// A new library holds the lines in script order, byte for byte as the game's tools write it,
// dated with the newest script: the same scripts give the same file.
TEST_F(TOutputUnitFileTest, WritesANewLibraryDatedWithTheNewestScript) {
    const TOutputUnitReport report = Update();
    EXPECT_TRUE(report.Written) << report.Error;
    EXPECT_EQ(OutputUnitSummary(report.Merge),
              "Ausgabeeinheiten: 2 hinzugef\xFCgt, 0 ersetzt, 0 unver\xE4ndert.");
    EXPECT_EQ(Files.Files[Library], GameFileData("new_library.csl"));
    EXPECT_EQ(report.CompiledTwin, "");

    // Merged into itself, nothing changes.
    const TOutputUnitReport again = Update(Library);
    EXPECT_EQ(OutputUnitSummary(again.Merge), "Ausgabeeinheiten: 0 hinzugef\xFC"
                                              "gt, 0 ersetzt, 2 unver\xE4ndert.");
    EXPECT_EQ(Files.Files[Library], GameFileData("new_library.csl"));
    EXPECT_TRUE(Prompter.Messages.empty());
}

// Nothing is written when a script or the library cannot be read or the file cannot be
// written; the message says which file, and where.
TEST_F(TOutputUnitFileTest, LeavesTheLibraryAloneWhenSomethingFails) {
    struct TCase {
        const char* Name;
        std::function<void()> Break;
        std::string Into;
        std::string Error;
    };
    const TCase cases[] = {
        {"broken library", [&] { Files.Files[Library] = "ZenGin Archive\nver 1\nASCII\n"; },
         Library, "/spiel/OU.csl:3: Der Kopf des Archivs endet nicht mit END."},
        {"no library", [&] { Files.Files[Library] = "ZenGin Archive\nASCII\nEND\nEND\n"; }, Library,
         "/spiel/OU.csl: Die Datei enth\xE4lt keine Bibliothek der Ausgabeeinheiten (zCCSLib)."},
        {"missing library", [] {}, "/spiel/fehlt.csl",
         "Ausgabeeinheiten: /spiel/fehlt.csl kann nicht gelesen werden: E/A-Fehler 2"},
        {"missing script",
         [&] { Files.Files.erase("/mod/b.d"); },
         {},
         "Ausgabeeinheiten: /mod/b.d kann nicht gelesen werden: E/A-Fehler 2"},
        {"lexical fault",
         [&] { Files.Files["/mod/b.d"] += "x = $;"; },
         {},
         "/mod/b.d:2: Ung\xFCltiges Zeichen: $"},
        {"full disk",
         [&] { Files.WriteError = 28; },
         {},
         "Ausgabeeinheiten: /spiel/OU.csl kann nicht geschrieben werden: E/A-Fehler 28"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        SetUp();
        Files.Files[Library] = "alt";
        Files.WriteError = 0;
        c.Break();
        const std::string before = Files.Files[Library];
        const TOutputUnitReport report = Update(c.Into);
        EXPECT_FALSE(report.Written);
        EXPECT_EQ(report.Error, c.Error);
        EXPECT_EQ(Files.Files[Library], before);
    }
}

// The window names the compiled library beside the written one and deletes it on "Ja".
TEST_F(TOutputUnitFileTest, OffersToDeleteTheCompiledLibrary) {
    const std::string question =
        "Ausgabeeinheiten: 2 hinzugef\xFCgt, 0 ersetzt, 0 unver\xE4ndert.\r\n\r\nDas Spiel liest "
        "/spiel/OU.BIN statt der neuen Bibliothek, solange es diese Datei gibt: sie muss "
        "gel\xF6scht werden, damit das Spiel die Bibliothek neu einliest.\r\n\r\nJetzt "
        "l\xF6schen?";
    for (const bool yes : {false, true}) {
        Files.Files = {{"/mod/a.d", "AI_Output (self, other, \"A\");"},
                       {"/mod/b.d", "AI_Output (self, other, \"B\");"},
                       {"/spiel/OU.BIN", "bin"}};
        Prompter.Questions.clear();
        Prompter.YesNoAnswers = {yes};
        const TOutputUnitReport report = Update();
        EXPECT_EQ(report.CompiledTwin, "/spiel/OU.BIN");
        ShowOutputUnitReport(report, Files, Prompter);
        EXPECT_EQ(Prompter.Questions, std::vector<std::string>{question});
        EXPECT_EQ(Files.Files.count("/spiel/OU.BIN"), yes ? 0u : 1u);
    }
    EXPECT_TRUE(Prompter.Messages.empty());
}

// Many warnings make one message that ends with how many more there are.
TEST_F(TOutputUnitFileTest, ShowsTheFirstWarningsInOneMessage) {
    TOutputUnitReport report;
    for (int i = 1; i <= 22; ++i)
        report.Warnings.push_back("w" + std::to_string(i));
    ShowOutputUnitReport(report, Files, Prompter);
    std::string expected = "w1";
    for (int i = 2; i <= 20; ++i)
        expected += "\r\nw" + std::to_string(i);
    EXPECT_EQ(Prompter.Messages, std::vector<std::string>{expected + "\r\n... und 2 weitere."});
    EXPECT_TRUE(Prompter.Questions.empty());
}

} // namespace
} // namespace redewerk
