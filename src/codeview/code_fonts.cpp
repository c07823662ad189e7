#include "codeview/code_fonts.h"

#include <algorithm>

#include <FL/gl.h>
#include <GL/glx.h>

#include "app/globals.h"

namespace {

// What the textures were last filled for.
struct FontBuild {
    int height = 0;
    int width = 0;
    int smallHeight = 0;
    int smallWidth = 0;
    bool operator==(const FontBuild&) const = default;
};

std::array<CodeFont, 2> fonts;
GLXContext texturesContext = nullptr;
FontBuild built;

// How far the text is moved so that the middle line of the listing is
// centred on the view's centre.
float baselineOffset(int viewHeight, int lineHeight)
{
    const int middleLine = (viewHeight / lineHeight - 1) / 2;
    return static_cast<float>(viewHeight - lineHeight) * 0.5f -
           (static_cast<float>(middleLine) + 0.3f) * static_cast<float>(lineHeight);
}

void fill(CodeFont& font, int cellHeight, int cellWidth)
{
    const GlyphAtlas atlas = renderGlyphAtlas(cellHeight, cellWidth);
    font.layout = atlas.layout;
    glBindTexture(GL_TEXTURE_2D, font.texture);
    // Each glyph pixel is one texel, drawn at its own pixel.
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
    glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_ALPHA, atlas.layout.width, atlas.layout.height, 0, GL_ALPHA, GL_UNSIGNED_BYTE,
                 atlas.alpha.data());
    glPopClientAttrib();
}

}  // namespace

const CodeFont& codeFont(CodeFontSize size)
{
    return fonts[size];
}

int reducedFontHeight()
{
    return std::max(viewState->fontHeight - viewState->fontDifference, 1);
}

void createCodeFontTextures()
{
    std::array<GLuint, 2> names{};
    glGenTextures(2, names.data());
    fonts = {};
    fonts[normalCodeFont].texture = names[normalCodeFont];
    fonts[reducedCodeFont].texture = names[reducedCodeFont];
    texturesContext = glXGetCurrentContext();
    built = FontBuild{};
}

void releaseCodeFontTextures()
{
    if (!texturesContext || glXGetCurrentContext() != texturesContext)
        return;
    const std::array<GLuint, 2> names = {fonts[normalCodeFont].texture, fonts[reducedCodeFont].texture};
    glDeleteTextures(2, names.data());
    fonts = {};
    texturesContext = nullptr;
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
    const FontBuild wanted{height, view.fontWidth, smallHeight, smallWidth};
    const GLXContext context = glXGetCurrentContext();
    if (!context || context != texturesContext || wanted == built)
        return;
    fill(fonts[normalCodeFont], wanted.height, wanted.width);
    fill(fonts[reducedCodeFont], wanted.smallHeight, wanted.smallWidth);
    built = wanted;
}
