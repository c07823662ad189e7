// Which lines are shown as rows, and the spans and runs derived from them.

#include <algorithm>
#include <array>
#include <cstdint>

#include "app/two_halves.h"
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
    // then written into their places. Each pass takes the rows in two
    // halves, one on each core; a run that reaches from the first half into
    // the second is the first half's, and the second only tells where it
    // ends.
    const int rangeFirst = firstRevision;
    const int rangeEnd = std::max(rangeFirst, std::min(lastRevision + 1, columnCount));
    const size_t rangeWidth = static_cast<size_t>(rangeEnd - rangeFirst);
    const int columns = std::max(columnCount, 0);
    presentRows.assign(static_cast<size_t>(columns), 0);
    constantRevisions.assign(static_cast<size_t>(std::max(rowCount, 0)), 0);
    // Small histories are split too: a thread costs little beside a click,
    // and one way of building serves every size.
    const Halves halves = halvesOf(0, rowCount - 1, 2);

    // Per half: present rows per revision and runs that start in it, per
    // range revision; counted in 32 bits, which the compiler can add many
    // at a time (a revision has no more runs than rows).
    struct HalfCounts {
        std::vector<int32_t> present;
        std::vector<uint32_t> runs;
    };
    std::array<HalfCounts, 2> counted;
    // Whether each range revision has a run open as row `from` begins.
    const auto openBefore = [&](int from) {
        std::vector<char> open(rangeWidth, 0);
        for (size_t i = 0; from > 0 && i < rangeWidth; ++i)
            open[i] = isPresentChar(rowStatus[from - 1][rangeFirst + i]) ? 1 : 0;
        return open;
    };
    inTwoHalves(halves, [&](int half, int from, int to) {
        HalfCounts& counts = counted[half];
        counts.present.assign(static_cast<size_t>(columns), 0);
        counts.runs.assign(rangeWidth, 0);
        std::vector<char> open = openBefore(from);
        // Locals: the loops store through int32_t pointers, which for all
        // the compiler knows could change what the lambda refers to.
        int32_t* present = counts.present.data();
        uint32_t* runCounts = counts.runs.data();
        char* opened = open.data();
        const int width = columns, rangeColumns = static_cast<int>(rangeWidth), offset = rangeFirst;
        for (int row = from; row <= to; ++row) {
            const char* statuses = rowStatus[row];
            LineSpan& span = lineSpans[row];
            span.row = row;
            for (int r = 0; r < width; ++r) {
                if (isPresentChar(statuses[r])) {
                    span.firstRevision = r;
                    break;
                }
            }
            span.length = width - span.firstRevision;
            for (int r = span.firstRevision; r < width; ++r) {
                if (decodeStatus(statuses[r]) == statusDeleted) {
                    span.length = r - span.firstRevision;
                    break;
                }
            }
            int32_t constant = 0;
            for (int r = 0; r < width; ++r) {
                present[r] += isPresentChar(statuses[r]) ? 1 : 0;
                constant += statuses[r] == 'X' ? 1 : 0;
            }
            constantRevisions[row] = constant;
            const char* inRange = statuses + offset;
            for (int i = 0; i < rangeColumns; ++i) {
                const char now = isPresentChar(inRange[i]) ? 1 : 0;
                runCounts[i] += now && !opened[i] ? 1 : 0;
                opened[i] = now;
            }
        }
    });

    for (const HalfCounts& counts : counted)
        for (size_t r = 0; r < counts.present.size(); ++r)
            presentRows[r] += counts.present[r];
    std::array<std::vector<size_t>, 2> slots;
    slots[0].assign(rangeWidth + 1, 0);
    for (size_t i = 0; i < rangeWidth; ++i) {
        const uint32_t later = counted[1].runs.empty() ? 0 : counted[1].runs[i];
        slots[0][i + 1] = slots[0][i] + counted[0].runs[i] + later;
    }
    rangeRunStarts = slots[0];
    slots[1] = slots[0];
    for (size_t i = 0; i < rangeWidth; ++i)
        slots[1][i] += counted[0].runs[i];
    runs.resize(slots[0][rangeWidth]);

    // Per half: where the run it found open at its first row ends, and the
    // place of the run each revision still has open after its last row.
    struct HalfEnds {
        std::vector<int32_t> inheritedEnd;
        std::vector<size_t> openRun;  // SIZE_MAX for none
    };
    std::array<HalfEnds, 2> ends;
    inTwoHalves(halves, [&](int half, int from, int to) {
        std::vector<size_t>& slot = slots[half];
        std::vector<char> open = openBefore(from);
        std::vector<char> inherited = open;
        HalfEnds& found = ends[half];
        found.inheritedEnd.assign(rangeWidth, to + 1);
        // Locals again, for the stores into the runs.
        RevisionRun* written = runs.data();
        size_t* place = slot.data();
        int32_t* inheritedEnd = found.inheritedEnd.data();
        const int rangeColumns = static_cast<int>(rangeWidth), offset = rangeFirst;
        for (int row = from; row <= to; ++row) {
            const char* inRange = rowStatus[row] + offset;
            for (int i = 0; i < rangeColumns; ++i) {
                const bool present = isPresentChar(inRange[i]);
                if (present && !open[i]) {
                    written[place[i]] = RevisionRun{row, offset + i, 0};
                    open[i] = 1;
                } else if (!present && open[i]) {
                    if (inherited[i]) {
                        inheritedEnd[i] = row;
                        inherited[i] = 0;
                    } else {
                        RevisionRun& run = written[place[i]++];
                        run.length = row - run.firstRow;
                    }
                    open[i] = 0;
                }
            }
        }
        found.openRun.assign(rangeWidth, SIZE_MAX);
        for (size_t i = 0; i < rangeWidth; ++i)
            if (open[i] && !inherited[i])
                found.openRun[i] = slot[i];
    });
    // A run open after the first half ends where the second half says, or
    // with the rows.
    const bool split = halves.middle <= halves.last;
    for (size_t i = 0; i < rangeWidth; ++i) {
        for (int half = 0; half < 2; ++half) {
            if (ends[half].openRun.empty() || ends[half].openRun[i] == SIZE_MAX)
                continue;
            RevisionRun& run = runs[ends[half].openRun[i]];
            const int end = half == 0 && split ? ends[1].inheritedEnd[i] : rowCount;
            run.length = end - run.firstRow;
        }
    }

    maxRevisionLength = 0;
    for (int present : presentRows)
        maxRevisionLength = std::max(maxRevisionLength, present);
}
