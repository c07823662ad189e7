#include "view/evolution_view.h"

#include <array>

#include <FL/gl.h>
#include <gtest/gtest.h>

#include "app/globals.h"
#include "colouring/colour_textures.h"
#include "evolution/evolution_file.h"
#include "support/canvas_test.h"
#include "support/open_evolution.h"
#include "view/frame_steps.h"
#include "view/geometry/row_heights.h"
#include "view/view_transforms.h"

namespace {

constexpr int versionCushions = 0, versionLines = 1, versionNone = 2;
const Rgb firstAuthor = {0.0f, 0.5f, 1.0f};  // identifier colour 0
const Rgb focusBlue = {0.8f, 0.8f, 1.0f};

TEST(EvolutionViewFrame, ShowsLightGreyWithNothingLoaded)
{
    closeTestEvolution();
    EvolutionViewHarness harness(40, 30);
    const Frame frame = harness.drawFrame();
    for (int y : {0, 15, 29})
        for (int x : {0, 20, 39})
            EXPECT_TRUE(showsColour(frame.at(x, y), greyOf(0.85f)));
}

// Two columns of 256 pixels, so that pixel i of a column samples texel i
// of the revision cushion; one row of the first author over the top 10
// pixels, bare background below.
class ShadingModel : public CanvasTest {
protected:
    void SetUp() override
    {
        EvolutionSketch sketch;
        sketch.statuses = {"XX"};
        sketch.authors = {"ann", "ann"};
        open(sketch, 512, 20, 256.0f, 10.0f);
        viewState->attributeIndex = 2;
    }

    Rgb cellAtFactor(float factor) const { return times(firstAuthor, factor); }
};

TEST_F(ShadingModel, WithoutCushionsCellsKeepTheirFullColour)
{
    for (int drawing : {versionLines, versionNone}) {
        viewState->versionDrawing = drawing;
        const Frame frame = draw();
        SCOPED_TRACE(drawing);
        for (int x : {1, 128, 254, 300, 510})
            EXPECT_TRUE(showsColour(frame.at(x, 15), firstAuthor)) << "x " << x;
        EXPECT_TRUE(showsColour(frame.at(128, 5), greyOf(0.8f)));
    }
}

TEST_F(ShadingModel, FlatCushionsDarkenColumnEdgesTo092)
{
    viewState->versionDrawing = versionCushions;
    const Frame frame = draw();
    EXPECT_TRUE(showsColour(frame.at(0, 15), cellAtFactor(0.92f)));
    EXPECT_TRUE(showsColour(frame.at(256, 15), cellAtFactor(0.92f)));
    EXPECT_TRUE(showsColour(frame.at(128, 15), firstAuthor));
    EXPECT_TRUE(showsColour(frame.at(255, 15), cellAtFactor(0.93f)));
    // Where no cell covers it, the grey background saturates to white.
    EXPECT_TRUE(showsColour(frame.at(128, 5), greyOf(1.0f)));
}

TEST_F(ShadingModel, BlendingRatioSplitsTheFactorBetweenBackgroundAndCushion)
{
    viewState->versionDrawing = versionCushions;
    viewState->blendingRatio = 0.5f;
    scheduleColourTextureRebuild();
    Frame frame = draw();
    // Edge: 0.5 + 0.6 * 0.5.
    EXPECT_TRUE(showsColour(frame.at(0, 15), cellAtFactor(0.8f)));
    EXPECT_TRUE(showsColour(frame.at(128, 15), firstAuthor));

    viewState->versionDrawing = versionNone;
    frame = draw();
    EXPECT_TRUE(showsColour(frame.at(0, 15), firstAuthor));
}

TEST_F(ShadingModel, GeometryCushionsLightColumnsFromTheRight)
{
    viewState->versionDrawing = versionCushions;
    viewState->cushionStrength = 2;
    const Frame frame = draw();
    EXPECT_TRUE(showsColour(frame.at(0, 15), cellAtFactor(0.8f)));
    EXPECT_TRUE(showsColour(frame.at(60, 15), cellAtFactor(0.8f)));
    EXPECT_TRUE(showsColour(frame.at(128, 15), cellAtFactor(0.9f)));
    EXPECT_TRUE(showsColour(frame.at(255, 15), cellAtFactor(0.99985f)));
}

TEST_F(ShadingModel, LinesMarkEveryColumnsLeftEdge)
{
    viewState->versionDrawing = versionLines;
    viewState->versionSize = 16.0f;
    viewState->scrollX = -4.0f;  // column edges at x = 4, 20 and 36
    const Frame frame = draw();
    const Rgb line = greyOf(0.2f);
    // A line on a pixel boundary darkens one of the two pixels beside it.
    const auto lineBeside = [&](int edge, int y) {
        return showsColour(frame.at(edge - 1, y), line) || showsColour(frame.at(edge, y), line);
    };
    for (int y : {2, 15}) {
        EXPECT_TRUE(lineBeside(4, y)) << "y " << y;
        EXPECT_TRUE(lineBeside(20, y)) << "y " << y;
        EXPECT_FALSE(lineBeside(36, y)) << "y " << y;
    }
    for (int x : {6, 12, 18, 22, 34})
        EXPECT_TRUE(showsColour(frame.at(x, 15), firstAuthor)) << "x " << x;
}

class FocusMarker : public CanvasTest {
protected:
    void SetUp() override
    {
        EvolutionSketch sketch;
        sketch.statuses = {"XXX"};
        sketch.authors = {"ann", "ann", "ann"};
        open(sketch, 60, 40, 20.0f, 40.0f);
        viewState->attributeIndex = 2;
    }
};

TEST_F(FocusMarker, AbsentWithoutAFocusRevision)
{
    const Frame frame = draw();
    for (int x = 0; x < 60; ++x)
        for (int y : {0, 5, 20, 35, 39})
            ASSERT_TRUE(showsColour(frame.at(x, y), firstAuthor)) << x << ", " << y;
}

TEST_F(FocusMarker, FramesTheFocusColumnWithBarsAndArrowheads)
{
    currentEvolution->focusRevision = 1;
    const Frame frame = draw();
    for (int y : {0, 20, 39})
        for (int x : {19, 20, 39, 40})
            EXPECT_TRUE(showsColour(frame.at(x, y), focusBlue)) << x << ", " << y;
    for (int x : {18, 21, 38, 41})
        EXPECT_TRUE(showsColour(frame.at(x, 20), firstAuthor)) << "x " << x;
    // Arrowheads 10 pixels deep, pointing into the column.
    EXPECT_TRUE(showsColour(frame.at(30, 38), focusBlue));
    EXPECT_TRUE(showsColour(frame.at(30, 1), focusBlue));
    EXPECT_TRUE(showsColour(frame.at(23, 31), firstAuthor));
    EXPECT_TRUE(showsColour(frame.at(30, 29), firstAuthor));
    EXPECT_TRUE(showsColour(frame.at(30, 10), firstAuthor));
}

TEST_F(FocusMarker, FollowsTheScroll)
{
    currentEvolution->focusRevision = 0;
    Frame frame = draw();
    EXPECT_TRUE(showsColour(frame.at(0, 20), focusBlue));
    EXPECT_TRUE(showsColour(frame.at(1, 20), firstAuthor));

    viewState->scrollX = 5.0f;
    currentEvolution->focusRevision = 1;
    frame = draw();
    EXPECT_TRUE(showsColour(frame.at(14, 20), focusBlue));
    EXPECT_TRUE(showsColour(frame.at(15, 20), focusBlue));
    EXPECT_TRUE(showsColour(frame.at(19, 20), firstAuthor));
}

class CanvasResize : public CanvasTest {
protected:
    void SetUp() override
    {
        EvolutionSketch sketch;
        sketch.statuses = {"XX", "XX"};
        sketch.authors = {"ann", "bob"};
        open(sketch, 100, 50, 8.0f, 1.0f);
        viewState->scrollX = 10.0f;
        viewState->scrollY = 6.0f;
    }

    static void expectZoom(float versionSize, float lineSize, float scrollX, float scrollY)
    {
        EXPECT_FLOAT_EQ(viewState->versionSize, versionSize);
        EXPECT_FLOAT_EQ(viewState->lineSize, lineSize);
        EXPECT_FLOAT_EQ(viewState->scrollX, scrollX);
        EXPECT_FLOAT_EQ(viewState->scrollY, scrollY);
    }
};

TEST_F(CanvasResize, ScalesZoomAndScrollWithTheCanvas)
{
    harness->resize(200, 100);
    EXPECT_EQ(viewState->viewWidth, 200);
    EXPECT_EQ(viewState->viewHeight, 100);
    expectZoom(16.0f, 2.0f, 20.0f, 12.0f);
    EXPECT_EQ(previousViewWidth, 200);
    EXPECT_EQ(previousViewHeight, 100);

    harness->resize(200, 150);
    expectZoom(16.0f, 3.0f, 20.0f, 18.0f);
}

TEST_F(CanvasResize, ToTheSameSizeChangesNothing)
{
    harness->view().resize(0, 0, 100, 50);
    expectZoom(8.0f, 1.0f, 10.0f, 6.0f);
}

TEST_F(CanvasResize, WithNothingLoadedOnlyStoresTheSize)
{
    viewState->loaded = false;
    harness->resize(150, 60);
    EXPECT_EQ(viewState->viewWidth, 150);
    EXPECT_EQ(viewState->viewHeight, 60);
    expectZoom(8.0f, 1.0f, 10.0f, 6.0f);
    EXPECT_EQ(previousViewWidth, 100);
    EXPECT_EQ(previousViewHeight, 50);

    // The first resize with an evolution scales against the last size seen
    // with one.
    viewState->loaded = true;
    harness->resize(200, 50);
    expectZoom(16.0f, 1.0f, 20.0f, 6.0f);
}

TEST_F(CanvasResize, LetsTheWindowReLayTheCanvasCompanionsAfterRescaling)
{
    static float versionSizeSeen = 0.0f;
    static int calls = 0;
    followCanvasResize = [](EvolutionView&) {
        versionSizeSeen = viewState->versionSize;
        ++calls;
    };
    harness->resize(200, 50);
    harness->view().resize(0, 0, 200, 50);
    followCanvasResize = nullptr;
    EXPECT_EQ(calls, 1);
    EXPECT_FLOAT_EQ(versionSizeSeen, 16.0f);
}

TEST_F(CanvasResize, DrawsOverTheNewSize)
{
    viewState->scrollX = 0.0f;
    viewState->scrollY = 0.0f;
    viewState->attributeIndex = 2;
    harness->resize(160, 80);
    const Frame frame = draw();
    ASSERT_EQ(frame.width, 160);
    ASSERT_EQ(frame.height, 80);
    // Columns 12.8 pixels wide, rows 1.6 high: revision 1's author in the
    // second column of the top row.
    EXPECT_TRUE(showsColour(frame.fromTop(19, 0), firstAuthor));
    EXPECT_TRUE(showsColour(frame.fromTop(5, 2), firstAuthor));
}

TEST(ColourTextureRebuild, HappensOnANewContextAndWhenScheduledOnly)
{
    closeTestEvolution();
    EvolutionViewHarness harness(20, 20);
    harness.drawFrame();
    const auto first = colourTextureNames;
    harness.drawFrame();
    EXPECT_EQ(colourTextureNames, first);

    revisionBlending = 1.0f;
    scheduleColourTextureRebuild();
    harness.drawFrame();
    revisionBlending = 0.6f;
    EXPECT_NE(colourTextureNames, first);
    EXPECT_FALSE(colourTextureRebuildScheduled());
    harness.makeCurrent();
    glBindTexture(GL_TEXTURE_1D, colourTextureNames[revisionCushionTexture]);
    std::array<float, colourTextureSize> texels{};
    glGetTexImage(GL_TEXTURE_1D, 0, GL_ALPHA, GL_FLOAT, texels.data());
    EXPECT_NEAR(texels[0], 0.2f, 1.5f / 255.0f);

    // A new context starts without textures; its first frame makes them.
    harness.loseContext();
    harness.makeCurrent();
    ASSERT_FALSE(harness.canvas().context_valid());
    harness.drawFrame();
    harness.makeCurrent();
    for (unsigned int name : colourTextureNames)
        EXPECT_TRUE(glIsTexture(name));
    glBindTexture(GL_TEXTURE_1D, colourTextureNames[revisionCushionTexture]);
    glGetTexImage(GL_TEXTURE_1D, 0, GL_ALPHA, GL_FLOAT, texels.data());
    EXPECT_NEAR(texels[0], 0.12f, 1.5f / 255.0f);
}

class ViewTransforms : public CanvasTest {
protected:
    void SetUp() override
    {
        EvolutionSketch sketch;
        sketch.statuses = {"XX"};
        sketch.authors = {"ann", "ann"};
        open(sketch, 100, 80, 8.0f, 2.0f);
        ViewState& v = *viewState;
        v.scrollX = 3.0f;
        v.scrollY = 5.0f;
        v.codeViewHeight = 145;
        v.fontHeight = 15;
        v.fontDifference = 2;
        v.fontBaseline = 2.5f;
        v.smallFontBaseline = 1.5f;
        harness->makeCurrent();
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
    }

    // Where the pushed transform takes the point (x, y); pops it again.
    static std::array<float, 2> mapped(int kind, float x, float y)
    {
        pushViewTransform(kind);
        GLfloat m[16];
        glGetFloatv(GL_MODELVIEW_MATRIX, m);
        pushViewTransform(popTransform);
        return {m[0] * x + m[4] * y + m[12], m[1] * x + m[5] * y + m[13]};
    }

    static GLint depth()
    {
        GLint d = 0;
        glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &d);
        return d;
    }
};

TEST_F(ViewTransforms, MapGridAndTextCoordinatesToPixels)
{
    using Point = std::array<float, 2>;
    // Row units: x * 8 - 3, 80 + 5 - y * 2.
    EXPECT_EQ(mapped(rowUnitTransform, 2.0f, 3.0f), (Point{13.0f, 79.0f}));
    // Column strips: y 0..1 over the whole height.
    EXPECT_EQ(mapped(columnStripTransform, 2.0f, 1.0f), (Point{13.0f, 80.0f}));
    // Pixel rows: y already in pixels, downwards.
    EXPECT_EQ(mapped(pixelRowTransform, 2.0f, 3.0f), (Point{13.0f, 82.0f}));
    // Code text: 145 - 15 - 2.5 at the top line, y downwards.
    EXPECT_EQ(mapped(codeTextTransform, 7.0f, 10.0f), (Point{7.0f, 117.5f}));
    // Reduced text: 2 - 15 + 145 - 1.5.
    EXPECT_EQ(mapped(smallCodeTextTransform, 7.0f, 10.0f), (Point{7.0f, 120.5f}));
}

TEST_F(ViewTransforms, KindFiveDoesNothingAndSixOrMorePops)
{
    const GLint start = depth();
    pushViewTransform(noTransform);
    EXPECT_EQ(depth(), start);
    pushViewTransform(rowUnitTransform);
    pushViewTransform(columnStripTransform);
    EXPECT_EQ(depth(), start + 2);
    pushViewTransform(popTransform);
    pushViewTransform(9);
    EXPECT_EQ(depth(), start);
}

TEST(RowHeights, ResetGivesEveryShownRowFullHeightAndFreesNoSpace)
{
    TempDirectory directory;
    EvolutionSketch sketch;
    sketch.statuses = {"XXX", "X<<", "XXX"};
    sketch.authors = {"ann", "ann", "ann"};
    ASSERT_TRUE(openTestEvolution(directory, sketch));
    EvolutionFile& e = *currentEvolution;
    auto& heights = viewState->rowHeights;
    ASSERT_EQ(heights.size(), 4u);
    for (auto& row : heights)
        std::fill(row.begin(), row.end(), 7.0f);

    // Range 2..3 leaves the two rows that live through it.
    e.setRevisionRange(modeNormal, 2, 3);
    ASSERT_EQ(e.rowCount, 2);
    resetRowHeights(e);
    for (int c = 0; c < 3; ++c) {
        EXPECT_EQ(heights[0][c], 1.0f);
        EXPECT_EQ(heights[1][c], 1.0f);
        EXPECT_EQ(heights[2][c], 0.0f);
        EXPECT_EQ(heights[3][c], 7.0f);
    }
    closeTestEvolution();
}

}  // namespace
