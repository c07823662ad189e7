#include "support/gl_harness.h"

#include <cmath>
#include <cstdlib>
#include <string>

#include <FL/Fl.H>
#include <FL/Fl_Gl_Window.H>
#include <FL/Fl_Window.H>
#include <FL/gl.h>

#include "app/globals.h"
#include "ui/widgets.h"
#include "view/evolution_view.h"

namespace {

// Reaches the protected draw of any canvas, with the canvas's own override.
struct CanvasDraw : Fl_Gl_Window {
    using Fl_Gl_Window::draw;
};

void settle()
{
    for (int i = 0; i < 5; ++i)
        Fl::check();
}

}  // namespace

::testing::AssertionResult showsColour(const Rgba& pixel, const Rgb& expected, int tolerance)
{
    const int channels[3] = {pixel.red, pixel.green, pixel.blue};
    for (int i = 0; i < 3; ++i) {
        const int level = static_cast<int>(std::lround(expected[i] * 255.0f));
        if (std::abs(channels[i] - level) > tolerance)
            return ::testing::AssertionFailure()
                   << "pixel (" << pixel.red << ", " << pixel.green << ", " << pixel.blue << ") is not within "
                   << tolerance << " levels of (" << std::lround(expected[0] * 255.0f) << ", "
                   << std::lround(expected[1] * 255.0f) << ", " << std::lround(expected[2] * 255.0f) << ")";
    }
    return ::testing::AssertionSuccess();
}

GlHarness::GlHarness(std::unique_ptr<Fl_Gl_Window> canvas) : glCanvas(std::move(canvas))
{
    window = std::make_unique<Fl_Window>(glCanvas->w(), glCanvas->h(), "Quillon test");
    window->end();
    glCanvas->position(0, 0);
    window->add(glCanvas.get());
    window->resizable(glCanvas.get());
    window->show();
    glCanvas->show();
    settle();
}

GlHarness::~GlHarness()
{
    window->hide();
    window->remove(glCanvas.get());
    glCanvas.reset();
    window.reset();
    settle();
}

void GlHarness::makeCurrent()
{
    glCanvas->make_current();
}

Frame GlHarness::drawFrame()
{
    glCanvas->make_current();
    (glCanvas.get()->*(&CanvasDraw::draw))();
    glCanvas->valid(1);
    glCanvas->context_valid(1);
    return readFrame();
}

Frame GlHarness::readFrame()
{
    return readBackBuffer(*glCanvas);
}

void GlHarness::resize(int width, int height)
{
    window->size(width, height);
    settle();
}

void GlHarness::loseContext()
{
    glCanvas->context(nullptr, 1);
}

EvolutionViewHarness::EvolutionViewHarness(int width, int height)
    : GlHarness((createGlobalObjects(), std::make_unique<EvolutionView>(0, 0, width, height)))
{
    evolutionView = &view();
    viewState->viewWidth = width;
    viewState->viewHeight = height;
    previousViewWidth = width;
    previousViewHeight = height;
}

EvolutionViewHarness::~EvolutionViewHarness()
{
    evolutionView = nullptr;
}

EvolutionView& EvolutionViewHarness::view() const
{
    return static_cast<EvolutionView&>(canvas());
}
