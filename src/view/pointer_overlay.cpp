#include "view/pointer_overlay.h"

#include <FL/gl.h>

#include "app/globals.h"
#include "view/frame_steps.h"
#include "view/view_transforms.h"

void shadeAnchoredRevision(float overhang)
{
    const ViewState& v = *viewState;
    const float r = static_cast<float>(v.pointerRevision);
    glColor4f(0.0f, 0.0f, 0.0f, 0.2f);
    fillRect(r * v.versionSize - v.scrollX, 0.0f, (r + 1.0f) * v.versionSize - v.scrollX + overhang,
             static_cast<float>(v.viewHeight));
}

void drawRowPath(const std::vector<PathPoint>& path, float alpha)
{
    const ViewState& v = *viewState;
    pushViewTransform(rowUnitTransform);
    glLineWidth(v.lineSize > 2.0f ? v.lineSize : 2.0f);
    glColor4f(0.0f, 0.0f, 0.0f, alpha);
    glBegin(GL_LINE_STRIP);
    for (const PathPoint& point : path)
        glVertex2f(point.x, point.y);
    glEnd();
    pushViewTransform(popTransform);
}

void drawPointerOverlay(const EvolutionFile& evolution, void (*drawRowPart)(const EvolutionFile&), float overhang)
{
    const int mode = viewState->pointerMode;
    if (mode != pointerAnchored && mode != pointerOnRow && mode != pointerOnRevision)
        return;
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_BLEND);
    if (mode != pointerOnRow)
        shadeAnchoredRevision(overhang);
    if (mode != pointerOnRevision)
        drawRowPart(evolution);
    glDisable(GL_BLEND);
}
