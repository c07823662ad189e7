// The evolution canvas: the layouts against a model of the status matrix, what is drawn over them, textures.

#include <FL/gl.h>

#include <cmath>
#include <optional>
#include <random>

#include "app/globals.h"
#include "colouring/colour_textures.h"
#include "evolution/evolution_file.h"
#include "support/gl_harness.h"
#include "view/cell_image.h"
#include "view/evolution_view.h"
#include "view/geometry/interpolated_heights.h"
#include "view/geometry/row_top.h"

namespace {

constexpr int content = 0, evolution = 1, authors = 2, linePosition = 3, constant = 0, modified = 1, added = 4, deleted = 5;
constexpr int normal = modeNormal, horizontal = modeHorizontal, interpolated = modeInterpolated;
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
bool inRange(int c) { return c >= currentEvolution->firstRevision && c <= currentEvolution->lastRevision; }
bool near(float a, float b) { return std::fabs(a - b) < 0.01f; }

// A present cell; the Normal layout darkens statuses towards the file's top.
Rgb presentColour(int layout, int scheme, int row, int c)
{
    const EvolutionFile& e = *currentEvolution;
    const float share = static_cast<float>(row) / static_cast<float>(e.rowCount);
    if (scheme != evolution)
        return scheme == content ? contentColours[e.rowClasses[row][c]] : rainbowColour(share);
    return layout == modeNormal ? times(statusColours[e.status(row, c)], share * 0.6f + 0.4f) : statusColours[e.status(row, c)];
}

// Normal stacks present rows over the base grey, the others keep rows between their edges; none on an edge or marker.
std::optional<Rgb> expectedAt(int layout, int scheme, float gx, float gy)
{
    const EvolutionFile& e = *currentEvolution;
    const int c = static_cast<int>(gx), focus = e.focusRevision;
    const float t = gx - static_cast<float>(c), marker = 1.5f / viewState->versionSize;
    if (layout == modeInterpolated ? c == focus || std::fabs(gx - focus) < marker || std::fabs(gx - focus - 1) < marker
                                   : near(gx, std::round(gx)) || (layout == modeNormal && near(gy, std::round(gy))))
        return std::nullopt;
    if (layout == modeNormal) {
        const int k = static_cast<int>(gy);
        if (!inRange(c))
            return greyOf(k < e.maxRevisionLength ? 0.9f * baseGrey() : k < e.rowCount ? baseGrey() : 0.8f);
        for (int row = 0, place = 0; row < e.rowCount; ++row)
            if (e.rowPresent(row, c) && place++ == k)
                return presentColour(layout, scheme, row, c);
        return greyOf(k < e.rowCount ? baseGrey() : 0.8f);
    }
    int i = -1;
    for (int b = 0; b <= e.rowCount; ++b) {
        const bool sloped = layout == modeInterpolated && inRange(c);
        const float edge = sloped ? (1 - t) * rowTopAt(e, c, b) + t * rowTopAt(e, c + 1, b) : static_cast<float>(b);
        if (near(gy, edge))
            return std::nullopt;
        i = gy >= edge ? b : i;
    }
    if (i < 0 || i >= e.rowCount)
        return greyOf(0.8f);
    if (!inRange(c))
        return greyOf(outOfRangeGrey(e.status(i, c)));
    return e.rowPresent(i, c) ? presentColour(layout, scheme, i, c) : statusColours[e.status(i, c)];
}

int changedInColumn(const Frame& a, const Frame& b, int x)
{
    int changed = 0;
    for (int y = 0; y < a.height; ++y)
        changed += showsColour(a.at(x, y), colourOf(b.at(x, y)), 1) ? 0 : 1;
    return changed;
}

using Layouts = CanvasTest;

// Random histories with random classes, ranges and focus, over column widths from many pixels to under one.
TEST_F(Layouts, EveryPixelCentreShowsTheModelsCell)
{
    struct Shape { int layout, lines, revisions; float versionSize, lineSize; bool range; };
    const Shape shapes[] = {
        {normal, 12, 6, 20, 8, false},        {normal, 12, 6, 20, 8, true},          {normal, 40, 8, 10, 2 / 7.0f, false},
        {normal, 8, 20, 0.4f, 10, false},     {normal, 350, 2, 10, 2 / 7.0f, false}, {horizontal, 12, 6, 20, 8, false},
        {horizontal, 12, 6, 20, 8, true},     {horizontal, 20, 4, 10, 1, false},     {horizontal, 8, 20, 0.4f, 10, true},
        {interpolated, 7, 20, 30, 25, false}, {interpolated, 7, 20, 1.5f, 25, false}, {interpolated, 7, 20, 0.4f, 25, false},
        {interpolated, 7, 20, 30, 25, true},  {interpolated, 7, 20, 1.5f, 25, true},  {interpolated, 7, 20, 0.4f, 25, true},
        {interpolated, 5, 90, 1.5f, 25, false}};  // wide enough a range for two threads
    for (unsigned seed = 1; seed <= 3; ++seed)
        for (const Shape& s : shapes) {
            open(Grid{randomStatuses(seed, s.lines, s.revisions), static_cast<int>(s.revisions * s.versionSize),
                      std::min(200, static_cast<int>(s.lines * s.lineSize) + 6), s.versionSize, s.lineSize},
                 {.layout = s.layout});
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
            viewState->redistributeSpace = seed % 3 == 0;
            viewState->balanceImage = seed % 3 != 0;
            for (int scheme : {content, evolution, linePosition}) {
                viewState->attributeIndex = scheme;
                const Frame frame = draw();
                for (int x = 0; x < frame.width; x += s.layout == modeInterpolated ? 1 : 3)
                    for (int p = 0; p < frame.height; ++p) {
                        const auto expected = expectedAt(s.layout, scheme, (x + 0.5f) / s.versionSize, (p + 0.5f) / s.lineSize);
                        if (!expected)
                            continue;
                        ASSERT_TRUE(showsColour(frame.fromTop(x, p), *expected))
                            << "seed " << seed << ", shape " << &s - shapes << ", scheme " << scheme << ", pixel " << x << ", " << p;
                    }
            }
        }
}

// The cells as an image of the pixel centres and as one rectangle per cell, Normal and Horizontal (rows of a pixel or
// more, and merged): random shapes, zooms, fractional scrolls and ranges, every scheme. Pixels whose
// centre lies on a cell edge may fall either way.
TEST_F(Layouts, CellImagesShowWhatTheCellRectanglesShow)
{
    std::mt19937 random(7);
    const auto uniform = [&](float low, float high) { return std::uniform_real_distribution<float>(low, high)(random); };
    for (int trial = 0; trial < 48; ++trial) {
        const int layout = trial % 2 ? horizontal : normal;
        const int lines = 2 + static_cast<int>(random() % 300), revisions = 2 + static_cast<int>(random() % 40);
        const float versionSize = trial % 3 ? uniform(0.3f, 20.0f) : 8.0f, lineSize = uniform(0.05f, 12.0f);
        open(Grid{randomStatuses(static_cast<unsigned>(trial + 1), lines, revisions), 180 + trial % 2, 140 - trial % 3,
                  versionSize, lineSize},
             {.layout = layout, .range = trial % 4 == 1 ? 1 + static_cast<int>(random() % (revisions - 1)) : 0});
        viewState->scrollX = trial % 5 > 1 ? uniform(-5.0f, 30.0f) : 0.0f;
        viewState->scrollY = trial % 5 > 1 ? uniform(-5.0f, 30.0f) : 0.0f;
        for (int row = 0; row < currentEvolution->rowCount; ++row)
            for (int c = 0; c < currentEvolution->columnCount; ++c)
                currentEvolution->rowClasses[row][c] = classes[random() % 6];
        for (int scheme : {content, evolution, authors, linePosition, 7}) {
            viewState->attributeIndex = scheme;
            const Frame image = draw();
            drawEveryCell = true;
            const Frame cells = draw();
            drawEveryCell = false;
            int differing = 0;
            for (size_t i = 0; i < image.rgba.size(); i += 4)
                for (size_t channel = 0; channel < 3; ++channel)
                    if (std::abs(image.rgba[i + channel] - cells.rgba[i + channel]) > 8) {
                        ++differing;
                        break;
                    }
            EXPECT_LE(differing * 100, image.width * image.height)
                << "trial " << trial << ", layout " << layout << ", scheme " << scheme << ", line size " << lineSize;
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
            open(Grid{statuses, 40, 12, 20.0f, lineSize}, {.layout = interpolated, .scheme = scheme, .smooth = 1});
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

Rgb quarter(int i) { return i < 0 ? greyOf(1.0f) : rainbowColour(i / 4.0f); }

// What the model leaves out: rows merged into a pixel row, authorship, pointer aids, cushions (pixel i on texel i), marker.
TEST_F(Layouts, PixelCases)
{
    const auto& k = contentColours;
    const auto& s = defaultStatusColours;
    const auto greyed = [](const Rgb& c) { return greyOf((c[0] + c[1] + c[2]) / 6.0f + 0.5f); };
    const Grid five{Strings(5, "XX"), 60, 6, 20, 0.5f}, fiveAt4{Strings(5, "XX"), 60, 6, 20, 0.4f},
        fiveAt3{Strings(5, "XX"), 60, 6, 20, 0.3f}, six{Strings(6, "XX"), 60, 6, 20, 0.4f},
        turns{{">X", "X<", "-X", "XX"}, 60, 6, 20, 0.5f}, ranged{{"XXX", "-X-", ">XX", "XXX"}, 60, 6, 20, 0.5f},
        authorship{{"X--X", "X-XX", "XnXX"}, 80, 30, 20, 10}, four{Strings(4, "XXXX"), 160, 60, 40, 10};
    const Look byContent{.layout = horizontal, .scheme = content}, byStatus{.layout = horizontal, .scheme = evolution};
    const Rgb grey = greyOf(0.8f);
    std::vector<PixelCase> cases = {
        {&five, byContent, 10, 0, mean({{1, k[0]}, {1, k[1]}, {1, k[2]}})}, {&five, byContent, 10, 2, grey},
        {&six, byContent, 10, 0, mean({{1, k[0]}, {1, k[1]}, {1, k[2]}, {0.8f, k[3]}})},
        {&six, byContent, 10, 1, mean({{0.2f, k[3]}, {1, k[10]}, {1, k[14]}})},
        {&fiveAt4, byContent, 10, 1, mean({{0.2f, k[3]}, {1, k[10]}})}, {&fiveAt3, byContent, 10, 1, k[10]},
        {&five, {.layout = horizontal, .scheme = 7}, 10, 0, grey},
        {&turns, byStatus, 10, 0, mean({{1, s[added]}, {1, s[constant]}, {1, s[modified]}})},
        {&turns, byStatus, 30, 0, mean({{2, s[constant]}, {1, s[deleted]}})},
        {&ranged, {.layout = horizontal, .range = 2}, 10, 0, greyed(mean({{1, quarter(0)}, {1, quarter(1)}, {1, s[added]}}))},
        {&ranged, {.layout = horizontal, .range = 2}, 30, 0, mean({{1, quarter(0)}, {1, quarter(1)}, {1, quarter(2)}})},
    };
    const Rgb a = identifierColours[0], b = identifierColours[1], c = identifierColours[2];
    const Rgb byAuthor[3][4] = {{a, a, c, c}, {a, a, a, a}, {a, b, b, b}};
    for (int layout : {normal, horizontal, interpolated})
        for (int smooth : {0, 1})
            for (int i = 0; i < 12; ++i)
                cases.push_back({&authorship, {.layout = layout, .scheme = authors, .smooth = smooth}, 10 + i % 4 * 20,
                                 5 + i / 4 * 10, byAuthor[i / 4][i % 4]});
    struct Aid { int layout, mode, x, p, row; float factor; };
    const Aid aids[] = {
        {normal, 3, 60, 5, 0, 0.8f},         {normal, 3, 20, 5, 0, 1},           {normal, 3, 60, 55, -1, 0.64f},
        {normal, 2, 20, 17, 1, 0.49f},       {normal, 2, 20, 22, 2, 0.49f},      {normal, 2, 20, 26, 2, 1},
        {normal, 1, 60, 17, 1, 0.392f},      {horizontal, 3, 60, 35, 3, 0.8f},   {horizontal, 2, 20, 15, 1, 0.7f},
        {horizontal, 2, 20, 25, 2, 1},       {horizontal, 1, 60, 15, 1, 0.56f},  {horizontal, 1, 100, 15, 1, 0.7f},
        {horizontal, 1, 60, 55, -1, 0.64f},  {interpolated, 3, 60, 5, 0, 0.8f},  {interpolated, 2, 20, 15, 1, 0.5f},
        {interpolated, 2, 20, 24, 2, 0.5f},  {interpolated, 2, 20, 25, 2, 1},    {interpolated, 1, 60, 19, 1, 0.4f},
    };
    for (const Aid& aid : aids)
        cases.push_back({&four, {.layout = aid.layout, .pointer = aid.mode}, aid.x, aid.p, times(quarter(aid.row), aid.factor)});
    struct Cushion { int drawing, strength; float blending; int x, y; float factor; };  // below 0 the grey -factor
    const Cushion cushions[] = {
        {1, 0, 0.2f, 1, 4, 1},      {1, 0, 0.2f, 254, 4, 1},   {2, 0, 0.2f, 300, 4, 1},     {2, 0, 0.2f, 128, 14, -0.8f},
        {0, 0, 0.2f, 0, 4, 0.92f},  {0, 0, 0.2f, 256, 4, 0.92f}, {0, 0, 0.2f, 128, 4, 1},   {0, 0, 0.2f, 255, 4, 0.93f},
        {0, 0, 0.2f, 128, 14, -1},  {0, 0, 0.5f, 0, 4, 0.8f},  {0, 0, 0.5f, 128, 4, 1},     {2, 0, 0.5f, 0, 4, 1},
        {0, 2, 0.2f, 0, 4, 0.8f},   {0, 2, 0.2f, 60, 4, 0.8f}, {0, 2, 0.2f, 128, 4, 0.9f},  {0, 2, 0.2f, 255, 4, 0.99985f},
    };
    const Grid wide{{"XX"}, 512, 20, 256, 10}, narrow{{"XXX"}, 60, 40, 20, 40};
    const Rgb author = identifierColours[0];
    for (const Cushion& c : cushions)
        cases.push_back({&wide, {.scheme = authors, .drawing = c.drawing, .strength = c.strength, .blending = c.blending},
                         c.x, c.y, c.factor < 0 ? greyOf(-c.factor) : times(author, c.factor)});
    struct Marker { int focus, scroll, x, y; bool marked; };
    const Marker markers[] = {
        {-1, 0, 30, 1, false}, {1, 0, 19, 39, true},  {1, 0, 40, 19, true},  {1, 0, 18, 19, false}, {1, 0, 41, 19, false},
        {1, 0, 30, 1, true},   {1, 0, 30, 38, true},  {1, 0, 23, 8, false},  {1, 0, 30, 29, false}, {0, 0, 0, 19, true},
        {1, 5, 14, 19, true},  {1, 5, 19, 19, false},
    };
    for (const Marker& m : markers)
        cases.push_back({&narrow, {.scheme = authors, .focus = m.focus, .scroll = static_cast<float>(m.scroll)}, m.x, m.y,
                         m.marked ? Rgb{0.8f, 0.8f, 1.0f} : author});
    expectPixels(cases, [] {
        for (int i = 0; i < currentEvolution->rowCount; ++i)
            currentEvolution->rowClasses[i][0] = classes[std::min(i, 5)];
    });
    for (float lineSize : {1.0f, 6.0f}) {  // the path as wide as a row and at least two pixels
        open(Grid{Strings(4, "XXXX"), 160, 60, 40, lineSize}, {.layout = interpolated});
        const Frame plain = draw();
        viewState->pointerMode = 2;
        EXPECT_EQ(changedInColumn(plain, draw(), 20), lineSize > 2.0f ? 6 : 2) << lineSize;
    }
    // The overlay alone, drawn over the picture kept from the last frame whatever the buffer held since, as drawn whole.
    for (int layout : {normal, horizontal, interpolated}) {
        open(Grid{{"XXXX", ">XXX", "XXDD", "XXXX"}, 160, 60, 40, 15}, {.layout = layout, .scheme = evolution, .pointer = 1});
        draw(), draw();  // the first frame after opening can lie a level off the next in places
        for (int mode : {2, 3, 1, 0}) {
            viewState->pointerMode = mode;
            harness->makeCurrent();
            glClearColor(1, 0, 0, 1), glClear(GL_COLOR_BUFFER_BIT);
            harness->view().overlayOnly = true;
            const Frame overlaid = draw();
            harness->view().overlayOnly = false;
            EXPECT_EQ(overlaid.rgba, draw().rgba) << layout << " pointer mode " << mode;
        }
    }
    opened.reset();  // nothing loaded, the canvas is light grey
    EXPECT_TRUE(showsColour(draw().at(10, 10), greyOf(0.85f)));
}

TEST_F(Layouts, BlocksShadeTheirCellsFromTheThresholdOn)
{
    for (int layout : {horizontal, interpolated}) {
        open(Grid{Strings(6, "XXXX"), 160, 120, 40, 20}, {.layout = layout});
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
    // The first frame after a focus change draws the blocks at the new rows: where row 1 is gone, the block rises.
    open(Grid{{"XXXX", "XX<<", "XXXX", "XXXX"}, 160, 80, 40, 20}, {.layout = interpolated});
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

float firstCushionTexel()
{
    std::array<float, colourTextureSize> texels{};
    glBindTexture(GL_TEXTURE_1D, colourTextureNames[revisionCushionTexture]);
    glGetTexImage(GL_TEXTURE_1D, 0, GL_ALPHA, GL_FLOAT, texels.data());
    return texels[0];
}

TEST(ColourTextures, AreRebuiltOnANewContextAndWhenScheduledOnly)
{
    EvolutionViewHarness canvas(20, 20);
    canvas.drawFrame();
    const auto first = colourTextureNames;
    canvas.drawFrame();
    EXPECT_EQ(colourTextureNames, first);
    revisionBlending = 1.0f;
    scheduleColourTextureRebuild();
    canvas.drawFrame();
    revisionBlending = 0.6f;
    for (int index = 0; index < colourTextureCount; ++index)
        EXPECT_TRUE(colourTextureNames[index] != first[index] && !glIsTexture(first[index]));
    EXPECT_FALSE(colourTextureRebuildScheduled());
    canvas.makeCurrent();
    EXPECT_NEAR(firstCushionTexel(), 0.2f, 1.5f / 255);
    canvas.loseContext();
    canvas.makeCurrent();
    ASSERT_FALSE(canvas.canvas().context_valid());
    canvas.drawFrame();
    canvas.makeCurrent();
    EXPECT_TRUE(glIsTexture(colourTextureNames[blockShadedTexture]));
    EXPECT_NEAR(firstCushionTexel(), 0.12f, 1.5f / 255);
}

}  // namespace
