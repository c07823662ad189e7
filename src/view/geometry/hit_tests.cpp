#include "view/geometry/hit_tests.h"

#include <algorithm>
#include <climits>
#include <cstddef>

#include "app/globals.h"
#include "evolution/evolution_file.h"
#include "view/geometry/row_top.h"

namespace {

// Pixels become cells by truncation towards zero. A value beyond int (a
// zoom of 0, say) lands far outside the grid instead of being undefined.
int truncated(float value)
{
    if (value > -2147483648.0f && value < 2147483648.0f)
        return static_cast<int>(value);
    return value > 0.0f ? INT_MAX : INT_MIN;
}

bool within(int value, int low, int high) { return value >= low && value <= high; }

bool gridEmpty(const EvolutionFile& e) { return e.rowCount <= 0 || e.columnCount <= 0; }

// The column under x, by the revision width.
int revisionAt(float x) { return truncated(x / viewState->versionSize); }

// The row slot under y, by the row height.
int slotAt(float y) { return truncated(y / viewState->lineSize); }

CellHit normalCell(const EvolutionFile& e, int x, int y)
{
    const ViewState& v = *viewState;
    CellHit hit{false, -1, revisionAt(static_cast<float>(x) + v.scrollX)};
    if (!within(hit.revision, 0, e.columnCount - 1))
        return hit;
    const int k = slotAt(static_cast<float>(y) + v.scrollY);
    if (!within(k, 0, e.maxRevisionLength - 1))
        return hit;
    int seen = 0;
    for (int row = 0; row < e.rowCount; ++row) {
        if (!e.rowPresent(row, hit.revision))
            continue;
        if (seen == k) {
            hit.row = row;
            hit.hit = true;
            return hit;
        }
        ++seen;
    }
    return hit;
}

CellHit horizontalCell(const EvolutionFile& e, int x, int y)
{
    const ViewState& v = *viewState;
    CellHit hit{false, slotAt(static_cast<float>(y) + v.scrollY), revisionAt(static_cast<float>(x) + v.scrollX)};
    hit.hit = within(hit.row, 0, e.rowCount - 1) && within(hit.revision, 0, e.columnCount - 1);
    return hit;
}

// Within the revision range the rows' boundaries run straight from the
// layout at the column's left edge to the one at its right edge; the
// pointer's row is the first whose lower boundary at the pointer lies below
// it. A pointer on a boundary belongs to the row below, as in the uniform
// layouts.
CellHit interpolatedCell(const EvolutionFile& e, int x, int y)
{
    const ViewState& v = *viewState;
    const int px = truncated(static_cast<float>(x) + v.scrollX);
    CellHit hit{false, -1, revisionAt(static_cast<float>(px))};
    if (!within(hit.revision, 0, e.columnCount - 1) || !rowHeightsHold(e))
        return hit;
    const float yp = (static_cast<float>(y) + v.scrollY) / v.lineSize;
    if (hit.revision < e.firstRevision || hit.revision > e.lastRevision) {
        hit.row = truncated(yp);
        hit.hit = within(hit.row, 0, e.rowCount - 1);
        return hit;
    }

    // The range's first column starts from whole rows, as it is drawn,
    // whether a column lies before it or not.
    const int right = hit.revision;
    const bool fromWholeRows = right == std::max(e.firstRevision, 0);
    const int left = fromWholeRows ? right : right - 1;
    const float share = (static_cast<float>(px) - static_cast<float>(right) * v.versionSize) / v.versionSize;
    float lowerLeft = fromWholeRows ? 0.0f : columnTopOffset(e, left);
    float lowerRight = columnTopOffset(e, right);
    const auto atPointer = [share](float leftEdge, float rightEdge) { return leftEdge + (rightEdge - leftEdge) * share; };
    if (yp < atPointer(lowerLeft, lowerRight))
        return hit;
    const auto& table = v.rowHeights;
    for (int row = 0; row < e.rowCount; ++row) {
        lowerLeft += fromWholeRows ? 1.0f : table[static_cast<size_t>(row)][static_cast<size_t>(left)];
        lowerRight += table[static_cast<size_t>(row)][static_cast<size_t>(right)];
        if (atPointer(lowerLeft, lowerRight) > yp) {
            hit.row = row;
            hit.hit = true;
            return hit;
        }
    }
    hit.row = e.rowCount;
    return hit;
}

// The slot of `row` in the Normal layout's stack at `revision`; a row absent
// there stands where the nearest present row above it does. -1 when no
// present row is at or above it.
int normalSlot(const EvolutionFile& e, int row, int revision)
{
    while (row >= 0 && !e.rowPresent(row, revision))
        --row;
    int slot = -1;
    for (int i = 0; i <= row; ++i)
        slot += e.rowPresent(i, revision) ? 1 : 0;
    return slot;
}

}  // namespace

CellHit cellAtPixel(const EvolutionFile& evolution, int x, int y, int layout)
{
    if (!viewState || gridEmpty(evolution))
        return {false, -1, 0};
    switch (layout) {
    case modeNormal: return normalCell(evolution, x, y);
    case modeHorizontal: return horizontalCell(evolution, x, y);
    case modeInterpolated: return interpolatedCell(evolution, x, y);
    default: return {false, -1, 0};
    }
}

CellPixel pixelOfCell(const EvolutionFile& evolution, int row, int revision, int layout)
{
    CellPixel pixel;
    if (!viewState || gridEmpty(evolution) || !within(row, 0, evolution.rowCount - 1) ||
        !within(revision, 0, evolution.columnCount))
        return pixel;
    const ViewState& v = *viewState;
    pixel.x = truncated(static_cast<float>(revision) * v.versionSize - v.scrollX);
    float top = 0.0f;
    switch (layout) {
    case modeNormal: {
        // The right edge of the last column stacks its rows as that column.
        const int slot = normalSlot(evolution, row, std::min(revision, evolution.columnCount - 1));
        if (!within(slot, 0, evolution.maxRevisionLength - 1))
            return pixel;
        top = static_cast<float>(slot);
        break;
    }
    case modeHorizontal: top = static_cast<float>(row); break;
    case modeInterpolated:
        if (!rowHeightsHold(evolution))
            return pixel;
        // A column past the range is drawn in whole rows, though the
        // boundary it shares with the range's last column is shaped.
        top = revision > evolution.lastRevision && revision < evolution.columnCount
                  ? static_cast<float>(row)
                  : rowTopAt(evolution, revision, row);
        break;
    default: return pixel;
    }
    pixel.y = truncated(top * v.lineSize - v.scrollY);
    pixel.ok = true;
    return pixel;
}
