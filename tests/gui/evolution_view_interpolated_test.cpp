#include <cmath>
#include <cstdlib>

#include <gtest/gtest.h>

#include "app/globals.h"
#include "colouring/colour_maps.h"
#include "evolution/evolution_file.h"
#include "support/canvas_test.h"
#include "support/open_evolution.h"
#include "view/evolution_view.h"
#include "view/geometry/interpolated_heights.h"
#include "view/geometry/row_top.h"

namespace {

constexpr int evolution = 1, authors = 2, linePosition = 3;
constexpr int constant = 0, modified = 1;

// Statuses: X constant, - modified, n replaced by deletion, | replaced by
// addition, > added (not there yet), < deleted (gone).

class InterpolatedView : public CanvasTest {
protected:
    // The sketch in the Interpolated layout, plain columns, coloured by line
    // position, no pointer aids.
    void show(const EvolutionSketch& sketch, int width, int height, float versionSize, float lineSize)
    {
        open(sketch, width, height, versionSize, lineSize);
        harness->view().layoutMode = modeInterpolated;
        viewState->antiAliasing = 0;
        viewState->attributeIndex = linePosition;
        viewState->pointerMode = 0;
    }

    static Rgb rowColour(int row)
    {
        return rainbowColour(static_cast<float>(row) / static_cast<float>(currentEvolution->rowCount));
    }
    // What a range column shows of a row: absent rows in their status colour.
    static Rgb rowColourAt(int row, int c)
    {
        const int s = currentEvolution->status(row, c);
        return isPresentStatus(s) ? rowColour(row) : statusColours[s];
    }
    static Rgb background() { return greyOf(0.8f); }

    // Equal but for the rounding of a colour that falls halfway between two
    // levels, which the renderer may settle either way from frame to frame.
    static bool same(const Rgba& a, const Rgba& b)
    {
        return std::abs(a.red - b.red) <= 1 && std::abs(a.green - b.green) <= 1 && std::abs(a.blue - b.blue) <= 1;
    }
    // The number of pixels of pixel column x that differ between two frames.
    static int changedInColumn(const Frame& a, const Frame& b, int x)
    {
        int changed = 0;
        for (int y = 0; y < a.height; ++y)
            changed += same(a.at(x, y), b.at(x, y)) ? 0 : 1;
        return changed;
    }
};

// Four rows over five revisions, revisions 2 to 5 shown, focus on revision
// 4 (column 3). Row 1 is added only in the last revision, so it shrinks
// towards the focus: three quarters high at the right edge of column 1,
// next to nothing from column 2 on.
class InterpolatedShrinking : public InterpolatedView {
protected:
    void SetUp() override
    {
        EvolutionSketch sketch;
        sketch.statuses = {"XXXXX", ">>>>X", "XXXXX", "X-XXX"};
        sketch.authors = {"ann", "ann", "ann", "ann", "ann"};
        show(sketch, 200, 100, 40.0f, 20.0f);
        currentEvolution->setRevisionRange(modeInterpolated, 2, 5);
        currentEvolution->setFocusRevision(modeInterpolated, 3);
        ASSERT_EQ(currentEvolution->firstRevision, 1);
        ASSERT_EQ(currentEvolution->focusRevision, 3);
        ASSERT_EQ(currentEvolution->rowCount, 4);
    }

    // The row whose full-height band holds the centre of pixel row p.
    static int fullRowAt(int p) { return static_cast<int>((p + 0.5f) / 20.0f); }
};

TEST_F(InterpolatedShrinking, FirstRangeColumnStartsFromFullRowsLikeTheGreyColumnBeforeIt)
{
    const Frame frame = draw();
    for (int p = 0; p < 80; ++p) {
        const int row = fullRowAt(p);
        ASSERT_TRUE(showsColour(frame.fromTop(41, p), rowColourAt(row, 1))) << "pixel row " << p;
        const float grey = outOfRangeGrey(currentEvolution->status(row, 0));
        ASSERT_TRUE(showsColour(frame.fromTop(38, p), greyOf(grey))) << "pixel row " << p;
    }
    EXPECT_TRUE(showsColour(frame.fromTop(41, 90), background()));
    // At its right edge row 1 has shrunk, and row 2 has moved up into its
    // full-height place.
    EXPECT_TRUE(showsColour(frame.fromTop(41, 38), rowColourAt(1, 1)));
    EXPECT_TRUE(showsColour(frame.fromTop(78, 38), rowColour(2)));
}

TEST_F(InterpolatedShrinking, FocusColumnIsAFlatBandOfTheColumnBeforeIt)
{
    for (int smooth : {0, 1}) {
        viewState->antiAliasing = smooth;
        const Frame frame = draw();
        SCOPED_TRACE(smooth);
        // Clear of the focus marker's bars and arrowheads.
        const int left = 3 * 40 + 3, right = 4 * 40 - 4;
        for (int p = 12; p < 88; ++p)
            ASSERT_TRUE(same(frame.fromTop(left, p), frame.fromTop(right, p))) << "pixel row " << p;
        // Row 1 is gone there: row 2 follows row 0 directly, each of the two
        // a third taller for the space row 1 gave up. (Anti-aliased, each
        // row's quadrilateral takes in the part of the row above that shares
        // its first pixel row.)
        if (!smooth) {
            EXPECT_TRUE(showsColour(frame.fromTop(left, 15), rowColour(0)));
            EXPECT_TRUE(showsColour(frame.fromTop(left, 40), rowColour(2)));
        }
    }
}

TEST_F(InterpolatedShrinking, RedistributedColumnsFillTheFullHeightAndPackedOnesLeaveTheFreedSpaceBelow)
{
    // Column 2, the one before the focus, as drawn at its right edge.
    viewState->redistributeSpace = 1;
    Frame frame = draw();
    EXPECT_TRUE(showsColour(frame.fromTop(157, 78), rowColour(3)));
    viewState->redistributeSpace = 0;
    viewState->balanceImage = 0;
    frame = draw();
    EXPECT_TRUE(showsColour(frame.fromTop(157, 58), rowColour(3)));
    EXPECT_TRUE(showsColour(frame.fromTop(157, 62), background()));
}

// Every pixel shows the row whose edges, straight from the column's left
// edge to its right edge, enclose the pixel's centre: in columns of many
// pixels, of one or two, and narrower than a pixel alike.
TEST_F(InterpolatedView, EachPixelShowsTheRowWhoseSlopingEdgesEncloseItsCentre)
{
    EvolutionSketch sketch;
    sketch.statuses = {
        std::string(20, 'X'),
        std::string(15, '>') + std::string(5, 'X'),  // added after the focus
        std::string(20, 'X'),
        std::string(8, 'X') + std::string(12, '<'),  // deleted before it
        std::string(20, 'X'),
        "X-XXXXXXXXXXXX-XXXXX",
    };
    sketch.authors.assign(20, "ann");
    const int focus = 14;
    for (float versionSize : {30.0f, 1.5f, 0.4f}) {
        const int width = static_cast<int>(20 * versionSize);
        show(sketch, width, 180, versionSize, 30.0f);
        EvolutionFile& e = *currentEvolution;
        e.setFocusRevision(modeInterpolated, focus);
        viewState->redistributeSpace = 0;
        viewState->balanceImage = 1;
        const Frame frame = draw();
        int checked = 0;
        for (int x = 0; x < width; ++x) {
            const float centre = (x + 0.5f) / versionSize;
            const int c = static_cast<int>(centre);
            const float t = centre - static_cast<float>(c);
            // Clear of the focus marker's bars.
            if (std::fabs(x + 0.5f - focus * versionSize) < 1.5f ||
                std::fabs(x + 0.5f - (focus + 1) * versionSize) < 1.5f)
                continue;
            if (c == focus)
                continue;
            std::vector<float> edges;
            for (int i = 0; i <= e.rowCount; ++i)
                edges.push_back((1.0f - t) * rowTopAt(e, c, i) + t * rowTopAt(e, c + 1, i));
            for (int p = 0; p < 180; ++p) {
                const float y = (p + 0.5f) / 30.0f;
                bool nearEdge = false;
                int row = -1;
                for (int i = 0; i <= e.rowCount; ++i) {
                    nearEdge = nearEdge || std::fabs(y - edges[i]) < 0.01f;
                    if (y >= edges[i])
                        row = i;
                }
                if (nearEdge)
                    continue;
                const Rgb expected = row >= 0 && row < e.rowCount ? rowColourAt(row, c) : background();
                ASSERT_TRUE(showsColour(frame.fromTop(x, p), expected))
                    << "version size " << versionSize << ", pixel " << x << ", " << p << ", row " << row;
                ++checked;
            }
        }
        EXPECT_GT(checked, width * 80) << "version size " << versionSize;
        harness.reset();
        closeTestEvolution();
    }
}

TEST(InterpolatedColumnsOutsideTheRange, AreGreyRowsOfFullHeightWhateverTheFocus)
{
    TempDirectory directory;
    EvolutionSketch sketch;
    // Row 1 is deleted from revision 3 on: it shrinks inside the range and
    // is absent, yet full height, in the last column.
    sketch.statuses = {"XXXXXX", "XX<<<<", "-XXXX-", ">XXXX<", "nXXXX|"};
    sketch.authors = {"ann", "ann", "ann", "ann", "ann", "ann"};
    ASSERT_TRUE(openTestEvolution(directory, sketch));
    EvolutionViewHarness harness(240, 60);
    harness.view().layoutMode = modeInterpolated;
    viewState->versionSize = 40.0f;
    viewState->lineSize = 10.0f;
    viewState->versionDrawing = 2;
    EvolutionFile& e = *currentEvolution;
    e.setRevisionRange(modeInterpolated, 2, 5);
    ASSERT_EQ(e.rowCount, 5);
    for (int smooth : {0, 1}) {
        viewState->antiAliasing = smooth;
        for (int focus : {2, 3, 4}) {
            e.setFocusRevision(modeInterpolated, focus);
            ASSERT_EQ(e.focusRevision, focus);
            const Frame frame = harness.drawFrame();
            for (int c : {0, 5})
                for (int i = 0; i < 5; ++i)
                    EXPECT_TRUE(showsColour(frame.fromTop(c * 40 + 20, i * 10 + 5), greyOf(outOfRangeGrey(e.status(i, c)))))
                        << "focus " << focus << ", column " << c << ", row " << i << ", smooth " << smooth;
        }
    }
    closeTestEvolution();
}

TEST_F(InterpolatedView, WithoutRowsTheLayoutDrawsNothing)
{
    EvolutionSketch sketch;
    sketch.statuses = {"XXX", "-XX"};
    sketch.authors = {"ann", "bob", "cid"};
    show(sketch, 60, 40, 20.0f, 10.0f);
    const Frame withRows = draw();
    ASSERT_FALSE(showsColour(withRows.fromTop(30, 5), background()));
    currentEvolution->rowCount = 0;
    for (int smooth : {0, 1}) {
        viewState->antiAliasing = smooth;
        const Frame frame = draw();
        for (int y = 0; y < frame.height; ++y)
            for (int x = 0; x < frame.width; ++x)
                ASSERT_TRUE(showsColour(frame.at(x, y), background())) << x << ", " << y << ", smooth " << smooth;
    }
}

TEST_F(InterpolatedView, PlainRowsThinnerThanAPixelShowTheRowAtEachPixelCentre)
{
    // Only rows that reach a pixel centre are drawn; the picture must be
    // the one of drawing them all.
    EvolutionSketch sketch;
    sketch.statuses.assign(40, "XX");
    sketch.authors = {"ann", "ann"};
    show(sketch, 20, 12, 10.0f, 2.0f / 7.0f);
    const Frame frame = draw();
    for (int p = 0; p < 11; ++p) {
        // Pixel row p from the top has its centre 3.5 (p + 0.5) rows down.
        const int row = static_cast<int>((p + 0.5f) * 3.5f);
        EXPECT_TRUE(showsColour(frame.fromTop(5, p), rowColour(row))) << "pixel row " << p;
        EXPECT_TRUE(showsColour(frame.fromTop(15, p), rowColour(row))) << "pixel row " << p;
    }
    EXPECT_TRUE(showsColour(frame.fromTop(5, 11), background()));
}

// Anti-aliased columns: rows are gathered into quadrilaterals between whole
// pixel rows, each of the area-averaged colour of what it covers.
class InterpolatedSmooth : public InterpolatedView {
protected:
    void showRows(int rows, int height, float lineSize, const char* statuses = "XX")
    {
        EvolutionSketch sketch;
        sketch.statuses.assign(rows, statuses);
        sketch.authors = {"ann", "ann"};
        show(sketch, 40, height, 20.0f, lineSize);
        viewState->antiAliasing = 1;
    }
};

TEST_F(InterpolatedSmooth, RowsOfWholePixelsKeepTheirOwnPixelAlignedQuadrilaterals)
{
    for (int size : {1, 3}) {
        showRows(8, 30, static_cast<float>(size));
        const Frame frame = draw();
        for (int p = 0; p < 8 * size; ++p)
            EXPECT_TRUE(showsColour(frame.fromTop(25, p), rowColour(p / size))) << "size " << size << ", pixel " << p;
        EXPECT_TRUE(showsColour(frame.fromTop(25, 8 * size), background())) << "size " << size;
        harness.reset();
        closeTestEvolution();
    }
}

TEST_F(InterpolatedSmooth, ARowAcrossAPixelBoundaryLendsItsShareToBothPixelRows)
{
    // At 1.5 pixels a row, pixel row 0 holds row 0 alone; pixel rows 1 and 2
    // share one quadrilateral of half a pixel of row 0 and all of row 1.
    showRows(4, 10, 1.5f);
    const Frame frame = draw();
    const Rgb a = rowColour(0), b = rowColour(1);
    const Rgb mixed = {(a[0] * 0.5f + b[0] * 1.5f) / 2.0f, (a[1] * 0.5f + b[1] * 1.5f) / 2.0f,
                       (a[2] * 0.5f + b[2] * 1.5f) / 2.0f};
    EXPECT_TRUE(showsColour(frame.fromTop(25, 0), a));
    EXPECT_TRUE(showsColour(frame.fromTop(25, 1), mixed));
    EXPECT_TRUE(showsColour(frame.fromTop(25, 2), mixed));
}

TEST_F(InterpolatedSmooth, AboutTenRowsOfATenthOfAPixelMergeIntoTheirMeanColour)
{
    showRows(110, 10, 0.1f);
    const Frame frame = draw();
    for (int p = 0; p < 10; ++p) {
        Rgb mean = {0.0f, 0.0f, 0.0f};
        for (int i = 10 * p; i < 10 * p + 10; ++i)
            for (int channel = 0; channel < 3; ++channel)
                mean[channel] += rowColour(i)[channel] / 10.0f;
        EXPECT_TRUE(showsColour(frame.fromTop(5, p), mean)) << "pixel row " << p;
        EXPECT_TRUE(showsColour(frame.fromTop(25, p), mean)) << "pixel row " << p;
    }
}

TEST_F(InterpolatedSmooth, EvolutionMixesTheStatusColoursByArea)
{
    EvolutionSketch sketch;
    for (int i = 0; i < 110; ++i)
        sketch.statuses.push_back(i % 2 == 0 ? "XX" : "--");
    sketch.authors = {"ann", "ann"};
    show(sketch, 40, 10, 20.0f, 0.1f);
    viewState->antiAliasing = 1;
    viewState->attributeIndex = evolution;
    const Frame frame = draw();
    const Rgb& c = statusColours[constant];
    const Rgb& m = statusColours[modified];
    const Rgb half = {(c[0] + m[0]) / 2.0f, (c[1] + m[1]) / 2.0f, (c[2] + m[2]) / 2.0f};
    for (int p = 0; p < 10; ++p)
        EXPECT_TRUE(showsColour(frame.fromTop(25, p), half)) << "pixel row " << p;
}

TEST_F(InterpolatedView, AuthorsChangeOnlyWhereTheRowAuthorRuleSaysTheLineChanged)
{
    EvolutionSketch sketch;
    sketch.statuses = {
        "X--X",  // modified in two consecutive revisions: the second's author
        "X-XX",  // modified once: keeps the first revision's author
        "XnXX",  // replaced by deletion in revision 1
    };
    sketch.authors = {"ann", "bob", "cid", "dan"};
    show(sketch, 80, 30, 20.0f, 10.0f);
    viewState->attributeIndex = authors;
    const Rgb ann = identifierColours[0], bob = identifierColours[1], cid = identifierColours[2];
    const Rgb expected[3][4] = {{ann, ann, cid, cid}, {ann, ann, ann, ann}, {ann, bob, bob, bob}};
    for (int smooth : {0, 1}) {
        viewState->antiAliasing = smooth;
        const Frame frame = draw();
        for (int i = 0; i < 3; ++i)
            for (int c = 0; c < 4; ++c)
                EXPECT_TRUE(showsColour(cellAt(frame, c, i), expected[i][c]))
                    << "row " << i << ", column " << c << ", smooth " << smooth;
    }
}

TEST_F(InterpolatedView, AuthorsFollowColumnsThatFallBetweenPixels)
{
    // Revision 5 adds the line; at 0.4 pixels a column it covers no pixel
    // centre, but revisions 6 and 8, which do, show its author.
    EvolutionSketch sketch;
    sketch.statuses = {">>>>>XXXXX"};
    sketch.authors = {"a0", "a1", "a2", "a3", "a4", "a5", "a6", "a7", "a8", "a9"};
    show(sketch, 4, 10, 0.4f, 10.0f);
    viewState->attributeIndex = authors;
    for (int smooth : {0, 1}) {
        viewState->antiAliasing = smooth;
        const Frame frame = draw();
        EXPECT_TRUE(showsColour(frame.at(2, 5), identifierColours[5])) << "smooth " << smooth;
        EXPECT_TRUE(showsColour(frame.at(3, 5), identifierColours[5])) << "smooth " << smooth;
    }
}

// The block overlay over six rows of four revisions, 40 x 20 pixels a cell.
class InterpolatedBlocks : public InterpolatedView {
protected:
    void SetUp() override
    {
        EvolutionSketch sketch;
        sketch.statuses.assign(6, "XXXX");
        sketch.authors = {"ann", "ann", "ann", "ann"};
        show(sketch, 160, 120, 40.0f, 20.0f);
        currentEvolution->blocks.clear();
        viewState->displayBlocks = 1;
        // The overlay reads the heights the last computation left; a table
        // just made holds none yet.
        computeInterpolatedHeights(*currentEvolution);
    }

    static void addBlock(int firstRow, int firstRevision, int lastRow, int lastRevision, float level)
    {
        currentEvolution->blocks.push_back({firstRow, firstRevision, lastRow, lastRevision, level});
    }

    // The shading factor of the flat block cushion at texture position (s,
    // t), with the background's and the plain revision drawing's shares.
    static float cushionAt(float s, float t)
    {
        const float q = blockBlending, m = viewState->blendingRatio;
        // Linear filtering samples texel i at s = (i + 0.5) / 256.
        const float u = t - 0.5f / 256.0f, w = s - 0.5f / 256.0f;
        const float profile = (1.0f - q) * (1.0f - (2.0f * u - 1.0f) * (2.0f * u - 1.0f)) *
                                  (1.0f - (2.0f * w - 1.0f) * (2.0f * w - 1.0f)) + q;
        return std::fmin(profile, 1.0f) * (1.0f - m) + m;
    }
};

TEST_F(InterpolatedBlocks, AOneRevisionBlockSpansTheWholeTextureAcrossItsColumn)
{
    addBlock(1, 2, 4, 2, 10.0f);
    viewState->blocksAbove = 10;
    const Frame frame = draw();
    // Row 2, three eighths down the block's four rows.
    const int p = 50;
    const float t = (p + 0.5f - 20.0f) / 80.0f;
    for (int x : {81, 99, 118}) {
        const float s = (x + 0.5f - 80.0f) / 40.0f;
        EXPECT_TRUE(showsColour(frame.fromTop(x, p), times(rowColour(2), cushionAt(s, t)), 3)) << "x " << x;
    }
    // Outside the block the rows keep their full colour.
    EXPECT_TRUE(showsColour(frame.fromTop(70, p), rowColour(2)));
    EXPECT_TRUE(showsColour(frame.fromTop(99, 10), rowColour(0)));
}

TEST_F(InterpolatedBlocks, OnlyBlocksReachingTheThresholdAreDrawn)
{
    addBlock(0, 0, 1, 0, 2.0f);
    addBlock(3, 2, 5, 3, 3.0f);
    viewState->displayBlocks = 0;
    const Frame none = draw();
    viewState->displayBlocks = 1;
    viewState->blocksAbove = 4;
    const Frame above = draw();
    EXPECT_EQ(above.rgba, none.rgba);
    viewState->blocksAbove = 3;
    const Frame atThree = draw();
    EXPECT_EQ(changedInColumn(none, atThree, 5), 0);
    EXPECT_EQ(changedInColumn(none, atThree, 100), 60);
    viewState->blocksAbove = 0;
    const Frame all = draw();
    EXPECT_EQ(changedInColumn(none, all, 5), 40);
}

TEST_F(InterpolatedView, BlocksShadeColumnsNarrowerThanAPixel)
{
    // Forty revisions on sixteen pixels; the block covers rows 1 to 4 of
    // revisions 10 to 29, pixels 4 to 11.
    EvolutionSketch sketch;
    sketch.statuses.assign(6, std::string(40, 'X'));
    sketch.authors.assign(40, "ann");
    show(sketch, 16, 60, 0.4f, 10.0f);
    EvolutionFile& e = *currentEvolution;
    e.blocks = {{1, 10, 4, 29, 10.0f}};
    viewState->blocksAbove = 10;
    computeInterpolatedHeights(e);
    const Frame none = draw();
    viewState->displayBlocks = 1;
    const Frame shaded = draw();
    for (int x : {5, 6, 9, 10}) {
        EXPECT_EQ(changedInColumn(none, shaded, x), 40) << "x " << x;
        EXPECT_TRUE(same(none.fromTop(x, 9), shaded.fromTop(x, 9))) << "x " << x;
        EXPECT_FALSE(same(none.fromTop(x, 10), shaded.fromTop(x, 10))) << "x " << x;
    }
    for (int x : {2, 13})
        EXPECT_EQ(changedInColumn(none, shaded, x), 0) << "x " << x;
}

TEST_F(InterpolatedView, ABlockFromTheFirstRevisionStartsAtTheUniformRowsAndFollowsTheHeightsToTheRight)
{
    // Row 1 is added only in the last revision and shrinks towards the
    // focus on revision 3: three quarters high at the right edge of column
    // 0, with the columns packed at the top.
    EvolutionSketch sketch;
    sketch.statuses = {"XXXX", ">>>X", "XXXX", "XXXX"};
    sketch.authors = {"ann", "ann", "ann", "ann"};
    show(sketch, 160, 200, 40.0f, 40.0f);
    EvolutionFile& e = *currentEvolution;
    e.setFocusRevision(modeInterpolated, 2);
    viewState->redistributeSpace = 0;
    viewState->balanceImage = 0;
    e.blocks = {{2, 0, 3, 0, 10.0f}};
    viewState->displayBlocks = 1;
    viewState->blocksAbove = 10;
    // The overlay follows the heights the last computation left.
    computeInterpolatedHeights(e);
    const Frame frame = draw();
    const auto darkened = [](const Rgba& pixel, const Rgb& full) {
        return pixel.green < full[1] * 255.0f * 0.6f;
    };
    // At the left edge the block's top is the top of row 2 (y = 80): above
    // it row 1 at full colour, below it the block's dark rim.
    EXPECT_TRUE(showsColour(frame.fromTop(1, 76), rowColourAt(1, 0)));
    EXPECT_TRUE(darkened(frame.fromTop(1, 83), rowColour(2)));
    // At the right edge row 2 begins at 1.75 rows (y = 70).
    EXPECT_TRUE(darkened(frame.fromTop(38, 73), rowColour(2)));
    EXPECT_FALSE(darkened(frame.fromTop(38, 66), rowColourAt(1, 0)));
}

TEST_F(InterpolatedView, TheFirstFrameAfterAFocusChangeDrawsTheBlocksAtTheNewRows)
{
    // Row 1 is deleted in revision 2 (column 2). Focused on column 3 it
    // keeps its full height in column 1; focused on column 2 it is gone
    // there, so at the right edge of column 1 the block over rows 2 and 3
    // rises from the top of row 2 (y = 40) to one row down (y = 20).
    EvolutionSketch sketch;
    sketch.statuses = {"XXXX", "XX<<", "XXXX", "XXXX"};
    sketch.authors = {"ann", "ann", "ann", "ann"};
    show(sketch, 160, 80, 40.0f, 20.0f);
    EvolutionFile& e = *currentEvolution;
    viewState->redistributeSpace = 0;
    viewState->balanceImage = 0;
    viewState->blocksAbove = 10;
    e.blocks = {{2, 1, 3, 1, 10.0f}};
    e.setFocusRevision(modeInterpolated, 3);
    ASSERT_EQ(e.focusRevision, 3);
    const Frame before = draw();
    viewState->displayBlocks = 1;
    draw();

    e.setFocusRevision(modeInterpolated, 2);
    ASSERT_EQ(e.focusRevision, 2);
    const Frame first = draw();
    const Frame settled = draw();
    for (int x : {42, 60, 77})
        EXPECT_EQ(changedInColumn(first, settled, x), 0) << "x " << x;
    // Near the right edge, between the two tops, row 2 now lies over the
    // block's rim; above it row 0 stays unshaded.
    viewState->displayBlocks = 0;
    const Frame plain = draw();
    EXPECT_FALSE(same(first.fromTop(77, 30), plain.fromTop(77, 30)));
    EXPECT_TRUE(same(first.fromTop(77, 10), plain.fromTop(77, 10)));
    // There the rows themselves have moved: row 1 showed before.
    EXPECT_FALSE(same(before.fromTop(77, 30), plain.fromTop(77, 30)));
}

// The pointer highlight over four rows of four revisions that never change.
class InterpolatedHighlight : public InterpolatedView {
protected:
    void SetUp() override
    {
        EvolutionSketch sketch;
        sketch.statuses.assign(4, "XXXX");
        sketch.authors = {"ann", "ann", "ann", "ann"};
        show(sketch, 160, 60, 40.0f, 10.0f);
        viewState->pointerRow = 1;
        viewState->pointerRevision = 1;
    }

    Frame drawInMode(int mode)
    {
        viewState->pointerMode = mode;
        return draw();
    }
};

TEST_F(InterpolatedHighlight, RevisionModeDarkensTheColumnToTwoPixelsPastItsRightEdgeAndTracesNothing)
{
    const Frame plain = drawInMode(0);
    const Frame shaded = drawInMode(3);
    for (int x : {40, 60, 80, 81})
        EXPECT_EQ(changedInColumn(plain, shaded, x), 60) << "x " << x;
    for (int x : {10, 39, 82, 100, 140})
        EXPECT_EQ(changedInColumn(plain, shaded, x), 0) << "x " << x;
    EXPECT_TRUE(showsColour(shaded.fromTop(60, 5), times(rowColour(0), 0.8f)));
}

TEST_F(InterpolatedHighlight, RowModeTracesTheRowBottomWithoutTheBand)
{
    const Frame plain = drawInMode(0);
    const Frame traced = drawInMode(2);
    // Along the bottom of row 1, y = 20, in every column: as wide as a row.
    for (int x : {20, 60, 100, 140}) {
        EXPECT_EQ(changedInColumn(plain, traced, x), 10) << "x " << x;
        EXPECT_TRUE(showsColour(traced.fromTop(x, 15), times(rowColour(1), 0.5f))) << "x " << x;
        EXPECT_TRUE(showsColour(traced.fromTop(x, 24), times(rowColour(2), 0.5f))) << "x " << x;
        EXPECT_TRUE(showsColour(traced.fromTop(x, 25), rowColour(2))) << "x " << x;
    }
}

TEST_F(InterpolatedHighlight, AnchoredModeDrawsBandAndTrace)
{
    const Frame plain = drawInMode(0);
    const Frame both = drawInMode(1);
    EXPECT_EQ(changedInColumn(plain, both, 60), 60);
    EXPECT_TRUE(showsColour(both.fromTop(60, 19), times(rowColour(1), 0.8f * 0.5f)));
    EXPECT_EQ(changedInColumn(plain, both, 20), 10);
}

TEST_F(InterpolatedHighlight, TraceIsAsWideAsARowAndAtLeastTwoPixels)
{
    for (float lineSize : {1.0f, 6.0f}) {
        viewState->lineSize = lineSize;
        const Frame plain = drawInMode(0);
        const Frame traced = drawInMode(2);
        EXPECT_EQ(changedInColumn(plain, traced, 20), lineSize > 2.0f ? 6 : 2) << "line size " << lineSize;
    }
}

TEST_F(InterpolatedHighlight, TraceFollowsTheColumnsLayoutAndTheirBalance)
{
    // Row 1, deleted at the focus on revision 2, has no height in column 1;
    // centred, that column's rows start half a row down.
    harness.reset();
    closeTestEvolution();
    EvolutionSketch sketch;
    sketch.statuses = {"XXXX", "XX<<", "XXXX", "XXXX"};
    sketch.authors = {"ann", "ann", "ann", "ann"};
    show(sketch, 160, 60, 40.0f, 10.0f);
    currentEvolution->setFocusRevision(modeInterpolated, 2);
    viewState->redistributeSpace = 0;
    viewState->pointerRow = 0;
    for (int balance : {0, 1}) {
        viewState->balanceImage = balance;
        const Frame plain = drawInMode(0);
        const Frame traced = drawInMode(2);
        // From the left edge of column 1 to that of the focus column the
        // trace lies at the bottom of row 0 in column 1's layout, ten
        // pixels wide.
        const int y = balance ? 15 : 10;
        EXPECT_EQ(changedInColumn(plain, traced, 60), 10) << "balance " << balance;
        EXPECT_FALSE(same(plain.fromTop(60, y - 5), traced.fromTop(60, y - 5))) << "balance " << balance;
        EXPECT_FALSE(same(plain.fromTop(60, y + 4), traced.fromTop(60, y + 4))) << "balance " << balance;
    }
}

}  // namespace
