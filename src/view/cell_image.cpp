#include "view/cell_image.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>

#include <FL/gl.h>

#include "app/view_state.h"

namespace {

uint8_t level(float channel)
{
    return static_cast<uint8_t>(std::clamp(channel * 255.0f + 0.5f, 0.0f, 255.0f));
}

// Which cell of size `size`, the first starting at -offset, covers the
// centre of pixel p; a centre on the edge between two belongs to the later.
int cellAtCentre(int p, double offset, double size)
{
    return static_cast<int>(std::floor((p + 0.5 + offset) / size));
}

// Texel i lies under pixel i in a texture of power-of-two sides, the
// sizes every renderer takes.
int textureSide(int pixels)
{
    return static_cast<int>(std::bit_ceil(static_cast<unsigned>(std::max(pixels, 1))));
}

}  // namespace

CellImage::CellImage(const ViewState& view)
    : scrollX(view.scrollX),
      scrollY(view.scrollY),
      versionSize(view.versionSize),
      lineSize(view.lineSize),
      pixelsWide(std::max(view.viewWidth, 0)),
      pixelsHigh(std::max(view.viewHeight, 0)),
      pixels(static_cast<size_t>(pixelsWide) * static_cast<size_t>(pixelsHigh), 0)
{
}

int CellImage::columnAt(int x) const
{
    return versionSize > 0 ? cellAtCentre(x, scrollX, versionSize) : -1;
}

int CellImage::placeAt(int y) const
{
    return lineSize > 0 ? cellAtCentre(y, scrollY, lineSize) : -1;
}

bool CellImage::fits(int width, int height)
{
    GLint largest = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &largest);
    return textureSide(width) <= largest && textureSide(height) <= largest;
}

void CellImage::draw() const
{
    if (pixels.empty() || !fits(pixelsWide, pixelsHigh))
        return;
    // The texture lives for one frame: it is a copy of the image, which
    // changes with every frame, and no context keeps one of its own.
    const int tw = textureSide(pixelsWide), th = textureSide(pixelsHigh);
    glPushAttrib(GL_ENABLE_BIT | GL_TEXTURE_BIT | GL_COLOR_BUFFER_BIT);
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, tw, th, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, pixelsWide, pixelsHigh, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    glEnable(GL_ALPHA_TEST);
    glAlphaFunc(GL_GREATER, 0.5f);
    glEnable(GL_TEXTURE_2D);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    const float s = static_cast<float>(pixelsWide) / tw, t = static_cast<float>(pixelsHigh) / th;
    const auto w = static_cast<float>(pixelsWide), h = static_cast<float>(pixelsHigh);
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 0.0f), glVertex2f(0.0f, 0.0f);
    glTexCoord2f(s, 0.0f), glVertex2f(w, 0.0f);
    glTexCoord2f(s, t), glVertex2f(w, h);
    glTexCoord2f(0.0f, t), glVertex2f(0.0f, h);
    glEnd();
    glDeleteTextures(1, &name);
    glPopAttrib();
}

uint32_t imageColour(const Rgb& colour)
{
    // The bytes red, green, blue, alpha in memory, as the image is read.
    return std::bit_cast<uint32_t>(std::array<uint8_t, 4>{level(colour[0]), level(colour[1]), level(colour[2]), 255});
}
