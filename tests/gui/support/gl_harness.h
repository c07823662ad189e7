#pragma once
// Drawing OpenGL canvases in tests: a shown window holding one canvas of a
// known size, frames drawn on request and read back from the back buffer.

#include <memory>

#include <gtest/gtest.h>

#include "colouring/colour_maps.h"
#include "frame_readback.h"
#include "support/temp_directory.h"

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
    GlHarness(const GlHarness&) = delete;
    GlHarness& operator=(const GlHarness&) = delete;

    Fl_Gl_Window& canvas() const { return *glCanvas; }
    // One frame drawn as the toolkit draws it, left unswapped and read back.
    Frame drawFrame();
    Frame readFrame();
    void makeCurrent();
    void resize(int width, int height);  // as dragging the window's border
    void loseContext();

private:
    std::unique_ptr<Fl_Window> window;
    std::unique_ptr<Fl_Gl_Window> glCanvas;
};

// An EvolutionView set up as the main window sets one up.
class EvolutionViewHarness : public GlHarness {
public:
    EvolutionViewHarness(int width, int height);
    ~EvolutionViewHarness();
    EvolutionView& view() const;
};

// Writes `sketch` and opens it as the program does (no grammar, default
// status colours, view state reset and loaded).
bool openTestEvolution(const TempDirectory& directory, const EvolutionSketch& sketch);
void closeTestEvolution();

// Opens a sketch in a canvas of cells versionSize x lineSize, unscrolled,
// nothing drawn over the cells, in the given layout.
class CanvasTest : public ::testing::Test {
protected:
    void TearDown() override;
    void open(const EvolutionSketch& sketch, int width, int height, float versionSize, float lineSize,
              int layout = 0);
    Frame draw() { return harness->drawFrame(); }
    // The pixel at the middle of cell (column, k) under the row-unit transform.
    static Rgba cellAt(const Frame& frame, int column, int k);

    TempDirectory directory;
    std::unique_ptr<EvolutionViewHarness> harness;
};
