#include "colouring/colour_textures.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include <FL/gl.h>

std::array<unsigned int, colourTextureCount> colourTextureNames{};

namespace {

bool rebuildScheduled = false;

constexpr int size = colourTextureSize;

// The half circle over 0..1 that is 0 at both ends and 1 in the middle.
double halfCircle(double x)
{
    const double a = 2.0 * x - 1.0;
    return std::sqrt(std::max(0.0, 1.0 - a * a));
}

// The parabola over 0..1 that is 0 at both ends and 1 in the middle.
double parabola(double x)
{
    const double a = 2.0 * x - 1.0;
    return 1.0 - a * a;
}

// Brightness of a parabolic ridge of height `height` across the texture,
// under a light from the side at 30 degrees; negative on the far side.
double litRidge(double x, double height)
{
    const double theta = 30.0 * 3.1415926535 * 0.0055555557;
    const double width = size;
    const double a = -4.0 * height / (width * width);
    const double b = 4.0 * height / width;
    const double slope = 2.0 * a * x + b;
    const double light = (std::sin(theta) - std::cos(theta) * slope) / std::pow(1.0 + slope * slope, 0.5);
    return std::min(light, 1.0);
}

std::vector<float> flatRevisionProfile(double p, double m)
{
    std::vector<float> texels(size);
    for (int i = 0; i < size; ++i)
        texels[i] = static_cast<float>(std::min((1.0 - p) * halfCircle(i / 256.0) + p, 1.0) * m);
    return texels;
}

std::vector<float> flatBlockProfile(double q, double m)
{
    std::vector<float> texels(size * size);
    for (int j = 0; j < size; ++j)
        for (int i = 0; i < size; ++i)
            texels[j * size + i] = static_cast<float>(
                std::min((1.0 - q) * parabola(j / 256.0) * parabola(i / 256.0) + q, 1.0) * (1.0 - m));
    return texels;
}

std::vector<float> litRevisionProfile(double p, double m)
{
    const double height = 256.0 * (1.0 - p);
    std::vector<float> texels(size);
    for (int i = 0; i < size; ++i)
        texels[i] = static_cast<float>(litRidge(i, height) * m);
    return texels;
}

std::vector<float> litBlockProfile(double q, double m)
{
    const double height = 256.0 * (1.0 - q);
    std::vector<float> texels(size * size);
    for (int j = 0; j < size; ++j)
        for (int i = 0; i < size; ++i)
            texels[j * size + i] =
                static_cast<float>(litRidge(j, height) * std::min(halfCircle(i / 256.0), 1.0) * (1.0 - m));
    return texels;
}

// Texel values outside 0..1 are clamped by the conversion into the alpha
// texture, which turns the dark side of the lit profiles into 0.
void upload1D(unsigned int name, const std::vector<float>& texels)
{
    glBindTexture(GL_TEXTURE_1D, name);
    glEnable(GL_TEXTURE_1D);
    glTexParameteri(GL_TEXTURE_1D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_1D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexImage1D(GL_TEXTURE_1D, 0, GL_ALPHA, size, 0, GL_ALPHA, GL_FLOAT, texels.data());
    glDisable(GL_TEXTURE_1D);
}

void upload2D(unsigned int name, const std::vector<float>& texels)
{
    glBindTexture(GL_TEXTURE_2D, name);
    glEnable(GL_TEXTURE_2D);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_ALPHA, size, size, 0, GL_ALPHA, GL_FLOAT, texels.data());
    glDisable(GL_TEXTURE_2D);
}

GLuint textureName(int textureIndex)
{
    if (textureIndex < 0 || textureIndex >= colourTextureCount)
        return 0;
    return colourTextureNames[textureIndex];
}

void beginTextured(GLenum target, int textureIndex)
{
    glBindTexture(target, textureName(textureIndex));
    glEnable(target);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
}

// One strip's corners, the profile running from x0 to x1.
void stripVertices(int x0, int y0, int x1, int y1)
{
    glTexCoord1f(0.0f);
    glVertex2i(x0, y0);
    glTexCoord1f(1.0f);
    glVertex2i(x1, y0);
    glTexCoord1f(1.0f);
    glVertex2i(x1, y1);
    glTexCoord1f(0.0f);
    glVertex2i(x0, y1);
}

}  // namespace

void rebuildColourTextures(float revisionBlending, float blockBlending, float blendingRatio)
{
    const std::array<unsigned int, colourTextureCount> previous = colourTextureNames;
    glGenTextures(colourTextureCount, colourTextureNames.data());
    // Released only after the new names exist, so that a rebuild never
    // hands out the names it replaces.
    if (previous[0] != 0)
        glDeleteTextures(colourTextureCount, previous.data());

    const double p = revisionBlending, q = blockBlending, m = blendingRatio;
    upload1D(colourTextureNames[revisionCushionTexture], flatRevisionProfile(p, m));
    upload2D(colourTextureNames[blockCushionTexture], flatBlockProfile(q, m));
    upload1D(colourTextureNames[revisionShadedTexture], litRevisionProfile(p, m));
    upload2D(colourTextureNames[blockShadedTexture], litBlockProfile(q, m));
    rebuildScheduled = false;
}

void forgetColourTextures()
{
    colourTextureNames = {};
}

void scheduleColourTextureRebuild()
{
    rebuildScheduled = true;
}

bool colourTextureRebuildScheduled()
{
    return rebuildScheduled;
}

void drawCushionStrip1D(int x0, int y0, int x1, int y1, int textureIndex, bool textured)
{
    if (!textured) {
        glColor4f(1.0f, 1.0f, 1.0f, 0.7f);
        glRecti(x0, y0, x1, y1);
        return;
    }
    beginTextured(GL_TEXTURE_1D, textureIndex);
    glBegin(GL_QUADS);
    stripVertices(x0, y0, x1, y1);
    glEnd();
    glDisable(GL_TEXTURE_1D);
}

void drawCushionStrips1D(int count, int y0, int y1, int textureIndex)
{
    beginTextured(GL_TEXTURE_1D, textureIndex);
    glBegin(GL_QUADS);
    for (int c = 0; c < count; ++c)
        stripVertices(c, y0, c + 1, y1);
    glEnd();
    glDisable(GL_TEXTURE_1D);
}

void drawCushionRect2D(int x0, int y0, int x1, int y1, int textureIndex, bool textured)
{
    drawCushionTrapezoid2D(static_cast<float>(x0), static_cast<float>(x1), static_cast<float>(y0),
                           static_cast<float>(y0), static_cast<float>(y1), static_cast<float>(y1), 0.0f, 1.0f,
                           textureIndex, textured);
}

void drawCushionTrapezoid2D(float xLeft, float xRight, float yLeftBottom, float yRightBottom, float yRightTop,
                            float yLeftTop, float sLeft, float sRight, int textureIndex, bool textured)
{
    if (textured) {
        beginTextured(GL_TEXTURE_2D, textureIndex);
    } else {
        glColor4f(1.0f, 1.0f, 1.0f, 0.7f);
    }
    glBegin(GL_QUADS);
    glTexCoord2f(sLeft, 0.0f);
    glVertex2f(xLeft, yLeftBottom);
    glTexCoord2f(sRight, 0.0f);
    glVertex2f(xRight, yRightBottom);
    glTexCoord2f(sRight, 1.0f);
    glVertex2f(xRight, yRightTop);
    glTexCoord2f(sLeft, 1.0f);
    glVertex2f(xLeft, yLeftTop);
    glEnd();
    if (textured)
        glDisable(GL_TEXTURE_2D);
}
