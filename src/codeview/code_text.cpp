#include "codeview/code_text.h"

#include <algorithm>

#include "app/globals.h"
#include "codeview/glyph_quads.h"

namespace {

constexpr int tabWidth = 8;

}  // namespace

void drawCodeText(CodeFontSize size, float x, float y, std::string_view text)
{
    const ViewState& view = *viewState;
    const float lineStep = static_cast<float>(size == reducedCodeFont ? reducedFontHeight() : view.fontHeight);
    const float characterStep = static_cast<float>(view.fontWidth);
    const float lineStart = x;
    // Pens past the right edge are outside the view and draw nothing.
    const float rightEdge = static_cast<float>(view.codeViewWidth);

    GlyphQuads quads(codeFont(size));
    size_t next = 0;
    while (next < text.size()) {
        const auto code = static_cast<unsigned char>(text[next++]);
        if (code == '\n') {
            x = lineStart;
            y += lineStep;
            continue;
        }
        if (x >= rightEdge) {
            next = std::min(text.find('\n', next), text.size());
            continue;
        }
        // A tab is eight blanks, a flat eight cells wherever it stands.
        const bool tab = code == '\t';
        for (int cell = 0; cell < (tab ? tabWidth : 1); ++cell) {
            quads.add(tab ? ' ' : code, static_cast<int>(x), static_cast<int>(y));
            x += characterStep;
        }
    }
    quads.draw();
}
