#include "view/kept_picture.h"

#include <FL/gl.h>

#include "view/canvas_texture.h"

KeptPicture keptPicture;

void keepPicture()
{
    KeptPicture& k = keptPicture;
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    const int width = viewport[2], height = viewport[3];
    if (!k.keeping || width <= 0 || height <= 0)
        return;
    // A canvas wider than any texture is drawn whole every time.
    if (!canvasTextureFits(width, height))
        return;
    const int textureWidth = canvasTextureSide(width), textureHeight = canvasTextureSide(height);
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
    glPushAttrib(GL_ENABLE_BIT);
    glDisable(GL_BLEND);
    glDisable(GL_ALPHA_TEST);
    drawCanvasTexture(k.texture, width, height);
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
