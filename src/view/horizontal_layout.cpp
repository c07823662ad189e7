#include "view/horizontal_layout.h"

#include <FL/gl.h>

#include "app/globals.h"
#include "colouring/colour_textures.h"
#include "evolution/evolution_file.h"
#include "view/frame_steps.h"
#include "view/kept_picture.h"
#include "view/pointer_overlay.h"
#include "view/version_drawing.h"
#include "view/view_transforms.h"

namespace {

// The band of the anchored row across the view, at least two pixels high
// so that it stays visible on thin rows; it hangs from the row's top edge.
void shadeAnchoredRow(const EvolutionFile&)
{
    const ViewState& v = *viewState;
    const int thickness = static_cast<int>(v.lineSize > 2.0f ? v.lineSize : 2.0f);
    const float top = static_cast<float>(v.viewHeight) + v.scrollY - static_cast<float>(v.pointerRow) * v.lineSize;
    glColor4f(0.0f, 0.0f, 0.0f, 0.3f);
    fillRect(0.0f, top, static_cast<float>(v.viewWidth), top - static_cast<float>(thickness));
}

}  // namespace

void drawHorizontalFrame(const EvolutionFile& evolution)
{
    const ViewState& v = *viewState;
    clearFrame();
    drawFrameBackground();
    // Blocks go before the cushions: the cushions add to the alpha the
    // blocks leave, and add nothing to their black.
    if (v.displayBlocks == 1)
        drawHorizontalBlocks(evolution, blockCushionTexture, v.blocksAbove);
    drawRevisionCushions(evolution.columnCount, v.cushionStrength);
    if (v.lineSize >= 1.0f)
        drawHorizontalCells(evolution, v.attributeIndex);
    else
        drawHorizontalCellsMerged(evolution, v.attributeIndex);
    if (v.versionDrawing == versionDrawingLines)
        drawRevisionLines(evolution.columnCount);
    drawFocusMarker(evolution);
    keepPicture();
    drawHorizontalPointerOverlay(evolution);
    glFlush();
}

void drawHorizontalBlocks(const EvolutionFile& evolution, int textureIndex, int threshold)
{
    pushViewTransform(rowUnitTransform);
    glBlendFunc(GL_ONE, GL_ZERO);
    glColor4f(0.0f, 0.0f, 0.0f, 0.0f);
    glEnable(GL_BLEND);
    const float lowest = static_cast<float>(threshold);
    for (const EvolutionBlock& block : evolution.blocks)
        if (block.level >= lowest)
            drawCushionRect2D(block.firstRevision, block.firstRow, block.lastRevision + 1, block.lastRow + 1,
                              textureIndex, true);
    glDisable(GL_BLEND);
    pushViewTransform(popTransform);
}

void drawHorizontalPointerOverlay(const EvolutionFile& evolution)
{
    drawPointerOverlay(evolution, shadeAnchoredRow);
}
