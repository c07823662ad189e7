#include "support/canvas_test.h"

#include "app/globals.h"
#include "support/open_evolution.h"

void CanvasTest::TearDown()
{
    harness.reset();
    closeTestEvolution();
}

void CanvasTest::open(const EvolutionSketch& sketch, int width, int height, float versionSize, float lineSize)
{
    ASSERT_TRUE(openTestEvolution(directory, sketch));
    harness = std::make_unique<EvolutionViewHarness>(width, height);
    viewState->versionSize = versionSize;
    viewState->lineSize = lineSize;
    viewState->scrollX = 0.0f;
    viewState->scrollY = 0.0f;
    viewState->versionDrawing = 2;
}

Frame CanvasTest::draw()
{
    return harness->drawFrame();
}

Rgba CanvasTest::cell(const Frame& frame, float x, float y)
{
    const ViewState& v = *viewState;
    const float px = x * v.versionSize - v.scrollX;
    const float py = static_cast<float>(v.viewHeight) + v.scrollY - y * v.lineSize;
    return frame.at(static_cast<int>(px), static_cast<int>(py));
}

Rgb times(const Rgb& colour, float factor)
{
    return {colour[0] * factor, colour[1] * factor, colour[2] * factor};
}

Rgb greyOf(float level)
{
    return {level, level, level};
}

float normalBaseGrey()
{
    const Rgb& constant = statusColours[0];
    return (constant[0] + constant[1] + constant[2]) * 0.083333336f + 0.75f;
}
