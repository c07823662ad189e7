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
    if (revision > lastRevision)
        lastRevision = revision;
    if (focus <= firstRevision)
        firstRevision = focus - 1;
    applyRangeFilter(firstRevision, lastRevision);

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

void EvolutionFile::buildLineLayout()
{
    lineSpans.assign(rowCount, LineSpan{});
    runs.clear();

    for (int row = 0; row < rowCount; ++row) {
        LineSpan& span = lineSpans[row];
        span.row = row;
        for (int r = 0; r < columnCount; ++r) {
            if (rowPresent(row, r)) {
                span.firstRevision = r;
                break;
            }
        }
        span.length = columnCount - span.firstRevision;
        for (int r = span.firstRevision; r < columnCount; ++r) {
            if (status(row, r) == statusDeleted) {
                span.length = r - span.firstRevision;
                break;
            }
        }
    }

    for (int r = firstRevision; r <= lastRevision && r < columnCount; ++r) {
        bool open = false;
        for (int row = 0; row < rowCount; ++row) {
            const bool present = rowPresent(row, r);
            if (present && !open) {
                runs.push_back(RevisionRun{row, r, 0});
                open = true;
            } else if (!present && open) {
                runs.back().length = row - runs.back().firstRow;
                open = false;
            }
        }
        if (open)
            runs.back().length = rowCount - runs.back().firstRow;
    }

    maxRevisionLength = 0;
    for (int r = 0; r < columnCount; ++r) {
        int present = 0;
        for (int row = 0; row < rowCount; ++row)
            present += rowPresent(row, r) ? 1 : 0;
        maxRevisionLength = std::max(maxRevisionLength, present);
    }
}
