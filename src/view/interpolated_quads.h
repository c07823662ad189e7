#pragma once
// The quadrilaterals of the Interpolated layout's columns, collected in
// vertex arrays and drawn together.
//
// Every quadrilateral spans one column, x = c .. c + 1, between a top edge
// and a bottom edge that may slope. Without antialiasing a polygon colours
// exactly the pixels whose centres it covers, so one that covers no pixel
// centre of the canvas draws nothing and is dropped here: at a fitted zoom
// most columns fall between two pixel centres, and most rows of the rest are
// thinner than a pixel. The test keeps a margin around every centre for the
// rounding of the transform, so that only quadrilaterals that would not have
// drawn are ever dropped. Quadrilaterals of one column never overlap, so the
// order in which they reach the framebuffer does not change the picture.

#include <vector>

#include "colouring/colour_maps.h"

class ViewState;

class ColumnQuads {
public:
    // Takes the transform from the view state: x in revisions, y counted
    // down from the top in units of `rowScale` pixels (the line size for the
    // row-unit transform, 1 for the pixel-row transform).
    ColumnQuads(const ViewState& view, float rowScale);

    // Starts column c; false when no pixel centre lies across it, and then
    // nothing added to it is drawn.
    bool beginColumn(int c);
    // The quadrilateral (c, topLeft), (c + 1, topRight), (c + 1,
    // bottomRight), (c, bottomLeft) of the current column, with bottoms at
    // or below their tops.
    void add(float topLeft, float topRight, float bottomRight, float bottomLeft, const Rgb& colour);
    // Draws everything queued with the current blend function and transform.
    void flush();

private:
    bool reachesPixelCentre(float topLeft, float topRight, float bottomRight, float bottomLeft) const;

    float scrollX, versionSize;
    float top, rowScale;
    int width, height;

    // The current column, and where its first and last pixel centres lie
    // across it (0 at its left edge, 1 at its right edge).
    int column = 0;
    bool columnShows = false;
    double firstCentre = 0.0, lastCentre = 0.0;

    std::vector<float> vertices;
    std::vector<float> colours;
};
