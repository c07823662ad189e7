#include "support/gl_harness.h"

#include <cmath>
#include <cstdlib>

#include <FL/Fl.H>
#include <FL/Fl_Window.H>

#include "app/globals.h"
#include "colouring/colour_textures.h"
#include "evolution/evolution_file.h"
#include "ui/widgets.h"
#include "view/evolution_view.h"

namespace {

// Reaches the protected draw of any canvas, with the canvas's own override.
struct CanvasDraw : Fl_Gl_Window { using Fl_Gl_Window::draw; };

void settle() { for (int i = 0; i < 5; ++i) Fl::check(); }

}  // namespace

::testing::AssertionResult showsColour(const Rgba& pixel, const Rgb& expected, int tolerance)
{
    const int channels[3] = {pixel.red, pixel.green, pixel.blue};
    for (int i = 0; i < 3; ++i)
        if (std::abs(channels[i] - static_cast<int>(std::lround(expected[i] * 255.0f))) > tolerance)
            return ::testing::AssertionFailure() << "pixel " << pixel.red << " " << pixel.green << " " << pixel.blue << " is not "
                                                 << expected[0] * 255 << " " << expected[1] * 255 << " " << expected[2] * 255;
    return ::testing::AssertionSuccess();
}

Rgb times(const Rgb& c, float factor) { return {c[0] * factor, c[1] * factor, c[2] * factor}; }
Rgb greyOf(float level) { return {level, level, level}; }
Rgb colourOf(const Rgba& p) { return {p.red / 255.0f, p.green / 255.0f, p.blue / 255.0f}; }

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
    glCanvas.reset(), window.reset();
    settle();
}

Frame GlHarness::drawFrame()
{
    glCanvas->make_current();
    (glCanvas.get()->*(&CanvasDraw::draw))();
    glCanvas->valid(1);
    glCanvas->context_valid(1);
    return readBackBuffer(*glCanvas);
}

EvolutionViewHarness::EvolutionViewHarness(int width, int height)
    : GlHarness((createGlobalObjects(), std::make_unique<EvolutionView>(0, 0, width, height)))
{
    evolutionView = &view();
    viewState->viewWidth = previousViewWidth = width;
    viewState->viewHeight = previousViewHeight = height;
}

EvolutionViewHarness::~EvolutionViewHarness() { evolutionView = nullptr; }
EvolutionView& EvolutionViewHarness::view() const { return static_cast<EvolutionView&>(canvas()); }

void CanvasTest::TearDown() { harness.reset(), opened.reset(), statusColours = defaultStatusColours; }

void CanvasTest::open(const Grid& grid, const Look& look)
{
    harness.reset(), opened.reset();
    EvolutionSketch sketch;
    sketch.statuses = grid.statuses;
    sketch.authors = {"ann", "bob", "cid", "dan"};
    sketch.authors.resize(grid.statuses[0].size(), "ann");
    opened = std::make_unique<OpenEvolution>(sketch);
    ASSERT_TRUE(opened->loaded);
    statusColours = defaultStatusColours;
    harness = std::make_unique<EvolutionViewHarness>(grid.width, grid.height);
    harness->view().layoutMode = look.layout;
    ViewState& v = *viewState;
    v.versionSize = grid.versionSize, v.lineSize = grid.lineSize, v.scrollX = look.scroll, v.scrollY = 0.0f;
    v.attributeIndex = look.scheme, v.pointerMode = look.pointer, v.antiAliasing = look.smooth;
    v.versionDrawing = look.drawing, v.cushionStrength = look.strength, v.blendingRatio = look.blending;
    v.pointerRow = v.pointerRevision = 1;
    if (look.range)
        currentEvolution->setRevisionRange(look.layout, look.range, look.range);
    if (look.focus)
        currentEvolution->focusRevision = *look.focus;
    scheduleColourTextureRebuild();
}

void CanvasTest::expectPixels(const std::vector<PixelCase>& cases, const std::function<void()>& prepare)
{
    Frame frame;
    for (size_t i = 0; i < cases.size(); ++i) {
        const PixelCase& c = cases[i];
        if (i == 0 || c.grid != cases[i - 1].grid || !(c.look == cases[i - 1].look)) {
            open(*c.grid, c.look);
            ASSERT_FALSE(HasFatalFailure()) << "case " << i;
            if (prepare)
                prepare();
            frame = draw();
        }
        EXPECT_TRUE(showsColour(frame.fromTop(c.x, c.y), c.expected)) << "case " << i;
    }
}
