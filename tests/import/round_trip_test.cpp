// Whatever an import brings in, the project saves to a file that loads as the same project:
// texts that a project file cannot hold are made storable on the way in, and said so once.
#include "import/dia_import.h"
#include "import/importer.h"
#include "import_helpers.h"
#include "model/file_system.h"
#include "model/native_path.h"
#include "model/project.h"
#include "model/storable_text.h"
#include "support/recording_prompter.h"
#include "support/round_trip.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace redewerk {
namespace {

using testing::BlockText;
using testing::RoundTripProblem;
using testing::TRecordingPrompter;

const std::string kEnd(kSectionEndMarker);
const std::string kEof(kNodeListEndMarker);
const std::string kReplaced = " Zeichen ersetzt, die eine Projektdatei nicht speichern kann";

TEST(ImportRoundTrip, EveryDataFileSavesAndLoadsAsTheSameProject) {
    const std::string data = REDEWERK_TEST_DATA_DIR "/import/";
    TDiskFileSystem files;
    for (const auto& entry : std::filesystem::directory_iterator(PathFromUtf8(data + "dia"))) {
        TProject project;
        TRecordingPrompter prompter;
        ASSERT_TRUE(ImportDiaFile(project, PathToUtf8(entry.path()), TDiaImportMode::Append, files,
                                  prompter)
                        .Imported);
        EXPECT_EQ(RoundTripProblem(project), "") << entry.path();
    }
    for (const char* folder : {"scripts", "moorbach"}) {
        std::vector<std::string> scripts;
        for (const auto& entry : std::filesystem::directory_iterator(PathFromUtf8(data + folder)))
            scripts.push_back(PathToUtf8(entry.path()));
        TProject project;
        TRecordingPrompter prompter;
        ASSERT_TRUE(RunScriptImport(project, scripts, {true, true}, files, prompter).Completed);
        EXPECT_EQ(RoundTripProblem(project), "") << folder;
    }
}

TEST(ImportRoundTrip, ScriptTextsWithLineBreaksOrMarkersAreMadeStorable) {
    // A description spanning two lines, a comment line and a body line that read as markers.
    const std::string script =
        "// " + kEnd + "\r\n" +
        testing::DialogScript("DIA_Wirt_Hallo", "\tdescription\t= \"Hallo\r\nWelt\";\r\n",
                              "\treturn TRUE;\r\n", "/*\r\n" + kEof + "\r\n*/\r\n") +
        "/*\r\n" + kEnd + "\r\n*/\r\nvar int Gold;\r\n";
    TProject project;
    TRecordingPrompter prompter;
    ASSERT_TRUE(testing::ImportScripts(project, {{"DIA_Wirt.d", script}}, prompter))
        << prompter.Messages.front();
    EXPECT_EQ(prompter.Messages, std::vector<std::string>{"4" + kReplaced});
    EXPECT_EQ(BlockText(project, "IMPORT\\Wirt\\Hallo"),
              "1|Wirt|0||Hallo  Welt\n// " + kEnd + "\n\n/*\n EOF\n*/\n");
    EXPECT_EQ(project.Variables, (TLines{"", "/*", " END", "*/", "var int Gold;"}));
    EXPECT_EQ(RoundTripProblem(project), "");
}

TEST(ImportRoundTrip, DiaNamesAndTextsWithMarkersOrCarriageReturnsAreMadeStorable) {
    const std::string dia = "!" + kEnd + "\n" + // a variables line
                            "PERSON: " + kEof + "\n" + "INFO: " + kEof + "\n" +
                            "\tDESC: Wer\rbist du?\n" + "\t>" + kEnd + "\n" + "INFO: Hallo\r\n";
    TProject project;
    TRecordingPrompter prompter;
    testing::ImportDia(project, dia, prompter);
    EXPECT_EQ(RoundTripProblem(project), "");
    EXPECT_EQ(prompter.Messages.back(), "8" + kReplaced);
    EXPECT_EQ(project.Variables, TLines{" END"});
    EXPECT_EQ(project.Npcs.ClearNames, std::vector<std::string>{"_EOF"});
    EXPECT_EQ(project.Npcs.InstanceNames, std::vector<std::string>{"_EOF"});
    EXPECT_EQ(testing::Dump(project), "_EOF\n_EOF\\_EOF 1|_EOF|10||Wer bist du?\n  >>" + kEnd +
                                          "\n_EOF\\Hallo 1|_EOF|10||\n");
}

} // namespace
} // namespace redewerk
