#include "view/interpolated_overlays.h"

#include <algorithm>
#include <vector>

#include <FL/gl.h>

#include "app/globals.h"
#include "colouring/colour_textures.h"
#include "evolution/evolution_file.h"
#include "view/geometry/row_top.h"
#include "view/pointer_overlay.h"
#include "view/view_transforms.h"

namespace {

// The Interpolated layout's column band reaches past the column's right
// edge.
constexpr float bandOverhang = 2.0f;

// Whether the columns from x0 to x1 lie wholly beside the canvas.
bool besideView(const ViewState& v, int x0, int x1)
{
    return static_cast<float>(x1) * v.versionSize - v.scrollX < 0.0f ||
           static_cast<float>(x0) * v.versionSize - v.scrollX > static_cast<float>(v.viewWidth);
}

void drawBlock(const EvolutionFile& e, const EvolutionBlock& block, int texture)
{
    const int n = block.lastRevision - block.firstRevision + 1;
    if (n <= 0)
        return;
    const ViewState& v = *viewState;
    const float step = 1.0f / static_cast<float>(n);
    for (int k = 0; k < n; ++k) {
        const int x0 = block.firstRevision + k;
        const int x1 = x0 + 1;
        // Slices off the canvas cost a walk down the rows for nothing.
        if (besideView(v, x0, x1))
            continue;
        const float s = static_cast<float>(k) * step;
        drawCushionTrapezoid2D(static_cast<float>(x0), static_cast<float>(x1), rowTopAt(e, x0, block.firstRow),
                               rowTopAt(e, x1, block.firstRow), rowTopAt(e, x1, block.lastRow + 1),
                               rowTopAt(e, x0, block.lastRow + 1), s, s + step, texture, true);
    }
}

// The bottom of the pointed row in each column's layout, placed at the
// column's left edge, and once more at the right edge of the last column.
void tracePointedRow(const EvolutionFile& e)
{
    const ViewState& v = *viewState;
    if (!rowHeightsHold(e) || e.columnCount <= 0)
        return;
    const auto& heights = v.rowHeights;
    std::vector<float> bottom(e.columnCount);
    for (int r = 0; r < e.columnCount; ++r)
        bottom[r] = columnTopOffset(e, r);
    for (int k = 0; k <= std::min(v.pointerRow, e.rowCount - 1); ++k)
        for (int r = 0; r < e.columnCount; ++r)
            bottom[r] += heights[k][r];

    pushViewTransform(rowUnitTransform);
    glLineWidth(v.lineSize > 2.0f ? v.lineSize : 2.0f);
    glColor4f(0.0f, 0.0f, 0.0f, 0.5f);
    glBegin(GL_LINE_STRIP);
    for (int r = 0; r < e.columnCount; ++r)
        glVertex2f(static_cast<float>(r), bottom[r]);
    glVertex2f(static_cast<float>(e.columnCount), bottom.back());
    glEnd();
    pushViewTransform(popTransform);
}

}  // namespace

// Blocks later in the list overwrite earlier ones where they overlap.
void drawInterpolatedBlocks(const EvolutionFile& evolution, int texture, int threshold)
{
    pushViewTransform(rowUnitTransform);
    glBlendFunc(GL_ONE, GL_ZERO);
    glColor4f(0.0f, 0.0f, 0.0f, 0.0f);
    glEnable(GL_BLEND);
    const float limit = static_cast<float>(threshold);
    for (const EvolutionBlock& block : evolution.blocks)
        if (block.level >= limit)
            drawBlock(evolution, block, texture);
    glDisable(GL_BLEND);
    pushViewTransform(popTransform);
}

void drawInterpolatedHighlight(const EvolutionFile& evolution)
{
    const int mode = viewState->pointerMode;
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_BLEND);
    if (mode == pointerAnchored || mode == pointerOnRevision)
        shadeAnchoredRevision(bandOverhang);
    if (mode == pointerAnchored || mode == pointerOnRow)
        tracePointedRow(evolution);
    glDisable(GL_BLEND);
}
