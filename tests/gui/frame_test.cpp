// Around the cells: cushions and lines per revision, the focus marker, textures.

#include <FL/gl.h>

#include "app/globals.h"
#include "colouring/colour_textures.h"
#include "evolution/evolution_file.h"
#include "support/gl_harness.h"
#include "view/evolution_view.h"

namespace {

const Rgb author = {0.0f, 0.5f, 1.0f};
constexpr int authors = 2;

// Columns of 256 pixels, so that pixel i samples texel i of the cushion; the focus marker's bars and arrowheads.
TEST_F(CanvasTest, CushionsLinesAndTheFocusMarkerFrameTheColumns)
{
    struct Cushion { int drawing, strength; float blending; int x, y; float factor; };  // below 0 the grey -factor
    const Cushion cushions[] = {
        {1, 0, 0.2f, 1, 4, 1},      {1, 0, 0.2f, 254, 4, 1},   {2, 0, 0.2f, 300, 4, 1},     {2, 0, 0.2f, 128, 14, -0.8f},
        {0, 0, 0.2f, 0, 4, 0.92f},  {0, 0, 0.2f, 256, 4, 0.92f}, {0, 0, 0.2f, 128, 4, 1},   {0, 0, 0.2f, 255, 4, 0.93f},
        {0, 0, 0.2f, 128, 14, -1},  {0, 0, 0.5f, 0, 4, 0.8f},  {0, 0, 0.5f, 128, 4, 1},     {2, 0, 0.5f, 0, 4, 1},
        {0, 2, 0.2f, 0, 4, 0.8f},   {0, 2, 0.2f, 60, 4, 0.8f}, {0, 2, 0.2f, 128, 4, 0.9f},  {0, 2, 0.2f, 255, 4, 0.99985f},
    };
    struct Marker { int focus, scroll, x, y; bool marked; };
    const Marker markers[] = {
        {-1, 0, 30, 1, false}, {1, 0, 19, 39, true},  {1, 0, 40, 19, true},  {1, 0, 18, 19, false}, {1, 0, 41, 19, false},
        {1, 0, 30, 1, true},   {1, 0, 30, 38, true},  {1, 0, 23, 8, false},  {1, 0, 30, 29, false}, {0, 0, 0, 19, true},
        {1, 5, 14, 19, true},  {1, 5, 19, 19, false},
    };
    const Grid wide{{"XX"}, 512, 20, 256, 10}, narrow{{"XXX"}, 60, 40, 20, 40};
    std::vector<PixelCase> cases;
    for (const Cushion& c : cushions)
        cases.push_back({&wide, {.scheme = authors, .drawing = c.drawing, .strength = c.strength, .blending = c.blending},
                         c.x, c.y, c.factor < 0 ? greyOf(-c.factor) : times(author, c.factor)});
    for (const Marker& m : markers)
        cases.push_back({&narrow, {.scheme = authors, .focus = m.focus, .scroll = static_cast<float>(m.scroll)}, m.x, m.y,
                         m.marked ? Rgb{0.8f, 0.8f, 1.0f} : author});
    expectPixels(cases);
    opened.reset();  // nothing loaded, the canvas is light grey
    EXPECT_TRUE(showsColour(draw().at(10, 10), greyOf(0.85f)));
}

float firstTexel(int index)
{
    const GLenum target = index == revisionCushionTexture || index == revisionShadedTexture ? GL_TEXTURE_1D : GL_TEXTURE_2D;
    std::vector<float> values(colourTextureSize * colourTextureSize);
    glBindTexture(target, colourTextureNames[index]);
    glGetTexImage(target, 0, GL_ALPHA, GL_FLOAT, values.data());
    return values[0];
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
    EXPECT_NEAR(firstTexel(revisionCushionTexture), 0.2f, 1.5f / 255);
    canvas.loseContext();
    canvas.makeCurrent();
    ASSERT_FALSE(canvas.canvas().context_valid());
    canvas.drawFrame();
    canvas.makeCurrent();
    EXPECT_TRUE(glIsTexture(colourTextureNames[blockShadedTexture]));
    EXPECT_NEAR(firstTexel(revisionCushionTexture), 0.12f, 1.5f / 255);
}

}  // namespace
