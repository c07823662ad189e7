#pragma once
// The glyphs of one text as quads textured from their font's atlas, placed
// and clipped as glBitmap placed them: each glyph's bitmap at the raster
// position its pen point makes under the current transforms, and no part of
// it at all when that point lies outside the clip volume, where a raster
// position is invalid. Drawn in one call, in the current colour.

#include <array>
#include <vector>

#include "codeview/code_fonts.h"

class GlyphQuads {
public:
    // Takes the current modelview, projection and viewport for the pens.
    explicit GlyphQuads(const CodeFont& font);

    // The glyph of `code` with its pen at (penX, penY), as glRasterPos2i
    // takes it.
    void add(unsigned char code, int penX, int penY);
    // Draws the glyphs added, with the colour and the fragment operations
    // of the moment; leaves the state as it found it.
    void draw() const;

private:
    const CodeFont& font;
    std::array<float, 16> penTransform{};  // projection times modelview, column by column
    std::array<int, 4> viewport{};
    std::vector<float> corners;  // per corner s, t, then x, y in window pixels
};
