#pragma once
// The slices of the Interpolated block overlay, one per block and revision,
// collected in vertex arrays and drawn together with the block texture
// bound once: a large evolution has thousands of blocks over hundreds of
// revisions.

#include <vector>

class BlockSlices {
public:
    // `texture` indexes the colour textures.
    explicit BlockSlices(int texture);

    // The quadrilateral from x0 to x1 whose edge at the block's first row
    // runs from firstLeft to firstRight and whose edge under its last row
    // runs from endLeft to endRight, with the texture's s range sLeft ..
    // sRight across it and t from 0 at the first row to 1 under the last.
    void add(float x0, float x1, float firstLeft, float firstRight, float endRight, float endLeft, float sLeft,
             float sRight);
    // Draws everything queued, with the current colour, blend function and
    // transform; the texture replaces the alpha.
    void flush();

private:
    int texture;
    std::vector<float> vertices;
    std::vector<float> coordinates;
};
