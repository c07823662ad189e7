#pragma once
// A canvas's back buffer read into memory, for the canvas and window tests.

#include <vector>

class Fl_Gl_Window;

struct Rgba {
    int red = 0, green = 0, blue = 0, alpha = 0;  // each 0..255
};

// As OpenGL counts: y upwards from the bottom row 0.
struct Frame {
    int width = 0, height = 0;
    std::vector<unsigned char> rgba;  // bottom row first
    Rgba at(int x, int y) const;
    Rgba fromTop(int x, int y) const { return at(x, height - 1 - y); }
};

// Makes the canvas's context current, waits for its drawing and reads its back buffer.
Frame readBackBuffer(Fl_Gl_Window& canvas);
