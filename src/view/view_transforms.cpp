#include "view/view_transforms.h"

#include <FL/gl.h>

#include "app/globals.h"

namespace {

void pushTransform(float dx, float dy, float sx, float sy)
{
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glTranslatef(dx, dy, 0.0f);
    glScalef(sx, sy, 1.0f);
}

}  // namespace

void pushViewTransform(int kind)
{
    const ViewState& v = *viewState;
    const float top = static_cast<float>(v.viewHeight) + v.scrollY;
    switch (kind) {
    case rowUnitTransform:
        pushTransform(-v.scrollX, top, v.versionSize, -v.lineSize);
        break;
    case columnStripTransform:
        pushTransform(-v.scrollX, 0.0f, v.versionSize, static_cast<float>(v.viewHeight));
        break;
    case pixelRowTransform:
        pushTransform(-v.scrollX, top, v.versionSize, -1.0f);
        break;
    case codeTextTransform:
        pushTransform(0.0f, static_cast<float>(v.codeViewHeight - v.fontHeight) - v.fontBaseline, 1.0f, -1.0f);
        break;
    case smallCodeTextTransform:
        pushTransform(0.0f,
                      static_cast<float>(v.fontDifference - v.fontHeight + v.codeViewHeight) - v.smallFontBaseline,
                      1.0f, -1.0f);
        break;
    default:
        if (kind >= popTransform)
            glPopMatrix();
        break;
    }
}
