#include <gtest/gtest.h>

#include "app/globals.h"
#include "colouring/colour_maps.h"
#include "evolution/evolution_file.h"
#include "support/canvas_test.h"
#include "support/open_evolution.h"

namespace {

constexpr int content = 0, evolution = 1, authors = 2, linePosition = 3;
constexpr int constant = 0, modified = 1, replacedByDeletion = 2, replacedByAddition = 3;

// Statuses: X constant, - modified, n replaced by deletion, | replaced by
// addition, > added (not there yet), < deleted (gone).

class NormalCells : public CanvasTest {};

TEST_F(NormalCells, StackEachRevisionsPresentRowsFromTheTop)
{
    EvolutionSketch sketch;
    sketch.statuses = {"XX", ">X", "X<"};
    sketch.authors = {"ann", "ann"};
    open(sketch, 40, 50, 20.0f, 10.0f);
    viewState->attributeIndex = linePosition;
    const Frame frame = draw();
    EXPECT_TRUE(showsColour(cellAt(frame, 0, 0), rainbowColour(0.0f)));
    EXPECT_TRUE(showsColour(cellAt(frame, 0, 1), rainbowColour(2.0f / 3.0f)));
    EXPECT_TRUE(showsColour(cellAt(frame, 1, 0), rainbowColour(0.0f)));
    EXPECT_TRUE(showsColour(cellAt(frame, 1, 1), rainbowColour(1.0f / 3.0f)));
    // Under the stacks the base grey reaches down to the number of rows,
    // and below it the background shows.
    for (int c : {0, 1}) {
        EXPECT_TRUE(showsColour(cellAt(frame, c, 2), greyOf(normalBaseGrey()))) << "column " << c;
        EXPECT_TRUE(showsColour(cellAt(frame, c, 3), greyOf(0.8f))) << "column " << c;
    }
}

TEST_F(NormalCells, ARevisionWithoutRowsShowsTheBaseGrey)
{
    EvolutionSketch sketch;
    sketch.statuses = {"X<", "X<"};
    sketch.authors = {"ann", "ann"};
    open(sketch, 40, 40, 20.0f, 10.0f);
    viewState->attributeIndex = authors;
    const Frame frame = draw();
    EXPECT_TRUE(showsColour(cellAt(frame, 0, 1), identifierColours[0]));
    EXPECT_TRUE(showsColour(cellAt(frame, 1, 0), greyOf(normalBaseGrey())));
    EXPECT_TRUE(showsColour(cellAt(frame, 1, 1), greyOf(normalBaseGrey())));
    EXPECT_TRUE(showsColour(cellAt(frame, 1, 2), greyOf(0.8f)));
}

TEST_F(NormalCells, RevisionsOutsideTheRangeAreUniformlyGreyAsFarAsTheLongestRevision)
{
    EvolutionSketch sketch;
    sketch.statuses = {"XXX", ">X<", ">>X"};
    sketch.authors = {"ann", "bob", "cid"};
    open(sketch, 60, 40, 20.0f, 10.0f);
    currentEvolution->setRevisionRange(modeNormal, 2, 3);
    ASSERT_EQ(currentEvolution->rowCount, 3);
    ASSERT_EQ(currentEvolution->maxRevisionLength, 2);
    const float base = normalBaseGrey();
    for (int scheme : {content, evolution, authors, linePosition}) {
        viewState->attributeIndex = scheme;
        const Frame frame = draw();
        SCOPED_TRACE(scheme);
        EXPECT_TRUE(showsColour(cellAt(frame, 0, 0), greyOf(0.9f * base)));
        EXPECT_TRUE(showsColour(cellAt(frame, 0, 1), greyOf(0.9f * base)));
        EXPECT_TRUE(showsColour(cellAt(frame, 0, 2), greyOf(base)));
        EXPECT_FALSE(showsColour(cellAt(frame, 1, 0), greyOf(0.9f * base)));
    }
}

TEST_F(NormalCells, BaseGreyFollowsTheConstantStatusColour)
{
    EvolutionSketch sketch;
    sketch.statuses = {"X<", "X<"};
    sketch.authors = {"ann", "ann"};
    open(sketch, 40, 40, 20.0f, 10.0f);
    statusColours[constant] = {0.3f, 0.3f, 0.3f};
    const Frame frame = draw();
    // (0.3 + 0.3 + 0.3) / 12 + 0.75
    EXPECT_TRUE(showsColour(cellAt(frame, 1, 0), greyOf(0.825f)));
    EXPECT_TRUE(showsColour(cellAt(frame, 0, 0), times(statusColours[constant], 0.4f)));
}

TEST_F(NormalCells, EvolutionDarkensRowsNearTheTopOfTheFileByTheirRowNotTheirPlace)
{
    EvolutionSketch sketch;
    sketch.statuses = {"-X", "X<", "Xn", "X|", "X-"};
    sketch.authors = {"ann", "ann"};
    open(sketch, 40, 60, 20.0f, 10.0f);
    viewState->attributeIndex = evolution;
    const Frame frame = draw();
    const auto factor = [](int row) { return static_cast<float>(row) * 0.6f / 5.0f + 0.4f; };
    EXPECT_TRUE(showsColour(cellAt(frame, 0, 0), times(statusColours[modified], factor(0))));
    EXPECT_TRUE(showsColour(cellAt(frame, 0, 4), times(statusColours[constant], factor(4))));
    // Row 1 is gone in revision 1, so rows 2 to 4 sit one place higher and
    // keep the shade of their own row.
    EXPECT_TRUE(showsColour(cellAt(frame, 1, 1), times(statusColours[replacedByDeletion], factor(2))));
    EXPECT_TRUE(showsColour(cellAt(frame, 1, 2), times(statusColours[replacedByAddition], factor(3))));
    EXPECT_TRUE(showsColour(cellAt(frame, 1, 3), times(statusColours[modified], factor(4))));
}

TEST_F(NormalCells, ContentColoursFollowTheSyntaxClassOfEachCell)
{
    EvolutionSketch sketch;
    sketch.statuses = {"XX", "XX", "XX"};
    sketch.authors = {"ann", "ann"};
    open(sketch, 40, 30, 20.0f, 10.0f);
    EvolutionFile& e = *currentEvolution;
    e.rowClasses[0][0] = classComment;
    e.rowClasses[1][0] = classString;
    e.rowClasses[2][0] = classReference;
    e.rowClasses[0][1] = classBlock;
    e.rowClasses[1][1] = classBlock + 2;
    e.rowClasses[2][1] = classPlain;
    viewState->attributeIndex = content;
    const Frame frame = draw();
    EXPECT_TRUE(showsColour(cellAt(frame, 0, 0), contentColours[classComment]));
    EXPECT_TRUE(showsColour(cellAt(frame, 0, 1), contentColours[classString]));
    EXPECT_TRUE(showsColour(cellAt(frame, 0, 2), contentColours[classReference]));
    EXPECT_TRUE(showsColour(cellAt(frame, 1, 0), contentColours[classBlock]));
    EXPECT_TRUE(showsColour(cellAt(frame, 1, 1), contentColours[classBlock + 2]));
    EXPECT_TRUE(showsColour(cellAt(frame, 1, 2), contentColours[classPlain]));
}

TEST_F(NormalCells, AuthorsChangeWhereTheRowAuthorRuleSaysTheLineChanged)
{
    EvolutionSketch sketch;
    sketch.statuses = {
        "XXX",  // never changes: the first revision's author throughout
        ">XX",  // added in revision 1: its author from there on
        "X--",  // modified twice in a row: revision 2's author only then
        "XnX",  // replaced by deletion in revision 1
        "|XX",  // replaced by addition before revision 1
    };
    sketch.authors = {"ann", "bob", "cid"};
    open(sketch, 60, 50, 20.0f, 10.0f);
    viewState->attributeIndex = authors;
    const Frame frame = draw();
    const Rgb ann = identifierColours[0], bob = identifierColours[1], cid = identifierColours[2];
    const Rgb expected[3][5] = {
        {ann, ann, ann, ann, ann},  // revision 0: rows 0, 2, 3, 4
        {ann, bob, ann, bob, bob},  // revision 1: rows 0 to 4
        {ann, bob, cid, bob, bob},
    };
    const int present[3] = {4, 5, 5};
    for (int c = 0; c < 3; ++c)
        for (int k = 0; k < present[c]; ++k)
            EXPECT_TRUE(showsColour(cellAt(frame, c, k), expected[c][k])) << "column " << c << ", place " << k;
}

TEST_F(NormalCells, AnUnknownFirstAuthorIsGreyAndAnUnknownSchemeKeepsTheLastColour)
{
    EvolutionSketch sketch;
    sketch.statuses = {"XXX", ">X<", ">>X"};
    sketch.authors = {"", "bob", "cid"};
    open(sketch, 60, 40, 20.0f, 10.0f);
    viewState->attributeIndex = authors;
    Frame frame = draw();
    EXPECT_TRUE(showsColour(cellAt(frame, 2, 0), greyOf(0.5f)));
    EXPECT_TRUE(showsColour(cellAt(frame, 1, 1), identifierColours[0]));  // bob, the first named

    // Cells of a scheme the layout does not know take the colour set last:
    // the base grey, or the grey of a column outside the range before them.
    viewState->attributeIndex = 7;
    frame = draw();
    EXPECT_TRUE(showsColour(cellAt(frame, 1, 0), greyOf(normalBaseGrey())));
    currentEvolution->setRevisionRange(modeNormal, 2, 3);
    frame = draw();
    EXPECT_TRUE(showsColour(cellAt(frame, 1, 0), greyOf(0.9f * normalBaseGrey())));
    EXPECT_TRUE(showsColour(cellAt(frame, 2, 1), greyOf(0.9f * normalBaseGrey())));
    EXPECT_TRUE(showsColour(cellAt(frame, 2, 2), greyOf(normalBaseGrey())));
}

TEST_F(NormalCells, ScrollMovesTheGridUnderTheCanvas)
{
    EvolutionSketch sketch;
    sketch.statuses = {"XXX", "XXX", "XXX", "XXX"};
    sketch.authors = {"ann", "bob", "cid"};
    open(sketch, 30, 20, 20.0f, 10.0f);
    viewState->attributeIndex = linePosition;
    viewState->scrollX = 20.0f;
    viewState->scrollY = 20.0f;
    const Frame frame = draw();
    // Rows 2 and 3 of revisions 1 and 2 are in view.
    EXPECT_TRUE(showsColour(frame.fromTop(5, 5), rainbowColour(0.5f)));
    EXPECT_TRUE(showsColour(frame.fromTop(25, 15), rainbowColour(0.75f)));
}

// Rows and columns thinner than a pixel: every pixel shows the cell that
// covers its centre, exactly as if every cell had been drawn.
TEST_F(NormalCells, RowsThinnerThanAPixelShowTheRowAtEachPixelCentre)
{
    EvolutionSketch sketch;
    sketch.statuses.assign(40, "XX");
    sketch.authors = {"ann", "ann"};
    open(sketch, 20, 12, 10.0f, 2.0f / 7.0f);
    viewState->attributeIndex = linePosition;
    const Frame frame = draw();
    for (int p = 0; p < 11; ++p) {
        // Pixel row p from the top has its centre 3.5 (p + 0.5) rows down.
        const int row = static_cast<int>((p + 0.5f) * 3.5f);
        EXPECT_TRUE(showsColour(frame.fromTop(5, p), rainbowColour(row / 40.0f))) << "pixel row " << p;
        EXPECT_TRUE(showsColour(frame.fromTop(15, p), rainbowColour(row / 40.0f))) << "pixel row " << p;
    }
    EXPECT_TRUE(showsColour(frame.fromTop(5, 11), greyOf(0.8f)));
}

TEST_F(NormalCells, ThinRowsOfNearlyEqualColoursStillShowTheirOwnShade)
{
    // 350 rows whose shades differ by a fraction of a level from one row to
    // the next, every seventh one modified: each pixel row shows the shade
    // and status of the row at its centre.
    EvolutionSketch sketch;
    for (int i = 0; i < 350; ++i)
        sketch.statuses.push_back(i % 7 == 3 ? "--" : "XX");
    sketch.authors = {"ann", "ann"};
    open(sketch, 20, 100, 10.0f, 2.0f / 7.0f);
    viewState->attributeIndex = evolution;
    const Frame frame = draw();
    for (int p = 0; p < 100; ++p) {
        const int row = static_cast<int>((p + 0.5f) * 3.5f);
        const Rgb expected = times(statusColours[row % 7 == 3 ? modified : constant], row * 0.6f / 350.0f + 0.4f);
        ASSERT_TRUE(showsColour(frame.fromTop(5, p), expected)) << "pixel row " << p;
    }
}

TEST_F(NormalCells, ColumnsThinnerThanAPixelShowTheColumnAtEachPixelCentre)
{
    EvolutionSketch sketch;
    sketch.statuses = {"X-n|X-n|X-n|X-n|X-n|"};
    sketch.authors.assign(20, "ann");
    open(sketch, 8, 10, 0.4f, 10.0f);
    viewState->attributeIndex = evolution;
    const Frame frame = draw();
    const std::string& statuses = sketch.statuses[0];
    for (int x = 0; x < 8; ++x) {
        const int column = static_cast<int>((x + 0.5f) * 2.5f);
        const int s = decodeStatus(statuses[column]);
        EXPECT_TRUE(showsColour(frame.at(x, 5), times(statusColours[s], 0.4f))) << "pixel column " << x;
    }
}

TEST_F(NormalCells, AuthorsFollowColumnsThatFallBetweenPixels)
{
    // Revision 5 adds the line; at 0.4 pixels per column it covers no pixel
    // centre, but revision 6, which does, shows its author.
    EvolutionSketch sketch;
    sketch.statuses = {">>>>>XXXXX"};
    sketch.authors = {"a0", "a1", "a2", "a3", "a4", "a5", "a6", "a7", "a8", "a9"};
    open(sketch, 4, 10, 0.4f, 10.0f);
    viewState->attributeIndex = authors;
    const Frame frame = draw();
    EXPECT_TRUE(showsColour(frame.at(2, 5), identifierColours[5]));
    EXPECT_TRUE(showsColour(frame.at(3, 5), identifierColours[5]));
}

// The Ctrl navigation aids over a grid of four rows and four revisions,
// 20 x 10 pixels a cell. Row 1 lives in revisions 0 and 1, row 2 from
// revision 1 on:
//   place  revision 0  1  2  3
//     0             r0 r0 r0 r0
//     1             r1 r1 r2 r2
//     2             r3 r2 r3 r3
//     3                r3
class NormalPointerOverlay : public CanvasTest {
protected:
    void SetUp() override
    {
        EvolutionSketch sketch;
        sketch.statuses = {"XXXX", "XX<<", ">XXX", "XXXX"};
        sketch.authors = {"ann", "ann", "ann", "ann"};
        open(sketch, 80, 60, 20.0f, 10.0f);
        viewState->attributeIndex = linePosition;
    }

    static Rgb rowColour(int row) { return rainbowColour(row / 4.0f); }
    // The pixel `offset` pixels above (positive) or below the bottom edge
    // of place k in the middle of a column.
    static Rgba nearBottomOf(const Frame& frame, int column, int k, int offset)
    {
        return frame.at(column * 20 + 10, 60 - (k + 1) * 10 + offset);
    }
};

TEST_F(NormalPointerOverlay, ModeZeroDrawsNothing)
{
    viewState->pointerMode = 0;
    viewState->pointerRow = 1;
    const Frame frame = draw();
    EXPECT_TRUE(showsColour(cellAt(frame, 0, 0), rowColour(0)));
    EXPECT_TRUE(showsColour(nearBottomOf(frame, 0, 1, 3), rowColour(1)));
    EXPECT_TRUE(showsColour(nearBottomOf(frame, 2, 0, 3), rowColour(0)));
}

TEST_F(NormalPointerOverlay, RevisionModeDarkensTheAnchoredColumn)
{
    viewState->pointerMode = 3;
    viewState->pointerRevision = 2;
    const Frame frame = draw();
    EXPECT_TRUE(showsColour(cellAt(frame, 2, 0), times(rowColour(0), 0.8f)));
    EXPECT_TRUE(showsColour(cellAt(frame, 2, 4), greyOf(0.8f * 0.8f)));
    EXPECT_TRUE(showsColour(cellAt(frame, 1, 0), rowColour(0)));
    EXPECT_TRUE(showsColour(cellAt(frame, 3, 0), rowColour(0)));
}

TEST_F(NormalPointerOverlay, RowModeTracesTheRowAndDoublesItOverItsLifetime)
{
    // The path of row 1 runs along the bottom of place 1 in revisions 0 and
    // 1, where row 1 lives, and along the bottom of place 0 afterwards.
    viewState->pointerMode = 2;
    viewState->pointerRow = 1;
    viewState->pointerRevision = 1;
    const Frame frame = draw();
    const float once = 0.7f, twice = 0.7f * 0.7f;
    // Ten pixels wide across column 0.
    EXPECT_TRUE(showsColour(nearBottomOf(frame, 0, 1, 3), times(rowColour(1), twice)));
    EXPECT_TRUE(showsColour(nearBottomOf(frame, 0, 1, -3), times(rowColour(3), twice)));
    EXPECT_TRUE(showsColour(nearBottomOf(frame, 0, 1, 7), rowColour(1)));
    EXPECT_TRUE(showsColour(nearBottomOf(frame, 0, 1, -7), rowColour(3)));
    // After the row's deletion only the first strip, to the last column.
    EXPECT_TRUE(showsColour(nearBottomOf(frame, 2, 0, 3), times(rowColour(0), once)));
    EXPECT_TRUE(showsColour(nearBottomOf(frame, 3, 0, -3), times(rowColour(2), once)));
    // The anchored column stays bright away from the path.
    EXPECT_TRUE(showsColour(cellAt(frame, 1, 3), rowColour(3)));
}

TEST_F(NormalPointerOverlay, AnchoredModeDarkensTheColumnAndFollowsTheNearestPresentRowAbove)
{
    // Row 2 is not there yet in revision 0: the path follows row 1.
    viewState->pointerMode = 1;
    viewState->pointerRow = 2;
    viewState->pointerRevision = 0;
    const Frame frame = draw();
    EXPECT_TRUE(showsColour(cellAt(frame, 0, 0), times(rowColour(0), 0.8f)));
    EXPECT_TRUE(showsColour(nearBottomOf(frame, 0, 1, 3), times(rowColour(1), 0.8f * 0.49f)));
    EXPECT_TRUE(showsColour(nearBottomOf(frame, 2, 0, 3), times(rowColour(0), 0.7f)));
    EXPECT_TRUE(showsColour(nearBottomOf(frame, 2, 1, 3), rowColour(2)));
}

TEST_F(NormalPointerOverlay, PathIsAsWideAsARowAndAtLeastTwoPixels)
{
    viewState->pointerRow = 0;
    viewState->pointerRevision = 0;
    for (float lineSize : {1.0f, 6.0f}) {
        viewState->lineSize = lineSize;
        viewState->pointerMode = 0;
        const Frame plain = draw();
        viewState->pointerMode = 2;
        const Frame traced = draw();
        int darkened = 0;
        for (int y = 0; y < plain.height; ++y)
            darkened += plain.at(30, y).blue != traced.at(30, y).blue ? 1 : 0;
        EXPECT_EQ(darkened, lineSize > 2.0f ? 6 : 2) << "line size " << lineSize;
    }
}

TEST(NormalPointerPath, OfARowAbsentWithNothingPresentAboveFollowsRowZero)
{
    TempDirectory directory;
    EvolutionSketch sketch;
    sketch.statuses = {">XX", "XXX"};
    sketch.authors = {"ann", "ann", "ann"};
    ASSERT_TRUE(openTestEvolution(directory, sketch));
    EvolutionViewHarness harness(60, 40);
    viewState->versionSize = 20.0f;
    viewState->lineSize = 10.0f;
    viewState->versionDrawing = 2;
    viewState->attributeIndex = linePosition;
    viewState->pointerMode = 2;
    viewState->pointerRow = 0;
    viewState->pointerRevision = 0;
    const Frame frame = harness.drawFrame();
    // Row 0, from revision 1 on at place 0, drawn twice along its bottom.
    EXPECT_TRUE(showsColour(frame.at(30, 33), times(rainbowColour(0.0f), 0.49f)));
    EXPECT_TRUE(showsColour(frame.at(50, 27), times(rainbowColour(0.5f), 0.49f)));
    EXPECT_TRUE(showsColour(frame.at(50, 37), rainbowColour(0.0f)));
    closeTestEvolution();
}

}  // namespace
