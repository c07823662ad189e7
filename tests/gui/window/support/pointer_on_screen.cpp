#include "support/pointer_on_screen.h"

#include <FL/Fl.H>
#include <FL/x.H>
#include <X11/extensions/XTest.h>

#include <chrono>

bool waitUntil(const std::function<bool()>& done)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        Fl::wait(0.02);
    }
    return true;
}

Pixel canvasOnScreen()
{
    Window child = 0;
    int x = 0, y = 0;
    XTranslateCoordinates(fl_display, fl_xid(evolutionView), RootWindow(fl_display, fl_screen), 0, 0, &x, &y, &child);
    return {x, y};
}

Pixel pointerOnScreen()
{
    Window root = 0, child = 0;
    int x = 0, y = 0, windowX = 0, windowY = 0;
    unsigned mask = 0;
    XQueryPointer(fl_display, RootWindow(fl_display, fl_screen), &root, &child, &x, &y, &windowX, &windowY, &mask);
    return {x, y};
}

void movePointerOverCanvas(Pixel at)
{
    const Pixel canvas = canvasOnScreen();
    XTestFakeMotionEvent(fl_display, -1, canvas.x + at.x, canvas.y + at.y, CurrentTime);
    XFlush(fl_display);
}

void parkPointer()
{
    XWarpPointer(fl_display, None, RootWindow(fl_display, fl_screen), 0, 0, 0, 0, 1590, 1190);
    XSync(fl_display, False);
    settleWindow();
}
