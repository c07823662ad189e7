// The controls' callbacks fired on the real window's widgets with the bundled
// example open: each changes its parameter, and what depends on it follows.

#include <gtest/gtest.h>

#include <FL/Fl_Button.H>
#include <FL/Fl_Check_Button.H>
#include <FL/Fl_Choice.H>
#include <FL/Fl_Group.H>
#include <FL/Fl_Slider.H>
#include <FL/Fl_Value_Slider.H>

#include <string>
#include <vector>

#include "app/globals.h"
#include "app/open_close.h"
#include "codeview/code_view.h"
#include "colouring/attributes.h"
#include "colouring/colour_maps.h"
#include "colouring/colour_textures.h"
#include "evolution/evolution_file.h"
#include "support/main_window_fixture.h"
#include "ui/marked_slider.h"
#include "ui/widgets.h"
#include "view/evolution_view.h"

namespace {

class ControlCallbacksTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        openEvolution(examplePath());
        ASSERT_TRUE(viewState->loaded);
        ASSERT_EQ(currentEvolution->columnCount, 20);
        settleWindow();
    }

    EvolutionFile& evolution() { return *currentEvolution; }

    // Moves a valuator or a choice as the user would: the value, then the
    // widget's own callback.
    template <class Widget, class Value>
    static void choose(Widget* widget, Value value)
    {
        widget->value(value);
        widget->do_callback();
    }

    // Both ends of the revision range, counted from 1 as on the sliders.
    void expectRange(int start, int end)
    {
        EXPECT_EQ(rangeStartSlider->value(), start);
        EXPECT_EQ(rangeEndSlider->value(), end);
        EXPECT_EQ(evolution().firstRevision, start - 1);
        EXPECT_EQ(evolution().lastRevision, end - 1);
    }

    // The lines the range filter keeps: not deleted at its start, already
    // added at its end.
    int linesInRange(int first, int last)
    {
        int count = 0;
        for (int line = 0; line < evolution().lineCount; ++line)
            if (evolution().lineStatusAt(line, first) != 5 && evolution().lineStatusAt(line, last) != 4)
                ++count;
        return count;
    }

    // The rows are shown whole and unscrolled, as after a fit.
    void expectFitted(int rows)
    {
        EXPECT_FLOAT_EQ(viewState->lineSize, 470.0f / static_cast<float>(rows));
        EXPECT_FLOAT_EQ(static_cast<float>(lineSizeSlider->value()), viewState->lineSize);
        EXPECT_EQ(lineScrollSlider->maximum(), rows);
        EXPECT_EQ(viewState->scrollY, 0.0f);
        EXPECT_TRUE(rangeStartSlider->visible());
        EXPECT_TRUE(rangeEndSlider->visible());
    }
};

}  // namespace

TEST_F(ControlCallbacksTest, InterpolatedFocusesTheMiddleRevisionShowsEveryLineOfTheRangeAndKeepsTheFocusInIt)
{
    // A zoom hides the range sliders; the change of layout fits and shows
    // them again.
    choose(versionSizeSlider, 30);
    ASSERT_FALSE(rangeStartSlider->visible());

    choose(viewModeChoice, modeInterpolated);
    EXPECT_EQ(evolutionView->layoutMode, modeInterpolated);
    EXPECT_EQ(evolution().focusRevision, 10);
    const int rows = linesInRange(0, 19);
    EXPECT_EQ(evolution().rowCount, rows);
    EXPECT_GT(rows, evolution().maxRevisionLength);
    EXPECT_EQ(lineStatistic->kind, 1);
    EXPECT_EQ(lineStatistic->count(), rows);
    expectFitted(rows);

    // Back to Normal: the middle focus the Interpolated layout chose goes.
    choose(viewModeChoice, modeNormal);
    EXPECT_EQ(evolution().focusRevision, -1);
    EXPECT_EQ(lineStatistic->kind, 2);
    expectFitted(evolution().maxRevisionLength);

    // A narrower range keeps the focus inside; a range of one revision
    // focuses that revision.
    choose(viewModeChoice, modeInterpolated);
    ASSERT_EQ(evolution().focusRevision, 10);
    choose(rangeEndSlider, 8);
    EXPECT_EQ(evolution().focusRevision, 7);
    choose(rangeStartSlider, 6);
    EXPECT_EQ(evolution().focusRevision, 7);
    choose(rangeStartSlider, 8);
    expectRange(8, 8);
    EXPECT_EQ(evolution().focusRevision, 7);
    EXPECT_EQ(evolution().rowCount, linesInRange(7, 7));
}

TEST_F(ControlCallbacksTest, HorizontalKeepsAFocusTheUserChose)
{
    evolution().setFocusRevision(modeNormal, 4);
    ASSERT_EQ(evolution().focusRevision, 4);
    choose(viewModeChoice, modeHorizontal);
    EXPECT_EQ(evolution().focusRevision, 4);
    // Focused on revision 4, the rows are the lines present there.
    EXPECT_EQ(evolution().rowCount, linesInRange(4, 4));
    expectFitted(linesInRange(4, 4));
}

TEST_F(ControlCallbacksTest, RangeSlidersArePulledBackOntoEachOther)
{
    choose(rangeEndSlider, 12);
    expectRange(1, 12);
    EXPECT_EQ(evolution().rowCount, linesInRange(0, 11));

    // The start dragged past the end stops at the end.
    choose(rangeStartSlider, 16);
    expectRange(12, 12);

    // The end dragged before the start stops at the start.
    choose(rangeStartSlider, 5);
    choose(rangeEndSlider, 3);
    expectRange(5, 5);
    EXPECT_EQ(evolution().rowCount, linesInRange(4, 4));
    expectFitted(evolution().maxRevisionLength);
}

TEST_F(ControlCallbacksTest, BlockSortingRebuildsTheBlocksAndBoundsTheThreshold)
{
    const int lineLevel = evolution().maxBlockLevel;
    ASSERT_EQ(blocksAboveSlider->maximum(), lineLevel);

    choose(blockSortingChoice, 1);
    EXPECT_EQ(blockSortIndex, 1);
    // Sorted by revisions, a block's level is its width in revisions less
    // one, so no level reaches the revision count.
    const int revisionLevel = evolution().maxBlockLevel;
    EXPECT_LE(revisionLevel, 19);
    EXPECT_NE(revisionLevel, lineLevel);
    for (const EvolutionBlock& block : evolution().blocks)
        EXPECT_EQ(block.level, block.lastRevision - block.firstRevision);
    EXPECT_EQ(blocksAboveSlider->maximum(), revisionLevel);
    EXPECT_LE(blocksAboveSlider->value(), revisionLevel);

    choose(blocksAboveSlider, 2);
    EXPECT_EQ(viewState->blocksAbove, 2);
    choose(blockSortingChoice, 0);
    EXPECT_EQ(evolution().maxBlockLevel, lineLevel);
    EXPECT_EQ(blocksAboveSlider->maximum(), lineLevel);
    EXPECT_EQ(blocksAboveSlider->value(), 2.0);
}

TEST_F(ControlCallbacksTest, BlendingSlidersRebakeTheCushionsAtTheNextDraw)
{
    ASSERT_FALSE(colourTextureRebuildScheduled());
    const auto before = colourTextureNames;

    struct Blending {
        Fl_Valuator* slider;
        float value;
        float* parameter;
    };
    for (const Blending& b : {Blending{revisionBlendingSlider, 0.9f, &revisionBlending},
                              Blending{blockBlendingSlider, 0.5f, &blockBlending},
                              Blending{blendingRatioSlider, 0.4f, &viewState->blendingRatio}}) {
        choose(b.slider, b.value);
        EXPECT_FLOAT_EQ(*b.parameter, b.value);
        EXPECT_TRUE(colourTextureRebuildScheduled());
        EXPECT_NE(evolutionView->damage(), 0);
        settleWindow();
        EXPECT_FALSE(colourTextureRebuildScheduled());
        EXPECT_NE(colourTextureNames, before);
    }
    blendingRatioSlider->value(0.2);
}

TEST_F(ControlCallbacksTest, FontDifferenceStaysBelowTheHeight)
{
    choose(fontDifferenceSlider, 12);
    EXPECT_EQ(viewState->fontDifference, 12);

    choose(fontHeightSlider, 10);
    EXPECT_EQ(viewState->fontHeight, 10);
    EXPECT_EQ(viewState->fontDifference, 9);
    EXPECT_EQ(fontDifferenceSlider->value(), 9.0);
    EXPECT_EQ(fontDifferenceSlider->minimum(), 1.0);
    EXPECT_EQ(fontDifferenceSlider->maximum(), 9.0);
    EXPECT_NE(codeView->damage(), 0);

    choose(fontWidthSlider, 6);
    EXPECT_EQ(viewState->fontWidth, 6);
    EXPECT_EQ(viewState->fontDifference, 9);
    // The fonts are built when the code view next draws, at the new size.
    settleWindow();
    EXPECT_EQ(viewState->fontHeight, 10);

    // Raising the height again widens the difference's range without
    // raising the difference. (The window's reset leaves that range alone,
    // so this also puts it back for the tests that follow.)
    fontDifferenceSlider->value(2);
    fontWidthSlider->value(8);
    choose(fontHeightSlider, 15);
    EXPECT_EQ(fontDifferenceSlider->maximum(), 14.0);
    EXPECT_EQ(viewState->fontDifference, 2);
}

TEST_F(ControlCallbacksTest, FitToLineGivesEveryRowAPixelAndFitToWindowBringsBackTheRangeSliders)
{
    const int rows = evolution().maxRevisionLength;
    ASSERT_LT(rows, 470);
    choose(lineSizeSlider, 30);
    ASSERT_GT(viewState->lineSize, 470.0f / static_cast<float>(rows));

    fitToLineButton->do_callback();
    // Fewer rows and columns than pixels: stretched to fill the view.
    EXPECT_FLOAT_EQ(viewState->lineSize, 470.0f / static_cast<float>(rows));
    EXPECT_FLOAT_EQ(viewState->versionSize, 20.0f);
    EXPECT_EQ(viewState->scrollX, 0.0f);
    EXPECT_EQ(viewState->scrollY, 0.0f);
    EXPECT_EQ(lineScrollSlider->value(), 0.0);
    EXPECT_FLOAT_EQ(static_cast<float>(lineSizeSlider->value()), viewState->lineSize);

    // A zoom hides the range sliders; fitting to the window brings them back.
    choose(versionSizeSlider, 35);
    EXPECT_FLOAT_EQ(viewState->versionSize, 35.0f);
    EXPECT_FALSE(rangeStartSlider->visible() || rangeEndSlider->visible());
    fitToWindowButton->do_callback();
    EXPECT_FLOAT_EQ(viewState->versionSize, 20.0f);
    EXPECT_EQ(viewState->scrollX, 0.0f);
    EXPECT_TRUE(rangeStartSlider->visible() && rangeEndSlider->visible());
}

TEST_F(ControlCallbacksTest, SwitchesReachTheirParameters)
{
    choose(versionDrawingChoice, 1);
    EXPECT_EQ(viewState->versionDrawing, 1);
    choose(attributeChoice, 3);
    EXPECT_EQ(viewState->attributeIndex, 3);
    choose(scrollSpeedSlider, 7);
    EXPECT_EQ(scrollSpeed, 7);

    struct Switch {
        Fl_Button* check;
        int* parameter;
        int whenOn;
    };
    const Switch switches[] = {
        {displayBlocksCheck, &viewState->displayBlocks, 1},
        {balanceImageCheck, &viewState->balanceImage, 1},
        {redistributeCheck, &viewState->redistributeSpace, 1},
        {antiAliasingCheck, &viewState->antiAliasing, 1},
        {focusPositionCheck, &viewState->focusPosition, 1},
        {syntaxHighlightingCheck, &viewState->syntaxHighlighting, 1},
        {geometryCushionsCheck, &viewState->cushionStrength, 2},
    };
    for (const Switch& s : switches) {
        SCOPED_TRACE(s.check->label());
        s.check->value(!s.check->value());
        s.check->do_callback();
        EXPECT_EQ(*s.parameter, s.check->value() ? s.whenOn : 0);
        s.check->value(!s.check->value());
        s.check->do_callback();
        EXPECT_EQ(*s.parameter, s.check->value() ? s.whenOn : 0);
    }
    geometryCushionsCheck->value(0);

    choose(curvatureSlider, 4.5);
    EXPECT_FLOAT_EQ(viewState->curvature, 4.5f);
    choose(steepnessSlider, 0.05);
    EXPECT_FLOAT_EQ(viewState->steepness, 0.05f);
    choose(mixerSlider, 6);
    EXPECT_FLOAT_EQ(viewState->mixer, 6.0f);
}

TEST_F(ControlCallbacksTest, RedistributingRecomputesTheInterpolatedHeights)
{
    choose(viewModeChoice, modeInterpolated);
    settleWindow();
    const int rows = evolution().rowCount;
    const int focus = evolution().focusRevision;
    ASSERT_GT(focus, 0);
    // Redistributed, every column before the focus holds its rows' whole
    // height; packed at the top instead, the shrunk rows leave some free.
    auto columnHeight = [&](int column) {
        float sum = 0;
        for (int row = 0; row < rows; ++row)
            sum += viewState->rowHeights[row][column];
        return sum;
    };
    const int column = focus - 1;
    ASSERT_GT(viewState->rowHeights[rows][column], 0.0f) << "no row shrinks next to the focus";
    EXPECT_NEAR(columnHeight(column), static_cast<float>(rows), 0.01f * rows);

    redistributeCheck->value(0);
    redistributeCheck->do_callback();
    EXPECT_LT(columnHeight(column), static_cast<float>(rows) - 0.5f);
    EXPECT_NE(evolutionView->damage(), 0);
    redistributeCheck->value(1);
}

TEST_F(ControlCallbacksTest, ReshufflingRotatesTheAuthorColours)
{
    const auto original = identifierColours;
    reshuffleButton->do_callback();
    EXPECT_EQ(identifierColours[0], original[1]);
    EXPECT_EQ(identifierColours[8], original[0]);
    EXPECT_NE(evolutionView->damage(), 0);
    EXPECT_NE(codeView->damage(), 0);
    identifierColours = original;
}

TEST_F(ControlCallbacksTest, EveryControlExplainsItself)
{
    for (Fl_Group* tab : {displayTab, blocksTab, enginesTab})
        for (int i = 0; i < tab->children(); ++i) {
            const Fl_Widget* control = tab->child(i);
            SCOPED_TRACE(control->label());
            ASSERT_NE(control->tooltip(), nullptr);
            EXPECT_NE(std::string(control->tooltip()), "");
        }
    for (const Fl_Widget* slider : std::vector<Fl_Widget*>{rangeStartSlider, rangeEndSlider, lineScrollSlider, revisionScrollSlider})
        EXPECT_NE(slider->tooltip(), nullptr);
    EXPECT_STREQ(scrollSpeedSlider->tooltip(), "Rows scrolled per wheel step");
    EXPECT_STRNE(rangeStartSlider->tooltip(), rangeEndSlider->tooltip());
}
