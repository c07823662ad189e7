#include "view/frame_steps.h"

#include <FL/gl.h>

#include "app/globals.h"
#include "colouring/colour_textures.h"
#include "evolution/evolution_file.h"
#include "view/version_drawing.h"
#include "view/view_transforms.h"

namespace {

constexpr float backgroundGrey = 0.8f;
constexpr float noDataGrey = 0.85f;
constexpr float focusBarHalfWidth = 1.0f;
constexpr float focusArrowHeight = 10.0f;

}  // namespace

void fillRect(float x0, float y0, float x1, float y1)
{
    glRectf(x0, y0, x1, y1);
}

void drawNoDataFrame()
{
    const ViewState& v = *viewState;
    glColor3f(noDataGrey, noDataGrey, noDataGrey);
    fillRect(0.0f, 0.0f, static_cast<float>(v.viewWidth), static_cast<float>(v.viewHeight));
}

void clearFrame()
{
    glClearColor(backgroundGrey, backgroundGrey, backgroundGrey, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
}

void drawFrameBackground()
{
    const ViewState& v = *viewState;
    glDisable(GL_BLEND);
    glColor4f(backgroundGrey, backgroundGrey, backgroundGrey, 1.0f - v.blendingRatio);
    fillRect(0.0f, 0.0f, static_cast<float>(v.viewWidth), static_cast<float>(v.viewHeight));
}

void drawRevisionCushions(int columns, int textureIndex)
{
    const ViewState& v = *viewState;
    glBlendFunc(GL_ONE, GL_ONE);
    glEnable(GL_BLEND);
    pushViewTransform(columnStripTransform);
    if (v.versionDrawing == versionDrawingCushions) {
        // The colour stays what the step before left: it only saturates the
        // colour channels where no cell will be drawn.
        drawCushionStrips1D(columns, 0, 1, textureIndex);
    } else {
        glColor4f(0.0f, 0.0f, 0.0f, v.blendingRatio);
        fillRect(0.0f, 0.0f, static_cast<float>(columns), 1.0f);
    }
    pushViewTransform(popTransform);
    glDisable(GL_BLEND);
}

void drawRevisionLines(int columns)
{
    pushViewTransform(columnStripTransform);
    glLineWidth(1.0f);
    glColor3f(0.2f, 0.2f, 0.2f);
    glBegin(GL_LINES);
    for (int c = 0; c < columns; ++c) {
        glVertex2f(static_cast<float>(c), 0.0f);
        glVertex2f(static_cast<float>(c), 1.0f);
    }
    glEnd();
    pushViewTransform(popTransform);
}

void drawFocusMarker(const EvolutionFile& evolution)
{
    if (evolution.focusRevision == -1)
        return;
    const ViewState& v = *viewState;
    const float f = static_cast<float>(evolution.focusRevision);
    const float x0 = f * v.versionSize - v.scrollX;
    const float x1 = (f + 1.0f) * v.versionSize - v.scrollX;
    const float xm = (f + 0.5f) * v.versionSize - v.scrollX;
    const float height = static_cast<float>(v.viewHeight);
    glColor3f(0.8f, 0.8f, 1.0f);
    fillRect(x0 - focusBarHalfWidth, 0.0f, x0 + focusBarHalfWidth, height);
    fillRect(x1 - focusBarHalfWidth, 0.0f, x1 + focusBarHalfWidth, height);
    glBegin(GL_TRIANGLES);
    glVertex2f(x0, height);
    glVertex2f(x1, height);
    glVertex2f(xm, height - focusArrowHeight);
    glVertex2f(x0, 0.0f);
    glVertex2f(x1, 0.0f);
    glVertex2f(xm, focusArrowHeight);
    glEnd();
}
