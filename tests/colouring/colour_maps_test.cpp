// The colour tables and maps shared by every picture.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "colouring/colour_maps.h"
#include "support/opened_evolution.h"

namespace {

void expectColour(const Rgb& actual, const Rgb& expected)
{
    for (int channel = 0; channel < 3; ++channel)
        EXPECT_NEAR(actual[channel], expected[channel], 1e-5) << "channel " << channel;
}

TEST(ColourMaps, RainbowRunsFromBlueToRedAndClampsItsValue)
{
    const float inf = std::numeric_limits<float>::infinity();
    const struct { float v; Rgb rgb; } cases[] = {
        {0.0f, {0.0f, 0.0f, 0.8f}}, {0.25f, {0.0f, 0.9f, 1.0f}}, {0.5f, {0.0f, 1.0f, 0.0f}},
        {0.75f, {1.0f, 0.9f, 0.0f}}, {1.0f, {0.8f, 0.0f, 0.0f}}, {-3.0f, {0.0f, 0.0f, 0.8f}},
        {7.0f, {0.8f, 0.0f, 0.0f}}, {1.0001f, {0.8f, 0.0f, 0.0f}}, {-inf, {0.0f, 0.0f, 0.8f}},
        {inf, {0.8f, 0.0f, 0.0f}}, {std::numeric_limits<float>::quiet_NaN(), {0.0f, 0.0f, 0.8f}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.v);
        expectColour(rainbowColour(c.v), c.rgb);
    }
}

// Tests that change a shared colour table put the built-in one back.
class SharedColourTables : public testing::Test {
protected:
    std::array<Rgb, 9> savedIdentifiers = identifierColours;
    void TearDown() override
    {
        statusColours = defaultStatusColours;
        identifierColours = savedIdentifiers;
    }
};

TEST_F(SharedColourTables, StatusMixAndOutOfRangeGreyFollowTheConfiguredColours)
{
    // The built-in colours, all six mixed evenly.
    const float even[6] = {1, 1, 1, 1, 1, 1};
    expectColour(mixStatusColours(even, 6.0f), {3.6f / 6, 4.4f / 6, 3.2f / 6});
    for (int s = 0; s < 6; ++s)
        statusColours[s] = {0.01f * s, 0.1f * s, 0.0f};
    statusColours[5][2] = 1.0f;
    // The total is the caller's, not the weights' sum.
    const float weights[6] = {0, 2, 0, 1, 0, 1};
    expectColour(mixStatusColours(weights, 4.0f), {0.1f / 4, 1.0f / 4, 0.25f});
    const struct { int status; float grey; } greys[] = {{0, 0.5f}, {3, 0.33f / 6 + 0.5f}, {5, 1.55f / 6 + 0.5f}};
    for (const auto& g : greys)
        EXPECT_NEAR(outOfRangeGrey(g.status), g.grey, 1e-6) << g.status;
    statusColours[2] = {1.0f, 1.0f, 1.0f};
    EXPECT_NEAR(outOfRangeGrey(2), 1.0f, 1e-6);
}

TEST_F(SharedColourTables, AuthorsTakeTheIdentifierColoursInTurn)
{
    for (int i = 0; i < 9; ++i)
        identifierColours[i] = {static_cast<float>(i), 0.0f, 0.0f};
    for (int author : {0, 1, 8, 9, 20, 1000000007})
        EXPECT_EQ(authorColour(author)[0], static_cast<float>(author % 9)) << author;
    expectColour(authorColour(-1), {0.5f, 0.5f, 0.5f});
    reshuffleIdentifierColours();
    EXPECT_EQ(authorColour(0)[0], 1.0f);
    EXPECT_EQ(authorColour(8)[0], 0.0f);
    for (int i = 0; i < 8; ++i)
        reshuffleIdentifierColours();
    EXPECT_EQ(authorColour(4)[0], 4.0f);
}

TEST(ColourMaps, ContentColoursDarkenWithBlockDepthAndAreBlackOutsideTheClasses)
{
    for (int syntaxClass : {-1, 4, 9, 15, 1000})
        expectColour(contentColour(syntaxClass), {0.0f, 0.0f, 0.0f});
    for (int syntaxClass = classPlain; syntaxClass <= classReference; ++syntaxClass)
        EXPECT_GT(contentColour(syntaxClass)[0] + contentColour(syntaxClass)[1], 0.0f) << syntaxClass;
    for (int level = classBlock + 1; level <= classDeepestBlock; ++level)
        for (int channel = 0; channel < 3; ++channel)
            EXPECT_LT(contentColour(level)[channel], contentColour(level - 1)[channel]) << level;
    expectColour(contentColour(classDeepestBlock), {0.4f, 0.6f, 0.8f});
}

// Row y of the grid is the status at c - 1, column x the status at c, both in
// the order X - n | > d; Y marks the pairs at which the row takes the author
// of revision c.
EvolutionSketch sketchOf(const std::vector<std::string>& statuses, bool secondAuthorListed)
{
    EvolutionSketch sketch;
    sketch.statuses = statuses;
    sketch.authors = {"ann", secondAuthorListed ? "bob" : ""};
    return sketch;
}

const char* const takesAuthor[6] = {"..Y...", ".YY...", "..Y...", "YYYYYY", "YYYYYY", "..Y..."};

TEST(ColourMaps, RowAuthorFollowsTheChangesOfItsLine)
{
    const std::string order = "X-n|>d";
    std::vector<std::string> statuses;
    for (char before : order)
        for (char now : order)
            statuses.push_back(std::string{before, now});
    for (bool listed : {true, false}) {
        OpenEvolution open(sketchOf(statuses, listed));
        ASSERT_TRUE(open.loaded);
        for (int row = 0; row < 36; ++row) {
            std::vector<int> authors(36, 7);
            updateRowAuthor(authors.data(), row, 0);
            EXPECT_EQ(authors, std::vector<int>(36, 7));
            updateRowAuthor(authors.data(), row, 1);
            const int expected = takesAuthor[row / 6][row % 6] == 'Y' ? (listed ? 1 : -1) : 7;
            EXPECT_EQ(authors[row], expected) << statuses[row];
            authors[row] = 7;
            EXPECT_EQ(authors, std::vector<int>(36, 7)) << "only the given row changes";
        }
    }
}

}  // namespace
