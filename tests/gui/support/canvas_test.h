#pragma once
// A test fixture that opens a small evolution and draws it in an
// EvolutionView of a chosen size.

#include <memory>

#include <gtest/gtest.h>

#include "support/gl_harness.h"
#include "support/temp_directory.h"

class CanvasTest : public ::testing::Test {
protected:
    void TearDown() override;

    // Opens `sketch` and shows a canvas of width x height pixels whose cells
    // are versionSize x lineSize pixels, unscrolled, with nothing drawn over
    // the cells ("None") unless a test says otherwise.
    void open(const EvolutionSketch& sketch, int width, int height, float versionSize, float lineSize);
    Frame draw();

    // The pixel at the middle of grid position (x, y) in revisions and rows,
    // as the row-unit transform places it.
    static Rgba cell(const Frame& frame, float x, float y);
    // The pixel at the middle of cell (column, k).
    static Rgba cellAt(const Frame& frame, int column, int k) { return cell(frame, column + 0.5f, k + 0.5f); }

    TempDirectory directory;
    std::unique_ptr<EvolutionViewHarness> harness;
};

// Colour arithmetic for expected pixels.
Rgb times(const Rgb& colour, float factor);
Rgb greyOf(float level);
// The grey under the cells of the Normal layout.
float normalBaseGrey();
