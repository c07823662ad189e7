#include "ui/scroll_sync.h"

#include <FL/Fl_Pack.H>
#include <FL/Fl_Slider.H>
#include <FL/Fl_Value_Slider.H>
#include <FL/Fl_Window.H>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>

#include "app/globals.h"
#include "evolution/evolution_file.h"
#include "support/gl_harness.h"
#include "support/open_evolution.h"
#include "support/temp_directory.h"
#include "ui/canvas_companions.h"
#include "ui/colour_legend.h"
#include "ui/legend_stack.h"
#include "ui/marked_slider.h"
#include "ui/widgets.h"
#include "view/evolution_view.h"

namespace {

constexpr int canvasWidth = 400;
constexpr int canvasHeight = 470;

// Twelve revisions: 20 lines throughout, 20 deleted after the sixth and 20
// added in the seventh, so every revision has 40 lines but 60 rows exist.
EvolutionSketch turnover()
{
    EvolutionSketch sketch;
    sketch.statuses.assign(20, "XXXXXXXXXXXX");
    sketch.statuses.insert(sketch.statuses.end(), 20, "XXXXXXDDDDDD");
    sketch.statuses.insert(sketch.statuses.end(), 20, ">>>>>>XXXXXX");
    return sketch;
}
constexpr int revisionLines = 40;
constexpr int allRows = 60;
constexpr int revisions = 12;

void expectSliderIsFinite(const Fl_Slider* slider)
{
    EXPECT_TRUE(std::isfinite(slider->slider_size()));
    EXPECT_TRUE(std::isfinite(slider->value()));
    EXPECT_TRUE(std::isfinite(slider->minimum()));
    EXPECT_TRUE(std::isfinite(slider->maximum()));
}

// The evolution canvas with the widgets that follow it, laid out as in the
// main window around a canvas of canvasWidth x canvasHeight, and reachable
// through the widget globals.
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
        lineBarLegend->hide();
        revisionLegendStack = new LegendStack(230, canvasHeight + 50, canvasWidth + 20, 20);
        revisionLegend = new ColourLegend(230, canvasHeight + 50, canvasWidth, 20);
        revisionBarLegend = new ColourLegend(230, canvasHeight + 50, canvasWidth, 20);
        authorLegend = new ColourLegend(230, canvasHeight + 50, canvasWidth, 20);
        revisionLegendStack->finish();
        revisionBarLegend->hide();
        authorLegend->hide();
        revisionScrollSlider = new Fl_Slider(230, canvasHeight + 70, canvasWidth, 10);
        revisionScrollSlider->type(FL_HOR_SLIDER);
        versionSizeSlider = new Fl_Value_Slider(10, 235, 180, 15);
        versionSizeSlider->bounds(0, 40);
        lineSizeSlider = new Fl_Value_Slider(10, 265, 180, 15);
        lineSizeSlider->bounds(0, 40);
        blocksAboveSlider = new Fl_Value_Slider(10, 175, 180, 15);
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

    // Moves a slider as the user would: the value, then its callback.
    static void move(Fl_Valuator* slider, double value, Fl_Callback* callback)
    {
        slider->value(value);
        callback(slider, nullptr);
    }

    static void expectLegends(const LegendStack* stack, float offset, float scale)
    {
        ASSERT_EQ(stack->legends.size(), static_cast<size_t>(stack->children() - LegendStack::firstLegendChild));
        for (const ColourLegend* legend : stack->legends) {
            EXPECT_FLOAT_EQ(legend->offset, offset);
            EXPECT_FLOAT_EQ(legend->scale, scale);
        }
    }

    // The legends of both stacks, shown or hidden, agree with the canvas.
    static void expectLegendsFollowTheCanvas()
    {
        const ViewState& v = *viewState;
        expectLegends(lineLegendStack, static_cast<float>(v.viewHeight) + v.scrollY, v.lineSize);
        expectLegends(revisionLegendStack, v.scrollX, v.versionSize);
    }

    static float rowAtCentre() { return (viewState->scrollY + canvasHeight * 0.5f) / viewState->lineSize; }

    TempDirectory directory;
    std::unique_ptr<EvolutionViewHarness> canvas;
    std::unique_ptr<Fl_Window> companions;
};

TEST_F(ScrollSync, RowsFollowTheLayout)
{
    EXPECT_EQ(layoutRowCount(), revisionLines);
    evolutionView->layoutMode = modeHorizontal;
    EXPECT_EQ(layoutRowCount(), allRows);
    evolutionView->layoutMode = modeInterpolated;
    EXPECT_EQ(layoutRowCount(), allRows);

    // Without a canvas the layout is the one a new canvas starts with.
    EvolutionView* shown = evolutionView;
    evolutionView = nullptr;
    EXPECT_EQ(layoutRowCount(), revisionLines);
    evolutionView = shown;

    closeTestEvolution();
    EXPECT_EQ(layoutRowCount(), 0);
}

TEST_F(ScrollSync, FitShowsEverythingUnscrolledWithTheRangeSliders)
{
    viewState->scrollX = 50;
    viewState->scrollY = 80;
    rangeStartSlider->hide();
    rangeEndSlider->hide();

    fitToWindow();

    const ViewState& v = *viewState;
    EXPECT_FLOAT_EQ(v.lineSize, static_cast<float>(canvasHeight) / revisionLines);
    EXPECT_FLOAT_EQ(v.versionSize, static_cast<float>(canvasWidth) / revisions);
    EXPECT_FLOAT_EQ(lineSizeSlider->value(), v.lineSize);
    EXPECT_FLOAT_EQ(versionSizeSlider->value(), v.versionSize);
    EXPECT_EQ(v.scrollX, 0.0f);
    EXPECT_EQ(v.scrollY, 0.0f);
    EXPECT_EQ(lineScrollSlider->minimum(), 0.0);
    EXPECT_EQ(lineScrollSlider->maximum(), revisionLines);
    EXPECT_FLOAT_EQ(lineScrollSlider->slider_size(), 1.0f);
    EXPECT_EQ(lineScrollSlider->value(), 0.0);
    EXPECT_FLOAT_EQ(revisionScrollSlider->slider_size(), 1.0f);
    EXPECT_EQ(revisionScrollSlider->value(), 0.0);
    EXPECT_TRUE(rangeStartSlider->visible());
    EXPECT_TRUE(rangeEndSlider->visible());
    expectLegendsFollowTheCanvas();
}

TEST_F(ScrollSync, ScrollSlidersShowTheOffsetAndTheVisibleShare)
{
    ViewState& v = *viewState;
    // 40 rows of 20 pixels: 330 pixels of scroll.
    v.lineSize = 20;
    v.scrollY = 165;
    syncLineScroll(lineScrollSlider);
    EXPECT_EQ(lineScrollSlider->maximum(), revisionLines);
    EXPECT_FLOAT_EQ(lineScrollSlider->value(), 20.0f);
    EXPECT_FLOAT_EQ(lineScrollSlider->slider_size(), canvasHeight / 800.0f);
    expectLegends(lineLegendStack, canvasHeight + 165.0f, 20.0f);

    // 12 columns of 100 pixels: 800 pixels of scroll.
    v.versionSize = 100;
    v.scrollX = 400;
    syncRevisionScroll(revisionScrollSlider);
    EXPECT_FLOAT_EQ(revisionScrollSlider->value(), 6.0f);
    EXPECT_FLOAT_EQ(revisionScrollSlider->slider_size(), 1.0f / 3.0f);
    expectLegends(revisionLegendStack, 400.0f, 100.0f);
}

TEST_F(ScrollSync, ContentAtMostTwoPixelsLongerLeavesTheSlidersAtTheStart)
{
    ViewState& v = *viewState;
    v.scrollY = 2;
    v.lineSize = 12.5f;  // 500 pixels
    lineScrollSlider->size(10, 498);
    syncLineScroll(lineScrollSlider);
    EXPECT_EQ(lineScrollSlider->value(), 0.0);
    lineScrollSlider->size(10, 497);
    syncLineScroll(lineScrollSlider);
    EXPECT_FLOAT_EQ(lineScrollSlider->value(), revisionLines * 2.0f / 3.0f);

    v.scrollX = 2;
    v.versionSize = 33.5f;  // 402 pixels
    syncRevisionScroll(revisionScrollSlider);
    EXPECT_EQ(revisionScrollSlider->value(), 0.0);
    v.versionSize = 33.75f;  // 405 pixels
    syncRevisionScroll(revisionScrollSlider);
    EXPECT_FLOAT_EQ(revisionScrollSlider->value(), revisions * 2.0f / 5.0f);
}

TEST_F(ScrollSync, ScrollSlidersReachTheFirstAndTheLastCell)
{
    fitToWindow();
    move(lineSizeSlider, 20, lineSizeCallback);
    move(lineScrollSlider, lineScrollSlider->maximum(), lineScrollCallback);
    // The last row ends at the canvas's bottom edge.
    EXPECT_FLOAT_EQ(revisionLines * viewState->lineSize - viewState->scrollY, canvasHeight);
    expectLegendsFollowTheCanvas();
    move(lineScrollSlider, 0, lineScrollCallback);
    EXPECT_EQ(viewState->scrollY, 0.0f);
    expectLegendsFollowTheCanvas();

    move(versionSizeSlider, 100, versionSizeCallback);
    move(revisionScrollSlider, revisions, revisionScrollCallback);
    EXPECT_FLOAT_EQ(revisions * viewState->versionSize - viewState->scrollX, canvasWidth);
    expectLegendsFollowTheCanvas();
    move(revisionScrollSlider, 0, revisionScrollCallback);
    EXPECT_EQ(viewState->scrollX, 0.0f);
}

TEST_F(ScrollSync, HorizontalLayoutScrollsToItsLastRow)
{
    evolutionView->layoutMode = modeHorizontal;
    fitToWindow();
    EXPECT_FLOAT_EQ(viewState->lineSize, static_cast<float>(canvasHeight) / allRows);
    move(lineSizeSlider, 20, lineSizeCallback);
    EXPECT_EQ(lineScrollSlider->maximum(), allRows);
    move(lineScrollSlider, lineScrollSlider->maximum(), lineScrollCallback);
    EXPECT_FLOAT_EQ(allRows * viewState->lineSize - viewState->scrollY, canvasHeight);
}

TEST_F(ScrollSync, LineZoomKeepsTheCentreRowAndFitsWhenEverythingShows)
{
    fitToWindow();
    const float centre = rowAtCentre();
    move(lineSizeSlider, 20, lineSizeCallback);
    EXPECT_FLOAT_EQ(viewState->lineSize, 20.0f);
    EXPECT_NEAR(rowAtCentre(), centre, 1e-3);
    EXPECT_FLOAT_EQ(lineScrollSlider->value(), revisionLines * viewState->scrollY / (800.0f - canvasHeight));
    expectLegendsFollowTheCanvas();

    // Scrolled elsewhere, a further zoom keeps that row instead.
    move(lineScrollSlider, 10, lineScrollCallback);
    const float scrolledCentre = rowAtCentre();
    move(lineSizeSlider, 31, lineSizeCallback);
    EXPECT_NEAR(rowAtCentre(), scrolledCentre, 1e-3);

    // Zoomed out past the fit: the rows fill the canvas, from the top, and
    // the slider keeps the size chosen.
    move(lineSizeSlider, 5, lineSizeCallback);
    EXPECT_FLOAT_EQ(viewState->lineSize, static_cast<float>(canvasHeight) / revisionLines);
    EXPECT_EQ(viewState->scrollY, 0.0f);
    EXPECT_EQ(lineSizeSlider->value(), 5.0);
    EXPECT_EQ(lineScrollSlider->value(), 0.0);
    expectLegendsFollowTheCanvas();
}

TEST_F(ScrollSync, ZoomNeverScrollsPastTheContent)
{
    fitToWindow();
    for (double size : {40.0, 13.0, 25.0, 11.9, 2.0, 39.0}) {
        for (double position : {0.0, 0.5, 1.0}) {
            move(lineScrollSlider, lineScrollSlider->maximum() * position, lineScrollCallback);
            move(revisionScrollSlider, revisions * position, revisionScrollCallback);
            move(lineSizeSlider, size, lineSizeCallback);
            move(versionSizeSlider, size, versionSizeCallback);
            const ViewState& v = *viewState;
            SCOPED_TRACE(std::to_string(size) + " at " + std::to_string(position));
            EXPECT_GE(v.scrollY, 0.0f);
            EXPECT_LE(v.scrollY, revisionLines * v.lineSize - canvasHeight + 1e-3f);
            EXPECT_GE(v.scrollX, 0.0f);
            // Columns fitted to the width may come out a pixel short of it.
            EXPECT_LE(v.scrollX, std::max(static_cast<int>(revisions * v.versionSize) - canvasWidth, 0));
            EXPECT_GE(lineScrollSlider->value(), 0.0);
            EXPECT_LE(lineScrollSlider->value(), revisionLines + 1e-3);
            EXPECT_GE(revisionScrollSlider->value(), 0.0);
            EXPECT_LE(revisionScrollSlider->value(), revisions + 1e-3);
            expectLegendsFollowTheCanvas();
        }
    }
}

TEST_F(ScrollSync, VersionZoomHidesTheRangeSlidersUntilTheNextFit)
{
    fitToWindow();
    // The column at the centre, six, stays there.
    move(versionSizeSlider, 60, versionSizeCallback);
    EXPECT_FLOAT_EQ(viewState->versionSize, 60.0f);
    EXPECT_NEAR(viewState->scrollX, 160.0f, 1e-3);
    EXPECT_NEAR(revisionScrollSlider->value(), revisions * 160.0f / (720 - canvasWidth), 1e-3);
    EXPECT_FALSE(rangeStartSlider->visible());
    EXPECT_FALSE(rangeEndSlider->visible());
    expectLegendsFollowTheCanvas();

    fitToWindow();
    EXPECT_TRUE(rangeStartSlider->visible());
    EXPECT_TRUE(rangeEndSlider->visible());

    // Zooming out past the fit fits the columns, yet the sliders stay hidden.
    move(versionSizeSlider, 10, versionSizeCallback);
    EXPECT_FLOAT_EQ(viewState->versionSize, static_cast<float>(canvasWidth) / revisions);
    EXPECT_EQ(viewState->scrollX, 0.0f);
    EXPECT_EQ(versionSizeSlider->value(), 10.0);
    EXPECT_FALSE(rangeStartSlider->visible());
}

TEST_F(ScrollSync, BlockThresholdIsBoundedButTheThresholdKept)
{
    blockSortIndex = 1;
    const auto reference = loadWrittenEvolution(directory, turnover());
    ASSERT_TRUE(reference);
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
    EXPECT_EQ(currentEvolution->maxBlockLevel, level);
    EXPECT_EQ(blocksAboveSlider->minimum(), 0.0);
    EXPECT_EQ(blocksAboveSlider->maximum(), level);
    EXPECT_EQ(blocksAboveSlider->value(), level);
    EXPECT_EQ(viewState->blocksAbove, 1000);

    // A threshold within the levels stays where it is.
    blocksAboveSlider->value(level - 1);
    refreshBlockThreshold();
    EXPECT_EQ(blocksAboveSlider->value(), level - 1);
}

TEST_F(ScrollSync, NothingLoadedLeavesFiniteSliders)
{
    closeTestEvolution();
    fitToWindow();
    for (Fl_Slider* slider : {lineScrollSlider, revisionScrollSlider})
        expectSliderIsFinite(slider);
    EXPECT_EQ(lineScrollSlider->maximum(), 0.0);
    EXPECT_TRUE(std::isfinite(viewState->lineSize));
    EXPECT_TRUE(std::isfinite(viewState->versionSize));

    move(lineSizeSlider, 12, lineSizeCallback);
    move(versionSizeSlider, 12, versionSizeCallback);
    move(lineScrollSlider, 1, lineScrollCallback);
    move(revisionScrollSlider, 1, revisionScrollCallback);
    const ViewState& v = *viewState;
    for (float value : {v.lineSize, v.versionSize, v.scrollX, v.scrollY})
        EXPECT_TRUE(std::isfinite(value));
    EXPECT_EQ(v.scrollX, 0.0f);
    EXPECT_EQ(v.scrollY, 0.0f);
    for (Fl_Slider* slider : {lineScrollSlider, revisionScrollSlider})
        expectSliderIsFinite(slider);
    // Without blocks to count the block slider is left alone.
    blocksAboveSlider->bounds(0, 1);
    refreshBlockThreshold();
    EXPECT_EQ(blocksAboveSlider->maximum(), 1.0);
}

TEST_F(ScrollSync, NoRowsOrNoColumnsLeaveFiniteSliders)
{
    EvolutionSketch noRows;  // the only line is added in the last revision
    noRows.statuses = {">>>"};
    EvolutionSketch nothing;
    for (const EvolutionSketch& sketch : {noRows, nothing}) {
        TempDirectory other;
        ASSERT_TRUE(openTestEvolution(other, sketch));
        ASSERT_EQ(layoutRowCount(), 0);
        fitToWindow();
        move(lineSizeSlider, 12, lineSizeCallback);
        move(versionSizeSlider, 3, versionSizeCallback);
        move(lineScrollSlider, 1, lineScrollCallback);
        move(revisionScrollSlider, 1, revisionScrollCallback);
        const ViewState& v = *viewState;
        for (float value : {v.lineSize, v.versionSize, v.scrollX, v.scrollY})
            EXPECT_TRUE(std::isfinite(value));
        EXPECT_EQ(v.scrollY, 0.0f);
        for (Fl_Slider* slider : {lineScrollSlider, revisionScrollSlider})
            expectSliderIsFinite(slider);
        expectLegendsFollowTheCanvas();
    }
}

TEST_F(ScrollSync, MissingWidgetsAreSkipped)
{
    Fl_Slider standalone(0, 0, 10, canvasHeight);
    Fl_Value_Slider zoom(0, 0, 180, 15);
    lineScrollSlider = revisionScrollSlider = nullptr;
    lineLegendStack = revisionLegendStack = nullptr;
    versionSizeSlider = lineSizeSlider = blocksAboveSlider = nullptr;
    rangeStartSlider = rangeEndSlider = nullptr;
    evolutionView = nullptr;

    fitToWindow();
    EXPECT_FLOAT_EQ(viewState->lineSize, static_cast<float>(canvasHeight) / revisionLines);
    syncLineScroll(nullptr);
    syncRevisionScroll(nullptr);
    pushLineScale(nullptr);
    pushRevisionScale(nullptr);
    refreshBlockThreshold();
    move(&zoom, 20, lineSizeCallback);
    EXPECT_FLOAT_EQ(viewState->lineSize, 20.0f);
    move(&zoom, 50, versionSizeCallback);
    EXPECT_FLOAT_EQ(viewState->versionSize, 50.0f);
    move(&standalone, revisionLines, lineScrollCallback);
    EXPECT_FLOAT_EQ(viewState->scrollY, revisionLines * 20.0f - canvasHeight);
}

TEST_F(ScrollSync, CanvasResizeCarriesItsCompanions)
{
    followCanvasResize = relayCanvasCompanions;
    fitToWindow();
    move(lineSizeSlider, 20, lineSizeCallback);
    move(lineScrollSlider, 10, lineScrollCallback);
    const float scrollY = viewState->scrollY;
    const int revisionStackX = revisionLegendStack->x();

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
    EXPECT_EQ(revisionLegendStack->x(), revisionStackX);
    EXPECT_EQ(revisionLegendStack->y(), evolutionView->y() + evolutionView->h());
    EXPECT_EQ(revisionLegendStack->w(), 2 * canvasWidth + 20);
    // The same row stays at the top, so the scroll slider keeps its place.
    EXPECT_FLOAT_EQ(lineScrollSlider->value(), 10.0f);
    expectLegendsFollowTheCanvas();
}

}  // namespace
