#pragma once
// The glyphs of one of the code view's fonts, rendered in monochrome and
// packed into one image, from which the view's text is drawn as textured
// quads.

#include <array>
#include <vector>

// The character codes a font covers, 0 to 254; 255 has no glyph.
constexpr int fontGlyphCount = 255;

// Where a glyph's bitmap lies in the atlas, and where it goes from the pen.
struct GlyphPlace {
    int x = 0;     // the bitmap's bottom-left texel in the atlas
    int y = 0;
    int width = 0;  // both 0 or either: nothing to draw
    int rows = 0;
    int left = 0;  // from the pen to the bitmap's left edge
    int top = 0;   // from the baseline up to the bitmap's top row
};

struct GlyphLayout {
    // Powers of two, as OpenGL 1.1 asks of a texture; they also make the
    // texel edges exact in texture coordinates.
    int width = 1;
    int height = 1;
    std::array<GlyphPlace, fontGlyphCount> glyphs{};
};

struct GlyphAtlas {
    GlyphLayout layout;
    std::vector<unsigned char> alpha;  // 255 where a glyph sets a pixel, else 0; bottom row first
};

// The glyphs of the monospaced face at a cell of the given height and width
// in pixels: glyph n is that of character code n (Latin-1). Codes the face
// has no glyph for, or all of them when the system has no monospaced face,
// have an empty place.
GlyphAtlas renderGlyphAtlas(int cellHeight, int cellWidth);
