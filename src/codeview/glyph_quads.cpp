#include "codeview/glyph_quads.h"

#include <cmath>

#include <FL/gl.h>

namespace {

constexpr int valuesPerCorner = 4;

struct WindowPoint {
    float x = 0;
    float y = 0;
};

}  // namespace

GlyphQuads::GlyphQuads(const CodeFont& font) : font(font)
{
    std::array<float, 16> modelview{};
    std::array<float, 16> projection{};
    glGetFloatv(GL_MODELVIEW_MATRIX, modelview.data());
    glGetFloatv(GL_PROJECTION_MATRIX, projection.data());
    glGetIntegerv(GL_VIEWPORT, viewport.data());
    for (int column = 0; column < 4; ++column)
        for (int row = 0; row < 4; ++row) {
            float sum = 0.0f;
            for (int k = 0; k < 4; ++k)
                sum += projection[k * 4 + row] * modelview[column * 4 + k];
            penTransform[column * 4 + row] = sum;
        }
}

void GlyphQuads::add(unsigned char code, int penX, int penY)
{
    // The fonts have no glyph for the last code.
    if (code >= fontGlyphCount)
        return;
    const GlyphPlace& glyph = font.layout.glyphs[code];
    if (glyph.width == 0 || glyph.rows == 0)
        return;

    // The pen as a raster position: (penX, penY, 0, 1) in clip coordinates,
    // valid inside the clip volume only, then in window pixels.
    const auto clip = [&](int row) {
        return penTransform[row] * static_cast<float>(penX) + penTransform[4 + row] * static_cast<float>(penY) +
               penTransform[12 + row];
    };
    const float w = clip(3);
    for (int row = 0; row < 3; ++row)
        if (!(std::abs(clip(row)) <= w))
            return;
    const float halfWidth = static_cast<float>(viewport[2]) * 0.5f;
    const float halfHeight = static_cast<float>(viewport[3]) * 0.5f;
    const WindowPoint pen{clip(0) / w * halfWidth + static_cast<float>(viewport[0]) + halfWidth,
                          clip(1) / w * halfHeight + static_cast<float>(viewport[1]) + halfHeight};

    // The bitmap's lower-left pixel, its origin put on the raster position.
    // Like SGI's implementation, Mesa floors the corner after adding a ten
    // thousandth, so that a position a rounding error short of a pixel's
    // edge counts as on it.
    constexpr float nudge = 0.0001f;
    const float left = std::floor(pen.x + nudge) + static_cast<float>(glyph.left);
    const float bottom = std::floor(pen.y + nudge) + static_cast<float>(glyph.top - glyph.rows);
    const float right = left + static_cast<float>(glyph.width);
    const float top = bottom + static_cast<float>(glyph.rows);

    const float atlasWidth = static_cast<float>(font.layout.width);
    const float atlasHeight = static_cast<float>(font.layout.height);
    const float s0 = static_cast<float>(glyph.x) / atlasWidth;
    const float s1 = static_cast<float>(glyph.x + glyph.width) / atlasWidth;
    const float t0 = static_cast<float>(glyph.y) / atlasHeight;
    const float t1 = static_cast<float>(glyph.y + glyph.rows) / atlasHeight;
    corners.insert(corners.end(), {s0, t0, left, bottom, s1, t0, right, bottom, s1, t1, right, top, s0, t1, left, top});
}

void GlyphQuads::draw() const
{
    if (corners.empty())
        return;
    glPushAttrib(GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT | GL_TEXTURE_BIT | GL_TRANSFORM_BIT);
    glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);

    // The corners are whole window pixels, so each quad covers exactly the
    // pixels of its bitmap and each pixel's centre samples its own texel.
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(viewport[0], viewport[0] + viewport[2], viewport[1], viewport[1] + viewport[3], -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();

    // The alpha texels, 0 or 1, keep the colour or drop the fragment: the
    // set pixels of a bitmap, in the current colour.
    glBindTexture(GL_TEXTURE_2D, font.texture);
    glEnable(GL_TEXTURE_2D);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glEnable(GL_ALPHA_TEST);
    glAlphaFunc(GL_GREATER, 0.0f);

    constexpr GLsizei stride = valuesPerCorner * sizeof(float);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glEnableClientState(GL_VERTEX_ARRAY);
    glTexCoordPointer(2, GL_FLOAT, stride, corners.data());
    glVertexPointer(2, GL_FLOAT, stride, corners.data() + 2);
    glDrawArrays(GL_QUADS, 0, static_cast<GLsizei>(corners.size() / valuesPerCorner));

    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glPopClientAttrib();
    glPopAttrib();
}
