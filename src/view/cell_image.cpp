#include "view/cell_image.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>

#include <FL/gl.h>

#include "app/view_state.h"
#include "view/canvas_texture.h"

namespace {

uint8_t level(float channel)
{
    return static_cast<uint8_t>(std::clamp(channel * 255.0f + 0.5f, 0.0f, 255.0f));
}

// Which cell of size `size`, the first starting at -offset, covers the
// centre of pixel p; a centre on the edge between two belongs to the later.
// Cells before the first are all -1, and the count stops far beyond any
// grid.
int cellAtCentre(int p, double offset, double size)
{
    return static_cast<int>(std::clamp(std::floor((p + 0.5 + offset) / size), -1.0, 1e9));
}

}  // namespace

bool drawEveryCell = false;

CellImage::CellImage(const ViewState& view) : CellImage(view, view.lineSize) {}

CellImage::CellImage(const ViewState& view, float rowHeight)
    : scrollX(view.scrollX),
      scrollY(view.scrollY),
      versionSize(view.versionSize),
      lineSize(rowHeight),
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

void CellImage::fill(int c, int k, uint32_t colour)
{
    // The first pixel whose centre lies at or past a cell edge, as
    // columnAt and placeAt divide the pixels.
    const auto firstAt = [](double edge, double offset, int pixels) {
        return static_cast<int>(std::clamp(std::ceil(edge - offset - 0.5), 0.0, static_cast<double>(pixels)));
    };
    const int x0 = firstAt(c * versionSize, scrollX, pixelsWide), x1 = firstAt((c + 1.0) * versionSize, scrollX, pixelsWide);
    const int y0 = firstAt(k * lineSize, scrollY, pixelsHigh), y1 = firstAt((k + 1.0) * lineSize, scrollY, pixelsHigh);
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            set(x, y, colour);
}

void CellImage::draw() const
{
    if (pixels.empty() || !canvasTextureFits(pixelsWide, pixelsHigh))
        return;
    // The texture lives for one frame: it is a copy of the image, which
    // changes with every frame, and no context keeps one of its own.
    GLuint name = 0;
    glGenTextures(1, &name);
    glPushAttrib(GL_ENABLE_BIT | GL_TEXTURE_BIT | GL_COLOR_BUFFER_BIT);
    glBindTexture(GL_TEXTURE_2D, name);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, canvasTextureSide(pixelsWide), canvasTextureSide(pixelsHigh), 0, GL_RGBA,
                 GL_UNSIGNED_BYTE, nullptr);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, pixelsWide, pixelsHigh, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    // The pixels of no cell are left out by their alpha, not blended.
    glEnable(GL_ALPHA_TEST);
    glAlphaFunc(GL_GREATER, 0.5f);
    drawCanvasTexture(name, pixelsWide, pixelsHigh);
    glPopAttrib();
    glDeleteTextures(1, &name);
}

uint32_t imageColour(const Rgb& colour)
{
    // The bytes red, green, blue, alpha in memory, as the image is read.
    return std::bit_cast<uint32_t>(std::array<uint8_t, 4>{level(colour[0]), level(colour[1]), level(colour[2]), 255});
}
