#include "codeview/code_fonts.h"

#include <algorithm>

#include <FL/gl.h>
#include <GL/glx.h>

#include "app/globals.h"
#include "codeview/bitmap_font.h"

namespace {

// What the lists were last compiled for.
struct FontBuild {
    GLXContext context = nullptr;
    int listBase = 0;
    int smallListBase = 0;
    int height = 0;
    int width = 0;
    int smallHeight = 0;
    int smallWidth = 0;
    bool operator==(const FontBuild&) const = default;
};

GLXContext listsContext = nullptr;
FontBuild built;

// How far the text is moved so that the middle line of the listing is
// centred on the view's centre.
float baselineOffset(int viewHeight, int lineHeight)
{
    const int middleLine = (viewHeight / lineHeight - 1) / 2;
    return static_cast<float>(viewHeight - lineHeight) * 0.5f -
           (static_cast<float>(middleLine) + 0.3f) * static_cast<float>(lineHeight);
}

}  // namespace

int reducedFontHeight()
{
    return std::max(viewState->fontHeight - viewState->fontDifference, 1);
}

void createCodeFontLists()
{
    viewState->fontListBase = static_cast<int>(glGenLists(fontGlyphCount));
    viewState->smallFontListBase = static_cast<int>(glGenLists(fontGlyphCount));
    listsContext = glXGetCurrentContext();
    built = FontBuild{};
}

void buildCodeFonts()
{
    ViewState& view = *viewState;
    const int height = std::max(view.fontHeight, 1);
    const int smallHeight = reducedFontHeight();
    view.fontBaseline = baselineOffset(view.codeViewHeight, height);
    view.smallFontBaseline = baselineOffset(view.codeViewHeight, smallHeight);

    const float widthPerHeight = static_cast<float>(view.fontWidth) / static_cast<float>(height);
    const int smallWidth = view.fontWidth - static_cast<int>(static_cast<float>(view.fontDifference) * widthPerHeight);
    const FontBuild wanted{glXGetCurrentContext(), view.fontListBase, view.smallFontListBase,
                           height, view.fontWidth, smallHeight, smallWidth};
    if (!wanted.context || wanted.context != listsContext || wanted == built)
        return;
    compileBitmapFont(static_cast<unsigned>(wanted.listBase), wanted.height, wanted.width);
    compileBitmapFont(static_cast<unsigned>(wanted.smallListBase), wanted.smallHeight, wanted.smallWidth);
    built = wanted;
}
