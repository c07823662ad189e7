// Loading an evolution (evolution file, revision list and the scan of every
// revision text), held against reading the same bytes, and the memory a
// load needs against the tables it builds.

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <malloc.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "evolution/evolution_file.h"
#include "synthetic_evolution.h"

namespace {

// Processor time of this process, reads included: the machine may be shared,
// and wall time would charge a case for whatever else runs beside it.
double processSeconds()
{
    struct timespec now;
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

bool usable(benchmark::State& state, const SyntheticEvolution& evolution)
{
    if (!evolution.complete)
        state.SkipWithError("the synthetic evolution could not be written");
    return evolution.complete;
}

// Reads every input file of the evolution whole into memory, one after the
// other into one buffer; returns the number of bytes read.
uint64_t readInputFiles(const SyntheticEvolution& evolution, std::vector<char>& buffer)
{
    uint64_t total = 0;
    for (const std::string& path : evolution.inputFiles) {
        std::FILE* file = std::fopen(path.c_str(), "rb");
        if (!file)
            continue;
        struct stat info;
        if (::fstat(::fileno(file), &info) == 0 && static_cast<size_t>(info.st_size) > buffer.size())
            buffer.resize(static_cast<size_t>(info.st_size));
        total += std::fread(buffer.data(), 1, buffer.size(), file);
        std::fclose(file);
    }
    return total;
}

double medianReadSeconds(const SyntheticEvolution& evolution, int runs)
{
    std::vector<char> buffer;
    std::vector<double> seconds;
    for (int i = 0; i < runs; ++i) {
        const double start = processSeconds();
        benchmark::DoNotOptimize(readInputFiles(evolution, buffer));
        seconds.push_back(processSeconds() - start);
    }
    std::sort(seconds.begin(), seconds.end());
    return seconds[seconds.size() / 2];
}

void readInputFilesBench(benchmark::State& state)
{
    const SyntheticEvolution& evolution = syntheticEvolution(syntheticParameters(state));
    if (!usable(state, evolution))
        return;
    std::vector<char> buffer;
    for (auto _ : state)
        benchmark::DoNotOptimize(readInputFiles(evolution, buffer));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * evolution.inputBytes));
    state.counters["inputMB"] = static_cast<double>(evolution.inputBytes) / 1e6;
    state.counters["files"] = static_cast<double>(evolution.inputFiles.size());
}

// The read of the same files is timed right before the loads, so that both
// meet the same state of the machine; the ratio is the processor time of a
// load over that of the read.
void loadEvolutionBench(benchmark::State& state)
{
    const SyntheticEvolution& evolution = syntheticEvolution(syntheticParameters(state));
    if (!usable(state, evolution))
        return;
    const double readSeconds = medianReadSeconds(evolution, 3);
    double loadSeconds = 0;
    for (auto _ : state) {
        const double start = processSeconds();
        LoadedEvolution loaded = loadEvolutionDirectory(evolution);
        loadSeconds += processSeconds() - start;
        state.PauseTiming();
        const bool loadedWell = loaded.evolution != nullptr;
        loaded = {};
        state.ResumeTiming();
        if (!loadedWell) {
            state.SkipWithError("the synthetic evolution did not load");
            return;
        }
    }
    const double perLoad = loadSeconds / static_cast<double>(state.iterations());
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * evolution.inputBytes));
    state.counters["readMs"] = readSeconds * 1e3;
    state.counters["xRead"] = perLoad / readSeconds;
    state.counters["fileLines"] = evolution.lineCount;
}

// The tables of a loaded evolution: per cell a status character, a 32-bit
// class and a 32-bit block number, then the regions, spans and runs.
double tableBytes(const EvolutionFile& e)
{
    const double cells = static_cast<double>(e.lineCount) * static_cast<double>(e.revisionCount);
    double regions = 0;
    for (const auto& list : e.revisionRegions)
        regions += static_cast<double>(list.size());
    return cells * static_cast<double>(sizeof(char) + 2 * sizeof(int32_t)) +
           regions * static_cast<double>(sizeof(SyntaxRegion)) +
           static_cast<double>(e.lineSpans.size() * sizeof(LineSpan)) +
           static_cast<double>(e.runs.size() * sizeof(RevisionRun));
}

struct MemoryFigures {
    double peakBytes = 0;   // growth of the resident set at its highest
    double tableBytes = 0;
    double regionCount = 0;
    bool measured = false;
};

double residentBytes()
{
    std::ifstream statm("/proc/self/statm");
    double size = 0, resident = 0;
    statm >> size >> resident;
    return resident * static_cast<double>(::sysconf(_SC_PAGESIZE));
}

// Lowers the high-water mark of the resident set to its present size.
bool resetPeakResident()
{
    std::ofstream clearRefs("/proc/self/clear_refs");
    clearRefs << "5";
    clearRefs.flush();
    return clearRefs.good();
}

MemoryFigures measureLoad(const SyntheticEvolution& evolution)
{
    MemoryFigures figures;
    ::malloc_trim(0);
    if (!resetPeakResident())
        return figures;
    const double before = residentBytes();
    LoadedEvolution loaded = loadEvolutionDirectory(evolution);
    struct rusage usage;
    if (!loaded.evolution || ::getrusage(RUSAGE_SELF, &usage) != 0)
        return figures;
    figures.peakBytes = static_cast<double>(usage.ru_maxrss) * 1024.0 - before;
    figures.tableBytes = tableBytes(*loaded.evolution);
    for (const auto& list : loaded.evolution->revisionRegions)
        figures.regionCount += static_cast<double>(list.size());
    figures.measured = true;
    return figures;
}

// The load runs in a child process: its high-water mark then belongs to
// this load alone, and nothing this process allocated before can be reused
// unseen. The child leaves with _exit so that it removes no directory.
MemoryFigures measureLoadInChild(const SyntheticEvolution& evolution)
{
    MemoryFigures figures;
    int channel[2];
    if (::pipe(channel) != 0)
        return figures;
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(channel[0]);
        const MemoryFigures measured = measureLoad(evolution);
        const bool sent = ::write(channel[1], &measured, sizeof measured) == sizeof measured;
        ::_exit(sent ? 0 : 1);
    }
    ::close(channel[1]);
    if (child > 0) {
        if (::read(channel[0], &figures, sizeof figures) != sizeof figures)
            figures = {};
        int status = 0;
        ::waitpid(child, &status, 0);
    }
    ::close(channel[0]);
    return figures;
}

void loadEvolutionMemoryBench(benchmark::State& state)
{
    const SyntheticEvolution& evolution = syntheticEvolution(syntheticParameters(state));
    if (!usable(state, evolution))
        return;
    MemoryFigures figures;
    for (auto _ : state)
        figures = measureLoadInChild(evolution);
    if (!figures.measured) {
        state.SkipWithError("the memory of the load could not be measured");
        return;
    }
    state.counters["peakMB"] = figures.peakBytes / 1e6;
    state.counters["tablesMB"] = figures.tableBytes / 1e6;
    state.counters["xTables"] = figures.peakBytes / figures.tableBytes;
    state.counters["regions"] = figures.regionCount;
}

}  // namespace

using benchmark::internal::Benchmark;

BENCHMARK(readInputFilesBench)->Name("readInputFiles")->Apply([](Benchmark* b) { syntheticCases(b); });
BENCHMARK(loadEvolutionBench)->Name("loadEvolution")->Apply([](Benchmark* b) { syntheticCases(b); });
// One repetition per size is enough: the figures do not vary. The load runs
// in a child, so only wall time tells this process how long it took.
BENCHMARK(loadEvolutionMemoryBench)->Name("loadEvolutionMemory")->Apply([](Benchmark* b) {
    syntheticCases(b);
    b->Repetitions(1)->UseRealTime();
});
