// The attributes: per-row and per-revision series computed from the open
// evolution, and the words that describe their entries.

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "colouring/attributes.h"
#include "support/opened_evolution.h"

namespace {

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

EvolutionSketch sketchOf(std::vector<std::string> statuses, std::vector<std::string> authors = {})
{
    EvolutionSketch sketch;
    sketch.statuses = std::move(statuses);
    sketch.authors = std::move(authors);
    return sketch;
}

// Lines per revision and unchanged revisions per row, counted straight from
// the status characters of random histories.
TEST(Attributes, CountsMatchTheStatusMatrix)
{
    for (unsigned seed = 1; seed <= 40; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        std::mt19937 random(seed);
        const std::vector<std::string> statuses = randomStatuses(seed, 1 + random() % 12, 1 + random() % 9);
        OpenEvolution open(sketchOf(statuses));
        const int rows = open.evolution().rowCount, columns = open.evolution().columnCount;
        ASSERT_EQ(columns, static_cast<int>(statuses[0].size()));
        std::vector<int> present(columns, 0), unchanged(rows, 0);
        for (int row = 0; row < rows; ++row)
            for (int r = 0; r < columns; ++r) {
                const char c = open.evolution().rowStatus[row][r];
                present[r] += c != '>' && c != 'D';
                unchanged[row] += c == 'X';
            }
        for (int kind : {0, 1}) {
            const std::vector<int>& counts = kind == 0 ? present : unchanged;
            const float whole = static_cast<float>(kind == 0 ? rows : columns);
            const StatisticAttribute raw = computed(kind, 0), scaled = computed(kind, 1);
            ASSERT_EQ(raw.count(), static_cast<int>(counts.size()));
            const auto [low, high] = std::minmax_element(counts.begin(), counts.end());
            for (size_t i = 0; i < counts.size(); ++i) {
                EXPECT_FLOAT_EQ(raw.values()[i], counts[i] / whole) << kind << " " << i;
                const float expected = *high == *low ? counts[i] / whole
                                                     : static_cast<float>(counts[i] - *low) / (*high - *low);
                EXPECT_NEAR(scaled.values()[i], expected, 1e-6) << kind << " " << i;
                const std::string words = kind == 0 ? "Number of lines for revision " : "Number of unchanged revisions for line ";
                EXPECT_EQ(raw.describe(i), words + std::to_string(i) + ": " + std::to_string(counts[i]));
            }
        }
    }
}

TEST(Attributes, DescriptionsOfNormalisedCountsUseTheRescaledValues)
{
    std::vector<std::string> statuses(10, "XX");
    statuses.resize(30, ">X");
    statuses.resize(40, ">>");
    OpenEvolution open(sketchOf(statuses));
    const StatisticAttribute lines = computed(0);
    EXPECT_EQ(valuesOf(lines), (std::vector<float>{0.0f, 1.0f}));
    EXPECT_EQ(lines.describe(0), "Number of lines for revision 0: 0");
    EXPECT_EQ(lines.describe(1), "Number of lines for revision 1: 40");
}

TEST(Attributes, UniformRowsAuthorsAndOtherKinds)
{
    OpenEvolution open(sketchOf({"XX>", "X>X", "XXX", "ddX"}, {"ann", "", "bob"}));
    const StatisticAttribute uniform = computed(2);
    EXPECT_EQ(valuesOf(uniform), std::vector<float>(3, 0.2f));
    EXPECT_EQ(uniform.describe(1), "Record 1");
    const AuthorAttribute authors = computed<AuthorAttribute>(0);
    EXPECT_EQ(valuesOf(authors), (std::vector<float>{0.0f, -1.0f, 1.0f}));
    EXPECT_EQ(authors.describe(1), "Author: unknown");
    EXPECT_EQ(authors.describe(2), "Author: bob");
    EXPECT_EQ(valuesOf(computed<AuthorAttribute>(1)), (std::vector<float>{0.0f, 0.0f}));
    for (int kind : {3, 7, -1})
        EXPECT_EQ(valuesOf(computed(kind)), (std::vector<float>{0.0f, 0.0f}));
    EXPECT_EQ(StatisticAttribute().kind, 3);
    // No entry outside a series has words, whatever the attribute.
    for (int kind : {0, 1, 2, 3, 4}) {
        const StatisticAttribute s = computed(kind);
        const AuthorAttribute a = computed<AuthorAttribute>(kind);
        for (int index : {-1, s.count(), -2147483647 - 1})
            EXPECT_EQ(s.describe(index), "") << kind << " " << index;
        EXPECT_EQ(a.describe(kind == 0 ? 3 : 0), "") << kind;
    }
}

TEST(Attributes, EmptyGridsAndNoEvolutionGiveEmptySeries)
{
    for (const EvolutionSketch& sketch : {sketchOf({}, {"ann", "bob"}), sketchOf({"", "", ""})}) {
        OpenEvolution open(sketch);
        for (int kind : {0, 1, 2})
            EXPECT_EQ(computed(kind).count(), 0) << kind;
        EXPECT_EQ(computed<AuthorAttribute>(0).count(), open.evolution().columnCount);
    }
    currentEvolution.reset();
    for (int kind : {0, 1, 2})
        EXPECT_EQ(computed(kind).count(), 0) << kind;
    EXPECT_EQ(computed<AuthorAttribute>(0).count(), 0);
    EXPECT_EQ(computed<AuthorAttribute>(0).describe(0), "");
}

TEST(Attributes, TheBaseResizesKeepingValues)
{
    Attribute attribute;
    attribute.valueList = {3.0f, 4.0f};
    attribute.compute(4);
    EXPECT_EQ(valuesOf(attribute), (std::vector<float>{3.0f, 4.0f, 0.0f, 0.0f}));
    attribute.compute(1);
    EXPECT_EQ(valuesOf(attribute), std::vector<float>{3.0f});
    EXPECT_EQ(attribute.describe(5), "Record no. 5");
}

TEST(Attributes, NormaliseRescalesAllButConstantSeries)
{
    const struct { std::vector<float> in, out; } cases[] = {
        {{2.0f, -2.0f, 0.0f, 6.0f}, {0.5f, 0.0f, 0.25f, 1.0f}},
        {{0.2f, 0.2f, 0.2f}, {0.2f, 0.2f, 0.2f}},
        {{0.5f, 0.5000005f}, {0.5f, 0.5000005f}},
        {{0.5f, 0.5000025f}, {0.0f, 1.0f}},
        {{7.0f}, {7.0f}},
        {{}, {}},
    };
    for (const auto& c : cases) {
        std::vector<float> values = c.in;
        normaliseValues(values);
        EXPECT_EQ(values, c.out) << testing::PrintToString(c.in);
    }
}

TEST(Attributes, RecomputeUpdatesTheRegistryAndNormalTakesUniformRowsNextTime)
{
    OpenEvolution open(sketchOf({"X-XX", "XXXX", "XX>>"}, {"ann", "bob", "ann", "carl"}));
    lineStatistic->kind = 1;
    recomputeAttributes(modeHorizontal);
    EXPECT_EQ(lineStatistic->kind, 1);
    EXPECT_EQ(valuesOf(*lineStatistic), (std::vector<float>{0.5f, 1.0f, 0.0f}));
    EXPECT_EQ(valuesOf(*revisionLineCount), (std::vector<float>{1.0f, 1.0f, 0.0f, 0.0f}));
    EXPECT_EQ(valuesOf(*authorAttribute), (std::vector<float>{0.0f, 1.0f, 0.0f, 2.0f}));
    recomputeAttributes(modeNormal);
    EXPECT_EQ(lineStatistic->kind, 2);
    EXPECT_EQ(lineStatistic->count(), 3);
    recomputeAttributes(modeNormal);
    EXPECT_EQ(valuesOf(*lineStatistic), std::vector<float>(3, 0.2f));
}

}  // namespace
