// The attributes: per-row and per-revision series computed from the open
// evolution, and the words that describe their entries.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/globals.h"
#include "colouring/attributes.h"
#include "evolution/evolution_file.h"
#include "support/temp_directory.h"

namespace {

std::vector<std::string> repeated(int count, const std::string& statuses)
{
    return std::vector<std::string>(static_cast<size_t>(count), statuses);
}

std::vector<std::string> joined(std::vector<std::string> a, const std::vector<std::string>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

std::vector<float> valuesOf(const Attribute& attribute)
{
    return std::vector<float>(attribute.values(), attribute.values() + attribute.count());
}

// Each test opens its own small evolution as the current one.
class Attributes : public testing::Test {
protected:
    TempDirectory directory;

    void open(const EvolutionSketch& sketch)
    {
        const std::string fileName = writeEvolution(directory, sketch);
        openWritten(fileName);
    }

    void openWritten(const std::string& fileName)
    {
        auto e = std::make_unique<EvolutionFile>(directory.path(), fileName, nullptr);
        ASSERT_TRUE(e->loadEvolution());
        currentEvolution = std::move(e);
    }

    void openGrid(std::vector<std::string> statuses)
    {
        EvolutionSketch sketch;
        sketch.statuses = std::move(statuses);
        open(sketch);
    }

    void TearDown() override { currentEvolution.reset(); }

    static StatisticAttribute statistic(int kind)
    {
        StatisticAttribute attribute;
        attribute.kind = kind;
        attribute.compute(0);
        return attribute;
    }
};

TEST_F(Attributes, LinesPerRevisionAreNotRescaledWhenAllAreEqual)
{
    openGrid({"XXX", "X-X", ">>X", "ddd"});
    // Two of the four rows are present in the first two revisions, three in
    // the last, where the added line joins.
    EXPECT_EQ(valuesOf(statistic(0)), (std::vector<float>{0.0f, 0.0f, 1.0f}));

    openGrid({"XXX", "X-n", ">>>", "ddd"});
    const StatisticAttribute equal = statistic(0);
    EXPECT_EQ(valuesOf(equal), (std::vector<float>{0.5f, 0.5f, 0.5f}));
    EXPECT_EQ(equal.describe(2), "Number of lines for revision 2: 2");
}

TEST_F(Attributes, LinesPerRevisionAreRescaledAndDescribedFromTheRescaledValues)
{
    openGrid(joined(joined(repeated(10, "XX"), repeated(20, ">X")), repeated(10, ">>")));
    StatisticAttribute attribute = statistic(0);
    EXPECT_EQ(valuesOf(attribute), (std::vector<float>{0.0f, 1.0f}));
    EXPECT_EQ(attribute.describe(0), "Number of lines for revision 0: 0");
    EXPECT_EQ(attribute.describe(1), "Number of lines for revision 1: 40");

    attribute.normalised = 0;
    attribute.compute(0);
    EXPECT_EQ(valuesOf(attribute), (std::vector<float>{0.25f, 0.75f}));
    EXPECT_EQ(attribute.describe(1), "Number of lines for revision 1: 30");
}

TEST_F(Attributes, UnchangedRevisionsPerRow)
{
    openGrid({"X-XX", "XXXX", "XXXX"});
    StatisticAttribute attribute = statistic(1);
    EXPECT_EQ(valuesOf(attribute), (std::vector<float>{0.0f, 1.0f, 1.0f}));
    EXPECT_EQ(attribute.describe(0), "Number of unchanged revisions for line 0: 0");
    EXPECT_EQ(attribute.describe(2), "Number of unchanged revisions for line 2: 4");

    attribute.normalised = 0;
    attribute.compute(0);
    EXPECT_EQ(valuesOf(attribute), (std::vector<float>{0.75f, 1.0f, 1.0f}));
    EXPECT_EQ(attribute.describe(0), "Number of unchanged revisions for line 0: 3");
}

TEST_F(Attributes, OnlyConstantCountsAsUnchanged)
{
    openGrid({"X-n|>d", "XXXXXX"});
    StatisticAttribute attribute;
    attribute.normalised = 0;
    attribute.kind = 1;
    attribute.compute(0);
    ASSERT_EQ(attribute.count(), 2);
    EXPECT_FLOAT_EQ(attribute.values()[0], 1.0f / 6);
    EXPECT_FLOAT_EQ(attribute.values()[1], 1.0f);
}

TEST_F(Attributes, UniformRowsSurviveNormalisation)
{
    openGrid({"XX>", "X>X", "XXX", "ddX"});
    const StatisticAttribute attribute = statistic(2);
    EXPECT_EQ(valuesOf(attribute), std::vector<float>(3, 0.2f));
    EXPECT_EQ(attribute.describe(1), "Record 1");
}

TEST_F(Attributes, OtherKindsGiveTwoZerosAndNoWords)
{
    openGrid({"XX"});
    const StatisticAttribute constructed;
    EXPECT_EQ(constructed.kind, 3);
    EXPECT_EQ(constructed.normalised, 1);
    EXPECT_EQ(constructed.count(), 0);
    for (int kind : {3, 7, -1}) {
        const StatisticAttribute attribute = statistic(kind);
        EXPECT_EQ(valuesOf(attribute), (std::vector<float>{0.0f, 0.0f}));
        EXPECT_EQ(attribute.describe(0), "");
    }
}

TEST_F(Attributes, AuthorNumbersAreNotNormalised)
{
    EvolutionSketch sketch;
    sketch.statuses = {"XXX"};
    const std::string fileName = writeEvolution(directory, sketch);
    // Numbered in order of first appearance in the list: ann 0, bob 1, carl 2.
    directory.write(sketch.module + ".rev", "1.1%ann%2024-01-01%a\n1.3%bob%2024-01-02%b\n1.2%carl%2024-01-03%c\n");
    openWritten(fileName);

    AuthorAttribute attribute;
    EXPECT_EQ(attribute.kind, 0);
    EXPECT_EQ(attribute.normalised, 1);
    attribute.compute(0);
    EXPECT_EQ(valuesOf(attribute), (std::vector<float>{0.0f, 2.0f, 1.0f}));
    EXPECT_EQ(attribute.describe(1), "Author: carl");
}

TEST_F(Attributes, RevisionWithoutAnAuthorIsUnknown)
{
    EvolutionSketch sketch;
    sketch.statuses = {"XXX"};
    sketch.authors = {"ann", "", "bob"};
    open(sketch);
    AuthorAttribute attribute;
    attribute.compute(0);
    EXPECT_EQ(valuesOf(attribute), (std::vector<float>{0.0f, -1.0f, 1.0f}));
    EXPECT_EQ(attribute.describe(1), "Author: unknown");
    EXPECT_EQ(attribute.describe(2), "Author: bob");
}

TEST_F(Attributes, LongAuthorNamesAreDescribedWhole)
{
    EvolutionSketch sketch;
    sketch.statuses = {"X"};
    sketch.authors = {std::string(300, 'a')};
    open(sketch);
    AuthorAttribute attribute;
    attribute.compute(0);
    EXPECT_EQ(attribute.describe(0), "Author: " + std::string(300, 'a'));
}

TEST_F(Attributes, OtherAuthorKindsGiveTwoZeros)
{
    EvolutionSketch sketch;
    sketch.statuses = {"XXX"};
    sketch.authors = {"ann", "bob", "carl"};
    open(sketch);
    AuthorAttribute attribute;
    attribute.kind = 1;
    attribute.compute(0);
    EXPECT_EQ(valuesOf(attribute), (std::vector<float>{0.0f, 0.0f}));
}

TEST_F(Attributes, EmptyGridsGiveEmptySeries)
{
    EvolutionSketch noLines;
    noLines.authors = {"ann", "bob", "carl"};
    open(noLines);
    for (int kind : {0, 1, 2})
        EXPECT_EQ(statistic(kind).count(), 0) << "kind " << kind;

    openGrid({"", "", ""});  // lines, but no revisions
    for (int kind : {0, 1, 2})
        EXPECT_EQ(statistic(kind).count(), 0) << "kind " << kind;
    AuthorAttribute author;
    author.compute(0);
    EXPECT_EQ(author.count(), 0);
}

TEST_F(Attributes, NothingOpenGivesEmptySeries)
{
    for (int kind : {0, 1, 2})
        EXPECT_EQ(statistic(kind).count(), 0) << "kind " << kind;
    AuthorAttribute author;
    author.compute(0);
    EXPECT_EQ(author.count(), 0);
    EXPECT_EQ(author.describe(0), "");
}

TEST_F(Attributes, DescribingOutsideTheSeriesGivesNothing)
{
    EvolutionSketch sketch;
    sketch.statuses = {"XX>", "X-X"};
    sketch.authors = {"ann", "bob", "carl"};
    open(sketch);
    std::vector<std::unique_ptr<Attribute>> attributes;
    for (int kind : {0, 1, 2, 3}) {
        auto attribute = std::make_unique<StatisticAttribute>();
        attribute->kind = kind;
        attributes.push_back(std::move(attribute));
    }
    attributes.push_back(std::make_unique<AuthorAttribute>());
    for (const auto& attribute : attributes) {
        attribute->compute(0);
        ASSERT_GT(attribute->count(), 0);
        for (int index : {-1, attribute->count(), attribute->count() + 1000, -2147483647 - 1})
            EXPECT_EQ(attribute->describe(index), "") << "kind " << attribute->kind << " index " << index;
    }
}

TEST(BaseAttribute, ComputeResizesKeepingValues)
{
    Attribute attribute;
    attribute.compute(2);
    EXPECT_EQ(valuesOf(attribute), (std::vector<float>{0.0f, 0.0f}));
    attribute.valueList = {3.0f, 4.0f};
    attribute.compute(4);
    EXPECT_EQ(valuesOf(attribute), (std::vector<float>{3.0f, 4.0f, 0.0f, 0.0f}));
    attribute.compute(1);
    EXPECT_EQ(valuesOf(attribute), (std::vector<float>{3.0f}));
    attribute.compute(0);
    EXPECT_EQ(attribute.count(), 0);
    EXPECT_EQ(attribute.describe(5), "Record no. 5");
}

TEST(Normalise, RescalesToTheUnitRange)
{
    std::vector<float> values = {2.0f, -2.0f, 0.0f, 6.0f};
    normaliseValues(values);
    EXPECT_EQ(values, (std::vector<float>{0.5f, 0.0f, 0.25f, 1.0f}));
}

TEST(Normalise, LeavesConstantTinyAndEmptySeriesAlone)
{
    std::vector<float> constant = {0.2f, 0.2f, 0.2f};
    normaliseValues(constant);
    EXPECT_EQ(constant, (std::vector<float>{0.2f, 0.2f, 0.2f}));
    std::vector<float> tiny = {0.5f, 0.5000005f};
    normaliseValues(tiny);
    EXPECT_EQ(tiny, (std::vector<float>{0.5f, 0.5000005f}));
    std::vector<float> single = {7.0f};
    normaliseValues(single);
    EXPECT_EQ(single, std::vector<float>{7.0f});
    std::vector<float> empty;
    normaliseValues(empty);
    EXPECT_TRUE(empty.empty());
}

TEST_F(Attributes, RecomputeUpdatesTheRegistryInOrderAndResetsTheLineKindForNormal)
{
    createGlobalObjects();
    EvolutionSketch sketch;
    sketch.statuses = {"X-XX", "XXXX", "XX>>"};
    sketch.authors = {"ann", "bob", "ann", "carl"};
    open(sketch);

    lineStatistic->kind = 1;
    recomputeAttributes(modeHorizontal);
    EXPECT_EQ(lineStatistic->kind, 1);
    EXPECT_EQ(valuesOf(*lineStatistic), (std::vector<float>{0.5f, 1.0f, 0.0f}));
    EXPECT_EQ(valuesOf(*revisionLineCount), (std::vector<float>{1.0f, 1.0f, 0.0f, 0.0f}));
    EXPECT_EQ(valuesOf(*authorAttribute), (std::vector<float>{0.0f, 1.0f, 0.0f, 2.0f}));

    // Normal takes the uniform rows from the next recomputation on.
    recomputeAttributes(modeNormal);
    EXPECT_EQ(lineStatistic->kind, 2);
    EXPECT_EQ(lineStatistic->count(), 3);
    recomputeAttributes(modeNormal);
    EXPECT_EQ(valuesOf(*lineStatistic), std::vector<float>(3, 0.2f));
}

}  // namespace
