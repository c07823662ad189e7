// Around the cells: cushions and lines per revision, the focus marker, textures.

#include <FL/gl.h>

#include "app/globals.h"
#include "colouring/colour_textures.h"
#include "evolution/evolution_file.h"
#include "support/gl_harness.h"
#include "view/evolution_view.h"

namespace {

const Rgb author = {0.0f, 0.5f, 1.0f};

class Frames : public CanvasTest {
protected:
    void openRow(int width, int height, float versionSize, float lineSize, int revisions)
    {
        open({.statuses = {std::string(revisions, 'X')}, .authors = std::vector<std::string>(revisions, "ann")}, width,
             height, versionSize, lineSize);
        viewState->attributeIndex = 2;
    }
};

std::vector<float> texels(int index)
{
    const GLenum target = index == revisionCushionTexture || index == revisionShadedTexture ? GL_TEXTURE_1D : GL_TEXTURE_2D;
    std::vector<float> values(colourTextureSize * colourTextureSize);
    glBindTexture(target, colourTextureNames[index]);
    glGetTexImage(target, 0, GL_ALPHA, GL_FLOAT, values.data());
    return values;
}

// Columns of 256 pixels, so that pixel i samples texel i of the cushion.
TEST_F(Frames, RevisionCushionsAndLinesShadeEachColumn)
{
    struct Case {
        int drawing, strength;
        float blending;
        int x, y;
        float factor;  // of the author's colour; below 0 the grey -factor
    };
    const Case cases[] = {
        {1, 0, 0.2f, 1, 15, 1},    {1, 0, 0.2f, 254, 15, 1},   {2, 0, 0.2f, 300, 15, 1},      {2, 0, 0.2f, 128, 5, -0.8f},
        {0, 0, 0.2f, 0, 15, 0.92f}, {0, 0, 0.2f, 256, 15, 0.92f}, {0, 0, 0.2f, 128, 15, 1},   {0, 0, 0.2f, 255, 15, 0.93f},
        {0, 0, 0.2f, 128, 5, -1},  {0, 0, 0.5f, 0, 15, 0.8f},  {0, 0, 0.5f, 128, 15, 1},      {2, 0, 0.5f, 0, 15, 1},
        {0, 2, 0.2f, 0, 15, 0.8f}, {0, 2, 0.2f, 60, 15, 0.8f}, {0, 2, 0.2f, 128, 15, 0.9f},   {0, 2, 0.2f, 255, 15, 0.99985f},
    };
    openRow(512, 20, 256.0f, 10.0f, 2);
    for (const Case& c : cases) {
        viewState->versionDrawing = c.drawing;
        viewState->cushionStrength = c.strength;
        viewState->blendingRatio = c.blending;
        scheduleColourTextureRebuild();
        const Rgb expected = c.factor < 0 ? greyOf(-c.factor) : times(author, c.factor);
        EXPECT_TRUE(showsColour(draw().at(c.x, c.y), expected)) << "case " << &c - cases;
    }
    opened.reset();  // nothing loaded, the canvas is light grey
    EXPECT_TRUE(showsColour(draw().at(10, 10), greyOf(0.85f)));
}

TEST_F(Frames, TheFocusMarkerFramesTheFocusColumnWithBarsAndArrowheads)
{
    struct Probe {
        int focus, scroll, x, y;
        bool marked;
    };
    const Probe probes[] = {
        {-1, 0, 30, 38, false}, {1, 0, 19, 0, true},   {1, 0, 40, 20, true},  {1, 0, 18, 20, false}, {1, 0, 41, 20, false},
        {1, 0, 30, 38, true},   {1, 0, 30, 1, true},   {1, 0, 23, 31, false}, {1, 0, 30, 10, false}, {0, 0, 0, 20, true},
        {1, 5, 14, 20, true},   {1, 5, 19, 20, false},
    };
    for (const Probe& p : probes) {
        openRow(60, 40, 20.0f, 40.0f, 3);
        currentEvolution->focusRevision = p.focus;
        viewState->scrollX = static_cast<float>(p.scroll);
        EXPECT_TRUE(showsColour(draw().at(p.x, p.y), p.marked ? Rgb{0.8f, 0.8f, 1.0f} : author)) << &p - probes;
    }
}

// The textures are rebuilt on a new context and when scheduled only.
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
    EXPECT_NEAR(texels(revisionCushionTexture)[0], 0.2f, 1.5f / 255);
    canvas.loseContext();
    canvas.makeCurrent();
    ASSERT_FALSE(canvas.canvas().context_valid());
    canvas.drawFrame();
    canvas.makeCurrent();
    EXPECT_TRUE(glIsTexture(colourTextureNames[blockShadedTexture]));
    EXPECT_NEAR(texels(revisionCushionTexture)[0], 0.12f, 1.5f / 255);
}

}  // namespace
