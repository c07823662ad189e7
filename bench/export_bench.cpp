// What a script waits for when it makes a picture: from `quillon --export`
// started, with no display, to its PNG written, loading included.

#include <sys/resource.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "synthetic_evolution.h"

namespace {

void exportPicture(benchmark::State& state)
{
    SyntheticParameters parameters = syntheticParameters(state);
    parameters.texts = false;
    const SyntheticEvolution& evolution = syntheticEvolution(parameters);
    if (!evolution.complete) {
        state.SkipWithError("the evolution could not be written");
        return;
    }
    const std::string picture = (std::filesystem::temp_directory_path() / "quillon-export-bench.png").string();
    const std::string command = "env -u DISPLAY " QUILLON_PROGRAM " --export " + picture + " " +
                                evolution.directory + evolution.fileName + " >/dev/null";
    for (auto _ : state)
        if (std::system(command.c_str()) != 0) {
            state.SkipWithError("the export failed");
            break;
        }
    std::filesystem::remove(picture);
    rusage children{};
    getrusage(RUSAGE_CHILDREN, &children);
    state.counters["peak_MB"] = static_cast<double>(children.ru_maxrss) / 1024.0;
    state.counters["file_MB"] = static_cast<double>(evolution.inputBytes) / 1e6;
}

}  // namespace

BENCHMARK(exportPicture)
    ->ArgNames({"lines", "revisions"})
    ->Args({1000, 100})
    // 7,000 lines a revision make 20,404 rows over 2,000 revisions: an 82 MB
    // evolution file, the size the frame targets are set for.
    ->Args({7000, 2000})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(3)
    ->UseRealTime()
    ->ReportAggregatesOnly(true);
