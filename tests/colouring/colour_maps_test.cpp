// The colour tables and maps shared by every picture.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "app/globals.h"
#include "colouring/colour_maps.h"
#include "evolution/evolution_file.h"

namespace {

void expectColour(const Rgb& actual, const Rgb& expected)
{
    for (int channel = 0; channel < 3; ++channel)
        EXPECT_NEAR(actual[channel], expected[channel], 1e-5) << "channel " << channel;
}

TEST(RainbowColour, ReferenceColours)
{
    expectColour(rainbowColour(0.0f), {0.0f, 0.0f, 0.8f});
    expectColour(rainbowColour(0.5f), {0.0f, 1.0f, 0.0f});
    expectColour(rainbowColour(1.0f), {0.8f, 0.0f, 0.0f});
}

TEST(RainbowColour, RunsThroughCyanAndYellow)
{
    expectColour(rainbowColour(0.25f), {0.0f, 0.9f, 1.0f});
    expectColour(rainbowColour(0.75f), {1.0f, 0.9f, 0.0f});
}

TEST(RainbowColour, ValuesOutsideTheRangeAreClamped)
{
    EXPECT_EQ(rainbowColour(-3.0f), rainbowColour(0.0f));
    EXPECT_EQ(rainbowColour(7.0f), rainbowColour(1.0f));
    EXPECT_EQ(rainbowColour(std::numeric_limits<float>::quiet_NaN()), rainbowColour(0.0f));
    EXPECT_EQ(rainbowColour(std::numeric_limits<float>::infinity()), rainbowColour(1.0f));
    EXPECT_EQ(rainbowColour(-std::numeric_limits<float>::infinity()), rainbowColour(0.0f));
}

// Tests that change a shared colour table put the built-in one back.
class SharedColourTables : public testing::Test {
protected:
    std::array<Rgb, 9> savedIdentifiers = identifierColours;
    void SetUp() override { statusColours = defaultStatusColours; }
    void TearDown() override
    {
        statusColours = defaultStatusColours;
        identifierColours = savedIdentifiers;
    }
};

TEST_F(SharedColourTables, BuiltInStatusColours)
{
    expectColour(statusColours[0], {0.0f, 0.6f, 1.0f});
    expectColour(statusColours[1], {0.8f, 0.8f, 0.2f});
    expectColour(statusColours[2], {0.8f, 0.4f, 0.0f});
    expectColour(statusColours[3], {0.2f, 0.8f, 0.2f});
    expectColour(statusColours[4], {0.8f, 1.0f, 1.0f});
    expectColour(statusColours[5], {1.0f, 0.8f, 0.8f});
}

TEST_F(SharedColourTables, StatusMixIsTheWeightedSumOverTheCallersTotal)
{
    const float constantAndDeleted[6] = {1, 0, 0, 0, 0, 1};
    expectColour(mixStatusColours(constantAndDeleted, 2.0f), {0.5f, 0.7f, 0.9f});
    // The total is the caller's, not the weights' sum.
    const float twiceConstant[6] = {2, 0, 0, 0, 0, 0};
    expectColour(mixStatusColours(twiceConstant, 4.0f), {0.0f, 0.3f, 0.5f});
    const float allSix[6] = {1, 1, 1, 1, 1, 1};
    expectColour(mixStatusColours(allSix, 6.0f), {3.6f / 6, 4.4f / 6, 3.2f / 6});
}

TEST_F(SharedColourTables, StatusMixFollowsTheConfiguredColours)
{
    statusColours[3] = {1.0f, 0.0f, 0.0f};
    const float replacedByAddition[6] = {0, 0, 0, 3, 0, 0};
    expectColour(mixStatusColours(replacedByAddition, 3.0f), {1.0f, 0.0f, 0.0f});
}

TEST_F(SharedColourTables, OutOfRangeGreyBrightensTheStatusColour)
{
    EXPECT_NEAR(outOfRangeGrey(0), 1.6f / 6 + 0.5f, 1e-6);
    EXPECT_NEAR(outOfRangeGrey(5), 2.6f / 6 + 0.5f, 1e-6);
    statusColours[1] = {1.0f, 1.0f, 1.0f};
    EXPECT_NEAR(outOfRangeGrey(1), 1.0f, 1e-6);
    statusColours[1] = {0.0f, 0.0f, 0.0f};
    EXPECT_NEAR(outOfRangeGrey(1), 0.5f, 1e-6);
}

TEST_F(SharedColourTables, AuthorColours)
{
    expectColour(authorColour(0), {0.0f, 0.5f, 1.0f});
    expectColour(authorColour(1), {1.0f, 0.0f, 0.0f});
    expectColour(authorColour(8), {0.2f, 0.8f, 0.5f});
    expectColour(authorColour(-1), {0.5f, 0.5f, 0.5f});
    // Numbers past the table start again from its beginning.
    EXPECT_EQ(authorColour(9), authorColour(0));
    EXPECT_EQ(authorColour(20), authorColour(2));
    EXPECT_EQ(authorColour(1000000007), identifierColours[1000000007 % 9]);
}

TEST_F(SharedColourTables, AuthorColoursFollowTheRotatedTable)
{
    identifierColours[3] = {0.1f, 0.2f, 0.3f};
    EXPECT_EQ(authorColour(3), (Rgb{0.1f, 0.2f, 0.3f}));
    EXPECT_EQ(authorColour(12), (Rgb{0.1f, 0.2f, 0.3f}));
    expectColour(authorColour(-1), {0.5f, 0.5f, 0.5f});
}

TEST(ContentColours, PlainCommentStringReferenceAndBlocks)
{
    expectColour(contentColour(0), {0.05f, 0.0f, 0.05f});
    expectColour(contentColour(1), {0.05f, 0.7f, 0.05f});
    expectColour(contentColour(2), {1.0f, 0.75f, 0.75f});
    expectColour(contentColour(3), {0.95f, 0.95f, 0.0f});
    for (int unused = 4; unused <= 9; ++unused)
        expectColour(contentColour(unused), {0.0f, 0.0f, 0.0f});
    expectColour(contentColour(10), {0.6f, 0.8f, 1.0f});
    expectColour(contentColour(14), {0.4f, 0.6f, 0.8f});
    // Deeper blocks are darker.
    for (int level = 11; level <= 14; ++level)
        for (int channel = 0; channel < 3; ++channel)
            EXPECT_LT(contentColour(level)[channel], contentColour(level - 1)[channel]);
}

TEST(ContentColours, ClassesOutsideTheTableAreBlack)
{
    expectColour(contentColour(-1), {0.0f, 0.0f, 0.0f});
    expectColour(contentColour(15), {0.0f, 0.0f, 0.0f});
}

// The row-author rule reads the statuses and authors of the current
// evolution; each row here is one line with its status at revisions 0 and 1,
// and revision c was made by author 100 + c.
class RowAuthor : public testing::Test {
protected:
    std::vector<std::string> rows;
    std::vector<RevisionInfo> authors;

    void build(std::vector<std::string> statuses, bool secondRevisionListed = true)
    {
        rows = std::move(statuses);
        auto e = std::make_unique<EvolutionFile>("/nowhere/", "test.c_cvs", nullptr);
        e->rowCount = e->lineCount = static_cast<int>(rows.size());
        e->columnCount = e->revisionCount = static_cast<int>(rows.empty() ? 0 : rows[0].size());
        for (std::string& row : rows)
            e->rowStatus.push_back(row.data());
        authors.assign(static_cast<size_t>(e->columnCount), RevisionInfo{});
        for (int c = 0; c < e->columnCount; ++c) {
            authors[c] = RevisionInfo{"author" + std::to_string(c), 100 + c};
            e->revisionAuthors.push_back(&authors[c]);
        }
        if (!secondRevisionListed)
            e->revisionAuthors[1] = nullptr;
        currentEvolution = std::move(e);
    }

    void TearDown() override { currentEvolution.reset(); }

    // The author that row `row` has after column c, starting from author 7.
    int authorAfter(int row, int c)
    {
        std::vector<int> rowAuthors(rows.size(), 7);
        updateRowAuthor(rowAuthors.data(), row, c);
        return rowAuthors[row];
    }
};

TEST_F(RowAuthor, TheFourChangesTakeTheRevisionsAuthor)
{
    build({"Xn", "|X", ">X", "--", ">-", "|n"});
    for (int row = 0; row < 6; ++row)
        EXPECT_EQ(authorAfter(row, 1), 101) << rows[row];
}

TEST_F(RowAuthor, OtherStatusPairsKeepTheAuthor)
{
    build({"XX", "X-", "-X", "X|", "nX", "Xd", "X>", "d>", "dX", "n-", "-|", "-d"});
    for (int row = 0; row < static_cast<int>(rows.size()); ++row)
        EXPECT_EQ(authorAfter(row, 1), 7) << rows[row];
}

TEST_F(RowAuthor, TheFirstColumnChangesNothing)
{
    build({"nn", "--"});
    EXPECT_EQ(authorAfter(0, 0), 7);
    EXPECT_EQ(authorAfter(1, 0), 7);
}

TEST_F(RowAuthor, OnlyTheGivenRowIsUpdated)
{
    build({"XX", "Xn"});
    std::vector<int> rowAuthors = {5, 6};
    updateRowAuthor(rowAuthors.data(), 1, 1);
    EXPECT_EQ(rowAuthors, (std::vector<int>{5, 101}));
}

TEST_F(RowAuthor, ARevisionWithoutAnAuthorGivesTheUnknownAuthor)
{
    build({"Xn"}, false);
    EXPECT_EQ(authorAfter(0, 1), -1);
}

}  // namespace
