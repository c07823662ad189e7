#include <FL/Fl.H>
#include <FL/Fl_Window.H>

#include "app/globals.h"
#include "evolution/evolution_file.h"
#include "ui/scroll_sync.h"
#include "ui/widgets.h"
#include "view/canvas_input.h"
#include "view/evolution_view.h"
#include "view/geometry/hit_tests.h"
#include "view/navigation/pointer_steps.h"
#include "view/pointer_globals.h"

namespace {

// The height of what the current layout stacks, in pixels.
float contentHeight()
{
    return static_cast<float>(layoutRowCount()) * viewState->lineSize;
}

// Which end of the content a scroll keeps the view within.
enum class ScrollBound { top, bottom };

// The slider follows the new offset before it is bounded, and only the end
// scrolled towards bounds it: content shorter than the view scrolled down
// ends with a negative offset.
void scrollTo(EvolutionView& canvas, float scrollY, ScrollBound bound)
{
    ViewState& v = *viewState;
    v.scrollY = scrollY;
    syncLineScroll(lineScrollSlider);
    const float bottom = contentHeight() - static_cast<float>(v.viewHeight);
    if (bound == ScrollBound::bottom && v.scrollY > bottom)
        v.scrollY = bottom;
    if (bound == ScrollBound::top && v.scrollY < 0)
        v.scrollY = 0;
    canvas.redraw();
}

void toggleFullScreen()
{
    if (!mainWindow)
        return;
    if (fullScreen) {
        mainWindow->fullscreen_off(savedWindowX, savedWindowY, savedWindowWidth, savedWindowHeight);
    } else {
        savedWindowX = mainWindow->x();
        savedWindowY = mainWindow->y();
        savedWindowWidth = mainWindow->w();
        savedWindowHeight = mainWindow->h();
        mainWindow->fullscreen();
    }
    fullScreen = !fullScreen;
    syncLineScroll(lineScrollSlider);
    syncRevisionScroll(revisionScrollSlider);
}

void stepPointer(const EvolutionView& canvas, ArrowKey key, int x, int y)
{
    const ViewState& v = *viewState;
    const PointerStep step = arrowKeyStep(key, x, y, canvas.w(), canvas.h(), v.versionSize, v.lineSize);
    if (step.move)
        warpToCanvasPixel(canvas, step.x, step.y);
}

// The digit keys hold a colour scheme only while they are down.
void holdScheme(EvolutionView& canvas, int index)
{
    if (!attributeKeyReady)
        return;
    savedAttributeIndex = viewState->attributeIndex;
    viewState->attributeIndex = index;
    canvas.redraw();
    attributeKeyReady = false;
}

// A lock needs a row and a revision inside the grid: Ctrl over no cell (a
// miss, or an empty grid) locks nothing and leaves the pointer free.
void startLock(EvolutionView& canvas, int x, int y)
{
    ViewState& v = *viewState;
    if (v.pointerMode != pointerFree)
        return;
    const CellHit cell = cellAtPixel(*currentEvolution, x, y, canvas.layoutMode);
    if (!cell.hit)
        return;
    v.pointerMode = pointerLockPending;
    v.pointerRow = cell.row;
    v.pointerRevision = cell.revision;
    canvas.damage(overlayDamage);
}

}  // namespace

void handleWheel(EvolutionView& canvas, int delta)
{
    const float step = static_cast<float>(scrollSpeed) * viewState->lineSize;
    if (delta > 0)
        scrollTo(canvas, viewState->scrollY + step, ScrollBound::bottom);
    else if (delta < 0)
        scrollTo(canvas, viewState->scrollY - step, ScrollBound::top);
}

bool handleKeyDown(EvolutionView& canvas, int key, int x, int y)
{
    switch (key) {
    case '1':
    case '2':
    case '3':
    case '4': holdScheme(canvas, key - '1'); return true;
    case 'f': toggleFullScreen(); return true;
    case 'r': canvas.redraw(); return true;
    case FL_Home: scrollTo(canvas, 0, ScrollBound::top); return true;
    case FL_End:
        scrollTo(canvas, contentHeight() - static_cast<float>(viewState->viewHeight), ScrollBound::bottom);
        return true;
    case FL_Left: stepPointer(canvas, arrowLeft, x, y); return true;
    case FL_Right: stepPointer(canvas, arrowRight, x, y); return true;
    case FL_Up: stepPointer(canvas, arrowUp, x, y); return true;
    case FL_Down: stepPointer(canvas, arrowDown, x, y); return true;
    case FL_Shift_L:
        shiftHeld = true;
        if (pointerInCanvas)
            showLegendCursors(true);
        return true;
    case FL_Control_L:
    case FL_Control_R: startLock(canvas, x, y); return true;
    default: return false;
    }
}

void handleKeyUp(EvolutionView& canvas, int key)
{
    switch (key) {
    case '1':
    case '2':
    case '3':
    case '4':
        viewState->attributeIndex = savedAttributeIndex;
        canvas.redraw();
        attributeKeyReady = true;
        break;
    case FL_Shift_L:
        shiftHeld = false;
        showLegendCursors(false);
        break;
    case FL_Control_L:
    case FL_Control_R:
        if (mainWindow)
            mainWindow->cursor(FL_CURSOR_DEFAULT, FL_BLACK, FL_WHITE);
        viewState->pointerMode = pointerFree;
        canvas.damage(overlayDamage);
        break;
    default: break;
    }
}
