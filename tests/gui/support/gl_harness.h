#pragma once
// Drawing OpenGL canvases in tests: a shown window holding one canvas of a
// known size, frames drawn on request and read back from the framebuffer.

#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "colouring/colour_maps.h"
#include "frame_readback.h"

class Fl_Gl_Window;
class Fl_Window;
class EvolutionView;

// Whether a pixel shows a colour given as 0..1 floats, each channel within
// `tolerance` levels of the colour's nearest level.
::testing::AssertionResult showsColour(const Rgba& pixel, const Rgb& expected, int tolerance = 2);

class GlHarness {
public:
    // Shows `canvas`, moved to (0, 0), in a window of the canvas's size.
    explicit GlHarness(std::unique_ptr<Fl_Gl_Window> canvas);
    ~GlHarness();
    GlHarness(const GlHarness&) = delete;
    GlHarness& operator=(const GlHarness&) = delete;

    Fl_Gl_Window& canvas() const { return *glCanvas; }

    // Draws one frame as the toolkit does - context current, the canvas's
    // draw, context and view valid afterwards - but leaves it unswapped in
    // the back buffer and returns it.
    Frame drawFrame();
    // Reads what the back buffer holds now, after drawing of the test's own
    // in the canvas's context.
    Frame readFrame();
    // Makes the canvas's context current, e.g. to read textures back.
    void makeCurrent();
    // Gives the window and with it the canvas a new size, as the user
    // dragging the window's border would.
    void resize(int width, int height);
    // Makes the toolkit drop the canvas's context, so that the next frame
    // starts with a new one.
    void loseContext();

private:
    std::unique_ptr<Fl_Window> window;
    std::unique_ptr<Fl_Gl_Window> glCanvas;
};

// An EvolutionView of the given size in a shown window, set up as the main
// window's construction sets one up: `evolutionView` points to it, the
// view state holds its size, and so do the previous-size globals. Creates
// the global objects when they do not exist yet.
class EvolutionViewHarness : public GlHarness {
public:
    EvolutionViewHarness(int width, int height);
    ~EvolutionViewHarness();

    EvolutionView& view() const;
};
