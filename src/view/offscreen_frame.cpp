#include "view/offscreen_frame.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <GL/gl.h>

#include <cstring>

#include "app/png_file.h"

namespace {

struct OffscreenContext {
    EGLDisplay display = EGL_NO_DISPLAY;
    EGLConfig config = nullptr;
    EGLContext context = EGL_NO_CONTEXT;
};

// One context for the process: the canvas's textures, made in its first
// frame, then serve the legends drawn after it.
bool offscreenContext(OffscreenContext& made, std::string& error)
{
    static OffscreenContext context;
    static std::string failure;
    static bool tried = false;
    if (!tried) {
        tried = true;
        const auto platformDisplay =
            reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(eglGetProcAddress("eglGetPlatformDisplayEXT"));
        EGLint count = 0;
        // The shading model keeps a factor in destination alpha, as the
        // window's canvas does.
        const EGLint attributes[] = {EGL_SURFACE_TYPE, EGL_PBUFFER_BIT, EGL_RED_SIZE, 8, EGL_GREEN_SIZE, 8,
                                     EGL_BLUE_SIZE, 8, EGL_ALPHA_SIZE, 8, EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT,
                                     EGL_NONE};
        if (platformDisplay)
            context.display = platformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
        if (context.display == EGL_NO_DISPLAY || !eglInitialize(context.display, nullptr, nullptr))
            failure = "no off-screen OpenGL: Mesa's surfaceless EGL platform is missing";
        else if (!eglChooseConfig(context.display, attributes, &context.config, 1, &count) || count < 1 ||
                 !eglBindAPI(EGL_OPENGL_API))
            failure = "no off-screen OpenGL: the renderer offers no RGBA buffer";
        else if ((context.context = eglCreateContext(context.display, context.config, EGL_NO_CONTEXT, nullptr)) ==
                 EGL_NO_CONTEXT)
            failure = "no off-screen OpenGL: the renderer refused a context";
    }
    made = context;
    error = failure;
    return failure.empty();
}

}  // namespace

bool drawOffscreen(int width, int height, const std::function<void()>& draw, RgbPicture& picture,
                   std::string& error)
{
    OffscreenContext context;
    if (!offscreenContext(context, error))
        return false;
    const EGLint size[] = {EGL_WIDTH, width, EGL_HEIGHT, height, EGL_NONE};
    const EGLSurface surface = eglCreatePbufferSurface(context.display, context.config, size);
    if (surface == EGL_NO_SURFACE) {
        error = "the off-screen renderer cannot make a picture of " + std::to_string(width) + "x" +
                std::to_string(height) + " pixels";
        return false;
    }
    eglMakeCurrent(context.display, surface, surface, context.context);
    draw();
    glFinish();

    // OpenGL counts rows from the bottom, the picture from the top.
    std::vector<unsigned char> rgba(static_cast<size_t>(width) * static_cast<size_t>(height) * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    eglMakeCurrent(context.display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    eglDestroySurface(context.display, surface);

    picture.width = width;
    picture.height = height;
    picture.rgb.resize(static_cast<size_t>(width) * static_cast<size_t>(height) * 3);
    for (int row = 0; row < height; ++row) {
        const unsigned char* from = rgba.data() + static_cast<size_t>(height - 1 - row) * width * 4;
        unsigned char* to = picture.rgb.data() + static_cast<size_t>(row) * width * 3;
        for (int x = 0; x < width; ++x)
            std::memcpy(to + x * 3, from + x * 4, 3);
    }
    return true;
}
