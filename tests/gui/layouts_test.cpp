// The three layouts against a model of the status matrix, then the overlays.

#include <cmath>
#include <random>

#include "app/globals.h"
#include "evolution/evolution_file.h"
#include "support/gl_harness.h"
#include "view/evolution_view.h"
#include "view/geometry/interpolated_heights.h"
#include "view/geometry/row_top.h"

namespace {

constexpr int content = 0, evolution = 1, authors = 2, linePosition = 3, constant = 0, modified = 1, added = 4,
              deleted = 5;
const int classes[] = {classPlain, classComment, classString, classReference, classBlock, classBlock + 4};
using Strings = std::vector<std::string>;

Rgb mean(const std::vector<std::pair<float, Rgb>>& weighted)
{
    Rgb total{};
    float weight = 0.0f;
    for (const auto& [w, colour] : weighted)
        weight += w, total = {total[0] + w * colour[0], total[1] + w * colour[1], total[2] + w * colour[2]};
    return times(total, 1.0f / weight);
}

float baseGrey() { return (statusColours[constant][0] + statusColours[constant][1] + statusColours[constant][2]) / 12 + 0.75f; }

// A present cell; the Normal layout darkens statuses towards the file's top.
Rgb presentColour(int layout, int scheme, int row, int c)
{
    const EvolutionFile& e = *currentEvolution;
    const float share = static_cast<float>(row) / static_cast<float>(e.rowCount);
    if (scheme != evolution)
        return scheme == content ? contentColours[e.rowClasses[row][c]] : rainbowColour(share);
    return layout == modeNormal ? times(statusColours[e.status(row, c)], share * 0.6f + 0.4f) : statusColours[e.status(row, c)];
}

bool inRange(int c) { return c >= currentEvolution->firstRevision && c <= currentEvolution->lastRevision; }

// Normal stacks each revision's present rows over the base grey; Horizontal
// keeps every row on its band, absent cells in their status colour.
Rgb expectedCell(int layout, int scheme, int c, int k)
{
    const EvolutionFile& e = *currentEvolution;
    if (layout == modeHorizontal) {
        if (k >= e.rowCount || !inRange(c))
            return greyOf(k >= e.rowCount ? 0.8f : outOfRangeGrey(e.status(k, c)));
        return e.rowPresent(k, c) ? presentColour(layout, scheme, k, c) : statusColours[e.status(k, c)];
    }
    if (!inRange(c))
        return greyOf(k < e.maxRevisionLength ? 0.9f * baseGrey() : k < e.rowCount ? baseGrey() : 0.8f);
    for (int row = 0, place = 0; row < e.rowCount; ++row)
        if (e.rowPresent(row, c) && place++ == k)
            return presentColour(layout, scheme, row, c);
    return greyOf(k < e.rowCount ? baseGrey() : 0.8f);
}

struct Shape { int layout, lines, revisions; float versionSize, lineSize; bool range; };

class Layouts : public CanvasTest {
protected:
    void openRandom(const Shape& s, unsigned seed)
    {
        EvolutionSketch sketch{.statuses = randomStatuses(seed, s.lines, s.revisions)};
        sketch.authors.assign(s.revisions, "ann");
        open(sketch, static_cast<int>(s.revisions * s.versionSize), std::min(200, static_cast<int>(s.lines * s.lineSize) + 6),
             s.versionSize, s.lineSize, s.layout);
        std::mt19937 random(seed);
        EvolutionFile& e = *currentEvolution;
        for (int row = 0; row < e.rowCount; ++row)
            for (int c = 0; c < e.columnCount; ++c)
                e.rowClasses[row][c] = classes[random() % 6];
        const int first = 1 + static_cast<int>(random() % 3);
        if (s.range)
            e.setRevisionRange(s.layout, first, first + static_cast<int>(random() % (s.revisions - first)));
        if (s.layout == modeInterpolated)
            e.setFocusRevision(modeInterpolated, static_cast<int>(random() % s.revisions));
        if (seed == 3)
            statusColours[constant] = {0.3f, 0.5f, 0.2f};
    }
    void openGrid(Strings statuses, int layout, int width, int height, float versionSize, float lineSize,
                  Strings names = {"ann", "bob", "cid", "dan"})
    {
        names.resize(statuses[0].size(), "ann");
        open({.statuses = std::move(statuses), .authors = std::move(names)}, width, height, versionSize, lineSize, layout);
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
    const Shape shapes[] = {{modeNormal, 12, 6, 20, 8, false},       {modeNormal, 12, 6, 20, 8, true},
                            {modeNormal, 40, 8, 10, 2 / 7.0f, false}, {modeNormal, 8, 20, 0.4f, 10, false},
                            {modeNormal, 350, 2, 10, 2 / 7.0f, false}, {modeHorizontal, 12, 6, 20, 8, false},
                            {modeHorizontal, 12, 6, 20, 8, true},   {modeHorizontal, 20, 4, 10, 1, false},
                            {modeHorizontal, 8, 20, 0.4f, 10, true}};
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
                        ASSERT_TRUE(showsColour(frame.fromTop(x, p), expectedCell(s.layout, scheme, gx, gy)))
                            << "seed " << seed << ", layout " << s.layout << ", lines " << s.lines << ", range " << s.range
                            << ", scheme " << scheme << ", pixel " << x << ", " << p;
                    }
            }
        }
}

// Each pixel shows the row whose straight edges across the column enclose it.
TEST_F(Layouts, InterpolatedPixelsShowTheRowBetweenTheSlopingEdges)
{
    for (unsigned seed = 1; seed <= 4; ++seed)
        for (float versionSize : {30.0f, 1.5f, 0.4f}) {
            openRandom({modeInterpolated, 7, 20, versionSize, 25.0f, seed % 2 == 0}, seed);
            const EvolutionFile& e = *currentEvolution;
            viewState->attributeIndex = linePosition;
            viewState->redistributeSpace = seed % 3 == 0;
            viewState->balanceImage = seed % 3 != 0;
            const Frame frame = draw();
            for (int x = 0; x < frame.width; ++x) {
                const float centre = (x + 0.5f) / versionSize, t = centre - std::floor(centre);
                const int c = static_cast<int>(centre), focus = e.focusRevision;
                if (c == focus || std::fabs(centre - focus) * versionSize < 1.5f || std::fabs(centre - focus - 1) * versionSize < 1.5f)
                    continue;  // the focus marker
                for (int p = 0; p < frame.height; ++p) {
                    const float y = (p + 0.5f) / 25.0f;
                    int i = -1;
                    bool nearEdge = false;
                    for (int b = 0; b <= e.rowCount; ++b) {
                        const float edge = inRange(c) ? (1 - t) * rowTopAt(e, c, b) + t * rowTopAt(e, c + 1, b) : b;
                        nearEdge = nearEdge || std::fabs(y - edge) < 0.01f;
                        i = y >= edge ? b : i;
                    }
                    if (nearEdge)
                        continue;
                    Rgb expected = greyOf(0.8f);
                    if (i >= 0 && i < e.rowCount)
                        expected = !inRange(c) ? greyOf(outOfRangeGrey(e.status(i, c)))
                                   : e.rowPresent(i, c) ? row(i) : statusColours[e.status(i, c)];
                    ASSERT_TRUE(showsColour(frame.fromTop(x, p), expected))
                        << "seed " << seed << ", version size " << versionSize << ", pixel " << x << ", " << p;
                }
            }
        }
}

// Smooth quadrilaterals end where a row's bottom reaches a pixel boundary.
TEST_F(Layouts, SmoothInterpolatedColumnsShowTheAreaMeanOfEachQuadrilateral)
{
    for (float lineSize : {1.0f, 3.0f, 1.5f, 0.1f, 0.7f, 2.3f})
        for (int scheme : {evolution, linePosition}) {
            Strings statuses;
            std::mt19937 random(static_cast<unsigned>(lineSize * 10));
            for (int i = 0; i < static_cast<int>(11 / lineSize); ++i)
                statuses.push_back(std::string(1, "X-|n"[random() % 4]) + "X");
            openGrid(statuses, modeInterpolated, 40, 12, 20.0f, lineSize);
            viewState->antiAliasing = 1;
            viewState->attributeIndex = scheme;
            const Frame frame = draw();
            std::vector<int> bounds = {0};
            for (int i = 1; i <= currentEvolution->rowCount; ++i)
                if (static_cast<int>(i * lineSize) > bounds.back())
                    bounds.push_back(static_cast<int>(i * lineSize));
            for (size_t b = 0; b + 1 < bounds.size(); ++b) {
                std::vector<std::pair<float, Rgb>> covered;
                for (int i = 0; i < currentEvolution->rowCount; ++i)
                    if (const float area = std::min<float>((i + 1) * lineSize, bounds[b + 1]) - std::max<float>(i * lineSize, bounds[b]); area > 0)
                        covered.push_back({area, presentColour(modeHorizontal, scheme, i, 0)});
                for (int p = bounds[b]; p < bounds[b + 1]; ++p)
                    EXPECT_TRUE(showsColour(frame.fromTop(5, p), mean(covered))) << lineSize << ", " << scheme << ", " << p;
            }
        }
}

TEST_F(Layouts, AuthorsChangeOnlyWhereTheRowAuthorRuleSaysTheLineChanged)
{
    const Rgb a = identifierColours[0], b = identifierColours[1], c = identifierColours[2];
    const Rgb expected[3][4] = {{a, a, c, c}, {a, a, a, a}, {a, b, b, b}};
    for (int layout : {modeNormal, modeHorizontal, modeInterpolated})
        for (int smooth : {0, 1}) {
            openGrid({"X--X", "X-XX", "XnXX"}, layout, 80, 30, 20.0f, 10.0f);
            viewState->attributeIndex = authors;
            viewState->antiAliasing = smooth;
            const Frame frame = draw();
            for (int i = 0; i < 12; ++i)
                EXPECT_TRUE(showsColour(cellAt(frame, i % 4, i / 4), expected[i / 4][i % 4])) << layout << smooth << i;
        }
}

// A row whose top falls into the next pixel row gives its weight above that
// edge to the row it completes; out of range the mean turns grey.
TEST_F(Layouts, HorizontalMergedRowsMixByTheirShareOfEachPixelRow)
{
    const auto& k = contentColours;
    const auto& s = statusColours;
    const auto greyed = [](const Rgb& c) { return greyOf((c[0] + c[1] + c[2]) / 6.0f + 0.5f); };
    const Strings five(5, "XX"), six(6, "XX"), turns = {">X", "X<", "-X", "XX"}, range = {"XXX", "-X-", ">XX", "XXX"};
    struct Case {
        Strings statuses;
        int scheme, range;
        float lineSize;
        int column, pixelRow;
        Rgb expected;
    };
    const Rgb row0 = rainbowColour(0), row1 = rainbowColour(0.25f), row2 = rainbowColour(0.5f), grey = greyOf(0.8f);
    const Case cases[] = {
        {five, content, 0, 0.5f, 0, 0, mean({{1, k[0]}, {1, k[1]}, {1, k[2]}})}, {five, content, 0, 0.5f, 0, 2, grey},
        {six, content, 0, 0.4f, 0, 0, mean({{1, k[0]}, {1, k[1]}, {1, k[2]}, {0.8f, k[3]}})},
        {six, content, 0, 0.4f, 0, 1, mean({{0.2f, k[3]}, {1, k[10]}, {1, k[14]}})},
        {five, content, 0, 0.4f, 0, 1, mean({{0.2f, k[3]}, {1, k[10]}})}, {five, content, 0, 0.3f, 0, 1, k[10]},
        {five, 7, 0, 0.5f, 0, 0, grey}, {turns, evolution, 0, 0.5f, 0, 0, mean({{1, s[added]}, {1, s[constant]}, {1, s[modified]}})},
        {turns, evolution, 0, 0.5f, 1, 0, mean({{2, s[constant]}, {1, s[deleted]}})},
        {range, linePosition, 2, 0.5f, 0, 0, greyed(mean({{1, row0}, {1, row1}, {1, s[added]}}))},
        {range, linePosition, 2, 0.5f, 1, 0, mean({{1, row0}, {1, row1}, {1, row2}})},
    };
    for (const Case& c : cases) {
        openGrid(c.statuses, modeHorizontal, 60, 6, 20.0f, c.lineSize);
        for (size_t i = 0; i < c.statuses.size(); ++i)
            currentEvolution->rowClasses[i][0] = classes[std::min<size_t>(i, 5)];
        if (c.range)
            currentEvolution->setRevisionRange(modeHorizontal, c.range, c.range);
        viewState->attributeIndex = c.scheme;
        EXPECT_TRUE(showsColour(draw().fromTop(c.column * 20 + 10, c.pixelRow), c.expected)) << "case " << &c - cases;
    }
}

TEST_F(Layouts, BlocksShadeTheirCellsFromTheThresholdOn)
{
    for (int layout : {modeHorizontal, modeInterpolated}) {
        openGrid(Strings(6, "XXXX"), layout, 160, 120, 40.0f, 20.0f);
        currentEvolution->blocks = {{0, 0, 1, 0, 2.0f}, {3, 2, 5, 3, 3.0f}, {0, 1, 1, 1, 2.999f}};
        computeInterpolatedHeights(*currentEvolution);
        const Frame none = draw();
        viewState->displayBlocks = 1;
        viewState->blocksAbove = 4;
        EXPECT_EQ(draw().rgba, none.rgba);
        viewState->blocksAbove = 3;
        Frame frame = draw();
        EXPECT_EQ(changedInColumn(none, frame, 5) + changedInColumn(none, frame, 60), 0) << layout;
        EXPECT_EQ(changedInColumn(none, frame, 100), 60) << layout;
        viewState->blocksAbove = 0;
        frame = draw();
        EXPECT_EQ(changedInColumn(none, frame, 5), 40) << layout;
        EXPECT_GT(changedInColumn(none, frame, 60), 30) << layout;
    }
    // The first frame after a focus change draws the blocks at the new rows:
    // where row 1 is gone, the block over rows 2 and 3 rises.
    openGrid({"XXXX", "XX<<", "XXXX", "XXXX"}, modeInterpolated, 160, 80, 40.0f, 20.0f);
    viewState->redistributeSpace = viewState->balanceImage = 0;
    viewState->blocksAbove = viewState->displayBlocks = 1;
    currentEvolution->blocks = {{2, 1, 3, 1, 10.0f}};
    currentEvolution->setFocusRevision(modeInterpolated, 3);
    draw();
    currentEvolution->setFocusRevision(modeInterpolated, 2);
    const Frame first = draw();
    viewState->displayBlocks = 0;
    const Frame plain = draw();
    EXPECT_FALSE(showsColour(first.fromTop(77, 30), colourOf(plain.fromTop(77, 30)), 1));
    EXPECT_TRUE(showsColour(first.fromTop(77, 10), colourOf(plain.fromTop(77, 10)), 1));
}

// The Ctrl aids anchored at row 1 of revision 1: a darker column, a path.
TEST_F(Layouts, PointerAidsShadeTheAnchoredColumnAndTraceTheRow)
{
    struct Probe {
        int layout, mode, x, p, row;
        float factor;
    };
    const Probe probes[] = {
        {modeNormal, 3, 60, 5, 0, 0.8f},         {modeNormal, 3, 20, 5, 0, 1},           {modeNormal, 3, 60, 55, -1, 0.64f},
        {modeNormal, 2, 20, 17, 1, 0.49f},       {modeNormal, 2, 20, 22, 2, 0.49f},      {modeNormal, 2, 20, 26, 2, 1},
        {modeNormal, 1, 60, 17, 1, 0.392f},      {modeHorizontal, 3, 60, 35, 3, 0.8f},   {modeHorizontal, 2, 20, 15, 1, 0.7f},
        {modeHorizontal, 2, 20, 25, 2, 1},       {modeHorizontal, 1, 60, 15, 1, 0.56f},  {modeHorizontal, 1, 100, 15, 1, 0.7f},
        {modeHorizontal, 1, 60, 55, -1, 0.64f},  {modeInterpolated, 3, 60, 5, 0, 0.8f},  {modeInterpolated, 2, 20, 15, 1, 0.5f},
        {modeInterpolated, 2, 20, 24, 2, 0.5f},  {modeInterpolated, 2, 20, 25, 2, 1},    {modeInterpolated, 1, 60, 19, 1, 0.4f},
    };
    for (const Probe& probe : probes) {
        openGrid(Strings(4, "XXXX"), probe.layout, 160, 60, 40.0f, 10.0f);
        viewState->pointerRow = viewState->pointerRevision = 1;
        const Rgb under = probe.row < 0 ? greyOf(1.0f) : row(probe.row);
        EXPECT_TRUE(showsColour(drawIn(probe.mode).fromTop(probe.x, probe.p), times(under, probe.factor))) << &probe - probes;
    }
    for (float lineSize : {1.0f, 6.0f}) {  // the path as wide as a row and at least two pixels
        openGrid(Strings(4, "XXXX"), modeInterpolated, 160, 60, 40.0f, lineSize);
        viewState->pointerRow = viewState->pointerRevision = 1;
        const Frame plain = drawIn(0), traced = drawIn(2);
        EXPECT_EQ(changedInColumn(plain, traced, 20), lineSize > 2.0f ? 6 : 2) << lineSize;
    }
}

}  // namespace
