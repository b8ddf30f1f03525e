#include "codegen/export_findings.h"
#include "codegen/exporter.h"

#include "model/project.h"

#include "support/memory_file_system.h"
#include "support/project_builder.h"
#include "support/recording_prompter.h"

#include <gtest/gtest.h>

namespace redewerk {
namespace {

using testing::AddBlock;

class ExportFindings : public ::testing::Test {
protected:
    ExportFindings() {
        compiled.ProjectName = "Wirt";
        compiled.Folder = "/exp";
        files.Directories = {"/"};
    }

    // The findings of an export, one formatted line each, and the export's result.
    std::vector<std::string> Findings(TExportResult expected = TExportResult::Exported) {
        files.Files.clear();
        const TExportReport report = ExportProject(project, compiled, files, prompter);
        EXPECT_EQ(report.Result, expected);
        std::vector<std::string> lines;
        for (const auto& finding : report.Findings)
            lines.push_back(FormatFinding(finding));
        return lines;
    }

    TProject project;
    TCompiled compiled;
    testing::TMemoryFileSystem files;
    testing::TRecordingPrompter prompter;
};

// Every kind of place a fault can hide in, each named with its file, line, column and block.
TEST_F(ExportFindings, NameFileLineColumnAndBlock) {
    project.Variables = {"var int Gold", "// Ende der Variablen"};
    TElement& hallo = AddBlock(project, "Taverne\\Hallo", ekDialog);
    hallo.Npc = "Wirt";
    hallo.Condition = {"if Npc_KnowsInfo(other, &&"};
    TElement& gold = AddBlock(project, "Taverne\\Gold", ekDialog);
    gold.Npc = "Wirt";
    gold.Body = {">>Gib mir Gold!", "ItMi_Gold 10)"};
    TElement& weg = AddBlock(project, "Taverne\\Gold\\Weg", ekChoice);
    gold.Body.push_back("++#" + std::to_string(weg.Id) + "#");
    TElement& arbeit = AddBlock(project, "Taverne\\Arbeit", ekDialog);
    arbeit.Npc = "Wirt";
    arbeit.Body = {"++#INVALID:ARBEIT#", "// #INVALID:im Kommentar#", "B_Say(\"#INVALID#\");"};
    AddBlock(project, "Hilfen", ekCode).Body = {"func void Hilfe()", "{", "\tx = 1", "};"};
    AddBlock(project, "Zaehler", ekCode).Body = {"var int Zaehler // noch ohne Semikolon"};
    TElement& loop = AddBlock(project, "Schleife\\Immer", ekEvent);
    loop.Important = loop.Permanent = true;
    loop.Body = {"x = ;"};
    AddBlock(project, "Schleife\\Einmal", ekEvent).Body = {"x = 2;"}; // declares its variable
    project.DeleteSubtree(weg.Node); // the choice of Gold now points nowhere

    // The checker marks where its scan for the offending token began: behind "ItMi_Gold",
    // behind "x = 1" where the ";" is missing. A declaration left open at the end of a block
    // is the fault of that block, behind its last token, not of the next block where the
    // checker stops: "var int Zaehler" and "var int Gold" (before the Bekannt_ declaration).
    // Markers in comments and strings are text; the compiler upper-cases a choice's name.
    EXPECT_EQ(Findings(), (std::vector<std::string>{
                              "DIA_Wirt.d:12:26: Identifier oder Literal erwartet. "
                              "(Knoten Taverne\\Hallo)",
                              "DIA_Wirt.d:39:11: Zuweisung erwartet, aber kein "
                              "Zuweisungsoperator gefunden! (Knoten Taverne\\Gold)",
                              "DIA_Wirt.d:40:40: Ung\xFCltiger Verweis: #INVALID:GEL\xF6SCHT!# "
                              "(Knoten Taverne\\Gold)",
                              "DIA_Wirt.d:59:42: Ung\xFCltiger Verweis: #INVALID:ARBEIT# "
                              "(Knoten Taverne\\Arbeit)",
                              "EVT_Wirt.d:3:7: Semikolon \";\" erwartet. (Knoten Hilfen)",
                              "EVT_Wirt.d:6:16: Komma oder Semikolon nach Parameterdeklaration "
                              "erwartet. (Knoten Zaehler)",
                              "EVT_Wirt.d:20:7: Identifier oder Literal erwartet. "
                              "(Knoten Schleife\\Immer)",
                              "VAR_Wirt.d:1:13: Komma oder Semikolon nach Parameterdeklaration "
                              "erwartet. (Variablen)",
                          }));
}

// What holds only across blocks is judged on the whole file: a function split over two Code
// blocks is fine; a comment left open in one block that swallows the start of the next is
// reported where the file stops making sense, in the block that holds that line.
TEST_F(ExportFindings, ConstructsAcrossBlocksAreJudgedOnTheWholeFile) {
    AddBlock(project, "Anfang", ekCode).Body = {"func void Hilfe()", "{"};
    AddBlock(project, "Ende", ekCode).Body = {"\tx = 1;", "};"};
    EXPECT_EQ(Findings(), std::vector<std::string>{});

    AddBlock(project, "Offen", ekCode).Body = {"var int a; /* bis zum Ende"};
    AddBlock(project, "Danach", ekCode).Body = {"func void Zwei() { /* nichts */ x = 1; };"};
    EXPECT_EQ(Findings(), std::vector<std::string>{
                              "EVT_Wirt.d:9:33: Ung\xFCltiges Statement oder ung\xFCltiges "
                              "Zeichen. (Knoten Danach)"});
}

} // namespace
} // namespace redewerk
