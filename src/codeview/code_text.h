#pragma once
// Text in one of the code view's fonts.

#include <string_view>

#include "codeview/code_fonts.h"

// Draws `text` in the font of `size`, the first line's baseline at (x, y) in
// the current transform and each further line one line height of that font
// further along y. Every character, whatever its glyph, takes `fontWidth`
// pixels and a tab eight of them, so that the text lies on the same grid of
// columns as the syntax regions' spans.
void drawCodeText(CodeFontSize size, float x, float y, std::string_view text);
