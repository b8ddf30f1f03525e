// Updating the output-unit library from the scripts of 4,000 dialogs with 5 spoken lines each
// (20,000 lines, the size of the game's own library) into a library of 20,000 entries, half
// of which the scripts replace: read, scanned, merged and written on disk. Target: < 0.2 s.
#include "bench_support.h"
#include "gamefiles/output_unit_file.h"
#include "model/file_system.h"
#include "model/native_path.h"

#include <benchmark/benchmark.h>

#include <filesystem>

namespace redewerk {
namespace {

namespace fs = std::filesystem;

// 4,000 dialogs in the exporter's layout, in four script files of 1,000 dialogs.
std::vector<std::string> WriteScripts(TFileSystem& files, const fs::path& folder) {
    std::vector<std::string> paths;
    for (int file = 0; file < 4; ++file) {
        std::string text;
        for (int dialog = file * 1000; dialog < (file + 1) * 1000; ++dialog) {
            const std::string name =
                "DIA_NPC" + std::to_string(dialog / 50) + "_D" + std::to_string(dialog);
            text += "instance " + name +
                    " (C_INFO)\r\n{\r\n\tnpc\t\t\t= VLK_1;\r\n\tnr\t\t\t= 1;\r\n"
                    "\tcondition\t= " +
                    name + "_condition;\r\n\tinformation\t= " + name +
                    "_info;\r\n\tdescription\t= \"Was gibt's Neues?\";\r\n};\r\n\r\n"
                    "FUNC int " +
                    name +
                    "_condition()\r\n{\r\n\treturn TRUE;\r\n};\r\n\r\n"
                    "FUNC void " +
                    name + "_info()\r\n{\r\n";
            for (int line = 0; line < 5; ++line)
                text += std::string("\tAI_Output (") + (line % 2 ? "self, other" : "other, self") +
                        ", \"" + name + "_0" + std::to_string(line) +
                        "\"); //Erz\xE4hl mir mehr \xFC"
                        "ber die Stadt und ihre Wachen.\r\n";
            text += "};\r\n\r\n";
        }
        paths.push_back(PathToUtf8(folder / ("DIA_Teil" + std::to_string(file) + ".d")));
        files.WriteFile(paths.back(), text);
    }
    return paths;
}

// 10,000 entries the scripts replace (with another text) and 10,000 others.
void WriteLibrary(TFileSystem& files, const std::string& path) {
    std::string text;
    std::vector<std::string> scripts;
    for (int dialog = 0; dialog < 2000; ++dialog) {
        const std::string name =
            "DIA_NPC" + std::to_string(dialog / 50) + "_D" + std::to_string(dialog);
        for (int line = 0; line < 5; ++line)
            text += "AI_Output (self, other, \"" + name + "_0" + std::to_string(line) +
                    "\"); //Ein alter Text.\n";
    }
    for (int svm = 0; svm < 10000; ++svm)
        text += "AI_Output (self, other, \"SVM_" + std::to_string(svm) + "\"); //Verschwinde!\n";
    UpdateOutputUnits(files, {{"alt.d", text}}, {path, {}, 0});
}

void BM_UpdateOutputUnits(benchmark::State& state) {
    const fs::path folder = fs::temp_directory_path() / "redewerk_output_units_bench";
    fs::create_directories(folder);
    TDiskFileSystem files;
    bench::TQuietPrompter prompter;
    const std::vector<std::string> scripts = WriteScripts(files, folder);
    const std::string library = PathToUtf8(folder / "OU.csl");
    WriteLibrary(files, library);
    const std::string merged = PathToUtf8(folder / "OU_neu.csl");
    for (auto _ : state) {
        const TOutputUnitReport report =
            UpdateOutputUnitsFromFiles(files, prompter, scripts, merged, library);
        if (!report.Written || report.Merge.Added != 10000 || report.Merge.Replaced != 10000)
            state.SkipWithError("unexpected merge");
    }
    fs::remove_all(folder);
}
BENCHMARK(BM_UpdateOutputUnits)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace redewerk
