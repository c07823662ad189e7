#include "view/geometry/interpolated_heights.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>

#include "app/globals.h"
#include "app/two_halves.h"
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
// The weights depend on the distances alone, and many rows share them, so
// they are kept by the span b of the shrinking as they are met.
struct ShrinkPlan {
    WalkRange range;
    std::vector<int> focusStatus;
    std::vector<int> since;
    std::vector<int> until;
    std::vector<std::vector<float>> weightsBySpan;  // [b][a]
};

ShrinkPlan planShrinking(const EvolutionFile& e)
{
    ShrinkPlan plan;
    plan.range = walkRange(e);
    const WalkRange& range = plan.range;
    if (!range.focused)
        return plan;
    const size_t rows = static_cast<size_t>(e.rowCount);
    plan.focusStatus.resize(rows);
    plan.since.assign(rows, range.focus);
    plan.until.assign(rows, range.focus);
    plan.weightsBySpan.resize(static_cast<size_t>(e.columnCount) + 1);
    for (size_t i = 0; i < rows; ++i) {
        const int row = static_cast<int>(i);
        const int f = e.status(row, range.focus);
        plan.focusStatus[i] = f;
        if (!absent(f))
            continue;
        for (int r = range.first; r < range.focus; ++r) {
            if (e.status(row, r) == f) {
                plan.since[i] = r;
                break;
            }
        }
        for (int r = range.last; r > range.focus; --r) {
            if (e.status(row, r) == f) {
                plan.until[i] = r;
                break;
            }
        }
    }
    return plan;
}

// The weights of a shrinking of span b, by the distance a from its
// full-height end.
const float* spanWeights(ShrinkPlan& plan, int b)
{
    std::vector<float>& weights = plan.weightsBySpan[static_cast<size_t>(b)];
    if (weights.empty()) {
        const ViewState& v = *viewState;
        weights.resize(static_cast<size_t>(b) + 1);
        for (int a = 0; a <= b; ++a)
            weights[static_cast<size_t>(a)] = collapseWeight(a, b, v.curvature, v.steepness, v.mixer);
    }
    return weights.data();
}

// Whether a row keeps its full height everywhere: it is present at the focus
// (or nothing is focused), so it neither shrinks nor is gone before it.
bool fullThroughout(const ShrinkPlan& plan, size_t row)
{
    return !plan.range.focused || !absent(plan.focusStatus[row]);
}

// What one row needs to know in every column.
struct RowShrink {
    int focus = -1;
    int focusStatus = statusConstant;
    int since = 0;
    int until = 0;
    const float* sinceWeights = nullptr;  // by c - since
    const float* untilWeights = nullptr;  // by until - c
};

RowShrink rowShrink(ShrinkPlan& plan, size_t row)
{
    RowShrink shrink;
    if (fullThroughout(plan, row))
        return shrink;
    shrink.focus = plan.range.focus;
    shrink.focusStatus = plan.focusStatus[row];
    shrink.since = plan.since[row];
    shrink.until = plan.until[row];
    if (shrink.since < shrink.focus)
        shrink.sinceWeights = spanWeights(plan, shrink.focus - shrink.since - 1);
    if (shrink.until > shrink.focus)
        shrink.untilWeights = spanWeights(plan, shrink.until - shrink.focus);
    return shrink;
}

struct Cell {
    float height = 1.0f;
    bool full = true;  // counted among the rows that take redistributed space
};

Cell cellAt(const RowShrink& row, int status, int c)
{
    if (!absent(row.focusStatus))
        return {};
    if (status == row.focusStatus) {
        if (c < row.focus)
            return {row.sinceWeights[c - row.since], false};
        if (c > row.focus)
            return {row.untilWeights[row.until - c], false};
        // Only a focus on the first range column is computed itself: there
        // the shrinking has reached its end.
        return {0.0f, false};
    }
    // A line deleted by the focus revision itself must already be gone in
    // the column the focus column copies.
    if (row.focusStatus == statusDeleted && c == row.focus - 1)
        return {0.0f, false};
    return {};
}

RowHeightsBasis basisOf(const EvolutionFile& e)
{
    const ViewState& v = *viewState;
    return {.valid = true,
            .evolution = &e,
            .layoutBuild = e.layoutBuildCount(),
            .rows = e.rowCount,
            .columns = e.columnCount,
            .focus = e.focusRevision,
            .first = e.firstRevision,
            .last = e.lastRevision,
            .balanceImage = v.balanceImage,
            .redistributeSpace = v.redistributeSpace,
            .curvature = v.curvature,
            .steepness = v.steepness,
            .mixer = v.mixer};
}

// A table written in part no longer holds any whole computation.
void markPartial() { viewState->rowHeightsBasis.valid = viewState->rowHeightsBasis.atRest = false; }

// The height each full row of a column gains so that the column fills its
// full height again.
float redistributedExtra(const ColumnHeights& computed)
{
    return 2.0f * computed.freedSpace / static_cast<float>(computed.fullRows);
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

void copyFocusColumn(const EvolutionFile& evolution)
{
    const WalkRange range = walkRange(evolution);
    if (!range.focused || range.focus == range.first)
        return;
    const size_t from = static_cast<size_t>(range.focus - 1);
    const size_t to = static_cast<size_t>(range.focus);
    markPartial();
    auto& table = viewState->rowHeights;
    for (size_t i = 0; i <= static_cast<size_t>(evolution.rowCount); ++i)
        table[i][to] = table[i][from];
}

// The columns are computed row by row rather than column by column: a row's
// statuses and heights each lie together, and rows present at the focus,
// about half of them, are written once, at their full height plus what
// redistribution gives them. The outcome is that of resetting the table,
// then computing each column and redistributing it, in order; the focus
// column is copied once the column before it is final.
void computeInterpolatedHeights(const EvolutionFile& evolution)
{
    ShrinkPlan plan = planShrinking(evolution);
    const WalkRange& range = plan.range;
    if (range.last < range.first) {
        if (viewState) {
            resetRowHeights(evolution);
            viewState->rowHeightsBasis = basisOf(evolution);
        }
        return;
    }
    const size_t first = static_cast<size_t>(range.first);
    const size_t width = static_cast<size_t>(range.last - range.first + 1);
    const size_t columns = static_cast<size_t>(evolution.columnCount);
    const size_t rows = static_cast<size_t>(evolution.rowCount);
    auto& table = viewState->rowHeights;

    // What each row needs, found here: the weights are kept as they are
    // first met, and the rows are then computed in two halves, one on each
    // core, which only read them.
    std::vector<RowShrink> shrinks(rows);
    for (size_t i = 0; i < rows; ++i)
        shrinks[i] = rowShrink(plan, i);
    const Halves halves = halvesOf(0, static_cast<int>(rows) - 1, 2);

    // The rows that shrink or go decide each column's freed space; each
    // half sums its own rows, and the two sums are added.
    struct Freed {
        std::vector<double> space;
        std::vector<int> full;
        int fullEverywhere = 0;
    };
    std::array<Freed, 2> parts;
    inTwoHalves(halves, [&](int half, int from, int to) {
        Freed& part = parts[half];
        part.space.assign(width, 0.0);
        part.full.assign(width, 0);
        for (int row = from; row <= to; ++row) {
            const size_t i = static_cast<size_t>(row);
            if (fullThroughout(plan, i)) {
                ++part.fullEverywhere;
                continue;
            }
            const char* statuses = evolution.rowStatus[i] + first;
            float* heights = table[i].data() + first;
            for (size_t k = 0; k < width; ++k) {
                const Cell cell = cellAt(shrinks[i], decodeStatus(statuses[k]), static_cast<int>(first + k));
                heights[k] = cell.height;
                if (cell.full)
                    ++part.full[k];
                else
                    part.space[k] += (1.0 - cell.height) * 0.5;
            }
        }
    });
    std::vector<double> freed = parts[0].space;
    std::vector<int> full = parts[0].full;
    int fullEverywhere = parts[0].fullEverywhere + parts[1].fullEverywhere;
    for (size_t k = 0; k < width && !parts[1].space.empty(); ++k)
        freed[k] += parts[1].space[k], full[k] += parts[1].full[k];

    std::vector<float> extra(width, 0.0f);
    float* freedRow = table[rows].data();
    std::fill(freedRow, freedRow + columns, 0.0f);
    for (size_t k = 0; k < width; ++k) {
        const ColumnHeights computed{static_cast<float>(freed[k]), full[k] + fullEverywhere};
        freedRow[first + k] = computed.freedSpace;
        if (viewState->redistributeSpace == 1 && computed.fullRows > 0)
            extra[k] = redistributedExtra(computed);
    }
    inTwoHalves(halves, [&](int, int from, int to) {
        for (int row = from; row <= to; ++row) {
            const size_t i = static_cast<size_t>(row);
            float* heights = table[i].data();
            std::fill(heights, heights + first, 1.0f);
            std::fill(heights + first + width, heights + columns, 1.0f);
            heights += first;
            if (fullThroughout(plan, i)) {
                for (size_t k = 0; k < width; ++k)
                    heights[k] = 1.0f + extra[k];
            } else {
                for (size_t k = 0; k < width; ++k)
                    heights[k] += extra[k] * static_cast<float>(heights[k] == 1.0f);
            }
        }
    });
    copyFocusColumn(evolution);
    viewState->rowHeightsBasis = basisOf(evolution);
}

bool interpolatedHeightsFresh(const EvolutionFile& evolution)
{
    return viewState && viewState->rowHeightsBasis.valid && viewState->rowHeightsBasis == basisOf(evolution);
}

void ensureInterpolatedHeights(const EvolutionFile& evolution)
{
    if (!interpolatedHeightsFresh(evolution))
        computeInterpolatedHeights(evolution);
}

// The table keeps each row's heights together, while the drawing takes a
// column at a time. Copying a column out row by row would touch a cache
// line of every row for each column; instead the columns are copied out a
// group at a time, as wide as a cache line, so that each row is read once a
// group and the group's columns stay in cache while they are drawn.
void walkInterpolatedColumns(const EvolutionFile& evolution,
                             const std::function<void(const InterpolatedColumn&)>& visit)
{
    ensureInterpolatedHeights(evolution);
    walkInterpolatedColumnRange(evolution, 0, std::max(evolution.columnCount - 1, 0), visit);
}

void walkInterpolatedColumnRange(const EvolutionFile& evolution, int from, int to,
                                 const std::function<void(const InterpolatedColumn&)>& visit)
{
    constexpr size_t columnsPerGroup = 16;
    const WalkRange whole = walkRange(evolution);
    const int first = std::max(whole.first, from), lastColumn = std::min(whole.last, to);
    if (lastColumn < first)
        return;
    const size_t rows = static_cast<size_t>(evolution.rowCount);
    const auto& table = viewState->rowHeights;
    const bool balanced = columnsBalanced();
    // Left of the range the rows are whole; inside it, the column before
    // is the left edge of the first.
    std::vector<float> previous(rows, 1.0f);
    float previousOffset = 0.0f;
    if (first > whole.first) {
        for (size_t i = 0; i < rows; ++i)
            previous[i] = table[i][static_cast<size_t>(first - 1)];
        previousOffset = table[rows][static_cast<size_t>(first - 1)];
    }
    std::vector<std::vector<float>> group(columnsPerGroup, std::vector<float>(rows));
    std::array<float*, columnsPerGroup> into{};
    // The statuses of the group's columns too: read down one column at a
    // time, the table would bring in a line of memory for every row.
    std::vector<std::vector<char>> statusGroup(columnsPerGroup, std::vector<char>(rows));
    std::array<char*, columnsPerGroup> statusesInto{};
    const size_t last = static_cast<size_t>(lastColumn);
    for (size_t start = static_cast<size_t>(first); start <= last; start += columnsPerGroup) {
        const size_t width = std::min(columnsPerGroup, last + 1 - start);
        for (size_t k = 0; k < width; ++k)
            into[k] = group[k].data(), statusesInto[k] = statusGroup[k].data();
        for (size_t i = 0; i < rows; ++i) {
            const float* from = table[i].data() + start;
            const char* statuses = evolution.rowStatus[i] + start;
            for (size_t k = 0; k < width; ++k)
                into[k][i] = from[k], statusesInto[k][i] = statuses[k];
        }
        for (size_t k = 0; k < width; ++k) {
            const size_t column = start + k;
            const float freed = table[rows][column];
            const ColumnOffsets offsets = balanced ? ColumnOffsets{previousOffset, freed} : ColumnOffsets{};
            visit(InterpolatedColumn{static_cast<int>(column), offsets, k == 0 ? previous : group[k - 1], group[k],
                                     statusGroup[k]});
            previousOffset = freed;
        }
        // The group's last column is the left edge of the next group's first.
        previous.swap(group[width - 1]);
    }
}
