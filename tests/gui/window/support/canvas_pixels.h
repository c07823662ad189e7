#pragma once
// The main window's canvas drawn once more and read back from its back
// buffer, as the toolkit would draw it on its next redraw.

#include <vector>

struct CanvasPixels {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgba;  // bottom row first

    // The pixel at x, y counted downwards from the canvas's top row 0, each
    // channel 0..255.
    const unsigned char* at(int x, int y) const;
};

CanvasPixels drawCanvas();
