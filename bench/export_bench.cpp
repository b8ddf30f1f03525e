// The whole export of large generated projects: 10,000 and 20,000 Dialogs with 10 spoken lines
// and 2 options each, compiled and written to disk. The target: at most 1 s for 10,000 (also
// when every block and line keeps a name of its own), and the doubled project at most 2.2
// times as long. Checking the files before they are written (20 MB
// for 10,000 Dialogs) may take at most 0.1 s of that.
#include "bench_support.h"
#include "codegen/compiler.h"
#include "codegen/exporter.h"
#include "model/file_system.h"
#include "model/native_path.h"
#include "model/project.h"
#include "model/prompter.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <malloc.h>
#include <memory>

namespace redewerk {
namespace {

using bench::AddBlock;
using bench::TQuietPrompter;

// With `keptNames` every block and spoken line keeps a name of its own, as an import that
// keeps the names of the scripts gives them.
void FillProject(TProject& project, int dialogs, bool keptNames = false) {
    project.Variables = {"var int Bench_Zaehler;"};
    TNode* folder = nullptr;
    for (int i = 0; i < dialogs; ++i) {
        const std::string npc = "Npc" + std::to_string(i / 50);
        if (i % 50 == 0) {
            folder = project.Tree.AppendChild(nullptr, npc);
            project.Npcs.Add(npc, "VLK_" + std::to_string(i / 50) + "_" + npc);
        }
        TElement& dialog = AddBlock(project, folder, "Dialog" + std::to_string(i), ekDialog);
        dialog.Npc = npc;
        dialog.Description = "Was kannst du mir \xFC"
                             "ber die Stadt erz\xE4hlen?";
        if (i > 0) {
            dialog.Condition = {"if (#!" + std::to_string(dialog.Id - 3) + "#)"};
            dialog.KnownRefs = {dialog.Id - 3};
        }
        const std::string kept = "DIA_" + npc + "_Thema" + std::to_string(i);
        if (keptNames) dialog.Body.push_back("#:" + kept + "#");
        for (int line = 0; line < 10; ++line)
            dialog.Body.push_back(
                (keptNames ? "#:" + kept + (line % 2 ? "_08_" : "_15_") + std::to_string(line) + "#"
                           : std::string()) +
                (line % 2 ? "<<Die Stadt ist gro\xDF, und die Wachen sind streng."
                          : ">>Erz\xE4hl mir mehr \xFC"
                            "ber die Stadt."));
        TNode* dialogNode = dialog.Node;
        for (const char* option : {"Ja", "Nein"}) {
            TElement& choice = AddBlock(project, dialogNode, option, ekChoice);
            choice.Description = std::string(option) + ", danke.";
            choice.Body = {">>" + choice.Description, "<<Wie du willst.", "--"};
            if (keptNames) {
                const std::string name = kept + "_" + option;
                choice.Body[0].insert(0, "#:" + name + "_15_00#");
                choice.Body[1].insert(0, "#:" + name + "_08_01#");
                choice.Body.insert(choice.Body.begin(), "#:" + name + "#");
            }
            dialog.Body.push_back("++#" + std::to_string(choice.Id) + "#");
        }
    }
}

void RunExport(benchmark::State& state, bool keptNames) {
    TProject project;
    FillProject(project, static_cast<int>(state.range(0)), keptNames);
    const auto folder = std::filesystem::temp_directory_path() / "redewerk_export_bench";
    TDiskFileSystem files;
    TQuietPrompter prompter;
    TCompiled compiled;
    compiled.ProjectName = "Bench";
    compiled.Folder = PathToUtf8(folder);
    for (auto _ : state) {
        // An export is a one-off: give the memory of the previous one back to the system, so
        // that each run pays for fresh pages as a real export does. Otherwise the allocator
        // recycles the buffers of a 10,000-dialog export but not the larger ones of 20,000
        // (its dialogs file outgrows the size up to which freed blocks are kept).
        state.PauseTiming();
        compiled.Reset();
        malloc_trim(0);
        state.ResumeTiming();
        TExportReport report = ExportProject(project, compiled, files, prompter);
        if (report.Result != TExportResult::Exported) state.SkipWithError("export failed");
    }
    uintmax_t bytes = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        bytes += entry.file_size();
    state.counters["MB"] = static_cast<double>(bytes) / 1e6;
    std::filesystem::remove_all(folder);
}
void BM_ExportProject(benchmark::State& state) {
    RunExport(state, false);
}
BENCHMARK(BM_ExportProject)->Arg(10000)->Arg(20000)->Unit(benchmark::kMillisecond);

// Every block and spoken line with a name of its own; the same target.
void BM_ExportProjectKeepingNames(benchmark::State& state) {
    RunExport(state, true);
}
BENCHMARK(BM_ExportProjectKeepingNames)->Arg(10000)->Unit(benchmark::kMillisecond);

// Compiling alone, without building and writing the files.
void BM_CompileAll(benchmark::State& state) {
    TProject project;
    FillProject(project, static_cast<int>(state.range(0)));
    TQuietPrompter prompter;
    TCompiled compiled;
    for (auto _ : state)
        CompileAll(project, compiled, prompter);
}
BENCHMARK(BM_CompileAll)->Arg(10000)->Arg(20000)->Unit(benchmark::kMillisecond);

// What the preview does for one block of a large project, its blocks named after their paths
// or keeping names of their own: a new compiler compiles the block, which looks up the
// options it offers in an index of all names and, before its first new line name, gathers the
// names that lines keep. Target for 10,000 Dialogs: at most 20 ms, 50 ms when all of them
// keep names (140,000 lines, nine times as many as the game's dialogs speak).
void BM_CompileOneBlock(benchmark::State& state) {
    TProject project;
    FillProject(project, static_cast<int>(state.range(0)), state.range(1) != 0);
    TElement& block = *project.Elements.LiveAt(0);
    block.Body.push_back(">>Eine neue Zeile.");
    TQuietPrompter prompter;
    for (auto _ : state) {
        TDialogCompiler compiler(project, prompter);
        TLines declarations;
        benchmark::DoNotOptimize(compiler.Compile(block.Id, declarations));
    }
}
BENCHMARK(BM_CompileOneBlock)
    ->ArgNames({"dialogs", "kept"})
    ->Args({10000, 0})
    ->Args({10000, 1})
    ->Unit(benchmark::kMillisecond);

// Checking the assembled files alone: the syntax check and the search for unresolved markers.
void BM_FindExportProblems(benchmark::State& state) {
    TProject project;
    FillProject(project, static_cast<int>(state.range(0)));
    TQuietPrompter prompter;
    TCompiled compiled;
    compiled.ProjectName = "Bench";
    CompileAll(project, compiled, prompter);
    TOutputLayout layout = PlanOutputFiles(compiled, "/bench");
    FillOutputFiles(layout, project, compiled);
    size_t bytes = 0;
    for (const auto& file : layout.Files)
        bytes += file.Content.size();
    for (auto _ : state)
        if (!FindExportProblems(layout.Files, project).empty()) state.SkipWithError("findings");
    state.SetBytesProcessed(static_cast<int64_t>(bytes) * state.iterations());
}
BENCHMARK(BM_FindExportProblems)->Arg(10000)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace redewerk
