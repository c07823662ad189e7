// The looks of the window with nothing loaded and with an evolution open,
// and the controls showing their parameters whatever came before.

#include <gtest/gtest.h>

#include <FL/Fl_Check_Button.H>
#include <FL/Fl_Choice.H>
#include <FL/Fl_Menu_Bar.H>
#include <FL/Fl_Pack.H>
#include <FL/Fl_Slider.H>
#include <FL/Fl_Text_Display.H>
#include <FL/Fl_Value_Slider.H>

#include <functional>

#include "app/globals.h"
#include "app/open_close.h"
#include "codeview/code_view.h"
#include "colouring/attributes.h"
#include "evolution/evolution_file.h"
#include "support/main_window_fixture.h"
#include "ui/legend_stack.h"
#include "ui/marked_slider.h"
#include "ui/widgets.h"
#include "view/evolution_view.h"

namespace {

// Whether everything that exists only for an open evolution is active and
// shown, and the title and status say so.
void expectLoadedLook(bool loaded)
{
    EXPECT_EQ(windowTitle(), loaded ? "Quillon : wordfreq.c" : "Quillon");
    EXPECT_EQ(statusText(), "Status bar");
    for (Fl_Widget* widget : std::vector<Fl_Widget*>{evolutionView, codeView, displayTab, enginesTab, blocksTab, statusDisplay})
        EXPECT_EQ(widget->active() != 0, loaded) << widget->label();
    for (Fl_Widget* widget :
         std::vector<Fl_Widget*>{lineLegendStack, revisionLegendStack, rangePack, lineScrollSlider, revisionScrollSlider})
        EXPECT_EQ(widget->visible() != 0, loaded);
    EXPECT_EQ(viewState->loaded, loaded);
    EXPECT_EQ(currentEvolution != nullptr, loaded);
}

TEST_F(MainWindowTest, OpeningAndClosingGiveTheirLooks)
{
    expectLoadedLook(false);
    openEvolution(examplePath());
    ASSERT_TRUE(viewState->loaded);
    expectLoadedLook(true);
    const EvolutionFile& e = *currentEvolution;
    const int n = e.columnCount;
    // The range sliders span every revision, one mark each.
    for (MarkedSlider* slider : {rangeStartSlider, rangeEndSlider}) {
        EXPECT_EQ(std::make_pair(slider->minimum(), slider->maximum()), std::make_pair(1.0, double(n)));
        EXPECT_EQ(slider->markCount, n);
    }
    EXPECT_EQ(std::make_pair(rangeStartSlider->value(), rangeEndSlider->value()), std::make_pair(1.0, double(n)));
    EXPECT_EQ(lineScrollSlider->maximum(), e.maxRevisionLength);
    EXPECT_EQ(revisionScrollSlider->maximum(), n);
    EXPECT_EQ(blocksAboveSlider->maximum(), e.maxBlockLevel);
    EXPECT_EQ(viewState->blocksAbove, e.maxBlockLevel);
    // The Normal layout, fitted to the canvas, unscrolled.
    EXPECT_EQ(evolutionView->layoutMode, 0);
    EXPECT_FLOAT_EQ(viewState->versionSize, static_cast<float>(viewState->viewWidth) / n);
    EXPECT_FLOAT_EQ(viewState->lineSize, static_cast<float>(viewState->viewHeight) / e.maxRevisionLength);
    EXPECT_EQ(std::make_pair(viewState->scrollX, viewState->scrollY), std::make_pair(0.0f, 0.0f));
    EXPECT_EQ(lineStatistic->count(), e.maxRevisionLength);
    EXPECT_EQ(revisionLineCount->count(), n);
    // The settings items can be chosen and change nothing.
    for (const char* path : {"Settings/Load ...", "Settings/Reset", "Settings/Save"}) {
        const Fl_Menu_Item* item = menuBar->find_item(path);
        ASSERT_NE(item, nullptr) << path;
        menuBar->picked(item);
    }
    expectLoadedLook(true);
    // The arrows of a legend stack cycle through its legends, one shown.
    for (LegendStack* stack : {lineLegendStack, revisionLegendStack}) {
        const int legends = stack->children() - LegendStack::firstLegendChild;
        for (int step = 1; step <= 2 * legends; ++step) {
            stack->child(step <= legends ? 1 : 0)->do_callback();
            const int shown = step <= legends ? step % legends : (3 * legends - step) % legends;
            for (int k = 0; k < legends; ++k)
                EXPECT_EQ(stack->child(LegendStack::firstLegendChild + k)->visible() != 0, k == shown) << step;
        }
    }
    closeEvolution();
    expectLoadedLook(false);
    EXPECT_EQ(rangeEndSlider->value(), rangeEndSlider->maximum());
}

TEST_F(MainWindowTest, ClosingLeavesEveryControlShowingItsParameter)
{
    // Each control beside the parameter it shows.
    const std::vector<std::pair<std::function<double()>, std::function<double()>>> shown = {
        {[] { return scrollSpeedSlider->value(); }, [] { return double(scrollSpeed); }},
        {[] { return revisionBlendingSlider->value(); }, [] { return double(revisionBlending); }},
        {[] { return blockBlendingSlider->value(); }, [] { return double(blockBlending); }},
        {[] { return blendingRatioSlider->value(); }, [] { return double(viewState->blendingRatio); }},
        {[] { return geometryCushionsCheck->value(); }, [] { return double(viewState->cushionStrength != 0); }},
        {[] { return fontHeightSlider->value(); }, [] { return double(viewState->fontHeight); }},
        {[] { return attributeChoice->value(); }, [] { return double(viewState->attributeIndex); }},
        {[] { return viewModeChoice->value(); }, [] { return double(evolutionView->layoutMode); }},
        {[] { return versionSizeSlider->value(); }, [] { return double(viewState->versionSize); }},
        {[] { return lineSizeSlider->value(); }, [] { return double(viewState->lineSize); }},
        {[] { return blocksAboveSlider->value(); }, [] { return double(viewState->blocksAbove); }},
        {[] { return blockSortingChoice->value(); }, [] { return double(blockSortIndex); }},
    };
    std::vector<double> first;
    for (const auto& [control, parameter] : shown)
        first.push_back(parameter());
    openEvolution(examplePath());
    ASSERT_TRUE(viewState->loaded);
    // What the user may have chosen meanwhile, control and parameter alike.
    scrollSpeed = 9, scrollSpeedSlider->value(9);
    revisionBlending = 0.9f, revisionBlendingSlider->value(0.9);
    blockBlending = 0.1f, blockBlendingSlider->value(0.1);
    viewState->blendingRatio = 0.7f, blendingRatioSlider->value(0.7);
    viewState->cushionStrength = 2, geometryCushionsCheck->value(1);
    viewState->fontHeight = 20, fontHeightSlider->value(20);
    viewState->attributeIndex = 3, attributeChoice->value(3);
    blockSortIndex = 1, blockSortingChoice->value(1);
    evolutionView->layoutMode = 1, viewModeChoice->value(1);
    closeEvolution();
    for (size_t i = 0; i < shown.size(); ++i) {
        EXPECT_NEAR(shown[i].first(), shown[i].second(), 1e-6) << "control " << i;
        // Everything but the zoom and the block sorting, which is the
        // user's to keep, is back where start-up put it.
        if (i < 8)
            EXPECT_NEAR(shown[i].second(), first[i], 1e-6) << "control " << i;
    }
    EXPECT_EQ(blockSortIndex, 1);
}

}  // namespace
