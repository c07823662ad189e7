#pragma once
// A canvas's back buffer read into memory, for the pixel tests and the
// tests of the whole window alike.

#include <vector>

class Fl_Gl_Window;

// One pixel, each channel a level 0..255.
struct Rgba {
    int red = 0, green = 0, blue = 0, alpha = 0;
};

// A frame as read back, in OpenGL's window coordinates: x to the right, y
// upwards from the bottom row 0.
struct Frame {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgba;  // bottom row first

    Rgba at(int x, int y) const;
    // The same pixel with y counted downwards from the top row 0.
    Rgba fromTop(int x, int y) const { return at(x, height - 1 - y); }
};

// Makes the canvas's context current, waits for its drawing to finish and
// reads its back buffer.
Frame readBackBuffer(Fl_Gl_Window& canvas);
