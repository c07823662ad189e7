#include "view/canvas_texture.h"

#include <algorithm>
#include <bit>

#include <FL/gl.h>

int canvasTextureSide(int pixels)
{
    return static_cast<int>(std::bit_ceil(static_cast<unsigned>(std::max(pixels, 1))));
}

bool canvasTextureFits(int width, int height)
{
    GLint largest = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &largest);
    return canvasTextureSide(width) <= largest && canvasTextureSide(height) <= largest;
}

void drawCanvasTexture(unsigned texture, int width, int height)
{
    // The quad spans the canvas in its pixel coordinates and nearest
    // sampling reads each pixel centre's own texel.
    const float s = static_cast<float>(width) / static_cast<float>(canvasTextureSide(width));
    const float t = static_cast<float>(height) / static_cast<float>(canvasTextureSide(height));
    const auto w = static_cast<float>(width), h = static_cast<float>(height);
    glPushAttrib(GL_ENABLE_BIT | GL_TEXTURE_BIT | GL_TRANSFORM_BIT);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0.0, w, 0.0, h, -1.0, 1.0);
    glDisable(GL_DEPTH_TEST);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 0.0f), glVertex2f(0.0f, 0.0f);
    glTexCoord2f(s, 0.0f), glVertex2f(w, 0.0f);
    glTexCoord2f(s, t), glVertex2f(w, h);
    glTexCoord2f(0.0f, t), glVertex2f(0.0f, h);
    glEnd();
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glPopAttrib();
}
