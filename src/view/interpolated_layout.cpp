#include "view/interpolated_layout.h"

#include <algorithm>
#include <limits>
#include <optional>
#include <vector>

#include <FL/gl.h>

#include "app/globals.h"
#include "app/two_halves.h"
#include "colouring/colour_textures.h"
#include "evolution/evolution_file.h"
#include "view/cell_image.h"
#include "view/colour_scheme.h"
#include "view/frame_steps.h"
#include "view/geometry/interpolated_heights.h"
#include "view/interpolated_columns.h"
#include "view/interpolated_overlays.h"
#include "view/interpolated_quads.h"
#include "view/kept_picture.h"
#include "view/version_drawing.h"
#include "view/view_transforms.h"

// The block overlay is drawn before the layout pass computes the heights of
// this frame, from those the last computation left. They are brought up to
// date first when the focus, the range or an option has changed since, or
// another layout has reset them, or the overlay would stand at the rows of
// the picture before until the next redraw.
void drawInterpolatedFrame(const EvolutionFile& evolution)
{
    const ViewState& v = *viewState;
    clearFrame();
    drawFrameBackground();
    if (v.displayBlocks == 1) {
        ensureInterpolatedHeights(evolution);
        drawInterpolatedBlocks(evolution, blockCushionTexture, v.blocksAbove);
    }
    drawRevisionCushions(evolution.columnCount, v.cushionStrength);
    drawInterpolatedLayout(evolution, v.attributeIndex);
    if (v.versionDrawing == versionDrawingLines)
        drawRevisionLines(evolution.columnCount);
    drawFocusMarker(evolution);
    keepPicture();
    drawInterpolatedHighlight(evolution);
    glFlush();
}

namespace {

// The columns from `from` to `to` of the range into `quads`.
void drawColumns(const EvolutionFile& e, int attributeIndex, int from, int to, ColumnQuads& quads)
{
    const bool smooth = viewState->antiAliasing == 1;
    std::vector<int> rowAuthors(std::max(e.rowCount, 0), e.revisionAuthorIndex(0));
    walkInterpolatedColumnRange(e, from, to, [&](const InterpolatedColumn& column) {
        if (smooth)
            drawColumnSmooth(e, rowAuthors, attributeIndex, column, quads);
        else
            drawColumnPlain(e, rowAuthors, attributeIndex, column, quads);
    });
}

}  // namespace

void drawInterpolatedLayout(const EvolutionFile& e, int attributeIndex)
{
    const ViewState& v = *viewState;
    const bool smooth = v.antiAliasing == 1;
    // Anti-aliased columns work in pixels to find the pixel boundaries.
    const float rowSize = smooth ? v.lineSize : 1.0f;
    const float rowScale = smooth ? 1.0f : v.lineSize;

    pushViewTransform(smooth ? pixelRowTransform : rowUnitTransform);
    glBlendFunc(GL_DST_ALPHA, GL_ZERO);
    glEnable(GL_BLEND);

    std::optional<CellImage> image;
    if (paintsColumns(v))
        image.emplace(v);
    ColumnQuads quads(v, rowScale, image ? &*image : nullptr);
    for (int c = 0; c < std::min(e.firstRevision, e.columnCount); ++c)
        drawOutOfRangeColumn(e, c, rowSize, quads);
    ensureInterpolatedHeights(e);
    const int first = std::max(e.firstRevision, 0), last = std::min(e.lastRevision, e.columnCount - 1);
    // Painted columns touch no renderer and each its own pixels, so the
    // later half of the range may go to a second thread. "Authors" carries
    // each row's author from column to column, so it walks them in order.
    ColumnQuads later(v, rowScale, image ? &*image : nullptr);
    const bool split = image && attributeIndex != schemeAuthors;
    inTwoHalves(halvesOf(first, last, split ? 64 : std::numeric_limits<int>::max()), [&](int half, int from, int to) {
        drawColumns(e, attributeIndex, from, to, half == 0 ? quads : later);
    });
    for (int c = std::max(e.lastRevision + 1, 0); c < e.columnCount; ++c)
        drawOutOfRangeColumn(e, c, rowSize, quads);
    quads.flush();
    if (quads.painted() || later.painted())
        image->draw();

    glDisable(GL_BLEND);
    pushViewTransform(popTransform);
}
