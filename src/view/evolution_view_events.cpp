#include <FL/Fl.H>

#include "app/globals.h"
#include "codeview/status_text.h"
#include "evolution/evolution_file.h"
#include "ui/legend_stack.h"
#include "ui/widgets.h"
#include "view/canvas_input.h"
#include "view/evolution_view.h"
#include "view/pointer_globals.h"

namespace {

void enterCanvas()
{
    pointerInCanvas = true;
    if (shiftHeld)
        showLegendCursors(true);
}

void leaveCanvas()
{
    pointerInCanvas = false;
    viewState->hoverState = 10;
    showLegendCursors(false);
    redrawCodeView();
    setStatusText("");
}

void movePointer(EvolutionView& canvas, int x, int y)
{
    handlePointerMove(canvas, x, y);
    // A legend draws its one-cell mark from the position it is given; half a
    // cell back centres the mark on the pointer.
    const int legendX = static_cast<int>(static_cast<float>(x) - viewState->versionSize / 2);
    const int legendY = static_cast<int>(static_cast<float>(y) - viewState->lineSize / 2);
    for (LegendStack* stack : {lineLegendStack, revisionLegendStack})
        if (stack)
            stack->movePointer(legendX, legendY);
}

}  // namespace

void showLegendCursors(bool shown)
{
    for (LegendStack* stack : {lineLegendStack, revisionLegendStack}) {
        if (!stack)
            continue;
        stack->showCursor(shown);
        stack->redrawLegends();
    }
}

int EvolutionView::handle(int event)
{
    // Hiding and showing belong to the toolkit: they come while it tears the
    // window down or remakes it, the last time when the process ends and the
    // view state may be gone already.
    if (event == FL_HIDE || event == FL_SHOW || !viewState->loaded || !currentEvolution)
        return Fl_Gl_Window::handle(event);
    // The keys act on the view wherever the user clicked last, so the
    // canvas keeps the keyboard focus to itself.
    Fl::focus(this);
    switch (event) {
    case FL_PUSH: handlePush(*this, Fl::event_x(), Fl::event_y()); return 1;
    case FL_RELEASE: return 1;
    case FL_ENTER: enterCanvas(); return 1;
    case FL_LEAVE: leaveCanvas(); return 1;
    case FL_DRAG:
    case FL_MOVE: movePointer(*this, Fl::event_x(), Fl::event_y()); return 1;
    case FL_UNFOCUS: return 1;
    case FL_KEYDOWN:
    case FL_SHORTCUT:
        // The canvas holds the keyboard focus, so the keys it has no use for
        // must go on for the menu's shortcuts (Ctrl+O, Ctrl+N, Ctrl+Q) to work.
        return handleKeyDown(*this, Fl::event_key(), Fl::event_x(), Fl::event_y()) ? 1 : 0;
    case FL_KEYUP: handleKeyUp(*this, Fl::event_key()); return 1;
    case FL_MOUSEWHEEL: handleWheel(*this, Fl::event_dy()); return 1;
    default: return Fl_Gl_Window::handle(event);
    }
}
