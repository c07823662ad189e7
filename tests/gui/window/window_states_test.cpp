#include <gtest/gtest.h>

#include <FL/Fl_Box.H>
#include <FL/Fl_Check_Button.H>
#include <FL/Fl_Choice.H>
#include <FL/Fl_Menu_Bar.H>
#include <FL/Fl_Pack.H>
#include <FL/Fl_Slider.H>
#include <FL/Fl_Tabs.H>
#include <FL/Fl_Tile.H>
#include <FL/Fl_Text_Display.H>
#include <FL/Fl_Value_Slider.H>
#include <FL/Fl_Window.H>

#include <string>
#include <vector>

#include "app/globals.h"
#include "app/open_close.h"
#include "codeview/code_view.h"
#include "colouring/attributes.h"
#include "evolution/evolution_file.h"
#include "support/main_window_fixture.h"
#include "ui/colour_legend.h"
#include "ui/legend_stack.h"
#include "ui/marked_slider.h"
#include "ui/widgets.h"
#include "ui/window_states.h"
#include "view/evolution_view.h"
#include "view/pointer_globals.h"

namespace {

// The widgets that exist only for an open evolution.
std::vector<Fl_Widget*> activatedWidgets()
{
    return {evolutionView, codeView, displayTab, enginesTab, blocksTab, statusDisplay};
}

std::vector<Fl_Widget*> shownWidgets()
{
    return {lineLegendStack, revisionLegendStack, rangePack, lineScrollSlider, revisionScrollSlider};
}

void expectNothingLoadedLook()
{
    EXPECT_EQ(windowTitle(), "Quillon");
    EXPECT_EQ(statusText(), "Status bar");
    for (Fl_Widget* widget : activatedWidgets())
        EXPECT_FALSE(widget->active()) << widget->label();
    for (Fl_Widget* widget : shownWidgets())
        EXPECT_FALSE(widget->visible());
    EXPECT_FALSE(viewState->loaded);
    EXPECT_EQ(currentEvolution, nullptr);
    EXPECT_EQ(currentGrammar, nullptr);
}

// The y of every child of a tab, in the order they were made.
std::vector<int> childTops(const Fl_Group* tab)
{
    std::vector<int> tops;
    for (int i = 0; i < tab->children(); ++i)
        tops.push_back(tab->child(i)->y());
    return tops;
}

std::vector<std::string> childLabels(const Fl_Group* tab)
{
    std::vector<std::string> labels;
    for (int i = 0; i < tab->children(); ++i)
        labels.emplace_back(tab->child(i)->label());
    return labels;
}

}  // namespace

TEST_F(MainWindowTest, StartsWithTheLookOfNothingLoaded)
{
    expectNothingLoadedLook();
    EXPECT_EQ(savedWindowX, 50);
    EXPECT_EQ(savedWindowY, 30);
    EXPECT_EQ(viewState->viewWidth, 400);
    EXPECT_EQ(viewState->viewHeight, 470);
    EXPECT_EQ(viewState->codeViewWidth, 650);
    EXPECT_EQ(viewState->codeViewHeight, 145);
    EXPECT_EQ(attributeRegistry.size(), 3u);
}

TEST_F(MainWindowTest, LaysOutTheCanvasAndItsCompanionsFromTheCanvasSize)
{
    struct Placement {
        Fl_Widget* widget;
        int x, y, w, h;
    };
    const Placement placements[] = {
        {upperGroup, 0, 0, 650, 550},          {lowerGroup, 0, 550, 650, 176},
        {menuBar, 0, 0, 650, 30},              {rangePack, 230, 30, 400, 20},
        {rangeStartSlider, 230, 30, 400, 10},  {rangeEndSlider, 230, 40, 400, 10},
        {controlTabs, 0, 30, 200, 520},        {displayTab, 5, 60, 190, 485},
        {lineScrollSlider, 200, 50, 10, 470},  {lineLegendStack, 210, 50, 20, 490},
        {lineLegend, 210, 50, 20, 470},        {evolutionView, 230, 50, 400, 470},
        {revisionLegendStack, 230, 520, 420, 20}, {authorLegend, 230, 520, 400, 20},
        {revisionScrollSlider, 230, 540, 400, 10}, {splitterBox, 0, 550, 650, 6},
        {codeView, 0, 556, 650, 145},          {statusDisplay, 0, 701, 650, 25},
    };
    for (const Placement& p : placements) {
        SCOPED_TRACE(testing::Message() << "widget at " << p.x << ", " << p.y);
        EXPECT_EQ(p.widget->x(), p.x);
        EXPECT_EQ(p.widget->y(), p.y);
        EXPECT_EQ(p.widget->w(), p.w);
        EXPECT_EQ(p.widget->h(), p.h);
    }
    EXPECT_EQ(upperGroup->resizable(), evolutionView);
    EXPECT_EQ(lowerGroup->resizable(), codeView);
    EXPECT_EQ(mainWindow->resizable(), mainTile);
    EXPECT_STREQ(evolutionView->label(), "Stratoview");
    EXPECT_EQ(evolutionView->mode(), 74);
    EXPECT_EQ(codeView->mode(), 74);
}

TEST_F(MainWindowTest, StacksTheControlsOfEachTabInOneColumn)
{
    EXPECT_EQ(childLabels(controlTabs), (std::vector<std::string>{"Display", "Engines", "Blocks"}));
    EXPECT_EQ(childLabels(displayTab),
              (std::vector<std::string>{"Version drawing", "Fit to window", "Fit to line", "Reshuffle ID colors",
                                        "Version size", "Line size", "Vertical scroll speed", "Revision blending",
                                        "Block blending", "Blending ratio", "Font height", "Font width",
                                        "Font difference"}));
    EXPECT_EQ(childTops(displayTab),
              (std::vector<int>{95, 130, 155, 180, 235, 265, 295, 345, 375, 405, 455, 485, 515}));
    EXPECT_EQ(childLabels(blocksTab),
              (std::vector<std::string>{"Block sorting", "Display blocks", "Show blocks above"}));
    EXPECT_EQ(childTops(blocksTab), (std::vector<int>{95, 130, 175}));
    EXPECT_EQ(childLabels(enginesTab),
              (std::vector<std::string>{"View mode", "Attributes", "Balance Image", "Redistribute space",
                                        "Anti aliasing", "Focus position", "Syntax highlighting",
                                        "Geometry cushions", "Curvature", "Steepness", "Mixer"}));
    EXPECT_EQ(childTops(enginesTab), (std::vector<int>{95, 140, 205, 230, 255, 280, 305, 330, 385, 415, 445}));

    EXPECT_EQ(viewModeChoice->size(), 4);  // three items and the end marker
    EXPECT_STREQ(attributeChoice->text(3), "Line position");
    EXPECT_EQ(steepnessSlider->minimum(), 0.02);
    EXPECT_EQ(steepnessSlider->maximum(), 0.2);
    EXPECT_EQ(fontDifferenceSlider->step(), 1.0);
    EXPECT_EQ(versionSizeSlider->maximum(), 40.0);
    EXPECT_EQ(fitToWindowButton->labelsize(), 12);
    EXPECT_NE(fitToLineButton->labelsize(), 12);
}

TEST_F(MainWindowTest, ShowsOnlyTheFirstLegendOfEachStack)
{
    EXPECT_TRUE(lineLegend->visible());
    EXPECT_FALSE(lineBarLegend->visible());
    EXPECT_TRUE(revisionLegend->visible());
    EXPECT_FALSE(revisionBarLegend->visible());
    EXPECT_FALSE(authorLegend->visible());
    EXPECT_EQ(lineLegendStack->legends.size(), 2u);
    EXPECT_EQ(revisionLegendStack->legends.size(), 3u);
    EXPECT_EQ(authorLegend->colouringMode, identifierCells);
    EXPECT_EQ(lineBarLegend->attribute, lineStatistic);
    EXPECT_EQ(revisionLegend->attribute, revisionLineCount);
}

TEST_F(MainWindowTest, MenuHasTheFileItemsWithTheirShortcuts)
{
    const Fl_Menu_Item* open = menuBar->find_item("File/&Open ...");
    const Fl_Menu_Item* close = menuBar->find_item("File/Close");
    const Fl_Menu_Item* exit = menuBar->find_item("File/E&xit");
    ASSERT_NE(open, nullptr);
    ASSERT_NE(close, nullptr);
    ASSERT_NE(exit, nullptr);
    EXPECT_EQ(open->shortcut(), FL_CTRL + 'o');
    EXPECT_EQ(close->shortcut(), FL_CTRL + 'n');
    EXPECT_EQ(exit->shortcut(), FL_CTRL + 'q');
}

TEST_F(MainWindowTest, SettingsItemsCanBeChosenAndChangeNothing)
{
    openEvolution(examplePath());
    const std::string title = windowTitle();
    const float lineSize = viewState->lineSize;
    for (const char* path : {"Settings/Load ...", "Settings/Reset", "Settings/Save"}) {
        const Fl_Menu_Item* item = menuBar->find_item(path);
        ASSERT_NE(item, nullptr) << path;
        menuBar->picked(item);
    }
    EXPECT_TRUE(viewState->loaded);
    EXPECT_EQ(windowTitle(), title);
    EXPECT_EQ(viewState->lineSize, lineSize);
    EXPECT_TRUE(evolutionView->active());
}

TEST_F(MainWindowTest, OpeningGivesTheLoadedLook)
{
    openEvolution(examplePath());
    ASSERT_TRUE(viewState->loaded);
    const EvolutionFile& evolution = *currentEvolution;
    ASSERT_EQ(evolution.columnCount, 20);

    EXPECT_EQ(windowTitle(), "Quillon : wordfreq.c");
    EXPECT_EQ(statusText(), "Status bar");
    for (Fl_Widget* widget : activatedWidgets())
        EXPECT_TRUE(widget->active());
    for (Fl_Widget* widget : shownWidgets())
        EXPECT_TRUE(widget->visible());

    // The range sliders span every revision, one mark each.
    EXPECT_EQ(rangeStartSlider->minimum(), 1.0);
    EXPECT_EQ(rangeStartSlider->maximum(), 20.0);
    EXPECT_EQ(rangeStartSlider->markCount, 20);
    EXPECT_FLOAT_EQ(rangeStartSlider->slider_size(), 1.0f / 20.0f);
    EXPECT_EQ(rangeStartSlider->value(), 1.0);
    EXPECT_EQ(rangeEndSlider->maximum(), 20.0);
    EXPECT_EQ(rangeEndSlider->markCount, 20);
    EXPECT_EQ(rangeEndSlider->value(), 20.0);
    EXPECT_TRUE(rangeStartSlider->visible());
    EXPECT_TRUE(rangeEndSlider->visible());

    EXPECT_EQ(lineScrollSlider->maximum(), evolution.maxRevisionLength);
    EXPECT_EQ(revisionScrollSlider->maximum(), 20.0);
    EXPECT_EQ(blocksAboveSlider->maximum(), evolution.maxBlockLevel);
    EXPECT_EQ(blocksAboveSlider->value(), evolution.maxBlockLevel);
    EXPECT_EQ(viewState->blocksAbove, evolution.maxBlockLevel);

    // Normal layout, fitted to the canvas, unscrolled.
    EXPECT_EQ(evolutionView->layoutMode, 0);
    EXPECT_FLOAT_EQ(viewState->versionSize, 400.0f / 20.0f);
    EXPECT_FLOAT_EQ(viewState->lineSize, 470.0f / static_cast<float>(evolution.maxRevisionLength));
    EXPECT_FLOAT_EQ(static_cast<float>(versionSizeSlider->value()), viewState->versionSize);
    EXPECT_FLOAT_EQ(static_cast<float>(lineSizeSlider->value()), viewState->lineSize);
    EXPECT_EQ(viewState->scrollX, 0.0f);
    EXPECT_EQ(viewState->scrollY, 0.0f);
    EXPECT_EQ(lineStatistic->count(), evolution.maxRevisionLength);
    EXPECT_EQ(revisionLineCount->count(), 20);
}

TEST_F(MainWindowTest, ClosingReturnsToTheLookOfNothingLoaded)
{
    openEvolution(examplePath());
    ASSERT_TRUE(viewState->loaded);
    closeEvolution();
    expectNothingLoadedLook();
    EXPECT_EQ(rangeStartSlider->maximum(), 2.0);
    EXPECT_EQ(rangeStartSlider->markCount, 2);
    EXPECT_EQ(rangeEndSlider->value(), 2.0);
    EXPECT_EQ(lineScrollSlider->maximum(), 1.0);
    EXPECT_EQ(revisionScrollSlider->maximum(), 1.0);
    EXPECT_EQ(blocksAboveSlider->maximum(), 1.0);
    EXPECT_EQ(savedAttributeIndex, 1);
}

TEST_F(MainWindowTest, ResetLeavesEveryControlShowingItsParameter)
{
    openEvolution(examplePath());
    ASSERT_TRUE(viewState->loaded);
    // What the user may have chosen meanwhile, control and parameter alike.
    scrollSpeed = 9;
    scrollSpeedSlider->value(9);
    revisionBlending = 0.9f;
    revisionBlendingSlider->value(0.9);
    blockBlending = 0.1f;
    blockBlendingSlider->value(0.1);
    viewState->blendingRatio = 0.7f;
    blendingRatioSlider->value(0.7);
    viewState->cushionStrength = 2;
    geometryCushionsCheck->value(1);
    viewState->fontHeight = 20;
    fontHeightSlider->value(20);
    viewState->attributeIndex = 3;
    attributeChoice->value(3);
    blockSortIndex = 1;
    blockSortingChoice->value(1);
    evolutionView->layoutMode = 1;
    viewModeChoice->value(1);
    savedAttributeIndex = 3;

    closeEvolution();

    EXPECT_EQ(scrollSpeed, 3);
    EXPECT_EQ(scrollSpeedSlider->value(), 3.0);
    EXPECT_FLOAT_EQ(revisionBlending, 0.6f);
    EXPECT_FLOAT_EQ(static_cast<float>(revisionBlendingSlider->value()), 0.6f);
    EXPECT_FLOAT_EQ(blockBlending, 0.3f);
    EXPECT_FLOAT_EQ(static_cast<float>(blockBlendingSlider->value()), 0.3f);
    EXPECT_FLOAT_EQ(viewState->blendingRatio, 0.2f);
    EXPECT_FLOAT_EQ(static_cast<float>(blendingRatioSlider->value()), 0.2f);
    EXPECT_EQ(viewState->cushionStrength, 0);
    EXPECT_EQ(geometryCushionsCheck->value(), 0);
    EXPECT_EQ(fontHeightSlider->value(), 15.0);
    EXPECT_EQ(attributeChoice->value(), 1);
    EXPECT_EQ(evolutionView->layoutMode, 0);
    EXPECT_EQ(viewModeChoice->value(), 0);
    EXPECT_EQ(savedAttributeIndex, 1);
    // The zoom sliders show the view state's zoom, not the last fit's.
    EXPECT_FLOAT_EQ(static_cast<float>(versionSizeSlider->value()), viewState->versionSize);
    EXPECT_FLOAT_EQ(static_cast<float>(lineSizeSlider->value()), viewState->lineSize);
    // The threshold follows its slider's range while nothing is loaded.
    EXPECT_EQ(blocksAboveSlider->value(), 1.0);
    EXPECT_EQ(viewState->blocksAbove, 1);
    // The block sorting is the user's to keep, and its choice says so.
    EXPECT_EQ(blockSortIndex, 1);
    EXPECT_EQ(blockSortingChoice->value(), 1);
}
