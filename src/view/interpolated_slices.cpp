#include "view/interpolated_slices.h"

#include <cstddef>

#include <FL/gl.h>

#include "colouring/colour_textures.h"
#include "view/quad_arrays.h"

namespace {

constexpr size_t slicesPerDraw = 1024;

}  // namespace

BlockSlices::BlockSlices(int texture) : texture(texture)
{
    vertices.reserve(slicesPerDraw * 8);
    coordinates.reserve(slicesPerDraw * 8);
}

void BlockSlices::add(float x0, float x1, float firstLeft, float firstRight, float endRight, float endLeft,
                      float sLeft, float sRight)
{
    vertices.insert(vertices.end(), {x0, firstLeft, x1, firstRight, x1, endRight, x0, endLeft});
    coordinates.insert(coordinates.end(), {sLeft, 0.0f, sRight, 0.0f, sRight, 1.0f, sLeft, 1.0f});
    if (vertices.size() >= slicesPerDraw * 8)
        flush();
}

void BlockSlices::flush()
{
    if (vertices.empty())
        return;
    const bool known = texture >= 0 && texture < colourTextureCount;
    glBindTexture(GL_TEXTURE_2D, known ? colourTextureNames[texture] : 0);
    glEnable(GL_TEXTURE_2D);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    drawQuads(vertices, coordinates, CornerData::textureCoordinate);
    glDisable(GL_TEXTURE_2D);
}
