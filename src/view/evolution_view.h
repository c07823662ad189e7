#pragma once
// The main OpenGL canvas: the loaded evolution as a grid of revision
// columns by rows, in the layout that `layoutMode` chooses.

#include <FL/Fl_Gl_Window.H>

class EvolutionView : public Fl_Gl_Window {
public:
    EvolutionView(int x, int y, int w, int h, const char* label = nullptr);

    // 0 Normal, 1 Horizontal, 2 Interpolated.
    int layoutMode = 0;

    // Set for the draw of a flush whose only damage is `overlayDamage`: the
    // picture kept under the pointer overlay serves again, and only the
    // overlay is drawn over it. The toolkit marks a double-buffered canvas
    // wholly damaged before it draws, so the damage is read here first.
    bool overlayOnly = false;

    void draw() override;
    void flush() override;
    // The pointer and the keyboard while an evolution is shown; with nothing
    // loaded, the toolkit's own handling.
    int handle(int event) override;
    // Keeps the view state's canvas size, and while an evolution is shown
    // scales zoom and scroll with the canvas so that the same part of the
    // evolution stays in view.
    void resize(int x, int y, int w, int h) override;
};

// The damage that asks for the pointer overlay alone to be drawn again,
// given with damage() where only the Ctrl navigation mode changed.
constexpr unsigned char overlayDamage = FL_DAMAGE_USER1;

// The canvas size that the last resize with an evolution shown saw; the
// window's construction starts them at the initial canvas size.
extern int previousViewWidth;
extern int previousViewHeight;

// Set by the main window once the widgets that follow the canvas's size
// (zoom and scroll sliders, range sliders, legend stacks) exist: re-lays and
// re-synchronises them after a resize has rescaled zoom and scroll. Null
// while there is no such window, and then a resize leaves them alone.
extern void (*followCanvasResize)(EvolutionView& canvas);
