#include "view/pointer_warp.h"

#include <FL/Fl.H>
#include <FL/x.H>

void warpPointer(int screenX, int screenY)
{
    fl_open_display();
    XWarpPointer(fl_display, None, RootWindow(fl_display, fl_screen), 0, 0, 0, 0, screenX, screenY);
    // Sent now, so that the move it causes arrives with the next events.
    XFlush(fl_display);
}
