// Keys into an open list or menu the pointer has left: nothing is chosen and the backward keys step back.
#include "support/pointer_on_screen.h"

#include <FL/Fl_Tabs.H>
#include <FL/x.H>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace {

struct Script {
    std::vector<KeySym> keys;  // XK_Tab stands for Shift+Tab; Escape is added while a menu stays open
    size_t next = 0;
    bool opened = false, done = false;
};

bool menuOpen() { return Fl::grab() && Fl::grab()->menu_window(); }

void tap(KeySym key)
{
    const KeyCode shift = XKeysymToKeycode(fl_display, XK_Shift_L), code = XKeysymToKeycode(fl_display, key);
    for (const auto& [keyCode, down] : {std::pair(shift, key == XK_Tab), {code, true}, {code, false}, {shift, false}})
        XTestFakeKeyEvent(fl_display, keyCode, down, CurrentTime);
}

// Steps inside the menu's own event loop; Escape only while a menu is open, elsewhere it closes the window.
void step(void* data)
{
    auto& s = *static_cast<Script*>(data);
    if (!s.opened)  // and the pointer moved far off it
        s.done = !(s.opened = menuOpen() && XTestFakeMotionEvent(fl_display, -1, 1590, 1190, CurrentTime));
    else if (s.next < s.keys.size())
        tap(s.keys[s.next++]);
    else if (menuOpen() && s.keys.back() != XK_Escape)
        s.keys.push_back(XK_Escape);
    else
        s.done = true;
    if (!s.done)
        Fl::repeat_timeout(0.1, step, data);
}

TEST_F(ExampleUnderPointerTest, KeysIntoAnOpenListOffThePointerChooseNothingAndStillStepBack)
{
    Fl_Widget* const lists[] = {versionDrawingChoice, blockSortingChoice, viewModeChoice, attributeChoice, menuBar, menuBar};
    Fl_Group* const tabs[] = {displayTab, blocksTab, enginesTab, enginesTab, displayTab, displayTab};
    const std::vector<KeySym> scripts[] = {{XK_BackSpace}, {XK_Tab}, {XK_Down, XK_Down, XK_BackSpace, XK_Down, XK_Return},
                                           {XK_Down, XK_Down, XK_Tab, XK_Down, XK_Return}};
    for (int list = 0; list < 6; ++list)
        for (int script = 0; script < (list == 2 ? 4 : 2); ++script) {
            SCOPED_TRACE(::testing::Message() << "list " << list << ", script " << script);
            controlTabs->value(tabs[list]);
            auto* choice = dynamic_cast<Fl_Choice*>(lists[list]);
            const int before = choice ? choice->value() : 0;
            settleWindow();
            // The middle of a list; File and Settings on the bar.
            const int x = mainWindow->x() + (choice ? choice->x() + 90 : list == 4 ? 20 : 75);
            XTestFakeMotionEvent(fl_display, -1, x, mainWindow->y() + lists[list]->y() + 15, CurrentTime);
            XTestFakeButtonEvent(fl_display, 1, True, CurrentTime);
            XTestFakeButtonEvent(fl_display, 1, False, CurrentTime);
            Script s{scripts[script]};
            Fl::add_timeout(0.3, step, &s);
            waitUntil([&] { return s.done; });
            EXPECT_TRUE(mainWindow->visible() && s.opened && !menuOpen() && (script < 2 || s.keys.back() != XK_Escape));
            // Down from nothing picks Normal, then Horizontal, back, Horizontal.
            EXPECT_EQ(choice ? choice->value() : 0, script < 2 ? before : 1);
        }
}

}  // namespace
