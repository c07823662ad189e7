#include "ui/menu_key_guard.h"

#include <FL/Enumerations.H>
#include <FL/Fl.H>
#include <FL/Fl_Window.H>

namespace {

// FLTK 1.3.8, the release Debian 12 ships, steps backwards through an open
// drop-down list or menu bar menu with the number of the menu under the
// pointer, and that number is -1 once the pointer has left every menu
// window: BackSpace and Shift+Tab then read the menu array before its start
// and the program dies in menuwindow::early_hide_handle. Later 1.3 releases
// check the number. Up steps backwards the same way without the fault, so
// while a menu holds the grab those keys arrive as Up; nothing else about
// menus changes.
constexpr int isoLeftTab = 0xfe20;

bool stepsBackwards()
{
    const int key = Fl::event_key();
    return key == FL_BackSpace || key == isoLeftTab || (key == FL_Tab && Fl::event_shift());
}

int guardedDispatch(int event, Fl_Window* window)
{
    const Fl_Window* grab = Fl::grab();
    if ((event == FL_KEYBOARD || event == FL_SHORTCUT) && grab && grab->menu_window() && stepsBackwards()) {
        Fl::e_keysym = FL_Up;
        Fl::e_state &= ~FL_SHIFT;
        Fl::e_length = 0;
    }
    return Fl::handle_(event, window);
}

}  // namespace

void installMenuKeyGuard()
{
    Fl::event_dispatch(guardedDispatch);
}
