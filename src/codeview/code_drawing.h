#pragma once
// Small drawing steps that the parts of the code view's picture share.

#include <FL/gl.h>

#include "colouring/colour_maps.h"

inline void setColour(const Rgb& c)
{
    glColor3f(c[0], c[1], c[2]);
}

inline void setColour(const Rgb& c, float alpha)
{
    glColor4f(c[0], c[1], c[2], alpha);
}

// The band of listing line `line` from x0 to x1, in a code text transform
// whose lines are `lineHeight` apart: from 0.7 of a line above its baseline
// to 0.3 below, the whole cell of the line's glyphs.
inline void fillListingLine(float x0, float x1, int line, float lineHeight)
{
    const float i = static_cast<float>(line);
    glRectf(x0, (i - 0.7f) * lineHeight, x1, (i + 0.3f) * lineHeight);
}
