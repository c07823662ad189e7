#pragma once
// Bitmap fonts as OpenGL display lists, the form in which the code view
// draws text.

// The character codes a font covers, 0 to 254, one display list each.
constexpr int fontGlyphCount = 255;

// Compiles, into the display lists listBase .. listBase + 254 of the current
// context, the glyphs of the monospaced face at a cell of the given height
// and width in pixels. List n draws the glyph of character code n (Latin-1)
// as a bitmap at the raster position, its baseline there, and advances the
// raster position by the glyph's width. Codes the face has no glyph for, or
// all of them when the system has no monospaced face, only advance.
void compileBitmapFont(unsigned listBase, int cellHeight, int cellWidth);
