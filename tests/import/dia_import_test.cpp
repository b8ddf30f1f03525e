#include "import/dia_import.h"

#include "codegen/compiled.h"
#include "codegen/exporter.h"
#include "daedalus/syntax_checker.h"
#include "import/progress.h"
#include "import_helpers.h"
#include "model/file_system.h"
#include "model/project.h"
#include "model/text_lines.h"
#include "support/memory_file_system.h"
#include "support/recording_prompter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

namespace redewerk {
namespace {

using testing::BlockAt;
using testing::Dump;
using testing::DumpWithVariables;
using testing::ImportDia;
using testing::ReadDataFile;
using testing::TRecordingPrompter;
using testing::TreeOutline;

const std::string kDataDir = REDEWERK_TEST_DATA_DIR "/import/dia/";
const std::string kExpectedDir = REDEWERK_TEST_DATA_DIR "/import/dia_expected/";

TDiaImportResult ImportDataFile(TProject& project, const std::string& name,
                                TRecordingPrompter& prompter) {
    TDiskFileSystem files;
    return ImportDiaFile(project, kDataDir + name, TDiaImportMode::Append, files, prompter);
}

// The merchant: important dialogs take no description from the hero; a bare "%" in option Ja
// lists Ja in its dialog, and Nein after it as well. The pickpocket: the DoIt option stays
// open, the following line of the file lands in it.
TEST(DiaImport, DataFilesBuildEveryBlock) {
    const std::pair<std::string, size_t> cases[] = {{"haendler", 8}, {"pickpocket", 7}};
    for (const auto& [name, blocks] : cases) {
        SCOPED_TRACE(name);
        TProject project;
        TRecordingPrompter prompter;
        const TDiaImportResult result = ImportDataFile(project, name + ".dia", prompter);
        ASSERT_TRUE(result.Imported);
        EXPECT_EQ(prompter.Messages, std::vector<std::string>{});
        EXPECT_EQ(result.ExpandNode, nullptr); // the first new node is a top-row folder
        EXPECT_EQ(result.Blocks.size(), blocks);
        std::string dump = DumpWithVariables(project) + "-- NPCs --\n";
        for (size_t i = 0; i < project.Npcs.ClearNames.size(); ++i)
            dump += project.Npcs.ClearNames[i] + " = " + project.Npcs.InstanceNames[i] + "\n";
        EXPECT_EQ(dump, ReadDataFile(kExpectedDir + name + ".txt"));
    }
}

struct TStages : TImportProgress {
    std::vector<std::string> Stages;
    std::vector<int> Bars;
    void ShowProgress(const std::string& stageText, int, int, int barValue) override {
        Stages.push_back(stageText);
        Bars.push_back(barValue);
    }
};

TEST(DiaImport, ProgressRunsToHalfWhileReadingAndToTheEndWhileConverting) {
    std::string text = "PERSON: VLK_1_Wirt\nINFO: Hallo\n";
    for (int i = 0; i < 98; ++i)
        text += ">Zeile\n"; // 100 lines
    TProject project;
    TRecordingPrompter prompter;
    TStages progress;
    ASSERT_TRUE(ImportDiaText(project, text, TDiaImportMode::Append, prompter, &progress).Imported);
    EXPECT_EQ(progress.Bars, (std::vector<int>{0, 250, 500, 500, 1000}));
    EXPECT_EQ(progress.Stages.front(), "QDC-Datei einlesen...");
    EXPECT_EQ(progress.Stages.back(), "Verweise umwandeln...");
}

// A file that is missing or cannot be read changes nothing, not even in replace mode, and
// the dialog keeps the option the user chose.
TEST(DiaImport, MissingOrUnreadableFileChangesNothing) {
    TProject project;
    TRecordingPrompter prompter;
    ImportDia(project, "PERSON: VLK_1_Wirt\nINFO: Hallo\n", prompter);
    testing::TMemoryFileSystem memory;
    memory.Files["/d/H\xC3\xA4ndler.dia"] = "PERSON: VLK_2_Schmied\nINFO: Neu\n";
    for (int error : {0, 13}) {
        memory.ReadError = error;
        const std::string path = error ? "/d/H\xC3\xA4ndler.dia" : "/d/fehlt.dia";
        const TDiaImportResult result =
            ImportDiaFile(project, path, TDiaImportMode::ReplaceProject, memory, prompter);
        EXPECT_FALSE(result.Imported);
        EXPECT_EQ(result.Mode, TDiaImportMode::ReplaceProject);
        EXPECT_EQ(TreeOutline(project), (std::vector<std::string>{"Wirt 0", "  Hallo 1"}));
    }
    EXPECT_EQ(prompter.Messages, (std::vector<std::string>{"Die angegebene Datei existiert nicht!",
                                                           "E/A-Fehler 13\r\n/d/H\xE4ndler.dia"}));
}

TEST(DiaImport, ReplaceClearsTheProjectFirst) {
    TProject project;
    TRecordingPrompter prompter;
    ImportDia(project, "!var int Alt;\nPERSON: VLK_1_Wirt\nINFO: Alt\n", prompter);
    const TDiaImportResult result = ImportDiaText(project, "PERSON: VLK_2_Schmied\nINFO: Neu\n",
                                                  TDiaImportMode::ReplaceProject, prompter);
    EXPECT_EQ(result.Mode, TDiaImportMode::ReplaceProject);
    EXPECT_EQ(TreeOutline(project), (std::vector<std::string>{"Schmied 0", "  Neu 1"}));
    EXPECT_EQ(project.Variables, TLines{});
    EXPECT_EQ(project.Npcs.ClearNames, std::vector<std::string>{"Schmied"});
    EXPECT_EQ(BlockAt(project, "Schmied\\Neu").Id, 0);
}

TEST(DiaImport, AppendReusesTheNpcFolderWhateverItsCase) {
    TProject project;
    TRecordingPrompter prompter;
    TNode* folder = project.Tree.AppendChild(nullptr, "wirt");
    project.CreateElement(project.Tree.AppendChild(folder, "Alt"), ekDialog);
    const TDiaImportResult result = ImportDiaText(
        project, "PERSON: VLK_1_Wirt\nINFO: Hallo\nOPT: Ja\n", TDiaImportMode::Append, prompter);
    EXPECT_EQ(TreeOutline(project),
              (std::vector<std::string>{"wirt 0", "  Alt 1", "  Hallo 1", "    Ja 3"}));
    EXPECT_EQ(BlockAt(project, "wirt\\Hallo").Id, 1);
    EXPECT_EQ(result.ExpandNode, folder);
    EXPECT_EQ(result.Blocks, (std::vector<TNode*>{project.Tree.FindByPath("wirt\\Hallo"),
                                                  project.Tree.FindByPath("wirt\\Hallo\\Ja")}));
}

TEST(DiaImport, IntoSelectedPutsTheNpcFoldersBelowTheSelectedNode) {
    TProject project;
    TRecordingPrompter prompter;
    // Without a selection the folders go to the top row.
    project.Tree.AppendChild(nullptr, "Wirt"); // a top-row folder of the same name is not used
    EXPECT_EQ(ImportDiaText(project, "PERSON: VLK_3_Bauer\nINFO: B\n", TDiaImportMode::IntoSelected,
                            prompter)
                  .Mode,
              TDiaImportMode::Append);
    TNode* mod = project.Selected = project.Tree.AppendChild(nullptr, "Mod");
    const TDiaImportResult result =
        ImportDiaText(project,
                      "PERSON: VLK_1_Wirt\nINFO: Hallo\nCONDDIA: Frage\n%Ja\nOPT: Ja\n%\n"
                      "INFO: Frage\nPERSON: VLK_2_Schmied\nINFO: A\n",
                      TDiaImportMode::IntoSelected, prompter);
    EXPECT_EQ(result.Mode, TDiaImportMode::IntoSelected);
    EXPECT_EQ(result.ExpandNode, mod);
    EXPECT_EQ(Dump(project, false),
              "Wirt\nBauer\nBauer\\B\nMod\nMod\\Wirt\nMod\\Wirt\\Hallo\n"
              "  ? if (#!Mod\\Wirt\\Frage#)\n  ++#Mod\\Wirt\\Hallo\\Ja#\n"
              "  ++#Mod\\Wirt\\Hallo\\Ja#\n  known #Mod\\Wirt\\Frage#\n"
              "Mod\\Wirt\\Hallo\\Ja\nMod\\Wirt\\Frage\nMod\\Schmied\nMod\\Schmied\\A\n");
    EXPECT_EQ(prompter.Messages, std::vector<std::string>{});
}

// Files that a modern editor saved as UTF-8, with or without the byte-order mark, are read as
// the Windows-1252 text they stand for; the mark does not hide the first line.
TEST(DiaImport, Utf8FilesAreReadAsTheirText) {
    TProject project;
    TRecordingPrompter prompter;
    testing::TMemoryFileSystem memory;
    memory.Files["bom.dia"] =
        "\xEF\xBB\xBFPERSON: VLK_1_Wirt\r\nINFO: Hallo\r\n>Gr\xC3\xBC\xC3\x9F dich!\r\n";
    memory.Files["ohne.dia"] = "PERSON: VLK_2_Schmied\nINFO: Hallo\n<Sch\xC3\xB6n.\n";
    for (const char* name : {"bom.dia", "ohne.dia"})
        ASSERT_TRUE(
            ImportDiaFile(project, name, TDiaImportMode::Append, memory, prompter).Imported);
    EXPECT_EQ(prompter.Messages, std::vector<std::string>{});
    EXPECT_EQ(BlockAt(project, "Wirt\\Hallo").Body, TLines{">>Gr\xFC\xDF dich!"});
    EXPECT_EQ(BlockAt(project, "Schmied\\Hallo").Body, TLines{"<<Sch\xF6n."});
}

// Imported dialogs must export to scripts that the game's compiler accepts: every rule of the
// importer writes Daedalus or the editor's notation, and the exporter turns the notation into
// Daedalus.
TEST(DiaImport, ImportedFilesExportToValidScripts) {
    TProject project;
    TRecordingPrompter prompter;
    // The merchant twice: the second copy's blocks take free names, so no instance is declared
    // twice.
    for (const char* name : {"haendler.dia", "pickpocket.dia", "haendler.dia"})
        ASSERT_TRUE(ImportDataFile(project, name, prompter).Imported);

    TCompiled compiled;
    compiled.ProjectName = "Markt";
    compiled.Folder = "/exp";
    compiled.WriteNpcGlobals = true;
    testing::TMemoryFileSystem files;
    TExportReport report = ExportProject(project, compiled, files, prompter);
    ASSERT_EQ(report.Result, TExportResult::Exported);
    EXPECT_EQ(prompter.Messages, std::vector<std::string>{});
    EXPECT_EQ(prompter.Questions, std::vector<std::string>{});
    ASSERT_EQ(report.WrittenFiles.size(), 4u);

    for (const auto& path : report.WrittenFiles) {
        const std::string& script = files.Files.at(path);
        TCheckResult result = CheckSyntax(script, TCheckMode::Declarations);
        EXPECT_TRUE(result.Ok) << path << ": " << result.Message << " at "
                               << script.substr(static_cast<size_t>(std::max(result.ErrorPos, 0)),
                                                60);
    }
    // The choices, the known-reference and the pickpocket condition made it into the code.
    const std::string& dialogs = files.Files.at(report.WrittenFiles[0]); // DIA_Markt.d
    for (const char* expected : {
             "Info_AddChoice (DIA_HAENDLER_HALLO, \"Ich will kaufen.\", "
             "DIA_HAENDLER_HALLO_KAUFEN);",
             "Npc_KnowsInfo (hero, DIA_HAENDLER_HALLO)",
             "if (C_Beklauen(60, 80))",
             "Info_AddChoice (DIA_BAEUERIN_PICKPOCKET, DIALOG_BACK, "
             "DIA_BAEUERIN_PICKPOCKET_BACK);",
         })
        EXPECT_NE(dialogs.find(expected), std::string::npos) << expected;

    std::set<std::string> instances;
    for (const auto& line : SplitLines(dialogs)) {
        if (line.starts_with("instance ")) {
            EXPECT_TRUE(instances.insert(line).second) << "declared twice: " << line;
        }
    }
    EXPECT_EQ(instances.count("instance DIA_HAENDLER_HALLO_2 (C_INFO)"), 1u);
    EXPECT_NE(dialogs.find("Info_AddChoice (DIA_HAENDLER_HALLO_2, \"Ich will kaufen.\", "
                           "DIA_HAENDLER_HALLO_2_KAUFEN);"),
              std::string::npos);
}

} // namespace
} // namespace redewerk
