// The three layouts against a model computed straight from the status
// matrix, over random histories, then the overlays and the merged rows
// whose rules a model would only restate.

#include <cmath>
#include <random>

#include "app/globals.h"
#include "evolution/evolution_file.h"
#include "support/gl_harness.h"
#include "view/evolution_view.h"
#include "view/geometry/interpolated_heights.h"
#include "view/geometry/row_top.h"

namespace {

constexpr int content = 0, evolution = 1, authors = 2, linePosition = 3;
constexpr int constant = 0, modified = 1, added = 4, deleted = 5;
const int classes[] = {classPlain, classComment, classString, classReference, classBlock, classBlock + 4};

Rgb mean(const std::vector<std::pair<float, Rgb>>& weighted)
{
    Rgb total{};
    float weight = 0.0f;
    for (const auto& [w, colour] : weighted) {
        weight += w;
        for (int i = 0; i < 3; ++i)
            total[i] += w * colour[i];
    }
    return times(total, 1.0f / weight);
}

float baseGrey()
{
    const Rgb& k = statusColours[constant];
    return (k[0] + k[1] + k[2]) / 12.0f + 0.75f;
}

// What a present cell of `row` in column c shows in the scheme.
Rgb presentColour(int layout, int scheme, int row, int c)
{
    const EvolutionFile& e = *currentEvolution;
    const float share = static_cast<float>(row) / static_cast<float>(e.rowCount);
    if (scheme == content)
        return contentColours[e.rowClasses[row][c]];
    if (scheme == linePosition)
        return rainbowColour(share);
    const Rgb& k = statusColours[e.status(row, c)];
    return layout == modeNormal ? times(k, share * 0.6f + 0.4f) : k;
}

bool inRange(int c)
{
    return c >= currentEvolution->firstRevision && c <= currentEvolution->lastRevision;
}

// The model of a pixel centre at grid position (gx, gy) in the Normal and
// Horizontal layouts.
Rgb expectedCell(int layout, int scheme, int c, int k)
{
    const EvolutionFile& e = *currentEvolution;
    if (layout == modeHorizontal) {
        if (k >= e.rowCount)
            return greyOf(0.8f);
        if (!inRange(c))
            return greyOf(outOfRangeGrey(e.status(k, c)));
        return e.rowPresent(k, c) ? presentColour(layout, scheme, k, c) : statusColours[e.status(k, c)];
    }
    if (!inRange(c))
        return greyOf(k < e.maxRevisionLength ? 0.9f * baseGrey() : k < e.rowCount ? baseGrey() : 0.8f);
    int place = 0;
    for (int row = 0; row < e.rowCount; ++row)
        if (e.rowPresent(row, c) && place++ == k)
            return presentColour(layout, scheme, row, c);
    return greyOf(k < e.rowCount ? baseGrey() : 0.8f);
}

struct Shape {
    int layout, lines, revisions;
    float versionSize, lineSize;
    bool range;
};

class Layouts : public CanvasTest {
protected:
    void openRandom(const Shape& s, unsigned seed)
    {
        EvolutionSketch sketch;
        sketch.statuses = randomStatuses(seed, s.lines, s.revisions);
        sketch.authors.assign(s.revisions, "ann");
        const int width = static_cast<int>(s.revisions * s.versionSize);
        open(sketch, width, std::min(200, static_cast<int>(s.lines * s.lineSize) + 6), s.versionSize, s.lineSize,
             s.layout);
        std::mt19937 random(seed);
        EvolutionFile& e = *currentEvolution;
        for (int row = 0; row < e.rowCount; ++row)
            for (int c = 0; c < e.columnCount; ++c)
                e.rowClasses[row][c] = classes[random() % 6];
        if (s.range) {
            const int first = 1 + static_cast<int>(random() % 3);
            e.setRevisionRange(s.layout, first, first + static_cast<int>(random() % (s.revisions - first)));
        }
        if (s.layout == modeInterpolated)
            e.setFocusRevision(modeInterpolated, static_cast<int>(random() % s.revisions));
        if (seed == 3)
            statusColours[constant] = {0.3f, 0.5f, 0.2f};
    }

    void openGrid(std::vector<std::string> statuses, int layout, int width, int height, float versionSize,
                  float lineSize, std::vector<std::string> names = {"ann", "bob", "cid", "dan"})
    {
        EvolutionSketch sketch;
        sketch.statuses = std::move(statuses);
        sketch.authors = std::move(names);
        sketch.authors.resize(sketch.statuses[0].size(), "ann");
        open(sketch, width, height, versionSize, lineSize, layout);
        viewState->attributeIndex = linePosition;
    }

    Frame drawIn(int mode)
    {
        viewState->pointerMode = mode;
        return draw();
    }
    static int changedInColumn(const Frame& a, const Frame& b, int x)
    {
        int changed = 0;
        for (int y = 0; y < a.height; ++y)
            changed += showsColour(a.at(x, y), colourOf(b.at(x, y)), 1) ? 0 : 1;
        return changed;
    }
    static Rgb row(int i) { return rainbowColour(static_cast<float>(i) / currentEvolution->rowCount); }
};

TEST_F(Layouts, NormalAndHorizontalCellsMatchTheStatusMatrixAtEveryPixelCentre)
{
    const Shape shapes[] = {
        {modeNormal, 12, 6, 20.0f, 8.0f, false},      {modeNormal, 12, 6, 20.0f, 8.0f, true},
        {modeNormal, 40, 8, 10.0f, 2.0f / 7.0f, false}, {modeNormal, 8, 20, 0.4f, 10.0f, false},
        {modeNormal, 350, 2, 10.0f, 2.0f / 7.0f, false}, {modeHorizontal, 12, 6, 20.0f, 8.0f, false},
        {modeHorizontal, 12, 6, 20.0f, 8.0f, true},   {modeHorizontal, 20, 4, 10.0f, 1.0f, false},
        {modeHorizontal, 8, 20, 0.4f, 10.0f, true},
    };
    for (unsigned seed = 1; seed <= 3; ++seed)
        for (const Shape& s : shapes) {
            openRandom(s, seed);
            for (int scheme : {content, evolution, linePosition}) {
                viewState->attributeIndex = scheme;
                const Frame frame = draw();
                for (int x = 0; x < frame.width; x += 3)
                    for (int p = 0; p < frame.height; ++p) {
                        const float gx = (x + 0.5f) / s.versionSize, gy = (p + 0.5f) / s.lineSize;
                        if (std::fabs(gy - std::round(gy)) < 0.01f || std::fabs(gx - std::round(gx)) < 0.01f)
                            continue;
                        const Rgb expected = expectedCell(s.layout, scheme, static_cast<int>(gx), static_cast<int>(gy));
                        ASSERT_TRUE(showsColour(frame.fromTop(x, p), expected))
                            << "seed " << seed << ", layout " << s.layout << ", lines " << s.lines << ", range "
                            << s.range << ", scheme " << scheme << ", pixel " << x << ", " << p;
                    }
            }
        }
}

// Every pixel shows the row whose edges, straight from the column's left
// edge to its right edge, enclose the pixel's centre; outside the range the
// rows are grey and full height.
TEST_F(Layouts, InterpolatedPixelsShowTheRowBetweenTheSlopingEdges)
{
    for (unsigned seed = 1; seed <= 4; ++seed)
        for (float versionSize : {30.0f, 1.5f, 0.4f}) {
            const Shape s{modeInterpolated, 7, 20, versionSize, 25.0f, seed % 2 == 0};
            openRandom(s, seed);
            EvolutionFile& e = *currentEvolution;
            viewState->attributeIndex = linePosition;
            viewState->redistributeSpace = seed % 3 == 0;
            viewState->balanceImage = seed % 3 != 0;
            const Frame frame = draw();
            const int focus = e.focusRevision;
            int checked = 0;
            for (int x = 0; x < frame.width; ++x) {
                const float centre = (x + 0.5f) / versionSize;
                const int c = static_cast<int>(centre);
                const float t = centre - static_cast<float>(c);
                if (c == focus || std::fabs(centre - focus) * versionSize < 1.5f ||
                    std::fabs(centre - focus - 1) * versionSize < 1.5f)
                    continue;  // the focus marker's bars
                for (int p = 0; p < frame.height; ++p) {
                    const float y = (p + 0.5f) / 25.0f;
                    int row = -1;
                    bool nearEdge = false;
                    for (int i = 0; i <= e.rowCount; ++i) {
                        const float edge = inRange(c) ? (1 - t) * rowTopAt(e, c, i) + t * rowTopAt(e, c + 1, i)
                                                      : static_cast<float>(i);
                        nearEdge = nearEdge || std::fabs(y - edge) < 0.01f;
                        row = y >= edge ? i : row;
                    }
                    if (nearEdge)
                        continue;
                    Rgb expected = greyOf(0.8f);
                    if (row >= 0 && row < e.rowCount)
                        expected = !inRange(c) ? greyOf(outOfRangeGrey(e.status(row, c)))
                                   : e.rowPresent(row, c) ? presentColour(modeInterpolated, linePosition, row, c)
                                                          : statusColours[e.status(row, c)];
                    ASSERT_TRUE(showsColour(frame.fromTop(x, p), expected))
                        << "seed " << seed << ", version size " << versionSize << ", pixel " << x << ", " << p
                        << ", row " << row << ", column " << c;
                    ++checked;
                }
            }
            EXPECT_GT(checked, frame.width * 50) << "seed " << seed;
        }
}

TEST_F(Layouts, AuthorsChangeOnlyWhereTheRowAuthorRuleSaysTheLineChanged)
{
    for (int layout : {modeNormal, modeHorizontal, modeInterpolated})
        for (int smooth : {0, 1}) {
            // Modified twice running, modified once, replaced by deletion.
            openGrid({"X--X", "X-XX", "XnXX"}, layout, 80, 30, 20.0f, 10.0f);
            viewState->attributeIndex = authors;
            viewState->antiAliasing = smooth;
            const Rgb a = identifierColours[0], b = identifierColours[1], c = identifierColours[2];
            const Rgb expected[3][4] = {{a, a, c, c}, {a, a, a, a}, {a, b, b, b}};
            const Frame frame = draw();
            for (int i = 0; i < 3; ++i)
                for (int r = 0; r < 4; ++r)
                    EXPECT_TRUE(showsColour(cellAt(frame, r, i), expected[i][r]))
                        << "layout " << layout << ", row " << i << ", column " << r << ", smooth " << smooth;
        }
    // A first revision without an author is grey.
    openGrid({"XXX", ">X<"}, modeNormal, 60, 20, 20.0f, 10.0f, {"", "bob", "cid"});
    viewState->attributeIndex = authors;
    const Frame frame = draw();
    EXPECT_TRUE(showsColour(cellAt(frame, 2, 0), greyOf(0.5f)));
    EXPECT_TRUE(showsColour(cellAt(frame, 1, 1), identifierColours[0]));
}

TEST_F(Layouts, AuthorsFollowColumnsThatFallBetweenPixels)
{
    // Revision 5 adds the line; at 0.4 pixels a column it covers no pixel
    // centre, but the revisions after it, which do, show its author.
    const std::pair<int, float> cases[] = {{modeNormal, 10.0f}, {modeHorizontal, 10.0f}, {modeHorizontal, 0.5f},
                                           {modeInterpolated, 10.0f}};
    for (auto [layout, lineSize] : cases)
        for (int smooth : {0, 1}) {
            openGrid(std::vector<std::string>(4, ">>>>>XXXXX"), layout, 4, 10, 0.4f, lineSize,
                     {"a0", "a1", "a2", "a3", "a4", "a5", "a6", "a7", "a8", "a9"});
            viewState->attributeIndex = authors;
            viewState->antiAliasing = smooth;
            const Frame frame = draw();
            for (int x : {2, 3})
                EXPECT_TRUE(showsColour(frame.fromTop(x, 0), identifierColours[5]))
                    << "layout " << layout << ", line size " << lineSize << ", x " << x;
            if (layout == modeHorizontal)
                EXPECT_TRUE(showsColour(frame.fromTop(1, 0), statusColours[added]));
        }
}

// Rows thinner than a pixel in the Horizontal layout: a row whose top falls
// into the next pixel row gives the part of its weight above that edge to
// the row it completes; out of range the mean turns grey.
TEST_F(Layouts, HorizontalMergedRowsMixByTheirShareOfEachPixelRow)
{
    const auto& k = contentColours;
    const auto& s = statusColours;
    const auto greyed = [](const Rgb& c) { return greyOf((c[0] + c[1] + c[2]) / 6.0f + 0.5f); };
    std::vector<std::string> alternate;
    for (int i = 0; i < 20; ++i)
        alternate.push_back(i % 2 ? "--" : "XX");
    struct Case {
        std::vector<std::string> statuses;
        int scheme, range;
        float lineSize;
        int column, pixelRow;
        Rgb expected;
    };
    const Case cases[] = {
        {std::vector<std::string>(5, "XX"), content, 0, 0.5f, 0, 0, mean({{1, k[0]}, {1, k[1]}, {1, k[2]}})},
        {std::vector<std::string>(5, "XX"), content, 0, 0.5f, 0, 1, mean({{1, k[3]}, {1, k[10]}})},
        {std::vector<std::string>(5, "XX"), content, 0, 0.5f, 0, 2, greyOf(0.8f)},
        {std::vector<std::string>(6, "XX"), content, 0, 0.4f, 0, 0, mean({{1, k[0]}, {1, k[1]}, {1, k[2]}, {0.8f, k[3]}})},
        {std::vector<std::string>(6, "XX"), content, 0, 0.4f, 0, 1, mean({{0.2f, k[3]}, {1, k[10]}, {1, k[14]}})},
        {std::vector<std::string>(5, "XX"), content, 0, 0.4f, 0, 1, mean({{0.2f, k[3]}, {1, k[10]}})},
        {std::vector<std::string>(5, "XX"), content, 0, 0.4f, 0, 2, greyOf(0.8f)},
        {std::vector<std::string>(5, "XX"), content, 0, 0.3f, 0, 0,
         mean({{1, k[0]}, {1, k[1]}, {1, k[2]}, {1, k[3]}, {0.8f, k[10]}})},
        {std::vector<std::string>(5, "XX"), content, 0, 0.3f, 0, 1, k[10]},
        {{">X", "X<", "-X", "XX"}, evolution, 0, 0.5f, 0, 0, mean({{1, s[added]}, {1, s[constant]}, {1, s[modified]}})},
        {{">X", "X<", "-X", "XX"}, evolution, 0, 0.5f, 1, 0, mean({{2, s[constant]}, {1, s[deleted]}})},
        {alternate, evolution, 0, 0.999f, 1, 0, mean({{1, s[constant]}, {1, s[modified]}})},
        {{"XXX", "-X-", ">XX", "XXX"}, linePosition, 2, 0.5f, 0, 0,
         greyed(mean({{1, rainbowColour(0.0f)}, {1, rainbowColour(0.25f)}, {1, s[added]}}))},
        {{"XXX", "-X-", ">XX", "XXX"}, linePosition, 2, 0.5f, 1, 0,
         mean({{1, rainbowColour(0.0f)}, {1, rainbowColour(0.25f)}, {1, rainbowColour(0.5f)}})},
    };
    for (const Case& c : cases) {
        openGrid(c.statuses, modeHorizontal, 60, 6, 20.0f, c.lineSize);
        for (size_t i = 0; i < c.statuses.size(); ++i)
            currentEvolution->rowClasses[i][0] = i < 5 ? classes[i] : classBlock + 4;
        if (c.range)
            currentEvolution->setRevisionRange(modeHorizontal, c.range, c.range);
        viewState->attributeIndex = c.scheme;
        const Frame frame = draw();
        EXPECT_TRUE(showsColour(frame.fromTop(c.column * 20 + 10, c.pixelRow), c.expected))
            << "case " << &c - cases;
    }
}

// Anti-aliased Interpolated columns gather rows into quadrilaterals between
// whole pixel rows: each ends at the first pixel boundary a row's bottom
// reaches, and shows the mean colour by area of what it covers.
TEST_F(Layouts, SmoothInterpolatedColumnsShowTheAreaMeanOfEachQuadrilateral)
{
    for (float lineSize : {1.0f, 3.0f, 1.5f, 0.1f, 0.7f, 2.3f})
        for (int scheme : {evolution, linePosition}) {
            std::vector<std::string> statuses;
            std::mt19937 random(static_cast<unsigned>(lineSize * 10));
            for (int i = 0; i < static_cast<int>(11 / lineSize); ++i)
                statuses.push_back(std::string(1, "X-|n"[random() % 4]) + "X");
            openGrid(statuses, modeInterpolated, 40, 12, 20.0f, lineSize);
            viewState->antiAliasing = 1;
            viewState->attributeIndex = scheme;
            const Frame frame = draw();
            const int rows = currentEvolution->rowCount;
            std::vector<int> bounds = {0};
            for (int i = 0; i < rows; ++i)
                if (static_cast<int>((i + 1) * lineSize) > bounds.back())
                    bounds.push_back(static_cast<int>((i + 1) * lineSize));
            for (size_t b = 0; b + 1 < bounds.size(); ++b) {
                std::vector<std::pair<float, Rgb>> covered;
                for (int i = 0; i < rows; ++i) {
                    const float area = std::min<float>((i + 1) * lineSize, bounds[b + 1]) - std::max<float>(i * lineSize, bounds[b]);
                    if (area > 0)
                        covered.push_back({area, presentColour(modeHorizontal, scheme, i, 0)});
                }
                for (int p = bounds[b]; p < bounds[b + 1]; ++p)
                    EXPECT_TRUE(showsColour(frame.fromTop(5, p), mean(covered)))
                        << "line size " << lineSize << ", scheme " << scheme << ", pixel row " << p;
            }
        }
}

// A scheme the layouts do not know leaves the colour set last on the cells.
TEST_F(Layouts, UnknownSchemesKeepTheColourSetLast)
{
    openGrid({"XX", ">X", "XX", "XX"}, modeHorizontal, 40, 40, 20.0f, 10.0f);
    viewState->attributeIndex = 7;
    Frame frame = draw();
    for (auto [c, k] : {std::pair{0, 1}, {1, 1}, {1, 3}})
        EXPECT_TRUE(showsColour(cellAt(frame, c, k), statusColours[added]));
    viewState->lineSize = 0.5f;
    EXPECT_TRUE(showsColour(draw().fromTop(30, 0), greyOf(0.8f)));
    openGrid({"XXX", ">X<", ">>X"}, modeNormal, 60, 40, 20.0f, 10.0f);
    viewState->attributeIndex = 7;
    EXPECT_TRUE(showsColour(cellAt(draw(), 1, 0), greyOf(baseGrey())));
    currentEvolution->setRevisionRange(modeNormal, 2, 3);
    frame = draw();
    EXPECT_TRUE(showsColour(cellAt(frame, 1, 0), greyOf(0.9f * baseGrey())));
    EXPECT_TRUE(showsColour(cellAt(frame, 2, 1), greyOf(0.9f * baseGrey())));
}

TEST_F(Layouts, ScrolledMergedRowsShowWhatTheSamePixelRowsShowUnscrolled)
{
    std::vector<std::string> statuses;
    for (int i = 0; i < 40; ++i)
        statuses.push_back(std::string(1, "X-|"[i % 3]) + "-X"[i % 2]);
    openGrid(statuses, modeHorizontal, 20, 20, 10.0f, 0.5f);
    viewState->attributeIndex = evolution;
    const Frame whole = draw();
    openGrid(statuses, modeHorizontal, 20, 12, 10.0f, 0.5f);
    viewState->attributeIndex = evolution;
    viewState->scrollY = 8.0f;
    const Frame scrolled = draw();
    for (int x : {5, 15})
        for (int p = 8; p < 20; ++p)
            EXPECT_TRUE(showsColour(scrolled.fromTop(x, p - 8), colourOf(whole.fromTop(x, p)), 1)) << x << ", " << p;
}

TEST_F(Layouts, BlocksShadeTheirCellsFromTheThresholdOn)
{
    for (int layout : {modeHorizontal, modeInterpolated}) {
        SCOPED_TRACE(layout);
        openGrid(std::vector<std::string>(6, "XXXX"), layout, 160, 120, 40.0f, 20.0f);
        currentEvolution->blocks = {{0, 0, 1, 0, 2.0f}, {3, 2, 5, 3, 3.0f}, {0, 1, 1, 1, 2.999f}};
        computeInterpolatedHeights(*currentEvolution);
        const Frame none = draw();
        viewState->displayBlocks = 1;
        viewState->blocksAbove = 4;
        EXPECT_EQ(draw().rgba, none.rgba);
        viewState->blocksAbove = 3;
        Frame frame = draw();
        EXPECT_EQ(changedInColumn(none, frame, 5), 0);
        EXPECT_EQ(changedInColumn(none, frame, 60), 0);
        EXPECT_EQ(changedInColumn(none, frame, 100), 60);
        viewState->blocksAbove = 0;
        frame = draw();
        EXPECT_EQ(changedInColumn(none, frame, 5), 40);
        EXPECT_GT(changedInColumn(none, frame, 60), 30);
    }
    // Forty revisions on sixteen pixels; the block covers rows 1 to 4 of
    // revisions 10 to 29, pixels 4 to 11.
    openGrid(std::vector<std::string>(6, std::string(40, 'X')), modeInterpolated, 16, 60, 0.4f, 10.0f);
    currentEvolution->blocks = {{1, 10, 4, 29, 10.0f}};
    viewState->blocksAbove = 10;
    computeInterpolatedHeights(*currentEvolution);
    const Frame none = draw();
    viewState->displayBlocks = 1;
    const Frame shaded = draw();
    for (int x : {5, 10})
        EXPECT_EQ(changedInColumn(none, shaded, x), 40) << "x " << x;
    for (int x : {2, 13})
        EXPECT_EQ(changedInColumn(none, shaded, x), 0) << "x " << x;
}

TEST_F(Layouts, TheFirstInterpolatedFrameAfterAFocusChangeDrawsTheBlocksAtTheNewRows)
{
    // Row 1 is deleted in revision 2: focused there, the block over rows 2
    // and 3 rises at the right edge of column 1 from y = 40 to y = 20.
    openGrid({"XXXX", "XX<<", "XXXX", "XXXX"}, modeInterpolated, 160, 80, 40.0f, 20.0f);
    EvolutionFile& e = *currentEvolution;
    viewState->redistributeSpace = viewState->balanceImage = 0;
    viewState->blocksAbove = 10;
    e.blocks = {{2, 1, 3, 1, 10.0f}};
    e.setFocusRevision(modeInterpolated, 3);
    viewState->displayBlocks = 1;
    draw();
    e.setFocusRevision(modeInterpolated, 2);
    const Frame first = draw();
    const Frame settled = draw();
    for (int x : {42, 60, 77})
        EXPECT_EQ(changedInColumn(first, settled, x), 0) << "x " << x;
    viewState->displayBlocks = 0;
    const Frame plain = draw();
    EXPECT_FALSE(showsColour(first.fromTop(77, 30), colourOf(plain.fromTop(77, 30)), 1));
    EXPECT_TRUE(showsColour(first.fromTop(77, 10), colourOf(plain.fromTop(77, 10)), 1));
}

// The Ctrl navigation aids over four rows of four revisions, anchored at
// row 1 of revision 1: a darker column, and a path along the row.
TEST_F(Layouts, PointerAidsShadeTheAnchoredColumnAndTraceTheRow)
{
    struct Probe {
        int layout, mode, x, p, row;
        float factor;
    };
    const Probe probes[] = {
        {modeNormal, 3, 60, 5, 0, 0.8f},        {modeNormal, 3, 20, 5, 0, 1.0f},
        {modeNormal, 3, 60, 55, -1, 0.64f},     {modeNormal, 2, 20, 17, 1, 0.49f},
        {modeNormal, 2, 20, 22, 2, 0.49f},      {modeNormal, 2, 20, 26, 2, 1.0f},
        {modeNormal, 1, 60, 17, 1, 0.392f},     {modeHorizontal, 3, 60, 35, 3, 0.8f},
        {modeHorizontal, 2, 20, 15, 1, 0.7f},   {modeHorizontal, 2, 20, 25, 2, 1.0f},
        {modeHorizontal, 1, 60, 15, 1, 0.56f},  {modeHorizontal, 1, 100, 15, 1, 0.7f},
        {modeHorizontal, 1, 60, 55, -1, 0.64f}, {modeInterpolated, 3, 60, 5, 0, 0.8f},
        {modeInterpolated, 2, 20, 15, 1, 0.5f}, {modeInterpolated, 2, 20, 24, 2, 0.5f},
        {modeInterpolated, 2, 20, 25, 2, 1.0f}, {modeInterpolated, 1, 60, 19, 1, 0.4f},
    };
    for (const Probe& probe : probes) {
        openGrid(std::vector<std::string>(4, "XXXX"), probe.layout, 160, 60, 40.0f, 10.0f);
        viewState->pointerRow = viewState->pointerRevision = 1;
        const Rgb under = probe.row < 0 ? greyOf(1.0f) : row(probe.row);
        EXPECT_TRUE(showsColour(drawIn(probe.mode).fromTop(probe.x, probe.p), times(under, probe.factor)))
            << "layout " << probe.layout << ", mode " << probe.mode << ", " << probe.x << ", " << probe.p;
    }
    // The shaded column is as wide as the column, the path as a row and at
    // least two pixels.
    for (int layout : {modeNormal, modeHorizontal, modeInterpolated})
        for (float lineSize : {1.0f, 6.0f}) {
            openGrid(std::vector<std::string>(4, "XXXX"), layout, 160, 60, 40.0f, lineSize);
            viewState->pointerRow = viewState->pointerRevision = 1;
            const Frame plain = drawIn(0);
            const Frame traced = drawIn(2);
            const Frame column = drawIn(3);
            SCOPED_TRACE(testing::Message() << "layout " << layout << ", line size " << lineSize);
            EXPECT_EQ(changedInColumn(plain, traced, 20), lineSize > 2.0f ? 6 : 2);
            EXPECT_EQ(changedInColumn(plain, column, 60), 60);
            EXPECT_EQ(changedInColumn(plain, column, 10), 0);
            EXPECT_EQ(changedInColumn(plain, column, 100), 0);
        }
    // In the Normal layout a path doubles over the row's lifetime only; a
    // row absent with nothing present above follows row 0.
    openGrid({"XXXX", "XX<<", ">XXX", "XXXX"}, modeNormal, 80, 60, 20.0f, 10.0f);
    viewState->pointerRow = viewState->pointerRevision = 1;
    const Frame deleted = drawIn(2);
    EXPECT_TRUE(showsColour(deleted.at(10, 43), times(row(1), 0.49f)));
    EXPECT_TRUE(showsColour(deleted.at(50, 53), times(row(0), 0.7f)));
    EXPECT_TRUE(showsColour(deleted.at(70, 47), times(row(2), 0.7f)));
    openGrid({">XX", "XXX"}, modeNormal, 60, 40, 20.0f, 10.0f);
    viewState->pointerRow = viewState->pointerRevision = 0;
    const Frame frame = drawIn(2);
    EXPECT_TRUE(showsColour(frame.at(30, 33), times(rainbowColour(0.0f), 0.49f)));
    EXPECT_TRUE(showsColour(frame.at(50, 27), times(rainbowColour(0.5f), 0.49f)));
    EXPECT_TRUE(showsColour(frame.at(50, 37), rainbowColour(0.0f)));
}

}  // namespace
