// The controls' callbacks fired on the real window's widgets with the bundled example open.

#include "support/main_window_fixture.h"

#include "colouring/colour_maps.h"
#include "colouring/colour_textures.h"

namespace {

class ControlCallbacksTest : public ExampleOpenTest {
protected:
    EvolutionFile& evolution() { return *currentEvolution; }

    // The lines the range filter keeps: not deleted at its start, already added at its end.
    int linesInRange(int first, int last)
    {
        int count = 0;
        for (int line = 0; line < evolution().lineCount; ++line)
            count += evolution().lineStatusAt(line, first) != 5 && evolution().lineStatusAt(line, last) != 4;
        return count;
    }

    // The rows and the 20 columns shown whole and unscrolled, as after a fit; stretched, being fewer than pixels.
    void expectFitted(int rows)
    {
        EXPECT_FLOAT_EQ(viewState->lineSize, 470.0f / static_cast<float>(rows));
        EXPECT_FLOAT_EQ(static_cast<float>(lineSizeSlider->value()), viewState->lineSize);
        EXPECT_FLOAT_EQ(viewState->versionSize, 20.0f);
        EXPECT_EQ(std::make_tuple(lineScrollSlider->maximum(), lineScrollSlider->value(), viewState->scrollX,
                                  viewState->scrollY),
                  std::make_tuple(double(rows), 0.0, 0.0f, 0.0f));
        EXPECT_TRUE(rangeStartSlider->visible() && rangeEndSlider->visible());
    }
};

}  // namespace

// After each change of layout, range or fit: the range, the focus, the rows, the line statistic, the fit.
TEST_F(ControlCallbacksTest, ViewModesAndTheRangeSetTheFocusTheRowsAndTheFit)
{
    const int all = linesInRange(0, 19);
    ASSERT_GT(all, evolution().maxRevisionLength);
    const auto range = [](MarkedSlider* slider, int value) { return [=] { choose(slider, value); }; };
    // A column zoom hides the range sliders; fits and changes of layout or range show them again.
    const auto zoomed = [](Fl_Valuator* slider, double size, Fl_Button* fit) {
        return [=] {
            choose(slider, size);
            const bool columns = slider == versionSizeSlider;
            EXPECT_FLOAT_EQ(columns ? viewState->versionSize : viewState->lineSize, static_cast<float>(size));
            EXPECT_EQ(rangeStartSlider->visible() || rangeEndSlider->visible(), !columns);
            fit->do_callback();
        };
    };
    struct Step { const char* what; std::function<void()> act; int start, end, focus, rows; };
    const Step steps[] = {
        {"fit to line after a zoom", zoomed(lineSizeSlider, 30, fitToLineButton), 1, 20, -1, all},
        {"fit to window after a zoom", zoomed(versionSizeSlider, 35, fitToWindowButton), 1, 20, -1, all},
        {"end back", range(rangeEndSlider, 12), 1, 12, -1, linesInRange(0, 11)},
        {"start past the end stops there", range(rangeStartSlider, 16), 12, 12, -1, linesInRange(11, 11)},
        {"start back", range(rangeStartSlider, 5), 5, 12, -1, linesInRange(4, 11)},
        {"end before the start stops there", range(rangeEndSlider, 3), 5, 5, -1, linesInRange(4, 4)},
        {"Horizontal keeps a focus the user chose",
         [] {
             openEvolution(examplePath());
             currentEvolution->setFocusRevision(modeNormal, 4);
             choose(viewModeChoice, modeHorizontal);
         },
         1, 20, 4, linesInRange(4, 4)},
        {"Interpolated focuses the middle, and shows the range sliders a zoom hid",
         [] { openEvolution(examplePath()); choose(versionSizeSlider, 30); choose(viewModeChoice, modeInterpolated); },
         1, 20, 10, all},
        {"Normal drops the middle focus Interpolated chose", [] { choose(viewModeChoice, modeNormal); }, 1, 20, -1, all},
        {"Interpolated again", [] { choose(viewModeChoice, modeInterpolated); }, 1, 20, 10, all},
        {"a narrower range keeps the focus in it", range(rangeEndSlider, 8), 1, 8, 7, linesInRange(0, 7)},
        {"start up to the focus", range(rangeStartSlider, 6), 6, 8, 7, linesInRange(5, 7)},
        {"one revision is focused", range(rangeStartSlider, 8), 8, 8, 7, linesInRange(7, 7)},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.what);
        s.act();
        // The sliders count revisions from 1.
        EXPECT_EQ(std::make_tuple(rangeStartSlider->value(), rangeEndSlider->value(), evolution().firstRevision,
                                  evolution().lastRevision),
                  std::make_tuple(double(s.start), double(s.end), s.start - 1, s.end - 1));
        EXPECT_EQ(std::make_pair(evolution().focusRevision, evolution().rowCount), std::make_pair(s.focus, s.rows));
        // A Normal layout fits its longest stack and keeps uniform rows; the others fit every row.
        const bool normal = evolutionView->layoutMode == modeNormal;
        const int fitted = normal ? evolution().maxRevisionLength : s.rows;
        EXPECT_EQ(std::make_pair(lineStatistic->kind, lineStatistic->count()), std::make_pair(normal ? 2 : 1, fitted));
        expectFitted(fitted);
    }
}

TEST_F(ControlCallbacksTest, BlockSortingRebuildsTheBlocksAndBoundsTheThreshold)
{
    const int lineLevel = evolution().maxBlockLevel;
    ASSERT_EQ(blocksAboveSlider->maximum(), lineLevel);

    choose(blockSortingChoice, 1);
    EXPECT_EQ(blockSortIndex, 1);
    // Sorted by revisions, a block's level is its width in revisions less one.
    const int revisionLevel = evolution().maxBlockLevel;
    EXPECT_TRUE(revisionLevel <= 19 && revisionLevel != lineLevel) << revisionLevel;
    for (const EvolutionBlock& block : evolution().blocks)
        EXPECT_EQ(block.level, block.lastRevision - block.firstRevision);
    EXPECT_EQ(blocksAboveSlider->maximum(), revisionLevel);
    EXPECT_LE(blocksAboveSlider->value(), revisionLevel);

    choose(blocksAboveSlider, 2);
    EXPECT_EQ(viewState->blocksAbove, 2);
    choose(blockSortingChoice, 0);
    EXPECT_EQ(std::make_tuple(evolution().maxBlockLevel, blocksAboveSlider->maximum(), blocksAboveSlider->value()),
              std::make_tuple(lineLevel, double(lineLevel), 2.0));
}

// Each control reaches its parameter and what follows from it: the blending sliders rebake the cushions.
TEST_F(ControlCallbacksTest, EveryControlReachesItsParameterAndWhatFollows)
{
    struct Setting { Fl_Widget* control; double value; std::function<double()> parameter; bool rebakes = false; };
    const Setting settings[] = {
        {versionDrawingChoice, 1, [] { return viewState->versionDrawing; }},
        {attributeChoice, 3, [] { return viewState->attributeIndex; }},
        {scrollSpeedSlider, 7, [] { return scrollSpeed; }},
        {curvatureSlider, 4.5, [] { return viewState->curvature; }},
        {steepnessSlider, 0.05, [] { return viewState->steepness; }},
        {mixerSlider, 6, [] { return viewState->mixer; }},
        {revisionBlendingSlider, 0.9, [] { return revisionBlending; }, true},
        {blockBlendingSlider, 0.5, [] { return blockBlending; }, true},
        {blendingRatioSlider, 0.4, [] { return viewState->blendingRatio; }, true},
    };
    ASSERT_FALSE(colourTextureRebuildScheduled());
    const auto textures = colourTextureNames;
    for (const Setting& s : settings) {
        SCOPED_TRACE(s.control->label());
        if (auto* choice = dynamic_cast<Fl_Choice*>(s.control))
            choose(choice, static_cast<int>(s.value));
        else
            choose(static_cast<Fl_Valuator*>(s.control), s.value);
        EXPECT_FLOAT_EQ(static_cast<float>(s.parameter()), static_cast<float>(s.value));
        if (s.rebakes) {
            EXPECT_TRUE(colourTextureRebuildScheduled() && evolutionView->damage());
            settleWindow();
            EXPECT_FALSE(colourTextureRebuildScheduled());
            EXPECT_NE(colourTextureNames, textures);
        }
    }
    blendingRatioSlider->value(0.2);

    choose(fontDifferenceSlider, 12);  // the font difference stays below the height
    EXPECT_EQ(viewState->fontDifference, 12);
    choose(fontHeightSlider, 10);
    EXPECT_EQ(std::make_pair(viewState->fontHeight, viewState->fontDifference), std::make_pair(10, 9));
    EXPECT_EQ(std::make_tuple(fontDifferenceSlider->value(), fontDifferenceSlider->minimum(), fontDifferenceSlider->maximum()),
              std::make_tuple(9.0, 1.0, 9.0));
    EXPECT_NE(codeView->damage(), 0);

    choose(fontWidthSlider, 6);
    EXPECT_EQ(std::make_pair(viewState->fontWidth, viewState->fontDifference), std::make_pair(6, 9));
    settleWindow();  // the code view builds its fonts at the new size
    EXPECT_EQ(viewState->fontHeight, 10);

    // A higher height widens the difference's range only; the reset leaves that range, so restore it here.
    fontDifferenceSlider->value(2);
    fontWidthSlider->value(8);
    choose(fontHeightSlider, 15);
    EXPECT_EQ(std::make_pair(fontDifferenceSlider->maximum(), viewState->fontDifference), std::make_pair(14.0, 2));

    struct Switch { Fl_Button* check; int* parameter; int whenOn; };
    const Switch switches[] = {
        {displayBlocksCheck, &viewState->displayBlocks, 1}, {balanceImageCheck, &viewState->balanceImage, 1},
        {redistributeCheck, &viewState->redistributeSpace, 1}, {antiAliasingCheck, &viewState->antiAliasing, 1},
        {focusPositionCheck, &viewState->focusPosition, 1}, {syntaxHighlightingCheck, &viewState->syntaxHighlighting, 1},
        {geometryCushionsCheck, &viewState->cushionStrength, 2}};
    for (const Switch& s : switches)
        for (int flip = 0; flip < 2; ++flip) {
            SCOPED_TRACE(s.check->label());
            choose(s.check, !s.check->value());
            EXPECT_EQ(*s.parameter, s.check->value() ? s.whenOn : 0);
        }
    geometryCushionsCheck->value(0);

    const auto original = identifierColours;
    reshuffleButton->do_callback();
    EXPECT_EQ(std::make_pair(identifierColours[0], identifierColours[8]), std::make_pair(original[1], original[0]));
    EXPECT_TRUE(evolutionView->damage() && codeView->damage());
    identifierColours = original;

    for (Fl_Group* tab : {displayTab, blocksTab, enginesTab})
        for (int i = 0; i < tab->children(); ++i) {
            const char* tip = tab->child(i)->tooltip();  // every control explains itself
            EXPECT_TRUE(tip && *tip) << tab->child(i)->label();
        }
    for (const Fl_Widget* slider : std::vector<Fl_Widget*>{rangeStartSlider, rangeEndSlider, lineScrollSlider, revisionScrollSlider})
        EXPECT_NE(slider->tooltip(), nullptr);
    EXPECT_STRNE(rangeStartSlider->tooltip(), rangeEndSlider->tooltip());

    choose(viewModeChoice, modeInterpolated);
    settleWindow();
    const int rows = evolution().rowCount, column = evolution().focusRevision - 1;
    ASSERT_GE(column, 0);
    // Redistributed, a column before the focus holds its rows' whole height; packed, the shrunk rows leave some free.
    auto columnHeight = [&] {
        float sum = 0;
        for (int row = 0; row < rows; ++row)
            sum += viewState->rowHeights[row][column];
        return sum;
    };
    ASSERT_GT(viewState->rowHeights[rows][column], 0.0f) << "no row shrinks next to the focus";
    EXPECT_NEAR(columnHeight(), static_cast<float>(rows), 0.01f * rows);

    choose(redistributeCheck, 0);
    EXPECT_LT(columnHeight(), static_cast<float>(rows) - 0.5f);
    EXPECT_NE(evolutionView->damage(), 0);
    redistributeCheck->value(1);
}
