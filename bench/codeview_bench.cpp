// One refresh of the code view's listings as a pointer move over a cell runs
// it: the hovered revision's lines around a present cell; for an absent cell
// that listing and the run of absent lines beside it. Every listed line is
// read afresh from the revision files, so the cost grows with how far down
// its text the hovered line lies; the cells are taken nine tenths down.
//
// The evolutions keep 100 revisions: the refresh walks the revisions only
// for the authors and lifetimes of its few lines, while a 20,000-line text
// for each of thousands of revisions would fill gigabytes of disk.

#include "app/globals.h"
#include "codeview/listing/absent_listing.h"
#include "codeview/listing/code_listing.h"
#include "evolution/evolution_file.h"
#include "synthetic_evolution.h"

namespace {

constexpr int presentCell = 0;
constexpr int absentCell = 1;

// Makes the evolution of these parameters the program's open one, as
// opening it does, unless it already is; false when it does not load.
bool openAsCurrent(const SyntheticParameters& parameters)
{
    static int openLines = -1, openRevisions = -1;
    if (openLines == parameters.lines && openRevisions == parameters.revisions)
        return currentEvolution != nullptr;
    openLines = parameters.lines;
    openRevisions = parameters.revisions;

    currentEvolution.reset();
    const SyntheticEvolution& files = syntheticEvolution(parameters);
    LoadedEvolution loaded = loadEvolutionDirectory(files);
    currentGrammar = std::move(loaded.grammar);
    currentEvolution = std::move(loaded.evolution);
    if (!currentEvolution)
        return false;

    createGlobalObjects();
    currentDirectory = files.directory;
    currentModuleName = currentEvolution->moduleName;
    currentBranch = currentEvolution->branch;
    ViewState& view = *viewState;
    view.release();
    view.tableRows = currentEvolution->rowCount;
    view.tableColumns = currentEvolution->columnCount;
    view.reset();
    view.loaded = true;
    // The code view of the window as it opens.
    view.codeViewHeight = 145;
    view.codeViewWidth = 650;
    return true;
}

// A present or absent cell of the latest revision that has one, nine
// tenths down the rows.
bool findCell(bool absent, int& row, int& revision)
{
    const EvolutionFile& evolution = *currentEvolution;
    for (int r = evolution.columnCount - 1; r >= 0; --r) {
        for (int k = evolution.rowCount * 9 / 10; k < evolution.rowCount; ++k) {
            if (evolution.rowPresent(k, r) != absent) {
                row = k;
                revision = r;
                return true;
            }
        }
    }
    return false;
}

void codeViewRefreshBench(benchmark::State& state)
{
    SyntheticParameters parameters;
    parameters.lines = static_cast<int>(state.range(0));
    parameters.revisions = static_cast<int>(state.range(1));
    const bool absent = state.range(2) == absentCell;
    int row = 0, revision = 0;
    if (!openAsCurrent(parameters) || !findCell(absent, row, revision)) {
        state.SkipWithError("the synthetic evolution has no such cell");
        return;
    }
    for (auto _ : state) {
        hoveredRow = row;
        hoveredRevision = revision + 1;
        refreshRevisionListing(modeNormal);
        if (absent)
            refreshAbsentListing(modeNormal);
    }
    state.counters["textLine"] = currentEvolution->lineNumberIn(rowToLine(row, modeNormal), revision) + 1;
    state.counters["listed"] = viewState->textLineCount + (absent ? viewState->codeLineCount : 0);
}

}  // namespace

BENCHMARK(codeViewRefreshBench)
    ->Name("codeViewRefresh")
    ->Unit(benchmark::kMillisecond)
    ->MinTime(0.2)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true)
    ->ArgNames({"lines", "revisions", "absent"})
    ->Args({1000, 100, presentCell})
    ->Args({1000, 100, absentCell})
    ->Args({20000, 100, presentCell})
    ->Args({20000, 100, absentCell});
