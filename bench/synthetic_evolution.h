#pragma once
// Large made-up evolutions for the benchmarks: a C-like source file edited
// over many revisions by several authors, written out as the directory the
// program opens (evolution file, revision list, revision texts, grammar).

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "evolution/evolution_file.h"
#include "syntax/grammar.h"

struct SyntheticParameters {
    int lines = 1000;        // lines of each revision's text, kept near this
    int revisions = 100;
    double editRate = 0.01;  // fraction of the lines edited per revision
    uint64_t seed = 1;
    bool texts = true;       // false: the evolution file and revision list only
};

struct SyntheticEvolution {
    std::string directory;   // ends with '/'
    std::string fileName;    // the evolution file's name
    int lineCount = 0;       // every line that ever existed
    int revisionCount = 0;
    std::vector<std::string> inputFiles;  // every file a load reads, with its path
    uint64_t inputBytes = 0;
    bool complete = false;   // false when some file could not be written
};

// Writes an evolution into `directory` (which exists and ends with '/').
SyntheticEvolution writeSyntheticEvolution(const std::string& directory, const SyntheticParameters& parameters);

// The evolution for these parameters, written on first use into a temporary
// directory that is removed when the process ends.
const SyntheticEvolution& syntheticEvolution(const SyntheticParameters& parameters);

// The same evolution loaded once per process, for the benchmarks of what
// happens after loading. The grammar is kept with it as an open does.
struct LoadedEvolution {
    std::unique_ptr<Grammar> grammar;
    std::unique_ptr<EvolutionFile> evolution;
};
LoadedEvolution& loadedSyntheticEvolution(const SyntheticParameters& parameters);

// Loads an evolution directory as opening it does; null when the load fails.
LoadedEvolution loadEvolutionDirectory(const SyntheticEvolution& evolution);

// The two sizes every benchmark runs, a small one for a quick smoke run
// (--benchmark_filter=lines:1000/) and the large one the targets are about,
// in milliseconds, repeated to report medians. A benchmark
// with one more argument gives its name and values.
void syntheticCases(benchmark::internal::Benchmark* benchmark, const std::string& extraName = {},
                    const std::vector<int64_t>& extraValues = {});
SyntheticParameters syntheticParameters(const benchmark::State& state);
