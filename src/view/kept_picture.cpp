#include "view/kept_picture.h"

#include <bit>

#include <FL/gl.h>

KeptPicture keptPicture;

void keepPicture()
{
    KeptPicture& k = keptPicture;
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    const int width = viewport[2], height = viewport[3];
    if (!k.keeping || width <= 0 || height <= 0)
        return;
    GLint largest = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &largest);
    const int textureWidth = static_cast<int>(std::bit_ceil(static_cast<unsigned>(width)));
    const int textureHeight = static_cast<int>(std::bit_ceil(static_cast<unsigned>(height)));
    // A canvas wider than any texture is drawn whole every time.
    if (textureWidth > largest || textureHeight > largest)
        return;
    glPushAttrib(GL_TEXTURE_BIT);
    if (k.texture == 0) {
        GLuint name = 0;
        glGenTextures(1, &name);
        k.texture = name;
        k.textureWidth = k.textureHeight = 0;
    }
    glBindTexture(GL_TEXTURE_2D, k.texture);
    if (textureWidth != k.textureWidth || textureHeight != k.textureHeight) {
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, textureWidth, textureHeight, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        k.textureWidth = textureWidth;
        k.textureHeight = textureHeight;
    }
    glCopyTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, viewport[0], viewport[1], width, height);
    glPopAttrib();
    k.width = width;
    k.height = height;
}

bool restoreKeptPicture(int width, int height)
{
    const KeptPicture& k = keptPicture;
    if (k.texture == 0 || k.width != width || k.height != height)
        return false;
    // Texel i lies under pixel i: the quad spans the canvas in its pixel
    // coordinates and nearest sampling reads each pixel centre's own texel.
    const float s = static_cast<float>(width) / static_cast<float>(k.textureWidth);
    const float t = static_cast<float>(height) / static_cast<float>(k.textureHeight);
    const auto w = static_cast<float>(width), h = static_cast<float>(height);
    glPushAttrib(GL_ENABLE_BIT | GL_TEXTURE_BIT | GL_TRANSFORM_BIT);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0.0, w, 0.0, h, -1.0, 1.0);
    glDisable(GL_BLEND);
    glDisable(GL_ALPHA_TEST);
    glDisable(GL_DEPTH_TEST);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, k.texture);
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
    return true;
}

void forgetKeptPicture(bool contextLost)
{
    KeptPicture& k = keptPicture;
    if (contextLost)
        k.texture = 0, k.textureWidth = k.textureHeight = 0;
    k.width = k.height = 0;
}
