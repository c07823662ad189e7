// The frame around the cells: cushions and lines per revision, the focus
// marker, resizing, the cushion textures and the view transforms.

#include <array>

#include <FL/gl.h>

#include "app/globals.h"
#include "colouring/colour_textures.h"
#include "evolution/evolution_file.h"
#include "support/gl_harness.h"
#include "view/evolution_view.h"
#include "view/view_transforms.h"

namespace {

const Rgb firstAuthor = {0.0f, 0.5f, 1.0f};
const Rgb focusBlue = {0.8f, 0.8f, 1.0f};

class Frames : public CanvasTest {
protected:
    void openOneRow(int width, int height, float versionSize, float lineSize, int revisions)
    {
        EvolutionSketch sketch;
        sketch.statuses = {std::string(revisions, 'X')};
        sketch.authors.assign(revisions, "ann");
        open(sketch, width, height, versionSize, lineSize);
        viewState->attributeIndex = 2;
    }
};

TEST_F(Frames, NothingLoadedIsLightGrey)
{
    closeTestEvolution();
    EvolutionViewHarness canvas(40, 30);
    const Frame frame = canvas.drawFrame();
    for (int y : {0, 15, 29})
        for (int x : {0, 20, 39})
            EXPECT_TRUE(showsColour(frame.at(x, y), greyOf(0.85f)));
}

// Two columns of 256 pixels, so that pixel i samples texel i of the cushion.
TEST_F(Frames, RevisionCushionsShadeEachColumnByTheirProfile)
{
    struct Case {
        int drawing, strength;
        float blending;
        int x, y;
        float factor;  // of the author's colour; below 0 the grey -factor
    };
    const Case cases[] = {
        {1, 0, 0.2f, 1, 15, 1.0f},      {1, 0, 0.2f, 254, 15, 1.0f},   {2, 0, 0.2f, 300, 15, 1.0f},
        {2, 0, 0.2f, 128, 5, -0.8f},    {0, 0, 0.2f, 0, 15, 0.92f},    {0, 0, 0.2f, 256, 15, 0.92f},
        {0, 0, 0.2f, 128, 15, 1.0f},    {0, 0, 0.2f, 255, 15, 0.93f},  {0, 0, 0.2f, 128, 5, -1.0f},
        {0, 0, 0.5f, 0, 15, 0.8f},      {0, 0, 0.5f, 128, 15, 1.0f},   {2, 0, 0.5f, 0, 15, 1.0f},
        {0, 2, 0.2f, 0, 15, 0.8f},      {0, 2, 0.2f, 60, 15, 0.8f},    {0, 2, 0.2f, 128, 15, 0.9f},
        {0, 2, 0.2f, 255, 15, 0.99985f},
    };
    for (const Case& c : cases) {
        openOneRow(512, 20, 256.0f, 10.0f, 2);
        viewState->versionDrawing = c.drawing;
        viewState->cushionStrength = c.strength;
        viewState->blendingRatio = c.blending;
        scheduleColourTextureRebuild();
        const Rgb expected = c.factor < 0 ? greyOf(-c.factor) : times(firstAuthor, c.factor);
        EXPECT_TRUE(showsColour(draw().at(c.x, c.y), expected)) << "case " << &c - cases;
    }
    // Lines mark every column's left edge, here at x = 4 and 20.
    openOneRow(512, 20, 16.0f, 10.0f, 2);
    viewState->versionDrawing = 1;
    viewState->scrollX = -4.0f;
    const Frame frame = draw();
    const auto lineBeside = [&](int edge) {
        return showsColour(frame.at(edge - 1, 15), greyOf(0.2f)) || showsColour(frame.at(edge, 15), greyOf(0.2f));
    };
    EXPECT_TRUE(lineBeside(4));
    EXPECT_TRUE(lineBeside(20));
    EXPECT_FALSE(lineBeside(36));
    for (int x : {6, 18, 22, 34})
        EXPECT_TRUE(showsColour(frame.at(x, 15), firstAuthor)) << "x " << x;
}

TEST_F(Frames, TheFocusMarkerFramesTheFocusColumnWithBarsAndArrowheads)
{
    struct Probe {
        int focus;
        float scroll;
        int x, y;
        bool marked;
    };
    const Probe probes[] = {
        {-1, 0, 0, 0, false},  {-1, 0, 30, 38, false}, {-1, 0, 59, 39, false}, {1, 0, 19, 0, true},
        {1, 0, 20, 20, true},  {1, 0, 39, 39, true},   {1, 0, 40, 20, true},   {1, 0, 18, 20, false},
        {1, 0, 21, 20, false}, {1, 0, 38, 20, false},  {1, 0, 41, 20, false},  {1, 0, 30, 38, true},
        {1, 0, 30, 1, true},   {1, 0, 23, 31, false},  {1, 0, 30, 29, false},  {1, 0, 30, 10, false},
        {0, 0, 0, 20, true},   {0, 0, 1, 20, false},   {1, 5, 14, 20, true},   {1, 5, 15, 20, true},
        {1, 5, 19, 20, false},
    };
    for (const Probe& p : probes) {
        openOneRow(60, 40, 20.0f, 40.0f, 3);
        currentEvolution->focusRevision = p.focus;
        viewState->scrollX = p.scroll;
        EXPECT_TRUE(showsColour(draw().at(p.x, p.y), p.marked ? focusBlue : firstAuthor)) << "probe " << &p - probes;
    }
}

TEST_F(Frames, ResizingScalesZoomAndScrollWithTheCanvas)
{
    openOneRow(100, 50, 8.0f, 1.0f, 2);
    viewState->scrollX = 10.0f;
    viewState->scrollY = 6.0f;
    const auto expectZoom = [](float versionSize, float lineSize, float scrollX, float scrollY) {
        EXPECT_FLOAT_EQ(viewState->versionSize, versionSize);
        EXPECT_FLOAT_EQ(viewState->lineSize, lineSize);
        EXPECT_FLOAT_EQ(viewState->scrollX, scrollX);
        EXPECT_FLOAT_EQ(viewState->scrollY, scrollY);
    };
    harness->view().resize(0, 0, 100, 50);
    expectZoom(8.0f, 1.0f, 10.0f, 6.0f);
    // With nothing loaded only the size is stored; the next resize with an
    // evolution scales against the last size seen with one.
    viewState->loaded = false;
    harness->resize(150, 60);
    EXPECT_EQ(viewState->viewWidth, 150);
    expectZoom(8.0f, 1.0f, 10.0f, 6.0f);
    EXPECT_EQ(previousViewWidth, 100);
    viewState->loaded = true;
    static int calls = 0;
    static float versionSizeSeen = 0.0f;
    followCanvasResize = [](EvolutionView&) {
        versionSizeSeen = viewState->versionSize;
        ++calls;
    };
    harness->resize(200, 100);
    followCanvasResize = nullptr;
    EXPECT_EQ(calls, 1);
    EXPECT_FLOAT_EQ(versionSizeSeen, 16.0f);
    EXPECT_EQ(viewState->viewHeight, 100);
    EXPECT_EQ(previousViewWidth, 200);
    EXPECT_EQ(previousViewHeight, 100);
    expectZoom(16.0f, 2.0f, 20.0f, 12.0f);
    // The next frame covers the new size.
    viewState->scrollX = viewState->scrollY = 0.0f;
    const Frame frame = draw();
    ASSERT_EQ(frame.width, 200);
    EXPECT_TRUE(showsColour(frame.fromTop(20, 1), firstAuthor));
    EXPECT_TRUE(showsColour(frame.fromTop(20, 3), greyOf(0.8f)));
}

TEST_F(Frames, ViewTransformsMapGridAndTextCoordinatesToPixels)
{
    openOneRow(100, 80, 8.0f, 2.0f, 2);
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
    const auto depth = [] {
        GLint d = 0;
        glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &d);
        return d;
    };
    const GLint start = depth();
    struct Case {
        int kind;
        float x, y, px, py;
    };
    const Case cases[] = {{rowUnitTransform, 2, 3, 13, 79},         {columnStripTransform, 2, 1, 13, 80},
                          {pixelRowTransform, 2, 3, 13, 82},        {codeTextTransform, 7, 10, 7, 117.5f},
                          {smallCodeTextTransform, 7, 10, 7, 120.5f}};
    for (const Case& c : cases) {
        pushViewTransform(c.kind);
        EXPECT_EQ(depth(), start + 1);
        GLfloat m[16];
        glGetFloatv(GL_MODELVIEW_MATRIX, m);
        pushViewTransform(popTransform);
        EXPECT_FLOAT_EQ(m[0] * c.x + m[4] * c.y + m[12], c.px) << "kind " << c.kind;
        EXPECT_FLOAT_EQ(m[1] * c.x + m[5] * c.y + m[13], c.py) << "kind " << c.kind;
    }
    pushViewTransform(noTransform);
    EXPECT_EQ(depth(), start);
    pushViewTransform(rowUnitTransform);
    pushViewTransform(9);
    EXPECT_EQ(depth(), start);
}

// The textures keep 8 bits a texel.
std::vector<float> texels(int index)
{
    const bool oneD = index == revisionCushionTexture || index == revisionShadedTexture;
    std::vector<float> values(oneD ? colourTextureSize : colourTextureSize * colourTextureSize);
    glBindTexture(oneD ? GL_TEXTURE_1D : GL_TEXTURE_2D, colourTextureNames[index]);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(oneD ? GL_TEXTURE_1D : GL_TEXTURE_2D, 0, GL_ALPHA, GL_FLOAT, values.data());
    return values;
}

TEST(ColourTextures, CushionProfilesFollowTheBlendingParameters)
{
    closeTestEvolution();
    EvolutionViewHarness canvas(colourTextureSize, colourTextureSize);
    canvas.makeCurrent();
    struct Case {
        float revision, block, ratio;
        int texture, i, j;
        float expected;
    };
    const Case cases[] = {
        {0.6f, 0.3f, 0.2f, revisionCushionTexture, 0, 0, 0.12f},
        {0.6f, 0.3f, 0.2f, revisionCushionTexture, 64, 0, 0.1893f},
        {0.6f, 0.3f, 0.2f, revisionCushionTexture, 128, 0, 0.2f},
        {0.6f, 0.3f, 0.2f, revisionCushionTexture, 255, 0, 0.13f},
        {0.6f, 0.3f, 0.2f, blockCushionTexture, 0, 0, 0.24f},
        {0.6f, 0.3f, 0.2f, blockCushionTexture, 128, 128, 0.8f},
        {0.6f, 0.3f, 0.2f, blockCushionTexture, 0, 128, 0.24f},
        {0.6f, 0.3f, 0.2f, blockCushionTexture, 128, 0, 0.24f},
        {0.6f, 0.3f, 0.2f, blockCushionTexture, 128, 64, 0.66f},
        {0.6f, 0.3f, 0.2f, revisionShadedTexture, 81, 0, 0.0f},
        {0.6f, 0.3f, 0.2f, revisionShadedTexture, 128, 0, 0.1f},
        {0.6f, 0.3f, 0.2f, revisionShadedTexture, 255, 0, 0.19985f},
        {0.6f, 0.3f, 0.2f, blockShadedTexture, 128, 128, 0.4f},
        {0.6f, 0.3f, 0.2f, blockShadedTexture, 128, 255, 0.7873f},
        {0.6f, 0.3f, 0.2f, blockShadedTexture, 0, 200, 0.0f},
        {1.0f, 0.3f, 0.2f, revisionCushionTexture, 0, 0, 0.2f},
        {1.0f, 0.3f, 0.2f, revisionShadedTexture, 40, 0, 0.1f},
        {0.6f, 0.3f, 0.0f, revisionCushionTexture, 128, 0, 0.0f},
        {0.6f, 0.3f, 0.0f, revisionShadedTexture, 255, 0, 0.0f},
        {0.6f, 0.3f, 0.0f, blockCushionTexture, 128, 128, 1.0f},
        {0.6f, 0.3f, 0.0f, blockCushionTexture, 0, 0, 0.3f},
        {0.6f, 0.3f, 1.0f, revisionCushionTexture, 128, 0, 1.0f},
        {0.6f, 0.3f, 1.0f, revisionCushionTexture, 0, 0, 0.6f},
        {0.6f, 0.3f, 1.0f, blockCushionTexture, 128, 128, 0.0f},
        {0.6f, 0.3f, 1.0f, blockShadedTexture, 128, 255, 0.0f},
    };
    for (const Case& c : cases) {
        rebuildColourTextures(c.revision, c.block, c.ratio);
        EXPECT_NEAR(texels(c.texture)[c.j * colourTextureSize + c.i], c.expected, 1.5f / 255.0f)
            << "case " << &c - cases;
    }
    // The lit revision cushion rises monotonically past its dark side.
    rebuildColourTextures(0.6f, 0.3f, 0.2f);
    const auto lit = texels(revisionShadedTexture);
    for (int i = 83; i < colourTextureSize; ++i)
        ASSERT_GE(lit[i], lit[i - 1]) << "texel " << i;
    // A rebuild releases the previous textures.
    const auto previous = colourTextureNames;
    rebuildColourTextures(0.5f, 0.3f, 0.2f);
    for (int index = 0; index < colourTextureCount; ++index) {
        EXPECT_TRUE(glIsTexture(colourTextureNames[index]));
        EXPECT_FALSE(glIsTexture(previous[index]));
    }
}

TEST(ColourTextures, ShapesLayTheProfilesOverTheirArea)
{
    closeTestEvolution();
    EvolutionViewHarness canvas(colourTextureSize, colourTextureSize);
    canvas.drawFrame();  // sets up the pixel projection
    const auto alpha = [&](auto drawShape, int x, int y) {
        rebuildColourTextures(0.6f, 0.3f, 0.2f);
        glDisable(GL_BLEND);
        glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
        glClear(GL_COLOR_BUFFER_BIT);
        glColor4f(0.2f, 0.4f, 0.6f, 1.0f);
        drawShape();
        return canvas.readFrame().at(x, y).alpha;
    };
    const auto strip = [] { drawCushionStrip1D(0, 10, colourTextureSize, 20, revisionCushionTexture, true); };
    const auto rect = [] { drawCushionRect2D(0, 0, colourTextureSize, colourTextureSize, blockCushionTexture, true); };
    const auto lit = [] { drawCushionRect2D(0, 0, colourTextureSize, colourTextureSize, blockShadedTexture, true); };
    const auto trapezoid = [] {
        drawCushionTrapezoid2D(0.0f, 128.0f, 0.0f, 0.0f, 256.0f, 128.0f, 0.5f, 1.0f, blockCushionTexture, true);
    };
    const auto plain = [] {
        drawCushionStrip1D(0, 0, 10, 10, revisionCushionTexture, false);
        drawCushionRect2D(20, 0, 30, 10, blockCushionTexture, false);
        drawCushionTrapezoid2D(40.0f, 50.0f, 0.0f, 0.0f, 10.0f, 10.0f, 0.0f, 1.0f, blockCushionTexture, false);
    };
    const auto level = [](float value) { return static_cast<int>(value * 255.0f + 0.5f); };
    EXPECT_NEAR(alpha(strip, 0, 15), level(0.12f), 1);
    EXPECT_NEAR(alpha(strip, 64, 15), level(0.1893f), 1);
    EXPECT_NEAR(alpha(strip, 255, 19), level(0.13f), 1);
    EXPECT_EQ(alpha(strip, 128, 20), 0);
    EXPECT_EQ(alpha(strip, 128, 9), 0);
    EXPECT_NEAR(alpha(rect, 0, 0), level(0.24f), 1);
    EXPECT_NEAR(alpha(rect, 128, 64), level(0.66f), 1);
    EXPECT_NEAR(alpha(lit, 128, 255), level(0.7873f), 1);
    EXPECT_EQ(alpha(lit, 128, 10), 0);
    EXPECT_NEAR(alpha(trapezoid, 0, 64), level(0.8f), 1);
    EXPECT_LT(alpha(trapezoid, 127, 128), level(0.3f));
    EXPECT_EQ(alpha(trapezoid, 4, 200), 0);
    EXPECT_GT(alpha(trapezoid, 124, 200), 0);
    for (int x : {5, 25, 45})
        EXPECT_NEAR(alpha(plain, x, 5), level(0.7f), 1) << "x " << x;
    EXPECT_EQ(alpha(plain, 15, 5), 0);
    EXPECT_TRUE(showsColour(canvas.readFrame().at(5, 5), {1.0f, 1.0f, 1.0f}));
}

TEST(ColourTextures, AreRebuiltOnANewContextAndWhenScheduledOnly)
{
    closeTestEvolution();
    EvolutionViewHarness canvas(20, 20);
    canvas.drawFrame();
    const auto first = colourTextureNames;
    canvas.drawFrame();
    EXPECT_EQ(colourTextureNames, first);
    revisionBlending = 1.0f;
    scheduleColourTextureRebuild();
    canvas.drawFrame();
    revisionBlending = 0.6f;
    EXPECT_NE(colourTextureNames, first);
    EXPECT_FALSE(colourTextureRebuildScheduled());
    canvas.makeCurrent();
    EXPECT_NEAR(texels(revisionCushionTexture)[0], 0.2f, 1.5f / 255.0f);
    canvas.loseContext();
    canvas.makeCurrent();
    ASSERT_FALSE(canvas.canvas().context_valid());
    canvas.drawFrame();
    canvas.makeCurrent();
    for (unsigned int name : colourTextureNames)
        EXPECT_TRUE(glIsTexture(name));
    EXPECT_NEAR(texels(revisionCushionTexture)[0], 0.12f, 1.5f / 255.0f);
}

}  // namespace
