#pragma once
// The cells of a frame as one image of the canvas's pixels, drawn at once.
// Fitted to the canvas, a long history puts many rows into each pixel row
// and often many revisions into each pixel column; a rectangle a cell then
// costs the renderer far more than the pixels it sets, while the image
// costs the same whatever the history.
//
// A pixel shows the cell whose rectangle covers its centre, as a filled
// rectangle colours exactly the pixels whose centres it covers; a pixel of
// no cell keeps what is under it. The image goes through the blend function
// as the rectangles would, so the shading in destination alpha applies.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "colouring/colour_maps.h"

class ViewState;

// Set, the Normal and Horizontal layouts draw a rectangle for every cell,
// as they do on a canvas wider than any texture (and the Horizontal layout
// under "Authors"). The picture is the same; the rectangles are the
// reference the image is checked against.
extern bool drawEveryCell;

class CellImage {
public:
    // The canvas of the view state, every pixel without a cell, for rows
    // `rowHeight` pixels high: the line size, or 1 for rows that are the
    // pixel rows themselves.
    explicit CellImage(const ViewState& view);
    CellImage(const ViewState& view, float rowHeight);

    int width() const { return pixelsWide; }
    int height() const { return pixelsHigh; }
    // The revision column whose cells cover the centres of pixel column x.
    int columnAt(int x) const;
    // The place, in rows from the top of the grid, whose cells cover the
    // centres of pixel row y, counted from the top.
    int placeAt(int y) const;

    // The pixels whose centres cell (c, k) covers, column c and place k,
    // show `colour`.
    void fill(int c, int k, uint32_t colour);
    // Pixel (x, y), y from the top, shows `colour`.
    void set(int x, int y, uint32_t colour) { pixels[static_cast<size_t>(pixelsHigh - 1 - y) * pixelsWide + x] = colour; }
    // Draws the image over the whole canvas with the current blend
    // function, through a texture, whatever transform is current; nothing
    // when the canvas is wider than any texture (see canvasTextureFits).
    void draw() const;

private:
    double scrollX, scrollY, versionSize, lineSize;
    int pixelsWide, pixelsHigh;
    std::vector<uint32_t> pixels;  // bottom row first; alpha 0 where no cell
};

// An opaque colour as the image holds it, each channel rounded to 8 bits.
uint32_t imageColour(const Rgb& colour);
