#pragma once
// The main OpenGL canvas: the loaded evolution as a grid of revision
// columns by rows, in the layout that `layoutMode` chooses.

#include <FL/Fl_Gl_Window.H>

class EvolutionView : public Fl_Gl_Window {
public:
    EvolutionView(int x, int y, int w, int h, const char* label = nullptr);

    // 0 Normal, 1 Horizontal, 2 Interpolated.
    int layoutMode = 0;

    void draw() override;
    // The pointer and the keyboard while an evolution is shown; with nothing
    // loaded, the toolkit's own handling.
    int handle(int event) override;
    // Keeps the view state's canvas size, and while an evolution is shown
    // scales zoom and scroll with the canvas so that the same part of the
    // evolution stays in view.
    void resize(int x, int y, int w, int h) override;
};

// The canvas size that the last resize with an evolution shown saw; the
// window's construction starts them at the initial canvas size.
extern int previousViewWidth;
extern int previousViewHeight;

// Set by the main window once the widgets that follow the canvas's size
// (zoom and scroll sliders, range sliders, legend stacks) exist: re-lays and
// re-synchronises them after a resize has rescaled zoom and scroll. Null
// while there is no such window, and then a resize leaves them alone.
extern void (*followCanvasResize)(EvolutionView& canvas);
