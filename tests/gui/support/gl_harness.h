#pragma once
// A shown window holding one canvas, its frames drawn and read back.

#include <memory>

#include <gtest/gtest.h>

#include "colouring/colour_maps.h"
#include "frame_readback.h"
#include "support/opened_evolution.h"

class Fl_Gl_Window;
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
    Frame readFrame() { return readBackBuffer(*glCanvas); }
    void makeCurrent();
    void resize(int width, int height);  // as dragging the window's border
    void loseContext();

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

// A sketch in cells of versionSize x lineSize, unscrolled, nothing over them.
class CanvasTest : public ::testing::Test {
protected:
    void TearDown() override;
    void open(const EvolutionSketch& sketch, int width, int height, float versionSize, float lineSize, int layout = 0);
    Frame draw() { return harness->drawFrame(); }
    static Rgba cellAt(const Frame& frame, int column, int k);  // the middle of cell (column, k)
    std::unique_ptr<EvolutionViewHarness> harness;
    std::unique_ptr<OpenEvolution> opened;
};
