// The evolution file and the revision list (the input's two halves), then
// every row operation a user can reach, with the bounds each result must keep.

#include <algorithm>

#include "evolution/evolution_file.h"
#include "evolution/evolution_path.h"
#include "fuzz/fuzz_input.h"

static void checkLayout(const EvolutionFile& e, int sorting)
{
    FUZZ_CHECK(e.rowCount >= 0 && e.rowCount <= e.lineCount);
    FUZZ_CHECK(e.lineSpans.size() == static_cast<size_t>(e.rowCount));
    for (const LineSpan& span : e.lineSpans)
        FUZZ_CHECK(span.row >= 0 && span.row < e.rowCount && span.length >= 0 && span.firstRevision >= 0 &&
                   span.firstRevision + span.length <= e.columnCount);
    for (const RevisionRun& run : e.runs)
        FUZZ_CHECK(run.revision >= e.firstRevision && run.revision <= e.lastRevision && run.length > 0 &&
                   run.firstRow >= 0 && run.firstRow + run.length <= e.rowCount &&
                   run.length <= e.maxRevisionLength);
    // A row that is never present spans no revision: its block is empty,
    // one revision narrower than its first, with level -1.
    for (const EvolutionBlock& block : e.blocks) {
        FUZZ_CHECK(block.firstRow >= 0 && block.firstRow <= block.lastRow && block.lastRow < e.rowCount &&
                   block.firstRevision >= 0 && block.firstRevision <= block.lastRevision + 1 &&
                   block.lastRevision < e.columnCount && block.level <= e.maxBlockLevel);
        FUZZ_CHECK(block.level == (sorting == 0 ? block.lastRow - block.firstRow
                                                : block.lastRevision - block.firstRevision));
    }
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const auto [evolutionText, revisionList] = splitAtNul(data, size);
    scratch().write("e_cvs", std::string(evolutionText));
    EvolutionFile probe(scratch().path(), "e_cvs", nullptr);
    if (!probe.loadEvolution() && (probe.moduleName.empty() || probe.moduleName.find('/') != std::string::npos))
        return 0;
    scratch().write(probe.moduleName + ".rev", std::string(revisionList));
    EvolutionFile e(scratch().path(), "e_cvs", nullptr);
    if (!e.loadEvolution())
        return 0;
    FUZZ_CHECK(e.lineCount >= 0 && e.revisionCount >= 0 && e.columnCount == e.revisionCount);
    FUZZ_CHECK(static_cast<size_t>(e.lineCount) * static_cast<size_t>(e.revisionCount) <= evolutionText.size());
    // A name can come back after every revision holding it was given to
    // another, and is then numbered anew: the list's lines bound the numbers.
    const auto listLines = std::count(revisionList.begin(), revisionList.end(), '\n') + 1;
    for (int r = 0; r < e.revisionCount; ++r)
        FUZZ_CHECK(e.revisionAuthorIndex(r) >= -1 && e.revisionAuthorIndex(r) < listLines);
    checkLayout(e, -1);
    if (e.revisionCount == 0)
        return 0;
    // The bytes of the list choose what the user does: a range, a focus.
    const int n = e.revisionCount;
    const int first = 1 + static_cast<int>(revisionList.size() % static_cast<size_t>(n));
    const int last = first + static_cast<int>(size % static_cast<size_t>(n - first + 1));
    for (int mode = modeNormal; mode <= modeInterpolated; ++mode) {
        e.setRevisionRange(mode, first, last);
        e.setFocusRevision(mode, (first + last) / 2 - 1);
        e.applyViewMode(mode);
        for (int sorting = 0; sorting < 2; ++sorting) {
            e.buildBlocks(sorting);
            checkLayout(e, sorting);
        }
    }
    return 0;
}
