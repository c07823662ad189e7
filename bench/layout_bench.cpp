// Rebuilding the spans and runs of the shown rows, and the blocks of both
// sortings, on a loaded evolution with every line shown.

#include "evolution/evolution_file.h"
#include "synthetic_evolution.h"

namespace {

EvolutionFile* loadedOrSkip(benchmark::State& state)
{
    EvolutionFile* evolution = loadedSyntheticEvolution(syntheticParameters(state)).evolution.get();
    if (!evolution)
        state.SkipWithError("the synthetic evolution did not load");
    return evolution;
}

void buildLineLayoutBench(benchmark::State& state)
{
    EvolutionFile* evolution = loadedOrSkip(state);
    if (!evolution)
        return;
    for (auto _ : state)
        evolution->buildLineLayout();
    state.counters["rows"] = evolution->rowCount;
    state.counters["runs"] = static_cast<double>(evolution->runs.size());
}

void buildBlocksBench(benchmark::State& state)
{
    EvolutionFile* evolution = loadedOrSkip(state);
    if (!evolution)
        return;
    const int sorting = static_cast<int>(state.range(2));
    // Blocks are kept while the rows stay, so each build follows a layout
    // of the rows, outside the timing, as after a click.
    for (auto _ : state) {
        state.PauseTiming();
        evolution->buildLineLayout();
        state.ResumeTiming();
        evolution->buildBlocks(sorting);
    }
    state.counters["blocks"] = static_cast<double>(evolution->blocks.size());
    state.counters["maxLevel"] = evolution->maxBlockLevel;
}

}  // namespace

using benchmark::internal::Benchmark;

BENCHMARK(buildLineLayoutBench)->Name("buildLineLayout")->Apply([](Benchmark* b) { syntheticCases(b); });
BENCHMARK(buildBlocksBench)->Name("buildBlocks")->Apply([](Benchmark* b) { syntheticCases(b, "sorting", {0, 1}); });
