#include "colouring/colour_textures.h"

#include <vector>

#include <FL/gl.h>
#include <gtest/gtest.h>

#include "support/gl_harness.h"
#include "support/open_evolution.h"

namespace {

// The textures keep 8 bits per texel.
constexpr float texelTolerance = 1.5f / 255.0f;
constexpr int size = colourTextureSize;

class ColourTextures : public ::testing::Test {
protected:
    void SetUp() override
    {
        closeTestEvolution();
        harness.makeCurrent();
    }

    std::vector<float> texels(int index)
    {
        const GLenum target = index == revisionCushionTexture || index == revisionShadedTexture ? GL_TEXTURE_1D
                                                                                                : GL_TEXTURE_2D;
        std::vector<float> values(target == GL_TEXTURE_1D ? size : size * size);
        glBindTexture(target, colourTextureNames[index]);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glGetTexImage(target, 0, GL_ALPHA, GL_FLOAT, values.data());
        return values;
    }

    static float texel(const std::vector<float>& values, int i, int j) { return values[j * size + i]; }

    EvolutionViewHarness harness{size, size};
};

TEST_F(ColourTextures, FlatRevisionCushionRisesFromTheEdgesToTheBlendingRatio)
{
    rebuildColourTextures(0.6f, 0.3f, 0.2f);
    const auto flat = texels(revisionCushionTexture);
    EXPECT_NEAR(flat[0], 0.12f, texelTolerance);
    EXPECT_NEAR(flat[64], 0.1893f, texelTolerance);
    EXPECT_NEAR(flat[128], 0.2f, texelTolerance);
    EXPECT_NEAR(flat[255], 0.1300f, texelTolerance);
}

TEST_F(ColourTextures, FlatBlockCushionIsTheProductOfTwoLiftedParabolas)
{
    rebuildColourTextures(0.6f, 0.3f, 0.2f);
    const auto block = texels(blockCushionTexture);
    EXPECT_NEAR(texel(block, 0, 0), 0.24f, texelTolerance);
    EXPECT_NEAR(texel(block, 128, 128), 0.8f, texelTolerance);
    EXPECT_NEAR(texel(block, 0, 128), 0.24f, texelTolerance);
    EXPECT_NEAR(texel(block, 128, 0), 0.24f, texelTolerance);
    // Halfway to the edge along t only: 0.7 * 0.75 + 0.3, of 0.8.
    EXPECT_NEAR(texel(block, 128, 64), 0.66f, texelTolerance);
}

TEST_F(ColourTextures, LitRevisionCushionIsDarkOnTheSideAwayFromTheLight)
{
    rebuildColourTextures(0.6f, 0.3f, 0.2f);
    const auto lit = texels(revisionShadedTexture);
    for (int i = 0; i <= 81; ++i)
        EXPECT_EQ(lit[i], 0.0f) << "texel " << i;
    EXPECT_NEAR(lit[128], 0.1f, texelTolerance);
    EXPECT_NEAR(lit[255], 0.19985f, texelTolerance);
    for (int i = 83; i < size; ++i)
        EXPECT_GE(lit[i], lit[i - 1]) << "texel " << i;
}

TEST_F(ColourTextures, LitBlockCushionRunsAlongRowsAndVanishesAtItsLeftEdge)
{
    rebuildColourTextures(0.6f, 0.3f, 0.2f);
    const auto lit = texels(blockShadedTexture);
    EXPECT_NEAR(texel(lit, 128, 128), 0.4f, texelTolerance);
    EXPECT_NEAR(texel(lit, 128, 255), 0.7873f, texelTolerance);
    for (int j = 0; j < size; ++j)
        EXPECT_EQ(texel(lit, 0, j), 0.0f) << "row " << j;
}

TEST_F(ColourTextures, BlendingParametersAtTheirLimits)
{
    rebuildColourTextures(1.0f, 0.3f, 0.2f);
    auto flat = texels(revisionCushionTexture);
    auto lit = texels(revisionShadedTexture);
    for (int i : {0, 40, 128, 255}) {
        EXPECT_NEAR(flat[i], 0.2f, texelTolerance) << "texel " << i;
        EXPECT_NEAR(lit[i], 0.1f, texelTolerance) << "texel " << i;
    }

    rebuildColourTextures(0.6f, 0.3f, 0.0f);
    flat = texels(revisionCushionTexture);
    lit = texels(revisionShadedTexture);
    auto block = texels(blockCushionTexture);
    EXPECT_EQ(flat[128], 0.0f);
    EXPECT_EQ(lit[255], 0.0f);
    EXPECT_NEAR(texel(block, 128, 128), 1.0f, texelTolerance);
    EXPECT_NEAR(texel(block, 0, 0), 0.3f, texelTolerance);

    rebuildColourTextures(0.6f, 0.3f, 1.0f);
    flat = texels(revisionCushionTexture);
    block = texels(blockCushionTexture);
    const auto litBlock = texels(blockShadedTexture);
    EXPECT_NEAR(flat[128], 1.0f, texelTolerance);
    EXPECT_NEAR(flat[0], 0.6f, texelTolerance);
    EXPECT_EQ(texel(block, 128, 128), 0.0f);
    EXPECT_EQ(texel(litBlock, 128, 255), 0.0f);
}

TEST_F(ColourTextures, TexturesAreAlphaWithLinearFilteringAndClampedBlocks)
{
    rebuildColourTextures(0.6f, 0.3f, 0.2f);
    for (int index = 0; index < colourTextureCount; ++index) {
        const bool oneD = index == revisionCushionTexture || index == revisionShadedTexture;
        const GLenum target = oneD ? GL_TEXTURE_1D : GL_TEXTURE_2D;
        glBindTexture(target, colourTextureNames[index]);
        GLint format = 0, width = 0, height = 0, minFilter = 0, magFilter = 0, wrapS = 0, wrapT = 0;
        glGetTexLevelParameteriv(target, 0, GL_TEXTURE_INTERNAL_FORMAT, &format);
        glGetTexLevelParameteriv(target, 0, GL_TEXTURE_WIDTH, &width);
        glGetTexLevelParameteriv(target, 0, GL_TEXTURE_HEIGHT, &height);
        glGetTexParameteriv(target, GL_TEXTURE_MIN_FILTER, &minFilter);
        glGetTexParameteriv(target, GL_TEXTURE_MAG_FILTER, &magFilter);
        glGetTexParameteriv(target, GL_TEXTURE_WRAP_S, &wrapS);
        glGetTexParameteriv(target, GL_TEXTURE_WRAP_T, &wrapT);
        SCOPED_TRACE(index);
        EXPECT_TRUE(format == GL_ALPHA || format == GL_ALPHA8);
        EXPECT_EQ(width, size);
        EXPECT_EQ(height, oneD ? 1 : size);
        EXPECT_EQ(minFilter, GL_LINEAR);
        EXPECT_EQ(magFilter, GL_LINEAR);
        EXPECT_EQ(wrapS, oneD ? GL_REPEAT : GL_CLAMP);
        EXPECT_EQ(wrapT, oneD ? GL_REPEAT : GL_CLAMP);
    }
}

TEST_F(ColourTextures, RebuildReleasesThePreviousTexturesAndTakesNewNames)
{
    rebuildColourTextures(0.6f, 0.3f, 0.2f);
    const auto previous = colourTextureNames;
    rebuildColourTextures(0.5f, 0.3f, 0.2f);
    for (int index = 0; index < colourTextureCount; ++index) {
        SCOPED_TRACE(index);
        EXPECT_NE(colourTextureNames[index], 0u);
        EXPECT_TRUE(glIsTexture(colourTextureNames[index]));
        EXPECT_FALSE(glIsTexture(previous[index]));
        for (unsigned int old : previous)
            EXPECT_NE(colourTextureNames[index], old);
    }
}

// The drawing operations, each over a 256-pixel stretch so that pixel i
// samples texel i exactly.
class CushionDrawing : public ColourTextures {
protected:
    void SetUp() override
    {
        ColourTextures::SetUp();
        harness.drawFrame();  // sets up the pixel projection
        rebuildColourTextures(0.6f, 0.3f, 0.2f);
        glDisable(GL_BLEND);
        glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
        glClear(GL_COLOR_BUFFER_BIT);
        glColor4f(0.2f, 0.4f, 0.6f, 1.0f);
    }

    static int level(float value) { return static_cast<int>(value * 255.0f + 0.5f); }
};

TEST_F(CushionDrawing, StripTakesItsAlphaFromTheProfileAcrossAndKeepsTheColour)
{
    drawCushionStrip1D(0, 10, size, 20, revisionCushionTexture, true);
    const Frame frame = harness.readFrame();
    EXPECT_NEAR(frame.at(0, 15).alpha, level(0.12f), 1);
    EXPECT_NEAR(frame.at(64, 15).alpha, level(0.1893f), 1);
    EXPECT_NEAR(frame.at(128, 10).alpha, level(0.2f), 1);
    EXPECT_NEAR(frame.at(255, 19).alpha, level(0.13f), 1);
    EXPECT_TRUE(showsColour(frame.at(128, 15), {0.2f, 0.4f, 0.6f}));
    EXPECT_EQ(frame.at(128, 20).alpha, 0);
    EXPECT_EQ(frame.at(128, 9).alpha, 0);
}

TEST_F(CushionDrawing, UntexturedShapesAreTranslucentWhite)
{
    drawCushionStrip1D(0, 0, 10, 10, revisionCushionTexture, false);
    drawCushionRect2D(20, 0, 30, 10, blockCushionTexture, false);
    drawCushionTrapezoid2D(40.0f, 50.0f, 0.0f, 0.0f, 10.0f, 10.0f, 0.0f, 1.0f, blockCushionTexture, false);
    const Frame frame = harness.readFrame();
    for (int x : {5, 25, 45}) {
        SCOPED_TRACE(x);
        EXPECT_TRUE(showsColour(frame.at(x, 5), {1.0f, 1.0f, 1.0f}));
        EXPECT_NEAR(frame.at(x, 5).alpha, level(0.7f), 1);
    }
    EXPECT_EQ(frame.at(15, 5).alpha, 0);
}

TEST_F(CushionDrawing, RectangleStretchesTheWholeBlockTextureOverIt)
{
    drawCushionRect2D(0, 0, size, size, blockCushionTexture, true);
    const Frame frame = harness.readFrame();
    EXPECT_NEAR(frame.at(0, 0).alpha, level(0.24f), 1);
    EXPECT_NEAR(frame.at(128, 128).alpha, level(0.8f), 1);
    EXPECT_NEAR(frame.at(128, 64).alpha, level(0.66f), 1);
    EXPECT_NEAR(frame.at(255, 128).alpha, frame.at(1, 128).alpha, 1);
    EXPECT_TRUE(showsColour(frame.at(128, 128), {0.2f, 0.4f, 0.6f}));
}

TEST_F(CushionDrawing, RectangleRunsTheLitRidgeUpwardsAndTheHalfCircleAcross)
{
    drawCushionRect2D(0, 0, size, size, blockShadedTexture, true);
    const Frame frame = harness.readFrame();
    EXPECT_NEAR(frame.at(128, 128).alpha, level(0.4f), 1);
    EXPECT_NEAR(frame.at(128, 255).alpha, level(0.7873f), 1);
    EXPECT_EQ(frame.at(128, 10).alpha, 0);
    EXPECT_EQ(frame.at(0, 200).alpha, 0);
}

TEST_F(CushionDrawing, TrapezoidTakesItsShareOfTheSRangeBetweenSlantedEdges)
{
    // The right half of the block texture over 128 pixels, the top edge
    // rising from 128 on the left to 256 on the right.
    drawCushionTrapezoid2D(0.0f, 128.0f, 0.0f, 0.0f, 256.0f, 128.0f, 0.5f, 1.0f, blockCushionTexture, true);
    const Frame frame = harness.readFrame();
    // Pixel 0 samples s = 0.5 + 1/512, pixel 127 the last texel, t the
    // middle at height 64 on the left.
    EXPECT_NEAR(frame.at(0, 64).alpha, level(0.8f), 1);
    EXPECT_LT(frame.at(127, 128).alpha, level(0.3f));
    EXPECT_EQ(frame.at(4, 200).alpha, 0);
    EXPECT_GT(frame.at(124, 200).alpha, 0);
    EXPECT_EQ(frame.at(130, 64).alpha, 0);
}

}  // namespace
