#include "view/interpolated_layout.h"

#include <algorithm>
#include <vector>

#include <FL/gl.h>

#include "app/globals.h"
#include "colouring/colour_textures.h"
#include "evolution/evolution_file.h"
#include "view/frame_steps.h"
#include "view/kept_picture.h"
#include "view/geometry/interpolated_heights.h"
#include "view/interpolated_columns.h"
#include "view/interpolated_overlays.h"
#include "view/interpolated_quads.h"
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

void drawInterpolatedLayout(const EvolutionFile& e, int attributeIndex)
{
    const ViewState& v = *viewState;
    const bool smooth = v.antiAliasing == 1;
    // Anti-aliased columns work in pixels to find the pixel boundaries.
    const float rowSize = smooth ? v.lineSize : 1.0f;
    std::vector<int> rowAuthors(std::max(e.rowCount, 0), e.revisionAuthorIndex(0));

    pushViewTransform(smooth ? pixelRowTransform : rowUnitTransform);
    glBlendFunc(GL_DST_ALPHA, GL_ZERO);
    glEnable(GL_BLEND);

    ColumnQuads quads(v, smooth ? 1.0f : v.lineSize);
    for (int c = 0; c < std::min(e.firstRevision, e.columnCount); ++c)
        drawOutOfRangeColumn(e, c, rowSize, quads);
    walkInterpolatedColumns(e, [&](const InterpolatedColumn& column) {
        if (smooth)
            drawColumnSmooth(e, rowAuthors, attributeIndex, column, quads);
        else
            drawColumnPlain(e, rowAuthors, attributeIndex, column, quads);
    });
    for (int c = std::max(e.lastRevision + 1, 0); c < e.columnCount; ++c)
        drawOutOfRangeColumn(e, c, rowSize, quads);
    quads.flush();

    glDisable(GL_BLEND);
    pushViewTransform(popTransform);
}
