#include "view/interpolated_overlays.h"

#include <algorithm>
#include <vector>

#include <FL/gl.h>

#include "app/globals.h"
#include "evolution/evolution_file.h"
#include "view/geometry/row_top.h"
#include "view/interpolated_quads.h"
#include "view/interpolated_slices.h"
#include "view/pointer_overlay.h"
#include "view/view_transforms.h"

namespace {

// The Interpolated layout's column band reaches past the column's right
// edge.
constexpr float bandOverhang = 2.0f;

// The tops of rows 0 .. rowCount at one column boundary: what rowTopAt
// gives for each of them, summed in the same order so that the values
// agree, in one pass down the column instead of one per row.
void boundaryTops(const EvolutionFile& e, int boundary, std::vector<float>& tops)
{
    const int rows = std::max(e.rowCount, 0);
    tops.resize(static_cast<size_t>(rows) + 1);
    if (boundary <= 0 || boundary > e.columnCount || !rowHeightsHold(e)) {
        for (int r = 0; r <= rows; ++r)
            tops[r] = static_cast<float>(r);
        return;
    }
    const auto& heights = viewState->rowHeights;
    const size_t column = static_cast<size_t>(boundary - 1);
    float top = columnTopOffset(e, boundary - 1);
    for (int k = 0; k < rows; ++k) {
        tops[k] = top;
        top += heights[k][column];
    }
    tops[rows] = top;
}

// Rows outside the table continue at full height, as rowTopAt has them.
float topOf(const std::vector<float>& tops, int row)
{
    const int last = static_cast<int>(tops.size()) - 1;
    const int inside = std::clamp(row, 0, last);
    return tops[inside] + static_cast<float>(row - inside);
}

// The bottom of the pointed row in each column's layout, placed at the
// column's left edge, and once more at the right edge of the last column.
void tracePointedRow(const EvolutionFile& e)
{
    const ViewState& v = *viewState;
    if (!rowHeightsHold(e) || e.columnCount <= 0)
        return;
    const auto& heights = v.rowHeights;
    std::vector<PathPoint> path(e.columnCount);
    for (int r = 0; r < e.columnCount; ++r)
        path[r] = {static_cast<float>(r), columnTopOffset(e, r)};
    for (int k = 0; k <= std::min(v.pointerRow, e.rowCount - 1); ++k)
        for (int r = 0; r < e.columnCount; ++r)
            path[r].y += heights[k][r];
    path.push_back({static_cast<float>(e.columnCount), path.back().y});
    drawRowPath(path, 0.5f);
}

}  // namespace

// The blocks are cut into one slice per revision and drawn column by
// column, so that the row tops at each boundary are summed once for all
// blocks. Blocks later in the list overwrite earlier ones where they
// overlap; slices of different columns never overlap, so keeping the list
// order within each column keeps that. Slices that cover no pixel centre
// draw nothing and are left out, as the layout's rows are.
void drawInterpolatedBlocks(const EvolutionFile& evolution, int texture, int threshold)
{
    const ViewState& v = *viewState;
    const float limit = static_cast<float>(threshold);
    std::vector<const EvolutionBlock*> shown;
    int firstColumn = evolution.columnCount, lastColumn = -1;
    for (const EvolutionBlock& block : evolution.blocks) {
        if (!(block.level >= limit) || block.lastRevision < block.firstRevision)
            continue;
        shown.push_back(&block);
        firstColumn = std::min(firstColumn, block.firstRevision);
        lastColumn = std::max(lastColumn, block.lastRevision);
    }

    pushViewTransform(rowUnitTransform);
    glBlendFunc(GL_ONE, GL_ZERO);
    glColor4f(0.0f, 0.0f, 0.0f, 0.0f);
    glEnable(GL_BLEND);
    ColumnQuads pixels(v, v.lineSize, nullptr);
    BlockSlices slices(texture);
    std::vector<float> left, right;
    int leftBoundary = -1;
    for (int c = firstColumn; c <= lastColumn; ++c) {
        if (!pixels.beginColumn(c))
            continue;
        if (leftBoundary != c)
            boundaryTops(evolution, c, left);
        boundaryTops(evolution, c + 1, right);
        const float x0 = static_cast<float>(c), x1 = static_cast<float>(c + 1);
        for (const EvolutionBlock* block : shown) {
            if (c < block->firstRevision || c > block->lastRevision)
                continue;
            const int n = block->lastRevision - block->firstRevision + 1;
            const float step = 1.0f / static_cast<float>(n);
            const float s = static_cast<float>(c - block->firstRevision) * step;
            const float firstLeft = topOf(left, block->firstRow), firstRight = topOf(right, block->firstRow);
            const float endLeft = topOf(left, block->lastRow + 1), endRight = topOf(right, block->lastRow + 1);
            if (pixels.shows(firstLeft, firstRight, endRight, endLeft))
                slices.add(x0, x1, firstLeft, firstRight, endRight, endLeft, s, s + step);
        }
        left.swap(right);
        leftBoundary = c + 1;
    }
    slices.flush();
    glDisable(GL_BLEND);
    pushViewTransform(popTransform);
}

void drawInterpolatedHighlight(const EvolutionFile& evolution)
{
    drawPointerOverlay(evolution, tracePointedRow, bandOverhang);
}
