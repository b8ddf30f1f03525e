#include "codegen/compiler.h"
#include "codegen/exporter.h"

#include "model/project.h"

#include "support/memory_file_system.h"
#include "support/project_builder.h"
#include "support/recording_prompter.h"

#include <gtest/gtest.h>

namespace redewerk {
namespace {

using testing::AddBlock;
using Answer = TPrompter::TOverwriteAnswer;

// Fails every write after the first `GoodWrites` ones, like a disk that fills up.
class TFillingFileSystem : public testing::TMemoryFileSystem {
public:
    int GoodWrites = 0;
    int WriteFile(const std::string& path, std::string_view content) override {
        if (GoodWrites-- <= 0) return 28;
        return TMemoryFileSystem::WriteFile(path, content);
    }
};

class Exporter : public ::testing::Test {
protected:
    Exporter() {
        project.Variables = {"var int x;"};
        TElement& once = AddBlock(project, "E", ekEvent);
        once.Body = {"x = 1;"};
        TElement& loop = AddBlock(project, "L", ekEvent);
        loop.Important = loop.Permanent = true;
        loop.Body = {"y = 2;"};
        AddBlock(project, "F\\Ja", ekChoice).Body = {"x = 3;"};
        AddBlock(project, "C", ekCode).Body = {"const int z = 4;"};
        compiled.ProjectName = "Wirt";
        compiled.Folder = "/exp";
        files.Directories = {"/"};
    }

    TExportReport Export() { return ExportProject(project, compiled, files, prompter); }
    std::string File(const std::string& name) {
        auto it = files.Files.find("/exp/" + name);
        return it == files.Files.end() ? "<missing>" : it->second;
    }
    static std::string Question(const std::string& name) {
        return "Die Datei existiert bereits (/exp/" + name +
               ") . \xDC"
               "berschreiben?";
    }

    TProject project;
    TCompiled compiled;
    TFillingFileSystem files;
    testing::TRecordingPrompter prompter;

    static constexpr const char* kVariables = "var int x;\r\n"
                                              "\r\n"
                                              "//--------------------------------\r\n"
                                              "\r\n"
                                              "var int Bekannt_E;\r\n";
    static constexpr const char* kEvents = "FUNC void E()\r\n"
                                           "{\r\n"
                                           "\tif (Bekannt_E == FALSE)\r\n"
                                           "\t{\r\n"
                                           "\t\t\tBekannt_E = TRUE;\r\n"
                                           "\t\t\t\r\n"
                                           "\t\t\tx = 1;\r\n"
                                           "\t};\r\n"
                                           "};\r\n"
                                           "\t\r\n";
    static constexpr const char* kCode = "const int z = 4;\r\n"
                                         "\r\n";
    static constexpr const char* kLoop = "FUNC void SCHLEIFE_Wirt()\r\n"
                                         "{\r\n"
                                         "\t\ty = 2;\r\n"
                                         "\t\r\n"
                                         "};\r\n"
                                         "\r\n";
    static constexpr const char* kDialogs = "FUNC void DIA_F_JA()\r\n"
                                            "{\r\n"
                                            "\t\tx = 3;\r\n"
                                            "};\r\n"
                                            "\t\r\n";
};

TEST_F(Exporter, DefaultLayoutWritesDialogsEventsAndVariablesApart) {
    files.GoodWrites = 100;
    TExportReport report = Export();
    EXPECT_EQ(report.Result, TExportResult::Exported);
    EXPECT_EQ(report.WrittenFiles,
              (std::vector<std::string>{"/exp/DIA_Wirt.d", "/exp/EVT_Wirt.d", "/exp/VAR_Wirt.d"}));
    EXPECT_EQ(files.Directories, (std::set<std::string>{"/", "/exp"}));
    EXPECT_EQ(File("VAR_Wirt.d"), kVariables);
    EXPECT_EQ(File("EVT_Wirt.d"), std::string(kEvents) + kCode + kLoop);
    EXPECT_EQ(File("DIA_Wirt.d"), kDialogs);
    EXPECT_EQ(files.Files.size(), 3u);
    EXPECT_TRUE(prompter.Messages.empty());
}

TEST_F(Exporter, OneFileHoldsEverythingInOrder) {
    files.GoodWrites = 100;
    compiled.SeparateEvents = compiled.SeparateVariables = false;
    compiled.CodeAsDialog = true;
    EXPECT_EQ(Export().Result, TExportResult::Exported);
    EXPECT_EQ(files.Files.size(), 1u);
    EXPECT_EQ(File("DLX_Wirt.d"), std::string(kVariables) + kEvents + kLoop + kDialogs + kCode);
}

TEST_F(Exporter, VariablesGoToTheEventsFileWhenNotApart) {
    files.GoodWrites = 100;
    compiled.SeparateVariables = false;
    compiled.WriteNpcGlobals = true;
    project.Npcs.Add("Wirt", "VLK_1_Wirt");
    EXPECT_EQ(Export().Result, TExportResult::Exported);
    EXPECT_EQ(File("EVT_Wirt.d"), std::string(kVariables) + kEvents + kCode + kLoop);
    EXPECT_EQ(File("DIA_Wirt.d"), kDialogs);
    EXPECT_EQ(File("NPCS_Wirt.d"), JoinLines(NpcGlobalsBlock(project.Npcs, "Wirt")));
    EXPECT_EQ(files.Files.size(), 3u);
}

TEST_F(Exporter, NpcGlobalsSkipTheHeroAndAlignTheirValues) {
    TNpcList npcs;
    npcs.Add("Hero", "PC_Hero");
    npcs.Add("Wirt", "VLK_1_Wirt");
    npcs.Add("hero", "PC_Hero2");
    npcs.Add("Koch_von_Khorinis", "VLK_2_Koch");
    npcs.Add("Ein_sehr_langer_Name_ABC", "VLK_3_Lang");
    EXPECT_EQ(NpcGlobalsBlock(npcs, "Wirt"),
              (TLines{
                  "//****************************************",
                  "//   NPCs",
                  "//****************************************",
                  "",
                  "var C_NPC Wirt;",
                  "var C_NPC Koch_von_Khorinis;",
                  "var C_NPC Ein_sehr_langer_Name_ABC;",
                  "",
                  "FUNC void INIT_NpcGlobals_Wirt()",
                  "{",
                  "\tWirt\t\t\t\t\t= Hlp_GetNpc (VLK_1_Wirt);",
                  "\tKoch_von_Khorinis\t\t= Hlp_GetNpc (VLK_2_Koch);",
                  "\tEin_sehr_langer_Name_ABC= Hlp_GetNpc (VLK_3_Lang);",
                  "};",
              }));
}

TEST_F(Exporter, ARefusedQuestionLeavesEveryFileAsItWas) {
    files.GoodWrites = 100;
    files.Files = {{"/exp/DIA_Wirt.d", "alt1"}, {"/exp/EVT_Wirt.d", "alt2"}};
    prompter.OverwriteAnswers = {Answer::Yes, Answer::Abort};
    EXPECT_EQ(Export().Result, TExportResult::Cancelled);
    EXPECT_EQ(prompter.Questions,
              (std::vector<std::string>{Question("DIA_Wirt.d"), Question("EVT_Wirt.d")}));
    EXPECT_EQ(files.Files, (std::map<std::string, std::string>{{"/exp/DIA_Wirt.d", "alt1"},
                                                               {"/exp/EVT_Wirt.d", "alt2"}}));
    EXPECT_TRUE(prompter.Messages.empty());
}

TEST_F(Exporter, FileNamesAreNativeAndMessagesWindows1252) {
    // The folder comes from the file system (UTF-8), the project name is Windows-1252 text.
    files.GoodWrites = 100;
    compiled.Folder = "/m\xC3\xBCll";
    compiled.ProjectName = "Caf\xE9";
    files.Directories = {"/", "/m\xC3\xBCll"};
    files.Files = {{"/m\xC3\xBCll/DIA_Caf\xC3\xA9.d", "alt"}};
    prompter.OverwriteAnswers = {Answer::Abort};
    EXPECT_EQ(Export().Result, TExportResult::Cancelled);
    EXPECT_EQ(prompter.Questions,
              std::vector<std::string>{"Die Datei existiert bereits (/m\xFCll/DIA_Caf\xE9.d) . \xDC"
                                       "berschreiben?"});
}

TEST_F(Exporter, YesToAllHoldsForOneExportOnly) {
    files.GoodWrites = 100;
    files.Files = {
        {"/exp/DIA_Wirt.d", "alt"}, {"/exp/EVT_Wirt.d", "alt"}, {"/exp/VAR_Wirt.d", "alt"}};
    prompter.OverwriteAnswers = {Answer::YesToAll};
    EXPECT_EQ(Export().Result, TExportResult::Exported);
    EXPECT_EQ(prompter.Questions, std::vector<std::string>{Question("DIA_Wirt.d")});
    EXPECT_EQ(File("VAR_Wirt.d"), kVariables);

    prompter.Questions.clear();
    prompter.OverwriteAnswers = {Answer::Yes, Answer::Yes, Answer::Yes};
    EXPECT_EQ(Export().Result, TExportResult::Exported);
    EXPECT_EQ(prompter.Questions,
              (std::vector<std::string>{Question("DIA_Wirt.d"), Question("EVT_Wirt.d"),
                                        Question("VAR_Wirt.d")}));
    EXPECT_EQ(File("VAR_Wirt.d"), kVariables); // written anew, not appended to
}

TEST_F(Exporter, AFailedWriteKeepsTheFilesNotYetWritten) {
    files.GoodWrites = 1;
    files.Files = {{"/exp/EVT_Wirt.d", "alt"}};
    prompter.OverwriteAnswers = {Answer::Yes};
    TExportReport report = Export();
    EXPECT_EQ(report.Result, TExportResult::Failed);
    EXPECT_EQ(report.WrittenFiles, std::vector<std::string>{"/exp/DIA_Wirt.d"});
    EXPECT_EQ(File("DIA_Wirt.d"), kDialogs);
    EXPECT_EQ(File("EVT_Wirt.d"), "alt");
    EXPECT_EQ(prompter.Messages, std::vector<std::string>{"E/A-Fehler 28\n/exp/EVT_Wirt.d"});
}

TEST_F(Exporter, AFolderThatCannotBeMadeStopsBeforeAnything) {
    // Only the last level of the folder is made: a mistyped parent is reported, not created.
    class TNoFolders : public testing::TMemoryFileSystem {
    public:
        bool Refuse = false;
        int CreateDirectory(const std::string& path) override {
            return Refuse ? 13 : TMemoryFileSystem::CreateDirectory(path);
        }
    };
    struct Case {
        const char* Folder;
        bool Refuse;
    };
    const Case cases[] = {
        {"/gesperrt", true},
        {"", false},
        {"/fehlt/exp", false},
        {"/fehlt/exp/", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Folder);
        TNoFolders noFolders;
        noFolders.Directories = {"/"};
        noFolders.Refuse = c.Refuse;
        prompter.Messages.clear();
        compiled.Folder = c.Folder;
        EXPECT_EQ(ExportProject(project, compiled, noFolders, prompter).Result,
                  TExportResult::Failed);
        EXPECT_EQ(prompter.Messages,
                  std::vector<std::string>{std::string("Exporter: Konnte Verzeichnis (") +
                                           c.Folder + ") nicht erstellen."});
        EXPECT_TRUE(noFolders.Files.empty());
        EXPECT_EQ(noFolders.Directories, std::set<std::string>{"/"});
    }
}

TEST_F(Exporter, NamesAreCheckedAndAnEmptyNameExportsNothing) {
    files.GoodWrites = 100;
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
    files.GoodWrites = 100;
    AddBlock(project, "Kaputt", ekCode).Body = {"x = #Wirt#;"};
    EXPECT_EQ(Export().Result, TExportResult::Failed);
    EXPECT_TRUE(files.Files.empty());
    EXPECT_EQ(prompter.Messages,
              std::vector<std::string>{"'Wirt' ist kein g\xFCltiger Integerwert"});
}

TEST(CompileAll, SortsByKindInTreeOrderAndWarnsAboutMissingNpcs) {
    TProject project;
    testing::TRecordingPrompter prompter;
    AddBlock(project, "Wirt\\Hallo", ekDialog).Npc = "Wirt";
    AddBlock(project, "Wirt\\Hallo\\Ja", ekChoice);
    AddBlock(project, "Ohne\\Npc", ekDialog);
    AddBlock(project, "Ohne\\Laufend", ekEvent).Important = true;
    project.Tree.AppendChild(nullptr, "Leer");
    TCompiled compiled;
    compiled.KnownDeclarations = {"alt"};
    CompileAll(project, compiled, prompter);
    ASSERT_EQ(compiled.DialogTexts.size(), 3u);
    EXPECT_EQ(compiled.DialogTexts[0][0], "instance DIA_WIRT_HALLO (C_INFO)");
    EXPECT_EQ(compiled.DialogTexts[1][0], "FUNC void DIA_WIRT_HALLO_JA()");
    EXPECT_EQ(compiled.DialogTexts[2][0], "instance DIA_OHNE_NPC (C_INFO)");
    EXPECT_TRUE(compiled.EventTexts.empty());
    ASSERT_EQ(compiled.LoopEventTexts.size(), 1u);
    EXPECT_EQ(compiled.LoopEventTexts[0][0], "\tif (Bekannt_OHNE_LAUFEND == FALSE)");
    EXPECT_EQ(compiled.KnownDeclarations, TLines{"var int Bekannt_OHNE_LAUFEND;"});
    EXPECT_EQ(prompter.Messages,
              std::vector<std::string>{"Warnung: F\xFCr \"Ohne\\Npc\" ist kein Npc eingetragen!"});
}

TEST(SortCompiled, RefusesAFreeElement) {
    TCompiled compiled;
    testing::TRecordingPrompter prompter;
    SortCompiled(compiled, TElement(0, ekFolder, nullptr), {"x"}, prompter);
    EXPECT_EQ(prompter.Messages,
              std::vector<std::string>{"Exporter: Interner Error: Ung\xFCltiges Element"});
    EXPECT_TRUE(compiled.DialogTexts.empty() && compiled.EventTexts.empty());
}

TEST(ExportOptions, ProjectNamesAndPickedFiles) {
    EXPECT_EQ(CheckProjectName("Taverne_2"), "");
    for (const char* bad : {"Mein Projekt",
                            "Gr\xF6\xDF"
                            "e",
                            "a/b", "a.b", "a\\b"})
        EXPECT_EQ(CheckProjectName(bad), "Sonderzeichen sind im Projektnamen nicht erlaubt!")
            << bad;

    struct Case {
        const char* Picked;
        const char* Folder;
        const char* Name;
    };
    const Case cases[] = {
        {"C:\\Mod\\DIA_Wirt.d", "C:\\Mod\\", "Wirt"},
        {"/home/mod/EVT_Wirt.d", "/home/mod/", "Wirt"},
        {"/m/VAR_NPCS_Wirt.d", "/m/", "Wirt"}, // one of the three, then NPCS_
        {"/m/NPCS_Wirt.d", "/m/", "Wirt"},
        {"/m/DLX_Wirt.d", "/m/", "Wirt"},
        {"/m/DIA_EVT_Wirt.d", "/m/", "EVT_Wirt"}, // at most one of the three
        {"/m/Wirt", "/m/", "Wirt"},
        {"Wirt.d", "", "Wirt"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Picked);
        TPickedExportTarget target = DeriveExportTarget(c.Picked);
        EXPECT_EQ(target.Folder, c.Folder);
        EXPECT_EQ(target.ProjectName, c.Name);
    }
}

} // namespace
} // namespace redewerk
