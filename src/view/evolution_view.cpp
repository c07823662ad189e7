#include "view/evolution_view.h"

#include <FL/gl.h>

#include "app/globals.h"
#include "colouring/colour_textures.h"
#include "evolution/evolution_file.h"
#include "view/frame_steps.h"
#include "view/horizontal_layout.h"
#include "view/interpolated_layout.h"
#include "view/interpolated_overlays.h"
#include "view/kept_picture.h"
#include "view/normal_layout.h"
#include "view/pointer_overlay.h"

int previousViewWidth = 0;
int previousViewHeight = 0;
void (*followCanvasResize)(EvolutionView& canvas) = nullptr;

EvolutionView::EvolutionView(int x, int y, int w, int h, const char* label) : Fl_Gl_Window(x, y, w, h, label)
{
    // The shading model keeps its per-pixel factor in destination alpha.
    mode(FL_RGB8 | FL_ALPHA | FL_DOUBLE);
}

namespace {

void drawPointerOverlayOf(const EvolutionFile& evolution, int layout)
{
    if (layout == modeNormal)
        drawNormalPointerOverlay(evolution);
    else if (layout == modeHorizontal)
        drawHorizontalPointerOverlay(evolution);
    else if (layout == modeInterpolated)
        drawInterpolatedHighlight(evolution);
}

}  // namespace

void EvolutionView::flush()
{
    overlayOnly = damage() == overlayDamage;
    Fl_Gl_Window::flush();
    overlayOnly = false;
}

void EvolutionView::draw()
{
    // A context made afresh by the toolkit has none of the textures, and
    // the old context's names are not its own to delete.
    const bool freshContext = !context_valid();
    if (freshContext) {
        forgetColourTextures();
        forgetKeptPicture(true);
    }
    if (freshContext || colourTextureRebuildScheduled()) {
        rebuildColourTextures(revisionBlending, blockBlending, viewState->blendingRatio);
        forgetKeptPicture(false);
    }

    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0.0, w(), 0.0, h(), -10.0, 10.0);
    glViewport(0, 0, w(), h());

    if (!viewState->loaded || !currentEvolution) {
        forgetKeptPicture(false);
        drawNoDataFrame();
        return;
    }
    if (overlayOnly && restoreKeptPicture(w(), h())) {
        drawPointerOverlayOf(*currentEvolution, layoutMode);
        glFlush();
        return;
    }
    forgetKeptPicture(false);
    // Copying the picture costs a full frame a few milliseconds more; only
    // while Ctrl is held can the next change be the overlay's alone.
    keptPicture.keeping = viewState->pointerMode != pointerOff;
    if (layoutMode == modeNormal)
        drawNormalFrame(*currentEvolution);
    else if (layoutMode == modeHorizontal)
        drawHorizontalFrame(*currentEvolution);
    else if (layoutMode == modeInterpolated)
        drawInterpolatedFrame(*currentEvolution);
    keptPicture.keeping = false;
}

void EvolutionView::resize(int x, int y, int w, int h)
{
    Fl_Gl_Window::resize(x, y, w, h);
    ViewState& v = *viewState;
    v.viewWidth = this->w();
    v.viewHeight = this->h();
    if (!v.loaded || (v.viewWidth == previousViewWidth && v.viewHeight == previousViewHeight))
        return;
    // Without an earlier size there is nothing to scale against.
    if (previousViewWidth > 0 && previousViewHeight > 0) {
        const float sx = static_cast<float>(v.viewWidth) / static_cast<float>(previousViewWidth);
        const float sy = static_cast<float>(v.viewHeight) / static_cast<float>(previousViewHeight);
        v.versionSize *= sx;
        v.lineSize *= sy;
        v.scrollX *= sx;
        v.scrollY *= sy;
        if (followCanvasResize)
            followCanvasResize(*this);
    }
    previousViewWidth = v.viewWidth;
    previousViewHeight = v.viewHeight;
}
