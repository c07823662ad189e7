#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/globals.h"
#include "colouring/colour_maps.h"
#include "evolution/evolution_file.h"
#include "support/canvas_test.h"
#include "support/open_evolution.h"
#include "view/evolution_view.h"

namespace {

constexpr int content = 0, evolution = 1, authors = 2, linePosition = 3;
constexpr int constant = 0, modified = 1, added = 4, deleted = 5;

// Statuses: X constant, - modified, n replaced by deletion, | replaced by
// addition, > added (not there yet), < deleted (gone).

Rgb sum(const std::vector<std::pair<float, Rgb>>& weighted)
{
    Rgb total{};
    for (const auto& [weight, colour] : weighted)
        for (int channel = 0; channel < 3; ++channel)
            total[channel] += weight * colour[channel];
    return total;
}

Rgb mean(const std::vector<std::pair<float, Rgb>>& weighted)
{
    float weight = 0.0f;
    for (const auto& entry : weighted)
        weight += entry.first;
    return times(sum(weighted), 1.0f / weight);
}

Rgb colourOf(const Rgba& pixel)
{
    return {pixel.red / 255.0f, pixel.green / 255.0f, pixel.blue / 255.0f};
}

Rgb greyed(const Rgb& colour)
{
    return greyOf((colour[0] + colour[1] + colour[2]) / 6.0f + 0.5f);
}

class HorizontalLayout : public CanvasTest {
protected:
    void show(const EvolutionSketch& sketch, int width, int height, float versionSize, float lineSize)
    {
        open(sketch, width, height, versionSize, lineSize);
        harness->view().layoutMode = modeHorizontal;
    }

    // The pixel in the middle of column c on pixel row p from the top.
    static Rgba pixelRow(const Frame& frame, int c, int p)
    {
        const float x = (c + 0.5f) * viewState->versionSize - viewState->scrollX;
        return frame.fromTop(static_cast<int>(x), p);
    }

    // Gives the rows of column c the syntax classes in turn.
    static void setClasses(int c, const std::vector<int>& classes)
    {
        for (size_t i = 0; i < classes.size(); ++i)
            currentEvolution->rowClasses[i][c] = classes[i];
    }
};

using HorizontalCells = HorizontalLayout;

TEST_F(HorizontalCells, KeepEveryRowOnItsOwnBandAndShowAbsentCellsInTheirStatusColour)
{
    EvolutionSketch sketch;
    sketch.statuses = {"XX", ">X", "X<"};
    sketch.authors = {"ann", "ann"};
    show(sketch, 40, 50, 20.0f, 10.0f);
    viewState->attributeIndex = linePosition;
    const Frame frame = draw();
    EXPECT_TRUE(showsColour(cellAt(frame, 0, 0), rainbowColour(0.0f)));
    EXPECT_TRUE(showsColour(cellAt(frame, 1, 0), rainbowColour(0.0f)));
    EXPECT_TRUE(showsColour(cellAt(frame, 0, 1), statusColours[added]));
    EXPECT_TRUE(showsColour(cellAt(frame, 1, 1), rainbowColour(1.0f / 3.0f)));
    EXPECT_TRUE(showsColour(cellAt(frame, 0, 2), rainbowColour(2.0f / 3.0f)));
    EXPECT_TRUE(showsColour(cellAt(frame, 1, 2), statusColours[deleted]));
    EXPECT_TRUE(showsColour(cellAt(frame, 0, 3), greyOf(0.8f)));
}

TEST_F(HorizontalCells, ContentAndEvolutionColourPresentCellsByClassAndStatus)
{
    EvolutionSketch sketch;
    sketch.statuses = {"X-", "|X", ">X"};
    sketch.authors = {"ann", "ann"};
    show(sketch, 40, 30, 20.0f, 10.0f);
    setClasses(0, {classComment, classString, classReference});
    setClasses(1, {classBlock, classBlock + 3, classPlain});
    viewState->attributeIndex = content;
    Frame frame = draw();
    EXPECT_TRUE(showsColour(cellAt(frame, 0, 0), contentColours[classComment]));
    EXPECT_TRUE(showsColour(cellAt(frame, 0, 1), contentColours[classString]));
    EXPECT_TRUE(showsColour(cellAt(frame, 0, 2), statusColours[added]));
    EXPECT_TRUE(showsColour(cellAt(frame, 1, 0), contentColours[classBlock]));
    EXPECT_TRUE(showsColour(cellAt(frame, 1, 1), contentColours[classBlock + 3]));
    EXPECT_TRUE(showsColour(cellAt(frame, 1, 2), contentColours[classPlain]));

    // Unlike the Normal layout, the status colour is not darkened by row.
    viewState->attributeIndex = evolution;
    frame = draw();
    EXPECT_TRUE(showsColour(cellAt(frame, 0, 0), statusColours[constant]));
    EXPECT_TRUE(showsColour(cellAt(frame, 1, 0), statusColours[modified]));
    EXPECT_TRUE(showsColour(cellAt(frame, 0, 1), statusColours[3]));
}

TEST_F(HorizontalCells, OnePixelRowsAreDrawnOneByOneAndThinnerOnesMerged)
{
    // Constant and modified rows in turn: row by row every pixel row shows
    // one status, merged the first pixel row mixes rows 0 and 1 (and a
    // thousandth of row 2).
    EvolutionSketch sketch;
    for (int i = 0; i < 20; ++i)
        sketch.statuses.push_back(i % 2 == 0 ? "XX" : "--");
    sketch.authors = {"ann", "ann"};
    show(sketch, 20, 20, 10.0f, 1.0f);
    viewState->attributeIndex = evolution;
    Frame frame = draw();
    EXPECT_TRUE(showsColour(pixelRow(frame, 0, 0), statusColours[constant]));
    EXPECT_TRUE(showsColour(pixelRow(frame, 0, 1), statusColours[modified]));
    EXPECT_TRUE(showsColour(pixelRow(frame, 1, 18), statusColours[constant]));

    viewState->lineSize = 0.999f;
    frame = draw();
    const Rgb half = mean({{1.0f, statusColours[constant]}, {1.0f, statusColours[modified]}});
    EXPECT_TRUE(showsColour(pixelRow(frame, 0, 0), half));
    EXPECT_TRUE(showsColour(pixelRow(frame, 1, 0), half));
}

TEST_F(HorizontalCells, AnUnknownSchemeKeepsTheColourSetLastRowByRowAndDrawsNothingMerged)
{
    EvolutionSketch sketch;
    sketch.statuses = {"XX", ">X", "XX", "XX"};
    sketch.authors = {"ann", "ann"};
    show(sketch, 40, 40, 20.0f, 10.0f);
    viewState->attributeIndex = 7;
    Frame frame = draw();
    // Row 1's absent cell sets the colour of "added", which every present
    // cell after it keeps, on its own row and on the rows below.
    EXPECT_TRUE(showsColour(cellAt(frame, 0, 1), statusColours[added]));
    EXPECT_TRUE(showsColour(cellAt(frame, 1, 1), statusColours[added]));
    EXPECT_TRUE(showsColour(cellAt(frame, 1, 3), statusColours[added]));

    viewState->lineSize = 0.5f;
    frame = draw();
    EXPECT_TRUE(showsColour(pixelRow(frame, 0, 0), greyOf(0.8f)));
    EXPECT_TRUE(showsColour(pixelRow(frame, 1, 1), greyOf(0.8f)));
}

// Rows thinner than a pixel: a row whose top falls into the next pixel row
// gives the part of its weight above that edge to the row it completes.
using MergedCells = HorizontalLayout;

TEST_F(MergedCells, AtHalfAPixelTheRowStartingAPixelRowCompletesTheOneAbove)
{
    EvolutionSketch sketch;
    sketch.statuses.assign(5, "XX");
    sketch.authors = {"ann", "ann"};
    show(sketch, 20, 6, 10.0f, 0.5f);
    setClasses(0, {classPlain, classComment, classString, classReference, classBlock});
    viewState->attributeIndex = content;
    const Frame frame = draw();
    const auto& k = contentColours;
    // Rows 0 and 1 fall into pixel row 0, row 2 (at y = 1.0) completes it
    // with its whole weight and starts pixel row 1 with none.
    EXPECT_TRUE(showsColour(pixelRow(frame, 0, 0), mean({{1, k[0]}, {1, k[1]}, {1, k[2]}})));
    EXPECT_TRUE(showsColour(pixelRow(frame, 0, 1), mean({{1, k[3]}, {1, k[10]}})));
    // Row 4 started pixel row 2 with no weight, so nothing is left for it.
    EXPECT_TRUE(showsColour(pixelRow(frame, 0, 2), greyOf(0.8f)));
}

TEST_F(MergedCells, AtFourTenthsRowsStraddlingAnEdgeAreShared)
{
    EvolutionSketch sketch;
    sketch.statuses.assign(6, "XX");
    sketch.authors = {"ann", "ann"};
    show(sketch, 20, 6, 10.0f, 0.4f);
    setClasses(0, {classPlain, classComment, classString, classReference, classBlock, classBlock + 4});
    viewState->attributeIndex = content;
    const Frame frame = draw();
    const auto& k = contentColours;
    // Row 3 (y = 1.2) gives 0.8 of itself to pixel row 0 and starts pixel
    // row 1 with 0.2; row 5 (y = 2.0) completes pixel row 1 whole.
    EXPECT_TRUE(showsColour(pixelRow(frame, 0, 0), mean({{1, k[0]}, {1, k[1]}, {1, k[2]}, {0.8f, k[3]}})));
    EXPECT_TRUE(showsColour(pixelRow(frame, 0, 1), mean({{0.2f, k[3]}, {1, k[10]}, {1, k[14]}})));
}

TEST_F(MergedCells, TheLastPixelRowOfAColumnShowsTheMeanOfWhatItGathered)
{
    EvolutionSketch sketch;
    sketch.statuses.assign(5, "XX");
    sketch.authors = {"ann", "ann"};
    show(sketch, 20, 6, 10.0f, 0.4f);
    setClasses(0, {classPlain, classComment, classString, classReference, classBlock});
    setClasses(1, {classPlain, classPlain, classPlain, classPlain, classPlain});
    viewState->attributeIndex = content;
    Frame frame = draw();
    const auto& k = contentColours;
    // No row after row 4 completes pixel row 1: 0.2 of row 3 and row 4.
    EXPECT_TRUE(showsColour(pixelRow(frame, 0, 1), mean({{0.2f, k[3]}, {1, k[10]}})));
    EXPECT_TRUE(showsColour(pixelRow(frame, 1, 1), k[classPlain]));
    EXPECT_TRUE(showsColour(pixelRow(frame, 0, 2), greyOf(0.8f)));

    // At 0.3 rows 0 to 3 fill pixel row 0 and row 4 (y = 1.2) leaves only
    // 0.2 of itself in pixel row 1, which then shows its colour unweakened.
    viewState->lineSize = 0.3f;
    frame = draw();
    EXPECT_TRUE(showsColour(pixelRow(frame, 0, 0), mean({{1, k[0]}, {1, k[1]}, {1, k[2]}, {1, k[3]}, {0.8f, k[10]}})));
    EXPECT_TRUE(showsColour(pixelRow(frame, 0, 1), k[classBlock]));
}

TEST_F(MergedCells, EvolutionMixesTheStatusesOfAbsentCellsToo)
{
    EvolutionSketch sketch;
    sketch.statuses = {">X", "X<", "-X", "XX"};
    sketch.authors = {"ann", "ann"};
    show(sketch, 20, 6, 10.0f, 0.5f);
    viewState->attributeIndex = evolution;
    const Frame frame = draw();
    const auto& s = statusColours;
    EXPECT_TRUE(showsColour(pixelRow(frame, 0, 0), mean({{1, s[added]}, {1, s[constant]}, {1, s[modified]}})));
    EXPECT_TRUE(showsColour(pixelRow(frame, 1, 0), mean({{2, s[constant]}, {1, s[deleted]}})));
}

TEST_F(MergedCells, ScrolledRowsShowWhatTheSamePixelRowsShowUnscrolled)
{
    // Forty rows at half a pixel make twenty pixel rows; a canvas of twelve
    // scrolled down by eight shows pixel rows 8 to 19, the last of them
    // left to the final row alone.
    EvolutionSketch sketch;
    sketch.statuses.assign(40, "XX");
    sketch.authors = {"ann", "ann"};
    show(sketch, 20, 12, 10.0f, 0.5f);
    std::vector<int> classes;
    for (int i = 0; i < 40; ++i)
        classes.push_back(i % 3 == 0 ? classPlain : i % 3 == 1 ? classString : classBlock + i % 5);
    setClasses(0, classes);
    setClasses(1, std::vector<int>(classes.rbegin(), classes.rend()));
    viewState->attributeIndex = content;
    const Frame top = draw();
    viewState->scrollY = 8.0f;
    const Frame scrolled = draw();
    for (int c : {0, 1}) {
        for (int p = 8; p < 12; ++p) {
            EXPECT_TRUE(showsColour(pixelRow(scrolled, c, p - 8), colourOf(pixelRow(top, c, p)), 1))
                << "column " << c << ", pixel row " << p;
        }
        EXPECT_TRUE(showsColour(pixelRow(scrolled, c, 11), contentColours[currentEvolution->rowClasses[39][c]]));
    }
    // A pixel row of two rows with different classes is their plain mean.
    EXPECT_TRUE(showsColour(pixelRow(scrolled, 0, 0), mean({{1, contentColours[classes[17]]},
                                                            {1, contentColours[classes[18]]}})));
}

TEST_F(HorizontalCells, RevisionsOutsideTheRangeAreGreyByStatusOrByTheirMergedColour)
{
    EvolutionSketch sketch;
    sketch.statuses = {"XXX", "-X-", ">XX", "XXX"};
    sketch.authors = {"ann", "bob", "cid"};
    show(sketch, 60, 40, 20.0f, 10.0f);
    currentEvolution->setRevisionRange(modeHorizontal, 2, 2);
    ASSERT_EQ(currentEvolution->rowCount, 4);
    viewState->attributeIndex = linePosition;
    Frame frame = draw();
    for (int c : {0, 2}) {
        EXPECT_TRUE(showsColour(cellAt(frame, c, 0), greyOf(outOfRangeGrey(constant)))) << "column " << c;
        EXPECT_TRUE(showsColour(cellAt(frame, c, 1), greyOf(outOfRangeGrey(modified)))) << "column " << c;
    }
    EXPECT_TRUE(showsColour(cellAt(frame, 0, 2), greyOf(outOfRangeGrey(added))));
    EXPECT_TRUE(showsColour(cellAt(frame, 1, 1), rainbowColour(0.25f)));

    // Merged, the mean colour of the pixel row turns grey.
    viewState->lineSize = 0.5f;
    frame = draw();
    const Rgb column0 = mean({{1, rainbowColour(0.0f)}, {1, rainbowColour(0.25f)}, {1, statusColours[added]}});
    EXPECT_TRUE(showsColour(pixelRow(frame, 0, 0), greyed(column0)));
    const Rgb column1 = mean({{1, rainbowColour(0.0f)}, {1, rainbowColour(0.25f)}, {1, rainbowColour(0.5f)}});
    EXPECT_TRUE(showsColour(pixelRow(frame, 1, 0), column1));
}

TEST_F(HorizontalCells, AuthorsChangeOnlyAtPresentCellsOfTheShownRange)
{
    EvolutionSketch sketch;
    sketch.statuses = {
        ">XX",  // added in revision 1: bob's from there on
        "|<X",  // gone in revision 1, whose replacement would have made it bob's
        "X--",  // modified twice in a row: cid's at revision 2
    };
    sketch.authors = {"ann", "bob", "cid"};
    show(sketch, 60, 30, 20.0f, 10.0f);
    viewState->attributeIndex = authors;
    Frame frame = draw();
    const Rgb ann = identifierColours[0], bob = identifierColours[1], cid = identifierColours[2];
    EXPECT_TRUE(showsColour(cellAt(frame, 0, 0), statusColours[added]));
    EXPECT_TRUE(showsColour(cellAt(frame, 1, 0), bob));
    EXPECT_TRUE(showsColour(cellAt(frame, 2, 0), bob));
    EXPECT_TRUE(showsColour(cellAt(frame, 0, 1), ann));
    EXPECT_TRUE(showsColour(cellAt(frame, 1, 1), statusColours[deleted]));
    EXPECT_TRUE(showsColour(cellAt(frame, 2, 1), ann));
    EXPECT_TRUE(showsColour(cellAt(frame, 1, 2), ann));
    EXPECT_TRUE(showsColour(cellAt(frame, 2, 2), cid));

    // With revision 1 outside the range, row 0 never meets the revision
    // that added it and stays ann's.
    currentEvolution->setRevisionRange(modeHorizontal, 3, 3);
    frame = draw();
    EXPECT_TRUE(showsColour(cellAt(frame, 2, 0), ann));
    EXPECT_TRUE(showsColour(cellAt(frame, 2, 2), cid));
}

TEST_F(MergedCells, AuthorsAdvanceAtPresentCellsOfEveryRevision)
{
    EvolutionSketch sketch;
    sketch.statuses = {">XX", ">XX", ">XX", "|<X"};
    sketch.authors = {"ann", "bob", "cid"};
    show(sketch, 60, 6, 20.0f, 0.5f);
    currentEvolution->setRevisionRange(modeHorizontal, 3, 3);
    viewState->attributeIndex = authors;
    const Frame frame = draw();
    // Revision 1 is out of range but still makes rows 0 to 2 bob's; row 3,
    // absent there, stays ann's.
    EXPECT_TRUE(showsColour(pixelRow(frame, 2, 0), identifierColours[1]));
    EXPECT_TRUE(showsColour(pixelRow(frame, 2, 1), identifierColours[0]));
}

TEST_F(HorizontalCells, AuthorsFollowColumnsThatFallBetweenPixels)
{
    // Revision 5 adds the line; at 0.4 pixels per column it covers no pixel
    // centre, but revision 6, which does, shows its author, row by row and
    // merged.
    EvolutionSketch sketch;
    sketch.statuses.assign(4, ">>>>>XXXXX");
    sketch.authors = {"a0", "a1", "a2", "a3", "a4", "a5", "a6", "a7", "a8", "a9"};
    show(sketch, 4, 10, 0.4f, 1.0f);
    viewState->attributeIndex = authors;
    for (float lineSize : {2.0f, 0.5f}) {
        viewState->lineSize = lineSize;
        const Frame frame = draw();
        EXPECT_TRUE(showsColour(frame.fromTop(2, 0), identifierColours[5])) << "line size " << lineSize;
        EXPECT_TRUE(showsColour(frame.fromTop(3, 0), identifierColours[5])) << "line size " << lineSize;
        EXPECT_TRUE(showsColour(frame.fromTop(1, 0), statusColours[added])) << "line size " << lineSize;
    }
}

TEST_F(HorizontalCells, BothRoutinesResetTheRowHeights)
{
    EvolutionSketch sketch;
    sketch.statuses = {"XX", "XX"};
    sketch.authors = {"ann", "ann"};
    show(sketch, 20, 20, 10.0f, 1.0f);
    for (float lineSize : {1.0f, 0.5f}) {
        viewState->lineSize = lineSize;
        viewState->rowHeights[1][1] = 0.25f;
        viewState->rowHeights[2][0] = 0.5f;
        draw();
        EXPECT_EQ(viewState->rowHeights[1][1], 1.0f) << "line size " << lineSize;
        EXPECT_EQ(viewState->rowHeights[2][0], 0.0f) << "line size " << lineSize;
    }
}

// Blocks darken the cells under them by their cushion, strongest at their
// edges; a cell outside any block keeps its full colour without cushions.
class HorizontalBlocks : public HorizontalLayout {
protected:
    void SetUp() override
    {
        EvolutionSketch sketch;
        sketch.statuses = {"XXX", "XXX"};
        sketch.authors = {"ann", "ann", "ann"};
        show(sketch, 60, 40, 20.0f, 10.0f);
        viewState->attributeIndex = linePosition;
        viewState->displayBlocks = 1;
        viewState->blocksAbove = 3;
        // One block per revision over both rows, by level.
        currentEvolution->blocks = {{0, 0, 1, 0, 3.0f}, {0, 1, 1, 1, 2.999f}, {0, 2, 1, 2, 7.0f}};
    }

    // Near the top-left corner of column c's block, where the cushion is
    // lowest.
    static Rgba nearCorner(const Frame& frame, int c) { return frame.fromTop(c * 20 + 1, 1); }
    static bool darkened(const Rgba& pixel) { return pixel.blue < 0.6f * 0.8f * 255.0f; }
};

TEST_F(HorizontalBlocks, ABlockAtTheThresholdIsDrawnAndOneJustBelowIsNot)
{
    const Frame frame = draw();
    EXPECT_TRUE(darkened(nearCorner(frame, 0)));
    EXPECT_TRUE(showsColour(nearCorner(frame, 1), rainbowColour(0.0f)));
    EXPECT_TRUE(darkened(nearCorner(frame, 2)));
    // In the middle of a block, on row 1, the cushion lets the whole colour
    // through.
    EXPECT_TRUE(showsColour(frame.fromTop(10, 10), rainbowColour(0.5f), 4));
}

TEST_F(HorizontalBlocks, AreDrawnOnlyWhenBlocksAreShown)
{
    viewState->displayBlocks = 0;
    const Frame frame = draw();
    for (int c : {0, 1, 2})
        EXPECT_TRUE(showsColour(nearCorner(frame, c), rainbowColour(0.0f))) << "column " << c;
}

// The Ctrl navigation aids over four rows and three revisions, 20 pixels a
// column.
class HorizontalPointerOverlay : public HorizontalLayout {
protected:
    void SetUp() override
    {
        EvolutionSketch sketch;
        sketch.statuses.assign(4, "XXX");
        sketch.authors = {"ann", "ann", "ann"};
        show(sketch, 60, 40, 20.0f, 5.0f);
        viewState->attributeIndex = linePosition;
    }

    // The pixel rows from the top, in pixel column x, that mode `mode`
    // changes.
    std::vector<int> darkenedRows(int mode, int x)
    {
        viewState->pointerMode = 0;
        const Frame plain = draw();
        viewState->pointerMode = mode;
        const Frame shaded = draw();
        std::vector<int> rows;
        for (int y = 0; y < plain.height; ++y)
            if (!showsColour(shaded.fromTop(x, y), colourOf(plain.fromTop(x, y)), 1))
                rows.push_back(y);
        return rows;
    }
};

TEST_F(HorizontalPointerOverlay, TheRowBandCoversTheRowAtFivePixelsAndIsTwoPixelsHighAtOne)
{
    viewState->pointerRow = 2;
    viewState->pointerRevision = 0;
    EXPECT_EQ(darkenedRows(2, 30), (std::vector<int>{10, 11, 12, 13, 14}));
    viewState->lineSize = 1.0f;
    EXPECT_EQ(darkenedRows(2, 30), (std::vector<int>{2, 3}));
}

TEST_F(HorizontalPointerOverlay, ModesShadeTheColumnTheRowOrBoth)
{
    viewState->pointerRow = 1;
    viewState->pointerRevision = 1;
    const Rgb row1 = rainbowColour(0.25f), row3 = rainbowColour(0.75f);

    viewState->pointerMode = 0;
    Frame frame = draw();
    EXPECT_TRUE(showsColour(cellAt(frame, 1, 1), row1));

    viewState->pointerMode = 3;
    frame = draw();
    EXPECT_TRUE(showsColour(cellAt(frame, 1, 3), times(row3, 0.8f)));
    EXPECT_TRUE(showsColour(cellAt(frame, 0, 1), row1));

    viewState->pointerMode = 2;
    frame = draw();
    EXPECT_TRUE(showsColour(cellAt(frame, 0, 1), times(row1, 0.7f)));
    EXPECT_TRUE(showsColour(cellAt(frame, 1, 3), row3));

    viewState->pointerMode = 1;
    frame = draw();
    EXPECT_TRUE(showsColour(cellAt(frame, 1, 1), times(row1, 0.8f * 0.7f)));
    EXPECT_TRUE(showsColour(cellAt(frame, 2, 1), times(row1, 0.7f)));
    EXPECT_TRUE(showsColour(cellAt(frame, 1, 3), times(row3, 0.8f)));
    // Below the grid the column's shade falls on the background.
    EXPECT_TRUE(showsColour(frame.fromTop(30, 35), greyOf(0.8f * 0.8f)));
}

}  // namespace
