#pragma once
// The code view's two fonts, normal and reduced, each a glyph atlas in a
// texture of the code view's context, with the baselines that place their
// lines in the view.

#include <array>

#include "codeview/glyph_atlas.h"

enum CodeFontSize : int {
    normalCodeFont = 0,
    reducedCodeFont = 1,
};

struct CodeFont {
    unsigned texture = 0;  // 0 while the code view has no context
    GlyphLayout layout;    // where the texture holds each glyph; all empty before the first build
};

const CodeFont& codeFont(CodeFontSize size);

// Names the two textures in the current context, which is the code view's
// new one, and notes that they hold no font yet. Names of an earlier
// context still held are dropped without being deleted: their textures went
// with that context, and in this one the names may be another canvas's.
void createCodeFontTextures();

// Deletes the two textures, with the code view's context current, before
// the toolkit destroys that context. The fonts then wait for a new one.
void releaseCodeFontTextures();

// Brings the fonts up to date with the font settings and the view's height.
// The baselines are computed at once. The textures belong to the code
// view's context, so they are filled only while it is current (the view's
// draw calls this again), and only when a setting changed since the last
// build or the textures are new: an unchanged font renders to the same
// atlas. A new atlas replaces the texture's image, and with it the memory
// of the one before.
void buildCodeFonts();

// The reduced font's line height, `fontHeight` - `fontDifference`, at least
// one pixel whatever the settings.
int reducedFontHeight();
