// The Interpolated layout's heights of every column, computed again for
// every frame, on a loaded evolution focused on its middle revision.

#include "app/globals.h"
#include "evolution/evolution_file.h"
#include "synthetic_evolution.h"
#include "view/geometry/interpolated_heights.h"

namespace {

void computeInterpolatedHeightsBench(benchmark::State& state)
{
    EvolutionFile* evolution = loadedSyntheticEvolution(syntheticParameters(state)).evolution.get();
    if (!evolution) {
        state.SkipWithError("the synthetic evolution did not load");
        return;
    }
    createGlobalObjects();
    // The table as opening the evolution sizes it.
    viewState->release();
    viewState->tableRows = evolution->lineCount;
    viewState->tableColumns = evolution->columnCount;
    viewState->reset();
    viewState->redistributeSpace = static_cast<int>(state.range(2));
    evolution->setRevisionRange(modeInterpolated, 1, evolution->columnCount);
    evolution->setFocusRevision(modeInterpolated, evolution->columnCount / 2);

    for (auto _ : state) {
        computeInterpolatedHeights(*evolution);
        benchmark::DoNotOptimize(viewState->rowHeights[evolution->rowCount].data());
    }
    state.counters["rows"] = evolution->rowCount;
    state.counters["focusFreed"] = viewState->rowHeights[evolution->rowCount][evolution->focusRevision];
    // The evolution is shared with the other benchmarks, which expect every
    // line shown and no focus.
    evolution->focusRevision = -1;
    evolution->setRevisionRange(modeNormal, 1, evolution->columnCount);
}

}  // namespace

using benchmark::internal::Benchmark;

BENCHMARK(computeInterpolatedHeightsBench)->Name("computeInterpolatedHeights")->Apply([](Benchmark* b) {
    syntheticCases(b, "redistribute", {0, 1});
});
