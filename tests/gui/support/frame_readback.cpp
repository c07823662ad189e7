#include "frame_readback.h"

#include <FL/Fl_Gl_Window.H>
#include <FL/gl.h>
#include <gtest/gtest.h>

Rgba Frame::at(int x, int y) const
{
    if (x < 0 || y < 0 || x >= width || y >= height) {
        ADD_FAILURE() << "pixel " << x << ", " << y << " lies outside the " << width << " x " << height << " frame";
        return {};
    }
    const unsigned char* p = &rgba[(static_cast<size_t>(y) * width + x) * 4];
    return {p[0], p[1], p[2], p[3]};
}

Frame readBackBuffer(Fl_Gl_Window& canvas)
{
    canvas.make_current();
    glFinish();
    Frame frame{canvas.w(), canvas.h(), std::vector<unsigned char>(static_cast<size_t>(canvas.w()) * canvas.h() * 4)};
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, frame.width, frame.height, GL_RGBA, GL_UNSIGNED_BYTE, frame.rgba.data());
    return frame;
}
