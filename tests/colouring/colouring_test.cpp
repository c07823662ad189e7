// The attributes of the open evolution, and the colour maps every picture shares.

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>

#include "colouring/attributes.h"
#include "colouring/colour_maps.h"
#include "support/opened_evolution.h"

namespace {

EvolutionSketch sketchOf(std::vector<std::string> statuses, std::vector<std::string> authors = {})
{
    return {"demo.c", "1.", std::move(statuses), std::move(authors), {}, {}};
}

std::vector<float> valuesOf(const Attribute& a) { return std::vector<float>(a.values(), a.values() + a.count()); }

template <class A = StatisticAttribute>
A computed(int kind, int normalised = 1)
{
    A attribute;
    attribute.kind = kind;
    attribute.normalised = normalised;
    attribute.compute(0);
    return attribute;
}

// Lines per revision and unchanged revisions per row, counted from random histories.
TEST(Attributes, CountsMatchTheStatusMatrix)
{
    for (unsigned seed = 1; seed <= 40; ++seed) {
        const std::vector<std::string> statuses = randomStatuses(seed, 1 + seed % 12, 1 + seed * 7 % 9);
        OpenEvolution open(sketchOf(statuses));
        const int rows = static_cast<int>(statuses.size()), columns = static_cast<int>(statuses[0].size());
        std::vector<int> counts[2] = {std::vector<int>(columns), std::vector<int>(rows)};
        for (int cell = 0; cell < rows * columns; ++cell) {
            counts[0][cell % columns] += isPresentChar(statuses[cell / columns][cell % columns]);
            counts[1][cell / columns] += statuses[cell / columns][cell % columns] == 'X';
        }
        for (int kind : {0, 1}) {
            const float whole = static_cast<float>(kind == 0 ? rows : columns);
            const StatisticAttribute raw = computed(kind, 0), scaled = computed(kind, 1);
            ASSERT_EQ(raw.count(), static_cast<int>(counts[kind].size())) << seed;
            const auto [low, high] = std::minmax_element(counts[kind].begin(), counts[kind].end());
            for (int i = 0; i < raw.count(); ++i) {
                const int n = counts[kind][i];
                SCOPED_TRACE("seed " + std::to_string(seed) + " kind " + std::to_string(kind) + " entry " + std::to_string(i));
                EXPECT_FLOAT_EQ(raw.values()[i], n / whole);
                EXPECT_NEAR(scaled.values()[i], *high == *low ? n / whole : (n - *low) / float(*high - *low), 1e-6);
                EXPECT_EQ(raw.describe(i), (kind ? "Number of unchanged revisions for line " : "Number of lines for revision ")
                                               + std::to_string(i) + ": " + std::to_string(n));
            }
        }
    }
}

TEST(Attributes, DescriptionsOtherKindsEmptyGridsAndTheRegistry)
{
    std::vector<std::string> statuses(10, "XXX");
    statuses.resize(30, ">XX");
    statuses.resize(40, ">>X");
    OpenEvolution open(sketchOf(statuses, {"ann", "", "bob"}));
    const StatisticAttribute lines = computed(0);
    EXPECT_EQ(valuesOf(lines), (std::vector<float>{0.0f, 2.0f / 3, 1.0f}));
    EXPECT_EQ(lines.describe(0) + lines.describe(2), "Number of lines for revision 0: 0Number of lines for revision 2: 40");
    EXPECT_EQ(computed(1).describe(10), "Number of unchanged revisions for line 10: 1");
    EXPECT_EQ(valuesOf(computed(2)), std::vector<float>(40, 0.2f));  // as many as the longest revision's lines
    EXPECT_EQ(computed(2).describe(1) + computed<AuthorAttribute>(1).describe(0) + Attribute().describe(5), "Record 1Record no. 5");
    const AuthorAttribute authors = computed<AuthorAttribute>(0);
    EXPECT_EQ(valuesOf(authors), (std::vector<float>{0.0f, -1.0f, 1.0f}));
    EXPECT_EQ(authors.describe(1) + authors.describe(2), "Author: unknownAuthor: bob");
    EXPECT_EQ(valuesOf(computed<AuthorAttribute>(1)), (std::vector<float>{0.0f, 0.0f}));
    for (int kind : {0, 1, 2, 3, 7, -1}) {
        const StatisticAttribute s = computed(kind == 3 ? StatisticAttribute().kind : kind);
        EXPECT_TRUE(kind < 3 || valuesOf(s) == std::vector<float>(2, 0.0f)) << kind;
        for (int index : {-1, s.count(), -2147483647 - 1, kind == 3 ? 0 : -1})
            EXPECT_EQ(s.describe(index) + authors.describe(kind < 0 ? kind : 3 + kind), "") << kind << " " << index;
    }
    for (const EvolutionSketch& sketch : {sketchOf({}, {"ann", "bob"}), sketchOf({"", ""}), sketchOf({})}) {
        OpenEvolution open(sketch);
        EXPECT_EQ(computed(0).count() + computed(1).count() + computed(2).count(), 0);
    }
    EXPECT_EQ(computed(0).count() + computed(1).count() + computed(2).count() + computed<AuthorAttribute>(0).count(), 0);
    // Only a range above a millionth is rescaled.
    std::vector<float> tiny = {0.5f, 0.5000005f}, small = {0.5f, 0.5000025f};
    normaliseValues(tiny);
    normaliseValues(small);
    EXPECT_EQ(tiny[1] + small[1], 1.5000005f);
    {  // the registry, recomputed in order; Normal takes uniform rows from the next time on
        OpenEvolution open(sketchOf({"X-XX", "XXXX", "XX>>"}, {"ann", "bob", "ann", "carl"}));
        lineStatistic->kind = 1;
        recomputeAttributes(modeHorizontal);
        const std::vector<float> lines = {0.5f, 1.0f, 0.0f}, revisions = {1.0f, 1.0f, 0.0f, 0.0f}, authors = {0, 1, 0, 2};
        EXPECT_TRUE(valuesOf(*lineStatistic) == lines && valuesOf(*revisionLineCount) == revisions &&
                    valuesOf(*authorAttribute) == authors);
        recomputeAttributes(modeNormal);
        EXPECT_EQ(lineStatistic->count(), 3);  // the uniform rows come with the next recomputation
        recomputeAttributes(modeNormal);
        EXPECT_EQ(valuesOf(*lineStatistic), std::vector<float>(3, 0.2f));
    }
}



void expectColour(const Rgb& actual, const Rgb& expected, float context = 0)
{
    for (int channel = 0; channel < 3; ++channel)
        EXPECT_NEAR(actual[channel], expected[channel], 1e-5) << "channel " << channel << " of " << context;
}

TEST(ColourMaps, RainbowRunsFromBlueToRedAndClampsItsValue)
{
    const float inf = std::numeric_limits<float>::infinity(), nan = std::numeric_limits<float>::quiet_NaN();
    const Rgb blue = {0.0f, 0.0f, 0.8f}, red = {0.8f, 0.0f, 0.0f};
    const std::pair<float, Rgb> cases[] = {{0.0f, blue}, {0.25f, {0.0f, 0.9f, 1.0f}}, {0.5f, {0.0f, 1.0f, 0.0f}},
        {0.75f, {1.0f, 0.9f, 0.0f}}, {1.0f, red}, {-3.0f, blue}, {7.0f, red}, {1.0001f, red}, {-inf, blue}, {inf, red},
        {nan, blue}};
    for (const auto& [v, rgb] : cases)
        expectColour(rainbowColour(v), rgb, v);
}

TEST(ColourMaps, MixesGreysAndAuthorsFollowTheTablesOfTheMomentContentColoursDarkenWithDepth)
{
    const float even[6] = {1, 1, 1, 1, 1, 1}, weights[6] = {0, 2, 0, 1, 0, 1};
    expectColour(mixStatusColours(even, 6.0f), {3.6f / 6, 4.4f / 6, 3.2f / 6});  // the built-in colours
    for (int s = 0; s < 6; ++s)
        statusColours[s] = {0.01f * s, 0.1f * s, s == 5 ? 1.0f : 0.0f};
    // The total is the caller's, not the weights' sum.
    expectColour(mixStatusColours(weights, 4.0f), {0.1f / 4, 1.0f / 4, 0.25f});
    for (auto [status, grey] : {std::pair{0, 0.5f}, {3, 0.33f / 6 + 0.5f}, {5, 1.55f / 6 + 0.5f}})
        EXPECT_NEAR(outOfRangeGrey(status), grey, 1e-6) << status;
    statusColours = defaultStatusColours;
    const std::array<Rgb, 9> saved = identifierColours;
    for (int i = 0; i < 9; ++i)
        identifierColours[i] = {static_cast<float>(i), 0.0f, 0.0f};
    expectColour(authorColour(-1), {0.5f, 0.5f, 0.5f});
    // Each reshuffle sends the first colour to the back; numbers past nine wrap.
    for (int i = 0; i <= 9; reshuffleIdentifierColours(), ++i)
        for (int author : {0, 1, 8, 9, 20, 1000000007})
            EXPECT_EQ(authorColour(author)[0], static_cast<float>((author + i) % 9)) << author << " " << i;
    identifierColours = saved;
    for (int syntaxClass : {-1, 4, 9, 15, 1000})
        expectColour(contentColour(syntaxClass), {0.0f, 0.0f, 0.0f}, syntaxClass);
    for (int level = classBlock + 1; level <= classDeepestBlock; ++level)
        EXPECT_LT(contentColour(level), contentColour(level - 1)) << level;
    expectColour(contentColour(classDeepestBlock), {0.4f, 0.6f, 0.8f});
}

// Row y is the status at c - 1, column x the status at c, both in the order
// X - n | > d; Y marks the pairs at which the row takes the author of c.
const char* const takesAuthor[6] = {"..Y...", ".YY...", "..Y...", "YYYYYY", "YYYYYY", "..Y..."};

TEST(ColourMaps, RowAuthorFollowsTheChangesOfItsLine)
{
    std::vector<std::string> pairs;
    for (int pair = 0; pair < 36; ++pair)
        pairs.push_back({"X-n|>d"[pair / 6], "X-n|>d"[pair % 6]});
    for (const char* second : {"bob", ""}) {
        OpenEvolution open(sketchOf(pairs, {"ann", second}));
        for (int row = 0; row < 36; ++row) {
            std::vector<int> authors(36, 7);
            updateRowAuthor(authors.data(), row, 0);
            updateRowAuthor(authors.data(), row, 1);
            EXPECT_EQ(authors[row], takesAuthor[row / 6][row % 6] == 'Y' ? (*second ? 1 : -1) : 7) << pairs[row];
            authors[row] = 7;
            EXPECT_EQ(authors, std::vector<int>(36, 7)) << "only the given row changes";
        }
    }
}

}  // namespace
