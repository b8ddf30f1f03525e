#include "codegen/compiler.h"
#include "codegen/exporter.h"

#include "model/file_system.h"
#include "model/native_path.h"
#include "model/project.h"

#include "support/memory_file_system.h"
#include "support/project_builder.h"
#include "support/recording_prompter.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace redewerk {

void PrintTo(const TExportFinding& finding, std::ostream* out) {
    *out << FormatFinding(finding) << " #" << finding.Id;
}

namespace {

using testing::AddBlock;
using Answer = TPrompter::TOverwriteAnswer;

// The name the exporter gives a file in the folder: the folder made absolute ("C:\exp" on
// Windows), the system's separator, the name.
std::string ExportedFile(const std::string& folder, const std::string& name) {
    return PathToUtf8(std::filesystem::absolute(PathFromUtf8(folder)).lexically_normal() /
                      PathFromUtf8(name));
}

// The files of an expected-output folder, by the names the exporter gives them in "/exp".
std::map<std::string, std::string> ExpectedFiles(const std::string& layout) {
    std::map<std::string, std::string> expected;
    TDiskFileSystem disk;
    const std::string folder = REDEWERK_TEST_DATA_DIR "/codegen/exporter/" + layout;
    for (const auto& entry : std::filesystem::directory_iterator(PathFromUtf8(folder))) {
        std::string& content = expected[ExportedFile("/exp", PathToUtf8(entry.path().filename()))];
        EXPECT_EQ(disk.ReadFile(PathToUtf8(entry.path()), content), 0) << entry.path();
    }
    return expected;
}

// Fails every write after the first `GoodWrites` ones, like a disk that fills up, and makes
// no folder while `CreateError` is set.
class TFailingFileSystem : public testing::TMemoryFileSystem {
public:
    int GoodWrites = 100;
    int CreateError = 0;
    int WriteFile(const std::string& path, std::string_view content) override {
        if (GoodWrites-- <= 0) return 28;
        return TMemoryFileSystem::WriteFile(path, content);
    }
    int MakeDirectory(const std::string& path) override {
        return CreateError ? CreateError : TMemoryFileSystem::MakeDirectory(path);
    }
};

// An Event that runs once, an important one in the loop, a Choice and a Code block.
class Exporter : public ::testing::Test {
protected:
    Exporter() {
        project.Variables = {"var int x;"};
        TElement& once = AddBlock(project, "E", ekEvent);
        once.Condition = {"if (x == 1)"};
        once.Body = {"x = 1;"};
        TElement& loop = AddBlock(project, "L", ekEvent);
        loop.Important = loop.Permanent = true;
        loop.Heading = "L\xE4uft";
        loop.Body = {"y = 2;"};
        AddBlock(project, "F\\Ja", ekChoice).Body = {"x = 3;"};
        AddBlock(project, "C", ekCode).Body = {"const int z = #!" + std::to_string(once.Id) + "#;"};
        compiled.ProjectName = "Wirt";
        compiled.Folder = "/exp";
        files.Directories = {"/"};
    }

    TExportReport Export() { return ExportProject(project, compiled, files, prompter); }
    std::string File(const std::string& name) {
        auto it = files.Files.find(ExportedFile("/exp", name));
        return it == files.Files.end() ? "<missing>" : it->second;
    }
    static std::string Question(const std::string& path) {
        return "Die Datei existiert bereits (" + PathToCp1252(path) +
               ") . \xDC"
               "berschreiben?";
    }

    TProject project;
    TCompiled compiled;
    TFailingFileSystem files;
    testing::TRecordingPrompter prompter;

    // A file of the default layout, dialogs, events and variables apart.
    static std::string Expected(const std::string& name) {
        return ExpectedFiles("events_variables").at(ExportedFile("/exp", name));
    }
};

// Dialogs, events and variables apart (the default), all in one file, and variables with the
// events; the NPC globals come on request. An important Event has no frame of its own: it runs
// inside the loop function.
TEST_F(Exporter, LayoutsPutEachPartIntoItsFile) {
    // The NPC globals skip the hero, in any letter case, and align their values.
    for (const char* npc :
         {"Hero", "Wirt", "hero", "Koch_von_Khorinis", "Ein_sehr_langer_Name_ABC"})
        project.Npcs.Add(npc, std::string("VLK_") + npc);
    // Each folder names the options set: events apart, variables apart, code as dialogs, NPC
    // globals.
    for (const std::string layout : {"events_variables", "code", "events_npcs"}) {
        SCOPED_TRACE(layout);
        files.Files.clear();
        compiled.SeparateEvents = layout.find("events") != std::string::npos;
        compiled.SeparateVariables = layout.find("variables") != std::string::npos;
        compiled.CodeAsDialog = layout.find("code") != std::string::npos;
        compiled.WriteNpcGlobals = layout.find("npcs") != std::string::npos;
        const std::map<std::string, std::string> expected = ExpectedFiles(layout);
        const TExportReport report = Export();
        EXPECT_EQ(report.Result, TExportResult::Exported);
        EXPECT_EQ(report.WrittenFiles.size(), expected.size());
        EXPECT_EQ(report.Findings, std::vector<TExportFinding>{});
        EXPECT_EQ(files.Files, expected);
    }
    EXPECT_EQ(files.Directories, (std::set<std::string>{"/", "/exp"}));
    EXPECT_TRUE(prompter.Messages.empty());
}

// Every question comes before any file is touched. The folder comes from the file system
// (UTF-8), the project name is Windows-1252 text; the question shows both in Windows-1252.
TEST_F(Exporter, ARefusedQuestionLeavesEveryFileAsItWas) {
    compiled.Folder = "/m\xC3\xBCll";
    compiled.ProjectName = "Caf\xE9";
    files.Directories = {"/", "/m\xC3\xBCll"};
    const std::string dialogs = ExportedFile("/m\xC3\xBCll", "DIA_Caf\xC3\xA9.d");
    const std::string events = ExportedFile("/m\xC3\xBCll", "EVT_Caf\xC3\xA9.d");
    const std::map<std::string, std::string> old = {{dialogs, "alt1"}, {events, "alt2"}};
    files.Files = old;
    prompter.OverwriteAnswers = {Answer::Yes, Answer::Abort};
    EXPECT_EQ(Export().Result, TExportResult::Cancelled);
    EXPECT_EQ(prompter.Questions, (std::vector<std::string>{Question(dialogs), Question(events)}));
    EXPECT_EQ(files.Files, old);
    EXPECT_TRUE(prompter.Messages.empty());
}

// Code that will not compile is shown to the review before anything is written: refused, every
// file stays as it was and the missing folder is not made; accepted, or without a review,
// every file is written.
TEST_F(Exporter, FindingsAreReviewedBeforeAnythingIsWritten) {
    AddBlock(project, "Kaputt", ekCode).Body = {"x = ;"};
    const std::map<std::string, std::string> old = {{ExportedFile("/exp", "DIA_Wirt.d"), "alt"}};
    const std::vector<TExportFinding> findings = {
        {"EVT_Wirt.d", 16, 1, "Ung\xFCltiges Statement oder ung\xFCltiges Zeichen.", 4, "Kaputt"}};
    const struct {
        const char* Review;
        TExportResult Result;
        size_t Written;
    } cases[] = {
        {"nein", TExportResult::Cancelled, 0},
        {"ja", TExportResult::Exported, 3},
        {"", TExportResult::Exported, 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Review);
        files.Files = old;
        prompter.OverwriteAnswers = {Answer::Yes};
        std::vector<TExportFinding> reviewed;
        TFindingsReview review = [&](const std::vector<TExportFinding>& shown) {
            reviewed = shown;
            return std::string(c.Review) == "ja";
        };
        const TExportReport report =
            ExportProject(project, compiled, files, prompter, *c.Review ? review : nullptr);
        EXPECT_EQ(report.Result, c.Result);
        EXPECT_EQ(report.Findings, findings);
        EXPECT_EQ(reviewed, *c.Review ? findings : std::vector<TExportFinding>{});
        EXPECT_EQ(report.WrittenFiles.size(), c.Written);
        if (c.Written == 0) {
            EXPECT_EQ(files.Files, old);
            EXPECT_EQ(files.Directories, std::set<std::string>{"/"}); // not even the folder
        } else {
            EXPECT_EQ(File("DIA_Wirt.d"), Expected("DIA_Wirt.d"));
        }
    }
}

TEST_F(Exporter, YesToAllHoldsForOneExportOnly) {
    files.Files = {{ExportedFile("/exp", "DIA_Wirt.d"), "alt"},
                   {ExportedFile("/exp", "EVT_Wirt.d"), "alt"},
                   {ExportedFile("/exp", "VAR_Wirt.d"), "alt"}};
    prompter.OverwriteAnswers = {Answer::YesToAll};
    EXPECT_EQ(Export().Result, TExportResult::Exported);
    EXPECT_EQ(prompter.Questions,
              std::vector<std::string>{Question(ExportedFile("/exp", "DIA_Wirt.d"))});
    EXPECT_EQ(File("VAR_Wirt.d"), Expected("VAR_Wirt.d"));

    prompter.Questions.clear();
    prompter.OverwriteAnswers = {Answer::Yes, Answer::Yes, Answer::Yes};
    EXPECT_EQ(Export().Result, TExportResult::Exported);
    EXPECT_EQ(prompter.Questions,
              (std::vector<std::string>{Question(ExportedFile("/exp", "DIA_Wirt.d")),
                                        Question(ExportedFile("/exp", "EVT_Wirt.d")),
                                        Question(ExportedFile("/exp", "VAR_Wirt.d"))}));
    EXPECT_EQ(File("VAR_Wirt.d"), Expected("VAR_Wirt.d")); // written anew, not appended to
}

TEST_F(Exporter, AFailedWriteKeepsTheFilesNotYetWritten) {
    files.GoodWrites = 1;
    files.Files = {{ExportedFile("/exp", "EVT_Wirt.d"), "alt"}};
    prompter.OverwriteAnswers = {Answer::Yes};
    TExportReport report = Export();
    EXPECT_EQ(report.Result, TExportResult::Failed);
    EXPECT_EQ(report.WrittenFiles, std::vector<std::string>{ExportedFile("/exp", "DIA_Wirt.d")});
    EXPECT_EQ(File("DIA_Wirt.d"), Expected("DIA_Wirt.d"));
    EXPECT_EQ(File("EVT_Wirt.d"), "alt");
    EXPECT_EQ(prompter.Messages,
              std::vector<std::string>{"E/A-Fehler 28\n" + ExportedFile("/exp", "EVT_Wirt.d")});
}

// Only the last level of the folder is made: a mistyped parent is reported, not created.
TEST_F(Exporter, AFolderThatCannotBeMadeStopsBeforeAnything) {
    const std::pair<const char*, int> cases[] = {
        {"/gesperrt", 13}, {"", 0}, {"/fehlt/exp", 0}, {"/fehlt/exp/", 0}};
    for (const auto& [folder, createError] : cases) {
        SCOPED_TRACE(folder);
        files.CreateError = createError;
        prompter.Messages.clear();
        compiled.Folder = folder;
        EXPECT_EQ(Export().Result, TExportResult::Failed);
        EXPECT_EQ(prompter.Messages,
                  std::vector<std::string>{std::string("Exporter: Konnte Verzeichnis (") + folder +
                                           ") nicht erstellen."});
        EXPECT_TRUE(files.Files.empty());
        EXPECT_EQ(files.Directories, std::set<std::string>{"/"});
    }
}

TEST_F(Exporter, NamesAreCheckedAndAnEmptyNameExportsNothing) {
    compiled.ProjectName = "";
    EXPECT_EQ(Export().Result, TExportResult::Cancelled);
    compiled.ProjectName = "../Wirt";
    EXPECT_EQ(Export().Result, TExportResult::Failed);
    EXPECT_TRUE(files.Files.empty());
    EXPECT_EQ(files.Directories, std::set<std::string>{"/"});
    EXPECT_EQ(prompter.Messages,
              std::vector<std::string>{"Sonderzeichen sind im Projektnamen nicht erlaubt!"});
}

TEST_F(Exporter, AnUnreadableReferenceStopsTheExportBeforeWriting) {
    AddBlock(project, "Kaputt", ekCode).Body = {"x = #Wirt#;"};
    EXPECT_EQ(Export().Result, TExportResult::Failed);
    EXPECT_TRUE(files.Files.empty());
    EXPECT_EQ(prompter.Messages,
              std::vector<std::string>{"'Wirt' ist kein g\xFCltiger Integerwert"});
}

TEST(CompileAll, SortsByKindInTreeOrderAndWarnsAboutMissingNpcs) {
    TProject project;
    testing::TRecordingPrompter prompter;
    TElement& hallo = AddBlock(project, "Wirt\\Hallo", ekDialog);
    hallo.Npc = "Wirt";
    hallo.Condition = {"// immer", "/* nie */"};
    AddBlock(project, "Wirt\\Hallo\\Ja", ekChoice);
    AddBlock(project, "Ohne\\Npc", ekDialog);
    AddBlock(project, "Ohne\\Laufend", ekEvent).Important = true;
    project.Tree.AppendChild(nullptr, "Leer");
    project.Npcs.Add("Wirt", "VLK_1_Wirt");
    TCompiled compiled;
    compiled.KnownDeclarations = {"alt"};
    CompileAll(project, compiled, prompter);
    ASSERT_EQ(compiled.DialogTexts.size(), 3u);
    // A condition of nothing but comments needs no braces around its "return TRUE".
    EXPECT_EQ(TLines(compiled.DialogTexts[0].Lines.begin() + 9,
                     compiled.DialogTexts[0].Lines.begin() + 15),
              (TLines{"FUNC int DIA_WIRT_HALLO_condition()", "{", "\t// immer", "\t/* nie */",
                      "\treturn TRUE;", "};"}));
    EXPECT_EQ(compiled.DialogTexts[1].Lines[0], "FUNC void DIA_WIRT_HALLO_JA()");
    EXPECT_EQ(compiled.DialogTexts[2].Lines[2], "\tnpc\t\t\t= ;"); // nothing asked
    EXPECT_TRUE(compiled.EventTexts.empty());
    ASSERT_EQ(compiled.LoopEventTexts.size(), 1u);
    EXPECT_EQ(compiled.LoopEventTexts[0].Lines[0], "\tif (Bekannt_OHNE_LAUFEND == FALSE)");
    EXPECT_EQ(compiled.KnownDeclarations, TLines{"var int Bekannt_OHNE_LAUFEND;"});
    EXPECT_EQ(prompter.Messages,
              std::vector<std::string>{"Warnung: F\xFCr \"Ohne\\Npc\" ist kein Npc eingetragen!"});
    EXPECT_TRUE(prompter.Questions.empty());
}

TEST(SortCompiled, RefusesAFreeElement) {
    TCompiled compiled;
    testing::TRecordingPrompter prompter;
    SortCompiled(compiled, TElement(0, ekFolder, nullptr), {"x"}, prompter);
    EXPECT_EQ(prompter.Messages,
              std::vector<std::string>{"Exporter: Interner Error: Ung\xFCltiges Element"});
    EXPECT_TRUE(compiled.DialogTexts.empty() && compiled.EventTexts.empty());
}

// An earlier export picked in the save dialog gives its folder and project name.
TEST(ExportOptions, PickedFilesGiveFolderAndName) {
    const struct {
        const char* Picked;
        const char* Folder;
        const char* Name;
    } cases[] = {
        {"C:\\Mod\\DIA_Wirt.d", "C:\\Mod\\", "Wirt"},
        {"/home/mod/EVT_Wirt.D", "/home/mod/", "Wirt"},
        {"/m/VAR_NPCS_Wirt.d", "/m/", "Wirt"}, // one of the three, then NPCS_
        {"/m/DLX_Wirt.d", "/m/", "Wirt"},
        {"/m/NPCS_Wirt.d", "/m/", "Wirt"},
        {"/m/DIA_EVT_Wirt.d", "/m/", "EVT_Wirt"}, // at most one of the three
        {"Wirt", "", "Wirt"},
    };
    for (const auto& c : cases) {
        const TPickedExportTarget target = DeriveExportTarget(c.Picked);
        EXPECT_EQ(target.Folder + "|" + target.ProjectName, std::string(c.Folder) + "|" + c.Name)
            << c.Picked;
    }
}

} // namespace
} // namespace redewerk
