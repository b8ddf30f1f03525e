// Saving and loading a large project: 10,000 blocks of 20 body lines each.
#include "model/project.h"
#include "model/project_file.h"

#include <benchmark/benchmark.h>

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

} // namespace
} // namespace redewerk
