// Saving and loading a large project: 10,000 blocks of 20 body lines each. And a small
// project whose ids spread over the whole id range: loading and exporting it must cost what
// its blocks cost, not what its ids span (target: under 1 ms and 1 MB of heap).
#include "bench_support.h"
#include "codegen/exporter.h"
#include "model/project.h"
#include "model/project_file.h"

#include <benchmark/benchmark.h>

#include <malloc.h>

namespace redewerk {
namespace {

void FillLargeProject(TProject& project, int blocks) {
    TNode* folder = nullptr;
    for (int i = 0; i < blocks; ++i) {
        if (i % 50 == 0) folder = project.Tree.AppendChild(nullptr, "Npc" + std::to_string(i / 50));
        TNode* node = project.Tree.AppendChild(folder, "Dialog" + std::to_string(i));
        project.CreateElement(node, ekDialog);
        TElement& e = *node->Element();
        e.Npc = "Npc" + std::to_string(i / 50);
        e.Description = "Was kannst du mir \xFC"
                        "ber die Stadt erz\xE4hlen?";
        e.Condition = {"Npc_KnowsInfo (hero, #" + std::to_string(i / 2) + "#)"};
        for (int line = 0; line < 20; ++line)
            e.Body.push_back(line % 2
                                 ? "<<Die Stadt ist gro\xDF und die Wachen sind streng, Fremder."
                                 : ">>Erz\xE4hl mir mehr \xFC"
                                   "ber die Stadt und ihre Leute.");
        e.KnownRefs = {i / 2};
    }
}

void BM_SaveProject(benchmark::State& state) {
    TProject project;
    FillLargeProject(project, static_cast<int>(state.range(0)));
    size_t bytes = 0;
    for (auto _ : state) {
        std::string text = SerializeProject(project);
        bytes = text.size();
        benchmark::DoNotOptimize(text);
    }
    state.SetBytesProcessed(static_cast<int64_t>(bytes * state.iterations()));
}
BENCHMARK(BM_SaveProject)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_LoadProject(benchmark::State& state) {
    std::string text;
    {
        TProject project;
        FillLargeProject(project, static_cast<int>(state.range(0)));
        text = SerializeProject(project);
    }
    for (auto _ : state) {
        TProject project;
        TProjectFileError error;
        if (!ParseProject(text, project, error)) state.SkipWithError(error.Message.c_str());
        benchmark::DoNotOptimize(project);
    }
    state.SetBytesProcessed(static_cast<int64_t>(text.size() * state.iterations()));
}
BENCHMARK(BM_LoadProject)->Arg(10000)->Unit(benchmark::kMillisecond);

// Ten Dialogs with ids from 0 to the highest there is, each referring to the next.
std::string SparseIdProject() {
    TProject project;
    constexpr int32_t kStep = 2147483647 / 9;
    for (int32_t i = 0; i < 10; ++i) {
        TNode* node = project.Tree.AppendChild(nullptr, "Dialog" + std::to_string(i));
        auto element = std::make_unique<TElement>(std::min(i * kStep, 2147483647), ekDialog, node);
        element->Npc = "Wirt";
        element->Body = {">>Hallo.", "<<Tag.", "++#" + std::to_string((i + 1) % 10 * kStep) + "#"};
        project.Tree.SetElement(node, project.Elements.Store(std::move(element)));
    }
    project.Npcs.Add("Wirt", "VLK_401_Wirt");
    return SerializeProject(project);
}

void BM_LoadAndExportSparseIds(benchmark::State& state) {
    const std::string text = SparseIdProject();
    bench::TMemoryFiles files;
    bench::TQuietPrompter prompter;
    size_t heap = 0;
    for (auto _ : state) {
        const size_t before = mallinfo2().uordblks;
        TProject project;
        TProjectFileError error;
        if (!ParseProject(text, project, error)) state.SkipWithError(error.Message.c_str());
        heap = mallinfo2().uordblks - before;
        TCompiled compiled;
        compiled.ProjectName = "Bench";
        compiled.Folder = "export";
        if (ExportProject(project, compiled, files, prompter).Result != TExportResult::Exported)
            state.SkipWithError("export failed");
    }
    state.counters["heap_KB"] = static_cast<double>(heap) / 1024;
}
BENCHMARK(BM_LoadAndExportSparseIds)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace redewerk
