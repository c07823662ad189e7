#include "codeview/code_text.h"

#include <algorithm>

#include <FL/gl.h>

#include "app/globals.h"
#include "codeview/bitmap_font.h"
#include "codeview/code_fonts.h"

namespace {

constexpr int tabWidth = 8;

void moveTo(float x, float y)
{
    glRasterPos2i(static_cast<GLint>(x), static_cast<GLint>(y));
}

void drawGlyph(unsigned char code)
{
    glCallLists(1, GL_UNSIGNED_BYTE, &code);
}

}  // namespace

void drawCodeText(int listBase, float x, float y, std::string_view text)
{
    const ViewState& view = *viewState;
    const float lineStep = static_cast<float>(listBase == view.smallFontListBase ? reducedFontHeight() : view.fontHeight);
    const float characterStep = static_cast<float>(view.fontWidth);
    const float lineStart = x;
    // Raster positions past the right edge are invalid and draw nothing.
    const float rightEdge = static_cast<float>(view.codeViewWidth);

    glListBase(static_cast<GLuint>(listBase));
    moveTo(x, y);
    size_t next = 0;
    while (next < text.size()) {
        const auto code = static_cast<unsigned char>(text[next++]);
        if (code == '\n') {
            x = lineStart;
            y += lineStep;
            moveTo(x, y);
            continue;
        }
        if (x >= rightEdge) {
            next = std::min(text.find('\n', next), text.size());
            continue;
        }
        // A tab is eight blanks, a flat eight cells wherever it stands.
        const bool tab = code == '\t';
        for (int cell = 0; cell < (tab ? tabWidth : 1); ++cell) {
            // The fonts have no list for the last code.
            if (code < fontGlyphCount)
                drawGlyph(tab ? ' ' : code);
            x += characterStep;
            moveTo(x, y);
        }
    }
}
