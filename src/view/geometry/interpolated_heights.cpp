#include "view/geometry/interpolated_heights.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "app/globals.h"
#include "evolution/evolution_file.h"
#include "evolution/line_status.h"
#include "view/geometry/row_heights.h"
#include "view/geometry/row_top.h"

namespace {

// The weight blends two parts over a scale of six, in single precision.
constexpr float oneSixth = 0.16666667f;

bool absent(int status) { return !isPresentStatus(status); }

// The revision range as far as the grid has it, and whether the focus lies
// inside it, where it can shape the columns.
struct WalkRange {
    int first = 0;
    int last = -1;
    int focus = -1;
    bool focused = false;
};

WalkRange walkRange(const EvolutionFile& e)
{
    WalkRange range;
    if (!rowHeightsHold(e))
        return range;
    range.first = std::max(e.firstRevision, 0);
    range.last = std::min(e.lastRevision, e.columnCount - 1);
    range.focus = e.focusRevision;
    range.focused = range.focus >= range.first && range.focus <= range.last;
    return range;
}

// Per row, where its shrinking towards the focus begins on the left (the
// first revision of the range with the row's status at the focus) and where
// it ends on the right (the last such revision). Found once per computation:
// searching again for every column would make it quadratic in the range.
struct ShrinkOrigins {
    std::vector<int> focusStatus;
    std::vector<int> since;
    std::vector<int> until;
};

ShrinkOrigins findShrinkOrigins(const EvolutionFile& e, const WalkRange& range)
{
    ShrinkOrigins origins;
    if (!range.focused)
        return origins;
    const size_t rows = static_cast<size_t>(e.rowCount);
    origins.focusStatus.resize(rows);
    origins.since.assign(rows, range.focus);
    origins.until.assign(rows, range.focus);
    for (size_t i = 0; i < rows; ++i) {
        const int row = static_cast<int>(i);
        const int f = e.status(row, range.focus);
        origins.focusStatus[i] = f;
        if (!absent(f))
            continue;
        for (int r = range.first; r < range.focus; ++r) {
            if (e.status(row, r) == f) {
                origins.since[i] = r;
                break;
            }
        }
        for (int r = range.last; r > range.focus; --r) {
            if (e.status(row, r) == f) {
                origins.until[i] = r;
                break;
            }
        }
    }
    return origins;
}

ColumnHeights columnHeights(const EvolutionFile& e, const WalkRange& range, const ShrinkOrigins& origins, int c,
                            std::vector<float>& heights)
{
    const ViewState& v = *viewState;
    auto& table = viewState->rowHeights;
    const int rows = e.rowCount;
    const int focus = range.focus;
    heights.resize(static_cast<size_t>(rows));
    double freed = 0.0;
    int full = 0;
    for (int i = 0; i < rows; ++i) {
        const size_t row = static_cast<size_t>(i);
        const int f = range.focused ? origins.focusStatus[row] : statusConstant;
        float height = 1.0f;
        if (absent(f) && e.status(i, c) == f) {
            if (c < focus) {
                const int since = origins.since[row];
                height = collapseWeight(c - since, focus - since - 1, v.curvature, v.steepness, v.mixer);
            } else if (c > focus) {
                const int until = origins.until[row];
                height = collapseWeight(until - c, until - focus, v.curvature, v.steepness, v.mixer);
            } else {
                // Only a focus on the first range column is computed itself:
                // there the shrinking has reached its end.
                height = 0.0f;
            }
            freed += (1.0 - height) * 0.5;
        } else if (f == statusDeleted && c == focus - 1) {
            // The line is deleted by the focus revision itself, so it must
            // already be gone in the column the focus column copies.
            height = 0.0f;
            freed += 0.5;
        } else {
            ++full;
        }
        heights[row] = height;
        table[row][static_cast<size_t>(c)] = height;
    }
    table[static_cast<size_t>(rows)][static_cast<size_t>(c)] = static_cast<float>(freed);
    return {static_cast<float>(freed), full};
}

}  // namespace

float collapseWeight(int a, int b, float curvature, float steepness, float mixer)
{
    if (b == 0)
        return 0.0f;
    const float t = static_cast<float>(a) / static_cast<float>(b);
    const float power = curvature > 10.0f ? 1.0f - std::pow(t, curvature - 9.0f) : std::pow(1.0f - t, 11.0f - curvature);
    const float x = static_cast<float>(a - b / 2) / (static_cast<float>(b) * steepness);
    const float sigmoid = 1.0f - (std::tanh(x) + 1.0f) * 0.5f;
    return (sigmoid * (6.0f - mixer) + power * mixer) * oneSixth;
}

ColumnHeights computeColumnHeights(const EvolutionFile& evolution, int column, std::vector<float>& heights)
{
    const WalkRange range = walkRange(evolution);
    if (column < range.first || column > range.last)
        return {};
    return columnHeights(evolution, range, findShrinkOrigins(evolution, range), column, heights);
}

ColumnOffsets redistributeColumn(const EvolutionFile& evolution, int column, const ColumnHeights& computed,
                                 std::vector<float>& heights, float previousOffset)
{
    const WalkRange range = walkRange(evolution);
    if (column < range.first || column > range.last || heights.size() != static_cast<size_t>(evolution.rowCount))
        return {};
    if (viewState->redistributeSpace == 1) {
        if (computed.fullRows == 0)
            return {};
        // The removed height goes to the rows that kept theirs, so that the
        // column fills the full height again.
        const float extra = 2.0f * computed.freedSpace / static_cast<float>(computed.fullRows);
        auto& table = viewState->rowHeights;
        for (size_t i = 0; i < heights.size(); ++i) {
            if (heights[i] == 1.0f)
                heights[i] += extra;
            table[i][static_cast<size_t>(column)] = heights[i];
        }
        return {};
    }
    if (columnsBalanced())
        return {previousOffset, computed.freedSpace};
    return {};
}

void copyFocusColumn(const EvolutionFile& evolution)
{
    const WalkRange range = walkRange(evolution);
    if (!range.focused || range.focus == range.first)
        return;
    const size_t from = static_cast<size_t>(range.focus - 1);
    const size_t to = static_cast<size_t>(range.focus);
    auto& table = viewState->rowHeights;
    for (size_t i = 0; i <= static_cast<size_t>(evolution.rowCount); ++i)
        table[i][to] = table[i][from];
}

void walkInterpolatedColumns(const EvolutionFile& evolution,
                             const std::function<void(const InterpolatedColumn&)>& visit)
{
    if (!viewState)
        return;
    resetRowHeights(evolution);
    const WalkRange range = walkRange(evolution);
    if (range.last < range.first)
        return;
    const ShrinkOrigins origins = findShrinkOrigins(evolution, range);
    const size_t rows = static_cast<size_t>(evolution.rowCount);
    std::vector<float> previous(rows, 1.0f);
    std::vector<float> current(rows, 1.0f);
    float previousOffset = 0.0f;
    for (int c = range.first; c <= range.last; ++c) {
        ColumnOffsets offsets;
        float freed = 0.0f;
        if (range.focused && c == range.focus && c > range.first) {
            // The focus column is a flat band showing the column before it
            // at both edges; `current` still holds that column's heights.
            copyFocusColumn(evolution);
            freed = viewState->rowHeights[rows][static_cast<size_t>(c)];
            if (columnsBalanced())
                offsets = {previousOffset, freed};
        } else {
            const ColumnHeights computed = columnHeights(evolution, range, origins, c, current);
            offsets = redistributeColumn(evolution, c, computed, current, previousOffset);
            freed = computed.freedSpace;
        }
        visit(InterpolatedColumn{c, offsets, previous, current});
        previous = current;
        previousOffset = freed;
    }
}

void computeInterpolatedHeights(const EvolutionFile& evolution)
{
    walkInterpolatedColumns(evolution, [](const InterpolatedColumn&) {});
}
