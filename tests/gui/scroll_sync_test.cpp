// The canvas's companions kept in step with it: scroll and zoom sliders,
// legends, range sliders and the block threshold.

#include "ui/scroll_sync.h"

#include <FL/Fl_Pack.H>
#include <FL/Fl_Slider.H>
#include <FL/Fl_Value_Slider.H>
#include <FL/Fl_Window.H>
#include <gtest/gtest.h>

#include <cmath>

#include "app/globals.h"
#include "evolution/evolution_file.h"
#include "support/gl_harness.h"
#include "ui/canvas_companions.h"
#include "ui/colour_legend.h"
#include "ui/legend_stack.h"
#include "ui/marked_slider.h"
#include "ui/widgets.h"
#include "view/evolution_view.h"

namespace {

constexpr int canvasWidth = 400, canvasHeight = 470;
// Twelve revisions of 40 lines each, 60 rows: 20 lines deleted after the
// sixth revision and 20 added in the seventh.
constexpr int lines = 40, allRows = 60, revisions = 12;

EvolutionSketch turnover()
{
    EvolutionSketch sketch;
    sketch.statuses.assign(20, "XXXXXXXXXXXX");
    sketch.statuses.insert(sketch.statuses.end(), 20, "XXXXXXDDDDDD");
    sketch.statuses.insert(sketch.statuses.end(), 20, ">>>>>>XXXXXX");
    return sketch;
}

// The canvas with the widgets that follow it, laid out as in the main
// window, reachable through the widget globals.
class ScrollSync : public ::testing::Test {
protected:
    void SetUp() override
    {
        canvas = std::make_unique<EvolutionViewHarness>(canvasWidth, canvasHeight);
        Fl_Group::current(nullptr);
        companions = std::make_unique<Fl_Window>(canvasWidth + 250, canvasHeight + 256);
        rangePack = new Fl_Pack(230, 30, canvasWidth, 20);
        rangeStartSlider = new MarkedSlider(0, 0, canvasWidth, 10);
        rangeEndSlider = new MarkedSlider(0, 0, canvasWidth, 10);
        rangePack->end();
        lineScrollSlider = new Fl_Slider(200, 50, 10, canvasHeight);
        lineLegendStack = new LegendStack(210, 50, 20, canvasHeight + 20);
        lineLegend = new ColourLegend(210, 50, 20, canvasHeight);
        lineBarLegend = new ColourLegend(210, 50, 20, canvasHeight);
        lineLegendStack->finish();
        revisionLegendStack = new LegendStack(230, canvasHeight + 50, canvasWidth + 20, 20);
        revisionLegend = new ColourLegend(230, canvasHeight + 50, canvasWidth, 20);
        revisionBarLegend = new ColourLegend(230, canvasHeight + 50, canvasWidth, 20);
        revisionLegendStack->finish();
        revisionScrollSlider = new Fl_Slider(230, canvasHeight + 70, canvasWidth, 10);
        revisionScrollSlider->type(FL_HOR_SLIDER);
        versionSizeSlider = new Fl_Value_Slider(10, 235, 180, 15);
        lineSizeSlider = new Fl_Value_Slider(10, 265, 180, 15);
        blocksAboveSlider = new Fl_Value_Slider(10, 175, 180, 15);
        versionSizeSlider->bounds(0, 40);
        lineSizeSlider->bounds(0, 40);
        companions->end();
        ASSERT_TRUE(openTestEvolution(directory, turnover()));
    }

    void TearDown() override
    {
        followCanvasResize = nullptr;
        rangePack = nullptr;
        rangeStartSlider = rangeEndSlider = nullptr;
        lineScrollSlider = revisionScrollSlider = nullptr;
        lineLegendStack = revisionLegendStack = nullptr;
        lineLegend = lineBarLegend = revisionLegend = revisionBarLegend = authorLegend = nullptr;
        versionSizeSlider = lineSizeSlider = blocksAboveSlider = nullptr;
        companions.reset();
        closeTestEvolution();
        canvas.reset();
    }

    static void move(Fl_Valuator* slider, double value, Fl_Callback* callback)
    {
        slider->value(value);
        callback(slider, nullptr);
    }

    // Every legend of both stacks, shown or hidden, agrees with the canvas,
    // and every value is finite.
    static void expectInStep()
    {
        const ViewState& v = *viewState;
        for (auto [stack, offset, scale] : {std::tuple{lineLegendStack, v.viewHeight + v.scrollY, v.lineSize},
                                            std::tuple{revisionLegendStack, v.scrollX, v.versionSize}}) {
            ASSERT_EQ(stack->legends.size(), 2u);
            for (const ColourLegend* legend : stack->legends) {
                EXPECT_FLOAT_EQ(legend->offset, offset);
                EXPECT_FLOAT_EQ(legend->scale, scale);
            }
        }
        for (Fl_Slider* s : {lineScrollSlider, revisionScrollSlider})
            for (double value : {double(s->slider_size()), s->value(), s->minimum(), s->maximum()})
                EXPECT_TRUE(std::isfinite(value));
        for (float value : {v.lineSize, v.versionSize, v.scrollX, v.scrollY})
            EXPECT_TRUE(std::isfinite(value));
    }

    static float rowAtCentre() { return (viewState->scrollY + canvasHeight * 0.5f) / viewState->lineSize; }

    TempDirectory directory;
    std::unique_ptr<EvolutionViewHarness> canvas;
    std::unique_ptr<Fl_Window> companions;
};

TEST_F(ScrollSync, RowsFollowTheLayout)
{
    EXPECT_EQ(layoutRowCount(), lines);
    for (int mode : {modeHorizontal, modeInterpolated}) {
        evolutionView->layoutMode = mode;
        EXPECT_EQ(layoutRowCount(), allRows);
    }
    // Without a canvas, the layout a new canvas starts with.
    EvolutionView* shown = evolutionView;
    evolutionView = nullptr;
    EXPECT_EQ(layoutRowCount(), lines);
    evolutionView = shown;
    closeTestEvolution();
    EXPECT_EQ(layoutRowCount(), 0);
}

TEST_F(ScrollSync, ScrollSlidersShowTheOffsetAndTheVisibleShare)
{
    viewState->scrollX = 50;
    viewState->scrollY = 80;
    rangeStartSlider->hide();
    fitToWindow();
    const ViewState& v = *viewState;
    EXPECT_FLOAT_EQ(v.lineSize, static_cast<float>(canvasHeight) / lines);
    EXPECT_FLOAT_EQ(v.versionSize, static_cast<float>(canvasWidth) / revisions);
    EXPECT_FLOAT_EQ(lineSizeSlider->value(), v.lineSize);
    EXPECT_FLOAT_EQ(versionSizeSlider->value(), v.versionSize);
    EXPECT_EQ(v.scrollX + v.scrollY, 0.0f);
    EXPECT_EQ(lineScrollSlider->maximum(), lines);
    EXPECT_FLOAT_EQ(lineScrollSlider->slider_size(), 1.0f);
    EXPECT_FLOAT_EQ(revisionScrollSlider->slider_size(), 1.0f);
    EXPECT_TRUE(rangeStartSlider->visible());
    expectInStep();
    // Content at most two pixels longer than the canvas leaves the sliders
    // at the start.
    struct Case {
        bool lineSlider;
        float size, scroll;
        int sliderLength;
        float value, share;
    };
    const Case cases[] = {{true, 20, 165, canvasHeight, 20, canvasHeight / 800.0f},
                          {false, 100, 400, canvasWidth, 6, 1 / 3.0f},
                          {true, 12.5f, 2, 498, 0, -1},
                          {true, 12.5f, 2, 497, lines * 2 / 3.0f, -1},
                          {false, 33.5f, 2, canvasWidth, 0, -1},
                          {false, 33.75f, 2, canvasWidth, revisions * 2 / 5.0f, -1}};
    for (const Case& c : cases) {
        (c.lineSlider ? viewState->lineSize : viewState->versionSize) = c.size;
        (c.lineSlider ? viewState->scrollY : viewState->scrollX) = c.scroll;
        lineScrollSlider->size(10, c.lineSlider ? c.sliderLength : canvasHeight);
        c.lineSlider ? syncLineScroll(lineScrollSlider) : syncRevisionScroll(revisionScrollSlider);
        const Fl_Slider* slider = c.lineSlider ? lineScrollSlider : revisionScrollSlider;
        EXPECT_FLOAT_EQ(slider->value(), c.value) << "case " << &c - cases;
        if (c.share > 0)
            EXPECT_FLOAT_EQ(slider->slider_size(), c.share) << "case " << &c - cases;
        expectInStep();
    }
}

TEST_F(ScrollSync, ZoomKeepsTheCentreAndNeverScrollsPastTheContent)
{
    fitToWindow();
    const float centre = rowAtCentre();
    move(lineSizeSlider, 20, lineSizeCallback);
    EXPECT_NEAR(rowAtCentre(), centre, 1e-3);
    move(lineScrollSlider, lineScrollSlider->maximum(), lineScrollCallback);
    EXPECT_FLOAT_EQ(lines * viewState->lineSize - viewState->scrollY, canvasHeight);
    move(lineScrollSlider, 10, lineScrollCallback);
    const float scrolled = rowAtCentre();
    move(lineSizeSlider, 31, lineSizeCallback);
    EXPECT_NEAR(rowAtCentre(), scrolled, 1e-3);
    // Zoomed out past the fit the rows fill the canvas from the top, and the
    // slider keeps the size chosen.
    move(lineSizeSlider, 5, lineSizeCallback);
    EXPECT_FLOAT_EQ(viewState->lineSize, static_cast<float>(canvasHeight) / lines);
    EXPECT_EQ(viewState->scrollY, 0.0f);
    EXPECT_EQ(lineSizeSlider->value(), 5.0);
    // The column at the centre stays there; the range sliders hide until
    // the next fit.
    move(versionSizeSlider, 60, versionSizeCallback);
    EXPECT_NEAR(viewState->scrollX, 160.0f, 1e-3);
    EXPECT_NEAR(revisionScrollSlider->value(), revisions * 160.0f / (720 - canvasWidth), 1e-3);
    EXPECT_FALSE(rangeEndSlider->visible());
    move(revisionScrollSlider, revisions, revisionScrollCallback);
    EXPECT_FLOAT_EQ(revisions * viewState->versionSize - viewState->scrollX, canvasWidth);
    move(versionSizeSlider, 10, versionSizeCallback);
    EXPECT_EQ(viewState->scrollX, 0.0f);
    EXPECT_FALSE(rangeEndSlider->visible());
    fitToWindow();
    EXPECT_TRUE(rangeEndSlider->visible());
    for (double size : {40.0, 13.0, 25.0, 11.9, 2.0, 39.0})
        for (double position : {0.0, 0.5, 1.0}) {
            move(lineScrollSlider, lineScrollSlider->maximum() * position, lineScrollCallback);
            move(revisionScrollSlider, revisions * position, revisionScrollCallback);
            move(lineSizeSlider, size, lineSizeCallback);
            move(versionSizeSlider, size, versionSizeCallback);
            const ViewState& v = *viewState;
            SCOPED_TRACE(testing::Message() << size << " at " << position);
            EXPECT_GE(v.scrollY, 0.0f);
            EXPECT_LE(v.scrollY, lines * v.lineSize - canvasHeight + 1e-3f);
            EXPECT_GE(v.scrollX, 0.0f);
            // Columns fitted to the width may come out a pixel short of it.
            EXPECT_LE(v.scrollX, std::max(static_cast<int>(revisions * v.versionSize) - canvasWidth, 0));
            EXPECT_LE(lineScrollSlider->value(), lines + 1e-3);
            EXPECT_LE(revisionScrollSlider->value(), revisions + 1e-3);
            expectInStep();
        }
    // The Horizontal layout scrolls to its last row.
    evolutionView->layoutMode = modeHorizontal;
    fitToWindow();
    move(lineSizeSlider, 20, lineSizeCallback);
    move(lineScrollSlider, lineScrollSlider->maximum(), lineScrollCallback);
    EXPECT_FLOAT_EQ(allRows * viewState->lineSize - viewState->scrollY, canvasHeight);
}

TEST_F(ScrollSync, BlockThresholdIsBoundedByTheLevelsButKept)
{
    blockSortIndex = 1;
    const auto reference = loadWrittenEvolution(directory, turnover());
    reference->buildBlocks(1);
    currentEvolution->blocks.clear();
    blocksAboveSlider->bounds(0, 1000);
    blocksAboveSlider->value(1000);
    viewState->blocksAbove = 1000;
    refreshBlockThreshold();
    blockSortIndex = 0;
    const int level = reference->maxBlockLevel;
    ASSERT_GT(level, 0);
    EXPECT_EQ(currentEvolution->blocks.size(), reference->blocks.size());
    EXPECT_EQ(blocksAboveSlider->maximum(), level);
    EXPECT_EQ(blocksAboveSlider->value(), level);
    EXPECT_EQ(viewState->blocksAbove, 1000);
    blocksAboveSlider->value(level - 1);
    refreshBlockThreshold();
    EXPECT_EQ(blocksAboveSlider->value(), level - 1);
}

TEST_F(ScrollSync, NothingToShowOrNoWidgetsLeaveEverythingFinite)
{
    EvolutionSketch noRows;
    noRows.statuses = {">>>"};
    for (const EvolutionSketch& sketch : {noRows, EvolutionSketch{}}) {
        TempDirectory other;
        ASSERT_TRUE(openTestEvolution(other, sketch));
        ASSERT_EQ(layoutRowCount(), 0);
        fitToWindow();
        move(lineSizeSlider, 12, lineSizeCallback);
        move(versionSizeSlider, 3, versionSizeCallback);
        move(lineScrollSlider, 1, lineScrollCallback);
        move(revisionScrollSlider, 1, revisionScrollCallback);
        EXPECT_EQ(viewState->scrollY, 0.0f);
        expectInStep();
    }
    closeTestEvolution();
    blocksAboveSlider->bounds(0, 1);
    refreshBlockThreshold();
    EXPECT_EQ(blocksAboveSlider->maximum(), 1.0);
    fitToWindow();
    move(lineScrollSlider, 1, lineScrollCallback);
    EXPECT_EQ(lineScrollSlider->maximum(), 0.0);
    EXPECT_EQ(viewState->scrollX + viewState->scrollY, 0.0f);
    expectInStep();

    ASSERT_TRUE(openTestEvolution(directory, turnover()));
    Fl_Slider standalone(0, 0, 10, canvasHeight);
    Fl_Value_Slider zoom(0, 0, 180, 15);
    lineScrollSlider = revisionScrollSlider = nullptr;
    lineLegendStack = revisionLegendStack = nullptr;
    versionSizeSlider = lineSizeSlider = blocksAboveSlider = nullptr;
    rangeStartSlider = rangeEndSlider = nullptr;
    evolutionView = nullptr;
    fitToWindow();
    EXPECT_FLOAT_EQ(viewState->lineSize, static_cast<float>(canvasHeight) / lines);
    syncLineScroll(nullptr);
    syncRevisionScroll(nullptr);
    pushLineScale(nullptr);
    pushRevisionScale(nullptr);
    refreshBlockThreshold();
    move(&zoom, 20, lineSizeCallback);
    move(&zoom, 50, versionSizeCallback);
    EXPECT_FLOAT_EQ(viewState->versionSize, 50.0f);
    move(&standalone, lines, lineScrollCallback);
    EXPECT_FLOAT_EQ(viewState->scrollY, lines * 20.0f - canvasHeight);
}

TEST_F(ScrollSync, CanvasResizeCarriesItsCompanions)
{
    followCanvasResize = relayCanvasCompanions;
    fitToWindow();
    move(lineSizeSlider, 20, lineSizeCallback);
    move(lineScrollSlider, 10, lineScrollCallback);
    const float scrollY = viewState->scrollY;
    const int stackX = revisionLegendStack->x();
    canvas->resize(2 * canvasWidth, 2 * canvasHeight);
    const ViewState& v = *viewState;
    EXPECT_FLOAT_EQ(v.versionSize, 2.0f * canvasWidth / revisions);
    EXPECT_FLOAT_EQ(v.lineSize, 40.0f);
    EXPECT_FLOAT_EQ(v.scrollY, 2.0f * scrollY);
    EXPECT_FLOAT_EQ(versionSizeSlider->value(), v.versionSize);
    EXPECT_FLOAT_EQ(lineSizeSlider->value(), v.lineSize);
    EXPECT_EQ(rangePack->w(), 2 * canvasWidth);
    EXPECT_EQ(lineScrollSlider->h(), 2 * canvasHeight);
    EXPECT_EQ(lineLegendStack->h(), 2 * canvasHeight + 20);
    EXPECT_EQ(revisionLegendStack->x(), stackX);
    EXPECT_EQ(revisionLegendStack->y(), evolutionView->y() + evolutionView->h());
    EXPECT_EQ(revisionLegendStack->w(), 2 * canvasWidth + 20);
    EXPECT_FLOAT_EQ(lineScrollSlider->value(), 10.0f);
    expectInStep();
}

}  // namespace
