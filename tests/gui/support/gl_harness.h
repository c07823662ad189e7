#pragma once
// A shown window holding one canvas, its frames drawn and read back.

#include <functional>
#include <memory>
#include <optional>

#include <FL/Fl_Gl_Window.H>
#include <gtest/gtest.h>

#include "colouring/colour_maps.h"
#include "frame_readback.h"
#include "support/opened_evolution.h"

class Fl_Window;
class EvolutionView;

// Whether a pixel shows a 0..1 colour, each channel within `tolerance` levels.
::testing::AssertionResult showsColour(const Rgba& pixel, const Rgb& expected, int tolerance = 2);
Rgb times(const Rgb& colour, float factor);
Rgb greyOf(float level);
Rgb colourOf(const Rgba& pixel);

class GlHarness {
public:
    explicit GlHarness(std::unique_ptr<Fl_Gl_Window> canvas);
    ~GlHarness();
    Fl_Gl_Window& canvas() const { return *glCanvas; }
    Frame drawFrame();  // drawn as the toolkit draws, left unswapped
    void makeCurrent() { glCanvas->make_current(); }
    void loseContext() { glCanvas->context(nullptr, 1); }

private:
    std::unique_ptr<Fl_Window> window;
    std::unique_ptr<Fl_Gl_Window> glCanvas;
};

// An EvolutionView set up as the main window sets one up.
struct EvolutionViewHarness : GlHarness {
    EvolutionViewHarness(int width, int height);
    ~EvolutionViewHarness();
    EvolutionView& view() const;
};

// Statuses on a width x height canvas in cells of versionSize x lineSize.
struct Grid { std::vector<std::string> statuses; int width, height; float versionSize, lineSize; };

// What a pixel case sets before it draws: by default the Normal layout by line position, plain revisions.
struct Look {
    int layout = 0, scheme = 3, pointer = 0, smooth = 0, drawing = 2, strength = 0, range = 0;
    std::optional<int> focus = std::nullopt;  // as loaded when unset
    float blending = 0.2f, scroll = 0.0f;
    bool operator==(const Look&) const = default;
};

// A pixel of a grid drawn in a look, y from the top, and the colour it shows.
struct PixelCase { const Grid* grid; Look look; int x, y; Rgb expected; };

class CanvasTest : public ::testing::Test {
protected:
    void TearDown() override;
    // Authors ann, bob, cid, dan, then ann; the pointer aids, when asked for, at row 1 of revision 1.
    void open(const Grid& grid, const Look& look = {});
    // Opens and draws once for each run of cases sharing grid and look, `prepare` just before drawing.
    void expectPixels(const std::vector<PixelCase>& cases, const std::function<void()>& prepare = {});
    Frame draw() { return harness->drawFrame(); }
    std::unique_ptr<EvolutionViewHarness> harness;
    std::unique_ptr<OpenEvolution> opened;
};
