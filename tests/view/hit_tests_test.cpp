// The mapping between canvas pixels and cells in the three layouts, and
// where the Interpolated rows lie at a column boundary.

#include "view/geometry/hit_tests.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/opened_evolution.h"
#include "view/geometry/interpolated_heights.h"
#include "view/geometry/row_top.h"

namespace {

EvolutionSketch sketchOf(const std::vector<std::string>& statuses)
{
    EvolutionSketch sketch;
    sketch.statuses = statuses;
    return sketch;
}

// Three revisions. Present rows: revision 0 has 1, 2, 3, 4; revision 1 has
// 0, 1, 3, 4; revision 2 has 0, 1, 4.
const std::vector<std::string> threeRevisions = {">XX", "XXX", "XDD", "XXD", "XXX"};

void zoom(float versionSize, float lineSize, float scrollX = 0.0f, float scrollY = 0.0f)
{
    viewState->versionSize = versionSize;
    viewState->lineSize = lineSize;
    viewState->scrollX = scrollX;
    viewState->scrollY = scrollY;
}

::testing::AssertionResult hits(const CellHit& hit, int row, int revision)
{
    if (hit.hit && hit.row == row && hit.revision == revision)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "hit " << hit.hit << " row " << hit.row << " revision " << hit.revision;
}

::testing::AssertionResult missesIn(const CellHit& hit, int revision)
{
    if (!hit.hit && hit.revision == revision)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "hit " << hit.hit << " row " << hit.row << " revision " << hit.revision;
}

class HitTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(open.loaded); }
    EvolutionFile& e() { return open.evolution(); }

    OpenEvolution open{sketchOf(threeRevisions)};
};

}  // namespace

TEST_F(HitTest, NormalStacksThePresentRowsOfEachRevision)
{
    zoom(10.0f, 5.0f);
    EXPECT_TRUE(hits(cellAtPixel(e(), 5, 0, modeNormal), 1, 0));
    EXPECT_TRUE(hits(cellAtPixel(e(), 5, 17, modeNormal), 4, 0));
    EXPECT_TRUE(hits(cellAtPixel(e(), 15, 12, modeNormal), 3, 1));
    EXPECT_TRUE(hits(cellAtPixel(e(), 29, 10, modeNormal), 4, 2));
    // Scrolled by one column and one row.
    zoom(10.0f, 5.0f, 10.0f, 5.0f);
    EXPECT_TRUE(hits(cellAtPixel(e(), 5, 2, modeNormal), 1, 1));
    EXPECT_TRUE(hits(cellAtPixel(e(), 0, 0, modeNormal), 1, 1));
}

TEST_F(HitTest, NormalMissesBelowTheStackAndOutsideTheGrid)
{
    zoom(10.0f, 5.0f);
    // Revision 2 has three rows; revision 0 four.
    EXPECT_TRUE(missesIn(cellAtPixel(e(), 25, 15, modeNormal), 2));
    EXPECT_TRUE(hits(cellAtPixel(e(), 5, 15, modeNormal), 4, 0));
    EXPECT_TRUE(missesIn(cellAtPixel(e(), 5, 20, modeNormal), 0));
    EXPECT_TRUE(missesIn(cellAtPixel(e(), 30, 0, modeNormal), 3));
    EXPECT_TRUE(missesIn(cellAtPixel(e(), 95, 0, modeNormal), 9));
    EXPECT_TRUE(missesIn(cellAtPixel(e(), -15, 0, modeNormal), -1));
    zoom(10.0f, 5.0f, 0.0f, -10.0f);
    EXPECT_FALSE(cellAtPixel(e(), 5, 4, modeNormal).hit);
}

TEST_F(HitTest, NormalPixelOfAnAbsentRowIsTheRowAboveIt)
{
    zoom(10.0f, 5.0f, 3.0f, 2.0f);
    // Row 2 is absent in revision 1: it stands where row 1 does.
    const CellPixel pixel = pixelOfCell(e(), 2, 1, modeNormal);
    EXPECT_TRUE(pixel.ok);
    EXPECT_EQ(pixel.x, 7);
    EXPECT_EQ(pixel.y, 3);
    EXPECT_EQ(pixelOfCell(e(), 1, 1, modeNormal).y, 3);
    // Two absent rows in a row step back past both.
    EXPECT_EQ(pixelOfCell(e(), 3, 2, modeNormal).y, 3);
    // Nothing above row 0, absent in revision 0.
    EXPECT_FALSE(pixelOfCell(e(), 0, 0, modeNormal).ok);
    // The right edge of the last column stacks as that column.
    const CellPixel edge = pixelOfCell(e(), 4, 3, modeNormal);
    EXPECT_TRUE(edge.ok);
    EXPECT_EQ(edge.x, 27);
    EXPECT_EQ(edge.y, 8);
    EXPECT_FALSE(pixelOfCell(e(), 4, 4, modeNormal).ok);
    EXPECT_FALSE(pixelOfCell(e(), 4, -1, modeNormal).ok);
    EXPECT_FALSE(pixelOfCell(e(), 5, 0, modeNormal).ok);
}

TEST_F(HitTest, HorizontalKeepsEveryRowOnItsLine)
{
    zoom(10.0f, 5.0f, 10.0f, 5.0f);
    EXPECT_TRUE(hits(cellAtPixel(e(), 0, 0, modeHorizontal), 1, 1));
    // Absent cells are cells too.
    EXPECT_TRUE(hits(cellAtPixel(e(), 1, 6, modeHorizontal), 2, 1));
    EXPECT_TRUE(hits(cellAtPixel(e(), 19, 19, modeHorizontal), 4, 2));
    // Outside: the row and revision are still computed.
    const CellHit below = cellAtPixel(e(), 0, 20, modeHorizontal);
    EXPECT_TRUE(missesIn(below, 1));
    EXPECT_EQ(below.row, 5);
    const CellHit right = cellAtPixel(e(), 20, 0, modeHorizontal);
    EXPECT_TRUE(missesIn(right, 3));
    EXPECT_EQ(right.row, 1);
    EXPECT_TRUE(missesIn(cellAtPixel(e(), -25, 0, modeHorizontal), -1));

    const CellPixel pixel = pixelOfCell(e(), 3, 3, modeHorizontal);
    EXPECT_TRUE(pixel.ok);
    EXPECT_EQ(pixel.x, 20);
    EXPECT_EQ(pixel.y, 10);
    EXPECT_FALSE(pixelOfCell(e(), 3, 4, modeHorizontal).ok);
    EXPECT_FALSE(pixelOfCell(e(), 5, 0, modeHorizontal).ok);
    EXPECT_FALSE(pixelOfCell(e(), -1, 0, modeHorizontal).ok);
}

TEST_F(HitTest, UniformLayoutsFindTheCellTheyPlace)
{
    zoom(7.0f, 3.0f, 4.0f, 2.0f);
    for (int layout : {modeNormal, modeHorizontal})
        for (int revision = 0; revision < e().columnCount; ++revision)
            for (int row = 0; row < e().rowCount; ++row) {
                if (layout == modeNormal && !e().rowPresent(row, revision))
                    continue;
                const CellPixel pixel = pixelOfCell(e(), row, revision, layout);
                ASSERT_TRUE(pixel.ok) << layout << " " << row << " " << revision;
                EXPECT_TRUE(hits(cellAtPixel(e(), pixel.x, pixel.y, layout), row, revision))
                    << layout << " " << row << " " << revision;
            }
}

namespace {

// Interpolated hit tests on a hand-made table: three revisions, the range
// 1 .. 2, two shown rows.
class InterpolatedHitTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(open.loaded);
        ASSERT_EQ(e().rowCount, 2);
        e().firstRevision = 1;
        e().lastRevision = 2;
        zoom(10.0f, 10.0f);
        viewState->redistributeSpace = 0;
        viewState->balanceImage = 1;
        // Column 1: full rows. Column 2: both rows at half height, centred
        // by half a row of freed space.
        setColumn(0, {1.0f, 1.0f}, 0.0f);
        setColumn(1, {1.0f, 1.0f}, 0.0f);
        setColumn(2, {0.5f, 0.5f}, 0.5f);
    }

    void setColumn(int c, const std::vector<float>& heights, float freed)
    {
        for (size_t row = 0; row < heights.size(); ++row)
            viewState->rowHeights[row][c] = heights[row];
        viewState->rowHeights[heights.size()][c] = freed;
    }

    EvolutionFile& e() { return open.evolution(); }

    OpenEvolution open{sketchOf({"XXX", "XXX"})};
};

}  // namespace

TEST_F(InterpolatedHitTest, RowBoundariesRunStraightAcrossTheColumn)
{
    // At the left edge of column 2 the rows are those of column 1.
    EXPECT_TRUE(hits(cellAtPixel(e(), 20, 0, modeInterpolated), 0, 2));
    EXPECT_TRUE(hits(cellAtPixel(e(), 20, 19, modeInterpolated), 1, 2));
    // Halfway across, the rows start at 0.25 and end at 1.0 and 1.75.
    EXPECT_TRUE(missesIn(cellAtPixel(e(), 25, 2, modeInterpolated), 2));
    EXPECT_TRUE(hits(cellAtPixel(e(), 25, 3, modeInterpolated), 0, 2));
    EXPECT_TRUE(hits(cellAtPixel(e(), 25, 9, modeInterpolated), 0, 2));
    EXPECT_TRUE(hits(cellAtPixel(e(), 25, 10, modeInterpolated), 1, 2));
    EXPECT_TRUE(hits(cellAtPixel(e(), 25, 17, modeInterpolated), 1, 2));
    const CellHit below = cellAtPixel(e(), 25, 18, modeInterpolated);
    EXPECT_TRUE(missesIn(below, 2));
    EXPECT_EQ(below.row, 2);
    // Scrolling moves the pointer, not the rows.
    zoom(10.0f, 10.0f, 5.0f, 10.0f);
    EXPECT_TRUE(hits(cellAtPixel(e(), 20, 0, modeInterpolated), 1, 2));
    EXPECT_TRUE(missesIn(cellAtPixel(e(), 20, 8, modeInterpolated), 2));
}

TEST_F(InterpolatedHitTest, WithoutBalancingColumnsStartAtTheTop)
{
    viewState->redistributeSpace = 1;
    // Halfway across column 2 the rows now end at 0.75 and 1.5.
    EXPECT_TRUE(hits(cellAtPixel(e(), 25, 0, modeInterpolated), 0, 2));
    EXPECT_TRUE(hits(cellAtPixel(e(), 25, 8, modeInterpolated), 1, 2));
    EXPECT_TRUE(missesIn(cellAtPixel(e(), 25, 15, modeInterpolated), 2));
}

TEST_F(InterpolatedHitTest, ColumnsOutsideTheRangeHaveUnitRows)
{
    setColumn(0, {0.0f, 0.5f}, 0.7f);
    EXPECT_TRUE(hits(cellAtPixel(e(), 5, 5, modeInterpolated), 0, 0));
    EXPECT_TRUE(hits(cellAtPixel(e(), 5, 15, modeInterpolated), 1, 0));
    const CellHit below = cellAtPixel(e(), 5, 25, modeInterpolated);
    EXPECT_TRUE(missesIn(below, 0));
    EXPECT_EQ(below.row, 2);
    EXPECT_TRUE(missesIn(cellAtPixel(e(), 35, 5, modeInterpolated), 3));
    EXPECT_TRUE(missesIn(cellAtPixel(e(), -15, 5, modeInterpolated), -1));
}

TEST_F(InterpolatedHitTest, TheFirstRevisionUsesItsOwnColumnAtBothEdges)
{
    e().firstRevision = 0;
    setColumn(0, {0.0f, 1.0f}, 0.0f);
    // Row 0 has no height in column 0, at its left edge as at its right.
    EXPECT_TRUE(hits(cellAtPixel(e(), 0, 5, modeInterpolated), 1, 0));
    EXPECT_TRUE(missesIn(cellAtPixel(e(), 0, 10, modeInterpolated), 0));
}

TEST_F(InterpolatedHitTest, PixelOfCellIsTheRowTopAtTheColumnsLeftEdge)
{
    zoom(10.0f, 10.0f, 3.0f, 2.0f);
    // Column 2's left edge shows column 1; column 3's (the right edge of the
    // grid) shows column 2, half a row down.
    EXPECT_EQ(pixelOfCell(e(), 1, 2, modeInterpolated).y, 8);
    const CellPixel edge = pixelOfCell(e(), 1, 3, modeInterpolated);
    EXPECT_TRUE(edge.ok);
    EXPECT_EQ(edge.x, 27);
    EXPECT_EQ(edge.y, 8);
    EXPECT_EQ(pixelOfCell(e(), 0, 3, modeInterpolated).y, 3);
    // Revision 0 is uniform.
    setColumn(0, {0.0f, 0.5f}, 0.7f);
    EXPECT_EQ(pixelOfCell(e(), 1, 0, modeInterpolated).y, 8);
    EXPECT_FALSE(pixelOfCell(e(), 1, 4, modeInterpolated).ok);
    EXPECT_FALSE(pixelOfCell(e(), 2, 1, modeInterpolated).ok);
}

TEST(RowTopAt, SumsTheHeightsOfTheColumnBeforeTheBoundary)
{
    OpenEvolution open(sketchOf({"XXX", "XXX", "XXX"}));
    ASSERT_TRUE(open.loaded);
    const EvolutionFile& e = open.evolution();
    auto& table = viewState->rowHeights;
    table[0][1] = 0.25f;
    table[1][1] = 0.5f;
    table[2][1] = 2.0f;
    table[3][1] = 0.75f;
    viewState->redistributeSpace = 0;
    viewState->balanceImage = 1;
    EXPECT_FLOAT_EQ(rowTopAt(e, 2, 0), 0.75f);
    EXPECT_FLOAT_EQ(rowTopAt(e, 2, 2), 1.5f);
    EXPECT_FLOAT_EQ(rowTopAt(e, 2, 3), 3.5f);
    // Past the last row the rows continue at full height.
    EXPECT_FLOAT_EQ(rowTopAt(e, 2, 5), 5.5f);
    // Left of the first column the layout is uniform.
    EXPECT_FLOAT_EQ(rowTopAt(e, 0, 2), 2.0f);
    // The freed space shifts the column only while it is balanced.
    viewState->redistributeSpace = 1;
    EXPECT_FLOAT_EQ(rowTopAt(e, 2, 2), 0.75f);
    viewState->redistributeSpace = 0;
    viewState->balanceImage = 0;
    EXPECT_FLOAT_EQ(rowTopAt(e, 2, 2), 0.75f);
}

namespace {

// The twelve revisions of the heights' tests, focused on revision index 5,
// the range starting at 1 so that revision 0 is a grey column.
const std::vector<std::string> twelveRevisions = {
    "XXXXXXXXXXXX", "XXDDDDDDDDDD", "XXXXXDDDDDDD", ">>>>>>>>>>>X", "X-X|XnX-XXXX", ">>>XXXXXXXXX",
};

}  // namespace

TEST(InterpolatedRoundTrip, FindsTheRowPlacedAtEachColumnsLeftEdge)
{
    OpenEvolution open(sketchOf(twelveRevisions));
    ASSERT_TRUE(open.loaded);
    EvolutionFile& e = open.evolution();
    e.firstRevision = 1;
    e.applyViewMode(modeInterpolated);
    e.focusRevision = 5;
    const float lineSize = 20.0f;
    int checked = 0;
    for (int redistribute : {0, 1}) {
        viewState->redistributeSpace = redistribute;
        computeInterpolatedHeights(e);
        zoom(10.0f, lineSize, 30.0f, 7.0f);
        for (int revision = 0; revision < e.columnCount; ++revision)
            for (int row = 0; row < e.rowCount; ++row) {
                const CellPixel pixel = pixelOfCell(e, row, revision, modeInterpolated);
                ASSERT_TRUE(pixel.ok) << row << " " << revision;
                // The top may fall inside the pixel; one below is inside the
                // row wherever the row is two pixels high.
                const float leftHeight = revision > 0 ? viewState->rowHeights[row][revision - 1] : 1.0f;
                if (leftHeight * lineSize < 2.0f)
                    continue;
                EXPECT_TRUE(hits(cellAtPixel(e, pixel.x, pixel.y + 1, modeInterpolated), row, revision))
                    << redistribute << " " << row << " " << revision;
                ++checked;
            }
    }
    EXPECT_GT(checked, 80);
}

TEST(HitTestBounds, EmptyGridsAndTablesMissWithoutReading)
{
    OpenEvolution open(sketchOf({"XXX", "XXX", "XXX"}));
    EvolutionFile& e = open.evolution();
    zoom(10.0f, 5.0f);
    EvolutionFile empty("", "", nullptr);
    for (int layout : {0, 1, 2, 7}) {
        EXPECT_FALSE(cellAtPixel(empty, 0, 0, layout).hit) << layout;
        EXPECT_FALSE(pixelOfCell(empty, 0, 0, layout).ok) << layout;
    }
    EXPECT_FLOAT_EQ(rowTopAt(empty, 1, 3), 3.0f);

    // A table smaller than the grid shown: the Interpolated layout has no
    // rows to walk, the others do not need it.
    viewState->release();
    viewState->tableRows = 1;
    viewState->tableColumns = 1;
    viewState->reset();
    zoom(10.0f, 5.0f);
    EXPECT_FALSE(cellAtPixel(e, 15, 2, modeInterpolated).hit);
    EXPECT_FALSE(pixelOfCell(e, 1, 2, modeInterpolated).ok);
    EXPECT_FLOAT_EQ(rowTopAt(e, 2, 1), 1.0f);
    EXPECT_TRUE(hits(cellAtPixel(e, 15, 2, modeHorizontal), 0, 1));
    // A zoom of 0 puts every pixel far outside the grid.
    zoom(0.0f, 0.0f);
    for (int layout : {modeNormal, modeHorizontal, modeInterpolated})
        EXPECT_FALSE(cellAtPixel(e, 3, 3, layout).hit) << layout;
}
