// Which lines are shown as rows, and the spans and runs derived from them.

#include <algorithm>

#include "evolution/evolution_file.h"

void EvolutionFile::applyRangeFilter(int first, int last)
{
    rowCount = 0;
    for (int line = 0; line < lineCount; ++line) {
        const char* s = lineStatus[line];
        if (decodeStatus(s[first]) != statusDeleted && decodeStatus(s[last]) != statusAdded) {
            rowStatus[rowCount] = lineStatus[line];
            rowClasses[rowCount] = lineClasses[line];
            ++rowCount;
        }
    }
    firstRevision = first;
    lastRevision = last;
    rowsFromRangeAlone = true;
}

void EvolutionFile::applyFocusFilter(int revision)
{
    int kept = 0;
    for (int row = 0; row < rowCount; ++row) {
        if (rowPresent(row, revision)) {
            rowStatus[kept] = rowStatus[row];
            rowClasses[kept] = rowClasses[row];
            ++kept;
        }
    }
    rowCount = kept;
    rowsFromRangeAlone = false;
}

void EvolutionFile::applyViewMode(int mode)
{
    if (columnCount == 0)
        return;
    if (mode == modeNormal || mode == modeHorizontal) {
        applyRangeFilter(firstRevision, lastRevision);
        if (focusRevision != -1 && rowCount > 0)
            applyFocusFilter(focusRevision);
    } else if (mode == modeInterpolated) {
        applyRangeFilter(firstRevision, lastRevision);
    }
    buildLineLayout();
}

void EvolutionFile::setFocusRevision(int mode, int revision)
{
    if (mode != modeNormal && mode != modeHorizontal && mode != modeInterpolated)
        return;
    // The focus never stands on the first revision (the Interpolated layout
    // needs the column before it), so an evolution of one revision has no
    // revision that can take it, and a revision outside the grid none either.
    const int focus = std::max(revision, 1);
    if (revision < 0 || focus >= columnCount)
        return;
    const int first = std::min(firstRevision, focus - 1), last = std::max(lastRevision, revision);
    // The Interpolated layout shows every row of the range whatever the
    // focus, so a focus inside the range leaves its rows as they are.
    if (mode == modeInterpolated && rowsFromRangeAlone && first == firstRevision && last == lastRevision) {
        focusRevision = focus;
        return;
    }
    applyRangeFilter(first, last);

    if (mode == modeInterpolated) {
        focusRevision = focus;
    } else if (focusRevision != focus) {
        applyFocusFilter(focus);
        focusRevision = focus;
    } else {
        focusRevision = -1;
    }
    buildLineLayout();
}

void EvolutionFile::setRevisionRange(int mode, int first, int last)
{
    if (mode != modeNormal && mode != modeHorizontal && mode != modeInterpolated)
        return;
    const int a = first - 1;
    const int b = last - 1;
    if (a < 0 || b >= columnCount || a > b)
        return;
    applyRangeFilter(a, b);
    if (focusRevision >= a && focusRevision <= b) {
        if (mode != modeInterpolated)
            applyFocusFilter(focusRevision);
    } else {
        focusRevision = -1;
    }
    buildLineLayout();
}

std::span<const RevisionRun> EvolutionFile::revisionRuns(int revision) const
{
    const size_t k = static_cast<size_t>(revision - firstRevision);
    if (revision < firstRevision || k + 1 >= rangeRunStarts.size())
        return {};
    return std::span<const RevisionRun>(runs).subspan(rangeRunStarts[k], rangeRunStarts[k + 1] - rangeRunStarts[k]);
}

void EvolutionFile::buildLineLayout()
{
    ++layoutBuilds;
    lineSpans.assign(rowCount, LineSpan{});
    runs.clear();

    // Every pass walks the rows one by one and reads each status row from
    // the front, rather than walking down one revision at a time across all
    // rows. The runs stand revision by revision, so they are first counted,
    // then written into their places.
    const int rangeFirst = firstRevision;
    const int rangeEnd = std::max(rangeFirst, std::min(lastRevision + 1, columnCount));
    const size_t rangeWidth = static_cast<size_t>(rangeEnd - rangeFirst);
    // Counted in 32 bits, which the compiler can add many at a time; a
    // revision has no more runs than rows.
    std::vector<uint32_t> runCounts(rangeWidth, 0);
    std::vector<char> open(rangeWidth, 0);
    presentRows.assign(static_cast<size_t>(std::max(columnCount, 0)), 0);
    constantRevisions.assign(static_cast<size_t>(std::max(rowCount, 0)), 0);

    for (int row = 0; row < rowCount; ++row) {
        const char* statuses = rowStatus[row];
        LineSpan& span = lineSpans[row];
        span.row = row;
        for (int r = 0; r < columnCount; ++r) {
            if (isPresentChar(statuses[r])) {
                span.firstRevision = r;
                break;
            }
        }
        span.length = columnCount - span.firstRevision;
        for (int r = span.firstRevision; r < columnCount; ++r) {
            if (decodeStatus(statuses[r]) == statusDeleted) {
                span.length = r - span.firstRevision;
                break;
            }
        }
        int32_t constant = 0;
        // Locals, since a store through an int32_t pointer could change
        // the member count for all the compiler knows.
        int32_t* present = presentRows.data();
        const int columns = columnCount;
        for (int r = 0; r < columns; ++r) {
            present[r] += isPresentChar(statuses[r]) ? 1 : 0;
            constant += statuses[r] == 'X' ? 1 : 0;
        }
        constantRevisions[row] = constant;
        for (size_t i = 0; i < rangeWidth; ++i) {
            const char present = isPresentChar(statuses[rangeFirst + i]) ? 1 : 0;
            runCounts[i] += present && !open[i] ? 1 : 0;
            open[i] = present;
        }
    }

    std::vector<size_t> runSlot(rangeWidth + 1, 0);
    for (size_t i = 0; i < rangeWidth; ++i)
        runSlot[i + 1] = runSlot[i] + runCounts[i];
    rangeRunStarts = runSlot;
    runs.resize(runSlot[rangeWidth]);
    std::fill(open.begin(), open.end(), 0);
    for (int row = 0; row < rowCount; ++row) {
        const char* statuses = rowStatus[row];
        for (size_t i = 0; i < rangeWidth; ++i) {
            const bool present = isPresentChar(statuses[rangeFirst + i]);
            if (present && !open[i]) {
                runs[runSlot[i]] = RevisionRun{row, rangeFirst + static_cast<int>(i), 0};
                open[i] = 1;
            } else if (!present && open[i]) {
                RevisionRun& run = runs[runSlot[i]++];
                run.length = row - run.firstRow;
                open[i] = 0;
            }
        }
    }
    for (size_t i = 0; i < rangeWidth; ++i) {
        if (open[i]) {
            RevisionRun& run = runs[runSlot[i]];
            run.length = rowCount - run.firstRow;
        }
    }

    maxRevisionLength = 0;
    for (int present : presentRows)
        maxRevisionLength = std::max(maxRevisionLength, present);
}
