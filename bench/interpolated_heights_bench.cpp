// The Interpolated layout's heights of every column, computed again for
// every frame, on a loaded evolution focused on its middle revision: the
// computation alone, and the walk that hands each column to the drawing.

#include <cstddef>

#include "app/globals.h"
#include "evolution/evolution_file.h"
#include "synthetic_evolution.h"
#include "view/geometry/interpolated_heights.h"

namespace {

// The table as opening the evolution sizes it, the evolution focused on its
// middle revision over its whole range; null when it did not load.
EvolutionFile* focusedEvolution(benchmark::State& state)
{
    EvolutionFile* evolution = loadedSyntheticEvolution(syntheticParameters(state)).evolution.get();
    if (!evolution) {
        state.SkipWithError("the synthetic evolution did not load");
        return nullptr;
    }
    createGlobalObjects();
    viewState->release();
    viewState->tableRows = evolution->lineCount;
    viewState->tableColumns = evolution->columnCount;
    viewState->reset();
    viewState->redistributeSpace = static_cast<int>(state.range(2));
    evolution->setRevisionRange(modeInterpolated, 1, evolution->columnCount);
    evolution->setFocusRevision(modeInterpolated, evolution->columnCount / 2);
    return evolution;
}

void reportAndRestore(benchmark::State& state, EvolutionFile& evolution)
{
    state.counters["rows"] = evolution.rowCount;
    state.counters["focusFreed"] = viewState->rowHeights[evolution.rowCount][evolution.focusRevision];
    // The evolution is shared with the other benchmarks, which expect every
    // line shown and no focus.
    evolution.focusRevision = -1;
    evolution.setRevisionRange(modeNormal, 1, evolution.columnCount);
}

void computeInterpolatedHeightsBench(benchmark::State& state)
{
    EvolutionFile* evolution = focusedEvolution(state);
    if (!evolution)
        return;
    for (auto _ : state) {
        computeInterpolatedHeights(*evolution);
        benchmark::DoNotOptimize(viewState->rowHeights[evolution->rowCount].data());
    }
    reportAndRestore(state, *evolution);
}

// The drawing reads every height of a column it shows; the visit reads a
// few, so that what is measured is the walk's own cost of handing them out.
void walkInterpolatedColumnsBench(benchmark::State& state)
{
    EvolutionFile* evolution = focusedEvolution(state);
    if (!evolution)
        return;
    const size_t middle = static_cast<size_t>(evolution->rowCount / 2);
    for (auto _ : state) {
        float sum = 0.0f;
        walkInterpolatedColumns(*evolution, [&](const InterpolatedColumn& column) {
            sum += column.previous[middle] + column.current[middle];
        });
        benchmark::DoNotOptimize(sum);
    }
    reportAndRestore(state, *evolution);
}

}  // namespace

using benchmark::internal::Benchmark;

BENCHMARK(computeInterpolatedHeightsBench)->Name("computeInterpolatedHeights")->Apply([](Benchmark* b) {
    syntheticCases(b, "redistribute", {0, 1});
});
BENCHMARK(walkInterpolatedColumnsBench)->Name("walkInterpolatedColumns")->Apply([](Benchmark* b) {
    syntheticCases(b, "redistribute", {0, 1});
});
