#pragma once
// Quadrilaterals queued as vertex arrays, four corners of x, y each, and
// drawn in one call: the grid has far more of them than immediate mode
// handles quickly.

#include <vector>

// What each corner carries besides its place.
enum class CornerData {
    colour,             // r, g, b
    textureCoordinate,  // s, t; the texture and its environment set by the caller
};

// Draws the quadrilaterals in `vertices` with `cornerData` for each corner,
// with the current blend function and transform, then empties both.
void drawQuads(std::vector<float>& vertices, std::vector<float>& cornerData, CornerData kind);
