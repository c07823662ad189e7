#include "support/canvas_pixels.h"

#include <FL/gl.h>

#include "ui/widgets.h"
#include "view/evolution_view.h"

const unsigned char* CanvasPixels::at(int x, int y) const
{
    return &rgba[(static_cast<size_t>(height - 1 - y) * width + x) * 4];
}

CanvasPixels drawCanvas()
{
    evolutionView->make_current();
    evolutionView->draw();
    glFinish();
    CanvasPixels pixels;
    pixels.width = evolutionView->w();
    pixels.height = evolutionView->h();
    pixels.rgba.resize(static_cast<size_t>(pixels.width) * pixels.height * 4);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, pixels.width, pixels.height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.rgba.data());
    return pixels;
}
