// Finding the next place of a text in a large mod: 5,000 Dialogs with 20 body lines each, 100
// Dialogs to an NPC folder, each body with an option reference (so its references are shown
// as paths for the search) and each condition with a known-reference. The targets: a text
// that occurs only in the last block, searched from the first block, under 20 ms; a text
// that occurs nowhere (the search goes all the way round) under 40 ms.
#include "bench_support.h"
#include "model/project.h"
#include "model/search.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace redewerk {
namespace {

using bench::AddBlock;

constexpr int kDialogs = 5000;

// The project, and the last Dialog's body holding "Schatzkarte" once.
TProject& LargeMod() {
    static TProject project;
    if (!project.Tree.IsEmpty()) return project;
    TNode* folder = nullptr;
    TElement* last = nullptr;
    for (int i = 0; i < kDialogs; ++i) {
        const std::string npc = "Npc" + std::to_string(i / 100);
        if (i % 100 == 0) folder = project.Tree.AppendChild(nullptr, npc);
        TElement& dialog = AddBlock(project, folder, "Dialog" + std::to_string(i), ekDialog);
        dialog.Heading = "Gespr\xE4"
                         "ch " +
                         std::to_string(i);
        dialog.Npc = npc;
        dialog.Description = "Was kannst du mir \xFC"
                             "ber die Stadt erz\xE4hlen?";
        if (last) dialog.Condition = {"Npc_KnowsInfo(hero, #!" + std::to_string(last->Id) + "#)"};
        for (int line = 0; line < 19; ++line)
            dialog.Body.push_back(line % 2 ? "<<Die Stadt ist gro\xDF, und die Wachen sind streng."
                                           : ">>Erz\xE4hl mir mehr \xFC"
                                             "ber die Stadt.");
        dialog.Body.push_back("++#" + std::to_string(dialog.Id) + "#");
        last = &dialog;
    }
    last->Body[5] = "<<Hier ist die Schatzkarte.";
    return project;
}

TNode* FirstDialog(TProject& project) {
    return project.Tree.TopRow().front()->Child(0);
}

void BM_FindInLastBlock(benchmark::State& state) {
    TProject& project = LargeMod();
    const TSearchPlace start{FirstDialog(project), TSearchField::NodeName, 0};
    for (auto _ : state) {
        auto found = FindNextInProject(project, "schatzkarte", start);
        if (!found || found->Field != TSearchField::Body) state.SkipWithError("not found");
        benchmark::DoNotOptimize(found);
    }
}
BENCHMARK(BM_FindInLastBlock)->Unit(benchmark::kMillisecond);

void BM_FindNowhere(benchmark::State& state) {
    TProject& project = LargeMod();
    const TSearchPlace start{FirstDialog(project), TSearchField::Body, 0};
    for (auto _ : state) {
        auto found = FindNextInProject(project, "Drachenj\xE4ger", start);
        if (found) state.SkipWithError("found");
        benchmark::DoNotOptimize(found);
    }
}
BENCHMARK(BM_FindNowhere)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace redewerk
