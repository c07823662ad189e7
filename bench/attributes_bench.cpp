// Recomputing the attributes of the legends for a loaded evolution, as
// every change of layout, range or focus does.

#include <utility>

#include "app/globals.h"
#include "colouring/attributes.h"
#include "evolution/evolution_file.h"
#include "synthetic_evolution.h"

namespace {

// Layout mode 0 (Normal) leaves the per-row statistic at its uniform kind;
// the other modes count the unchanged revisions of every row, which reads
// every cell a second time.
void recomputeAttributesBench(benchmark::State& state)
{
    createGlobalObjects();
    LoadedEvolution& loaded = loadedSyntheticEvolution(syntheticParameters(state));
    if (!loaded.evolution) {
        state.SkipWithError("the synthetic evolution did not load");
        return;
    }
    const int layoutMode = static_cast<int>(state.range(2));
    // The attributes read the evolution through the global an open sets; it
    // is lent to it for the run.
    std::swap(currentEvolution, loaded.evolution);
    lineStatistic->kind = layoutMode == modeNormal ? 2 : 1;
    for (auto _ : state)
        recomputeAttributes(layoutMode);
    std::swap(currentEvolution, loaded.evolution);
    state.counters["cells"] = static_cast<double>(loaded.evolution->rowCount) * loaded.evolution->columnCount;
}

}  // namespace

using benchmark::internal::Benchmark;

BENCHMARK(recomputeAttributesBench)->Name("recomputeAttributes")->Apply([](Benchmark* b) {
    syntheticCases(b, "mode", {modeNormal, modeHorizontal});
});
