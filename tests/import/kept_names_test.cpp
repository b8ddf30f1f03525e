// Importing with the names kept: the export of the imported blocks can take the place of the
// scripts in a mod, since every instance, dialog function, option and spoken line is called
// as it was.
#include "codegen/instance_names.h"
#include "import/importer.h"
#include "import_helpers.h"
#include "model/cp1252.h"
#include "model/project.h"
#include "support/round_trip.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
#include <string>
#include <vector>

namespace redewerk {
namespace {

using testing::ExportOneFile;
using testing::ImportExport;
using testing::ImportFixtures;

const std::vector<std::string>& kReeve = testing::kReeveScripts;

constexpr TImportOptions kKeepNames{true, true, true};

// The names of the C_INFO instances and the output names of the spoken lines of some scripts,
// each as often as it occurs, upper-cased (Daedalus does not tell case), sorted.
std::vector<std::string> InstanceAndOutputNames(const std::vector<std::string>& texts) {
    static const std::regex instance(R"(instance\s+(\w+)\s*\(\s*C_INFO\s*\))", std::regex::icase);
    static const std::regex output(R"(AI_Output\s*\([^;"]*"(\w*)\"\s*\))", std::regex::icase);
    std::vector<std::string> names;
    for (const std::string& text : texts)
        for (const std::regex* pattern : {&instance, &output})
            for (std::sregex_iterator it(text.begin(), text.end(), *pattern), end; it != end; ++it)
                names.push_back((pattern == &instance ? "instance " : "output ") +
                                UpperCaseAscii((*it)[1].str()));
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::string> NamesOfScripts(const std::vector<std::string>& paths) {
    std::vector<std::string> texts;
    for (const std::string& path : paths)
        texts.push_back(testing::ReadDataFile(path));
    return InstanceAndOutputNames(texts);
}

std::vector<std::string> NamesOfExport(const std::map<std::string, std::string>& files) {
    std::vector<std::string> texts;
    for (const auto& [path, text] : files)
        texts.push_back(text);
    return InstanceAndOutputNames(texts);
}

// Each fixture set is imported with a folder per script, exported as one file, the export
// imported again and exported once more: both exports are the same, and they call every
// instance and spoken line as the scripts do, each as often.
TEST(KeptNames, TheExportReplacesTheScriptsAtOnce) {
    for (const auto* scripts : {&testing::kFarmScripts, &testing::kVillageScripts, &kReeve}) {
        TProject first, second;
        ImportFixtures(first, *scripts, kKeepNames);
        const auto exported = ExportOneFile(first);
        EXPECT_EQ(NamesOfExport(exported), NamesOfScripts(*scripts)) << scripts->front();
        ImportExport(second, exported, kKeepNames);
        EXPECT_EQ(ExportOneFile(second), exported) << scripts->front();
    }
    const std::vector<std::string> village = NamesOfScripts(testing::kVillageScripts);
    EXPECT_EQ(std::count_if(village.begin(), village.end(),
                            [](const std::string& name) { return name.starts_with("instance"); }),
              30);
}

// Renamed and moved blocks keep their names; a line typed into a block that keeps names gets a
// new one that no kept line has.
TEST(KeptNames, SurviveRenamingAndMovingBlocks) {
    TProject project;
    ImportFixtures(project, kReeve, kKeepNames);
    EXPECT_EQ(testing::RoundTripProblem(project), "");
    TNode* steuer = project.Tree.FindByPath("IMPORT\\Alrik\\Steuer");
    TNode* zahlen = project.Tree.FindByPath("IMPORT\\Alrik\\Steuer\\Zahlen");
    TNode* hallo = project.Tree.FindByPath("IMPORT\\Alrik\\Hallo");
    ASSERT_TRUE(steuer && zahlen && hallo);
    project.Tree.SetText(steuer, "Abgaben");
    project.Tree.SetText(zahlen, "Begleichen");
    TNode* elsewhere = project.Tree.AppendChild(nullptr, "Woanders");
    project.Tree.MoveNode(steuer, elsewhere, -1);
    project.Tree.MoveNode(hallo, elsewhere, 0);
    EXPECT_EQ(InstanceName(project, steuer->Element()->Id), "DIA_Vogt_Alrik_Steuer");
    EXPECT_EQ(NamesOfExport(ExportOneFile(project)), NamesOfScripts(kReeve));

    // "_09_01" is taken by two kept lines, in another case.
    TElement& dialog = *steuer->Element();
    dialog.Body[0] = "#:DIA_Vogt_Alrik_Steuer_09#";
    dialog.Body.insert(dialog.Body.begin() + 1, {"<<Neu.", "<<Noch neuer."});
    std::vector<std::string> expected = NamesOfScripts(kReeve);
    std::replace(expected.begin(), expected.end(), std::string("instance DIA_VOGT_ALRIK_STEUER"),
                 std::string("instance DIA_VOGT_ALRIK_STEUER_09"));
    for (const char* added :
         {"output DIA_VOGT_ALRIK_STEUER_09_00", "output DIA_VOGT_ALRIK_STEUER_09_02"})
        expected.push_back(added);
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(NamesOfExport(ExportOneFile(project)), expected);
}

// A name that a marker cannot hold leaves its script out (without the option the script
// imports); the others come in.
TEST(KeptNames, AScriptWithANameThatCannotBeKeptIsLeftOut) {
    const std::string good =
        testing::DialogScript("DIA_Wirt_Gut", "", "\treturn TRUE;\r\n",
                              "\tAI_Output (self, other, \"DIA_Wirt_Gut_09_00\"); //Gut.\r\n");
    const std::string blank =
        testing::DialogScript("DIA_Wirt_Leer", "", "\treturn TRUE;\r\n",
                              "\tAI_Output (self, other, \"DIA Wirt 00\"); //Leer.\r\n");
    const std::string number =
        "instance DIA_Wirt_Zahl (C_INFO) { npc = VLK_400_Wirt; condition = 1;\r\n"
        "\tinformation = DIA_Wirt_Gut_Info; };\r\n";
    for (bool keep : {false, true}) {
        TProject project;
        testing::TRecordingPrompter prompter;
        const TScriptImportResult result = testing::ImportScripts(
            project, {{"DIA_Gut.d", good}, {"DIA_Leer.d", blank}, {"DIA_Zahl.d", number}}, prompter,
            {true, false, keep});
        std::vector<std::string> reports;
        for (const TSkippedScript& skipped : result.Skipped)
            reports.push_back(skipped.Report());
        const std::vector<std::string> left = {
            "DIA_Leer.d:15:26: Der Ausgabename \"DIA Wirt 00\" l\xE4sst sich nicht beibehalten: "
            "nur Buchstaben, Ziffern und \"_\".",
            "DIA_Zahl.d:1:1: Der Name \"1\" l\xE4sst sich nicht beibehalten: nur Buchstaben, "
            "Ziffern und \"_\", am Anfang keine Ziffer."};
        EXPECT_EQ(reports, keep ? left : std::vector<std::string>());
        EXPECT_NE(project.Tree.FindByPath("IMPORT\\Gut\\Gut"), nullptr);
    }
}

} // namespace
} // namespace redewerk
