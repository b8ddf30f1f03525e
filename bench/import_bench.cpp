// Import of generated dialog scripts: dialogs with five options each, about 3 KB of script
// per dialog, spread over many files as the game and the mods keep them.
#include "bench_support.h"
#include "import/importer.h"
#include "model/file_system.h"
#include "model/project.h"
#include "model/prompter.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

using namespace redewerk;

using bench::TMemoryFiles;
using bench::TQuietPrompter;

std::string Dialog(int d) {
    const std::string npc =
        "VLK_" + std::to_string(400 + d % 50) + "_Buerger" + std::to_string(d % 50);
    const std::string name = "DIA_Buerger" + std::to_string(d % 50) + "_Thema" + std::to_string(d);
    std::string s = "// ************************************************************\r\n"
                    "// \t" +
                    name +
                    "\r\n"
                    "// ************************************************************\r\n"
                    "instance " +
                    name +
                    " (C_INFO)\r\n{\r\n"
                    "\tnpc\t\t\t= " +
                    npc + ";\r\n\tnr\t\t\t= " + std::to_string(d % 20 + 1) +
                    ";\r\n"
                    "\tcondition\t= " +
                    name +
                    "_Condition;\r\n"
                    "\tinformation\t= " +
                    name +
                    "_Info;\r\n"
                    "\tpermanent\t= FALSE;\r\n"
                    "\tdescription\t= \"Was wei\xDFt du \xFC"
                    "ber Thema " +
                    std::to_string(d) +
                    "?\";\r\n};\r\n\r\n"
                    "func int " +
                    name + "_Condition ()\r\n{\r\n";
    if (d > 0)
        s += "\tif (Npc_KnowsInfo (other, DIA_Buerger" + std::to_string((d - 1) % 50) + "_Thema" +
             std::to_string(d - 1) + "))\r\n\t{\r\n\t\treturn TRUE;\r\n\t};\r\n";
    else
        s += "\treturn TRUE;\r\n";
    s += "};\r\n\r\nfunc void " + name +
         "_Info ()\r\n{\r\n"
         "\tAI_Output (other, self, \"" +
         name +
         "_15_00\"); //Was wei\xDFt du dar\xFC"
         "ber?\r\n"
         "\tAI_Output (self, other, \"" +
         name +
         "_08_01\"); //Eine ganze Menge. Was willst du wissen?\r\n"
         "\tInfo_ClearChoices (" +
         name +
         ");\r\n"
         "\tInfo_AddChoice (" +
         name + ", DIALOG_BACK, " + name + "_Back);\r\n";
    for (int o = 1; o < 5; ++o)
        s += "\tInfo_AddChoice (" + name + ", \"Frage " + std::to_string(o) + " zu Thema " +
             std::to_string(d) + "\", " + name + "_Frage" + std::to_string(o) + ");\r\n";
    s += "};\r\n\r\nfunc void " + name + "_Back ()\r\n{\r\n\tInfo_ClearChoices (" + name +
         ");\r\n};\r\n\r\n";
    for (int o = 1; o < 5; ++o) {
        const std::string option = name + "_Frage" + std::to_string(o);
        s += "func void " + option +
             " ()\r\n{\r\n"
             "\tAI_Output (other, self, \"" +
             option + "_15_00\"); //Frage " + std::to_string(o) +
             "?\r\n"
             "\tAI_Output (self, other, \"" +
             option +
             "_08_01\"); //Das ist eine lange Antwort auf die Frage.\r\n"
             "\tAI_Output (self, other, \"" +
             option +
             "_08_02\"); //Und sie geht noch weiter, mit vielen W\xF6rtern.\r\n"
             "\tif (Npc_HasItems (other, ItMi_Gold) >= " +
             std::to_string(o * 10) +
             ")\r\n\t{\r\n"
             "\t\tB_GiveInvItems (other, self, ItMi_Gold, " +
             std::to_string(o * 10) +
             "); // Bezahlung\r\n"
             "\t};\r\n"
             "\tInfo_ClearChoices (" +
             name + ");\r\n};\r\n\r\n";
    }
    return s;
}

// A number written in letters, so that each file of a person gets a folder of its own as the
// game's files do (the folder name keeps only the letters of the file name).
std::string Letters(int number) {
    std::string letters = "Haus";
    for (; number > 0; number /= 26)
        letters += static_cast<char>('a' + number % 26);
    return letters;
}

// Imports `dialogs` dialogs spread evenly over `files` script files, as the dialog folder of
// the game holds them (4,000 dialogs in 350 files).
void ImportDialogs(benchmark::State& state, const TImportOptions& options) {
    const int dialogs = static_cast<int>(state.range(0));
    const int fileCount = static_cast<int>(state.range(1));
    TMemoryFiles files;
    std::vector<std::string> paths;
    size_t bytes = 0;
    for (int d = 0; d < dialogs; ++d) {
        const std::string path = "DIA_Stadt_" + Letters(d * fileCount / dialogs) + ".d";
        if (paths.empty() || paths.back() != path) paths.push_back(path);
        files.Files[path] += Dialog(d);
        bytes += Dialog(d).size();
    }
    for (auto _ : state) {
        TProject project;
        TQuietPrompter prompter;
        const TScriptImportResult result =
            RunScriptImport(project, paths, options, files, prompter);
        if (!result.Completed || !result.Skipped.empty() || prompter.Messages)
            state.SkipWithError("import failed");
        benchmark::DoNotOptimize(project.Elements.Size());
    }
    state.counters["script_MB"] = static_cast<double>(bytes) / 1e6;
    state.counters["files"] = static_cast<double>(paths.size());
}
void BM_ImportDialogs(benchmark::State& state) {
    ImportDialogs(state, {});
}
// The game's dialog folder; the target is 0.5 s.
BENCHMARK(BM_ImportDialogs)->Args({4000, 350})->Args({1000, 10})->Unit(benchmark::kMillisecond);

// The same keeping the names of the scripts; the same target.
void BM_ImportDialogsKeepingNames(benchmark::State& state) {
    TImportOptions options;
    options.KeepNames = true;
    ImportDialogs(state, options);
}
BENCHMARK(BM_ImportDialogsKeepingNames)->Args({4000, 350})->Unit(benchmark::kMillisecond);

} // namespace
