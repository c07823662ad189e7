// The row heights of the Interpolated layout: the weight that shapes the
// shrinking, the heights of each column around the focus, what "Redistribute
// space" and "Balance Image" do with the freed space, and the walk that hands
// the columns to the drawing.

#include "view/geometry/interpolated_heights.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numeric>
#include <vector>

#include "support/opened_evolution.h"

namespace {

// Power part only, sigmoid part only.
constexpr float powerOnly = 6.0f;
constexpr float sigmoidOnly = 0.0f;

float sigmoidAt(double x) { return static_cast<float>(1.0 - (std::tanh(x) + 1.0) * 0.5); }

}  // namespace

TEST(CollapseWeight, NothingLeftToShrinkOverGivesZero)
{
    EXPECT_EQ(collapseWeight(0, 0, 10.0f, 0.1f, 3.0f), 0.0f);
    EXPECT_EQ(collapseWeight(4, 0, 1.0f, 0.02f, 6.0f), 0.0f);
}

TEST(CollapseWeight, CurvatureBendsThePowerPart)
{
    // t = 1/4 throughout.
    EXPECT_NEAR(collapseWeight(1, 4, 10.0f, 0.1f, powerOnly), 0.75f, 1e-6);
    // Above 10 the fall is delayed: 1 - t^(c - 9).
    EXPECT_NEAR(collapseWeight(1, 4, 12.0f, 0.1f, powerOnly), 1.0f - 0.015625f, 1e-6);
    EXPECT_NEAR(collapseWeight(1, 4, 20.0f, 0.1f, powerOnly), 1.0f - std::pow(0.25f, 11.0f), 1e-6);
    // Below 10 it comes early: (1 - t)^(11 - c).
    EXPECT_NEAR(collapseWeight(1, 4, 8.0f, 0.1f, powerOnly), 0.421875f, 1e-6);
    EXPECT_NEAR(collapseWeight(1, 4, 1.0f, 0.1f, powerOnly), std::pow(0.75f, 10.0f), 1e-6);
    // The two forms meet at 10 and around it.
    for (int a = 0; a <= 8; ++a) {
        const float t = static_cast<float>(a) / 8.0f;
        EXPECT_NEAR(collapseWeight(a, 8, 10.0f, 0.1f, powerOnly), 1.0f - t, 1e-6) << a;
        EXPECT_NEAR(collapseWeight(a, 8, 10.001f, 0.1f, powerOnly), collapseWeight(a, 8, 9.999f, 0.1f, powerOnly),
                    1e-3)
            << a;
    }
}

TEST(CollapseWeight, SigmoidStepsAtTheIntegerHalf)
{
    // b = 5: the step is centred on a = 2, the half truncated.
    EXPECT_NEAR(collapseWeight(2, 5, 10.0f, 0.1f, sigmoidOnly), 0.5f, 1e-6);
    EXPECT_NEAR(collapseWeight(3, 5, 10.0f, 0.1f, sigmoidOnly), sigmoidAt(1.0 / 0.5), 1e-6);
    // Steepness sets its width.
    EXPECT_NEAR(collapseWeight(0, 10, 10.0f, 0.1f, sigmoidOnly), sigmoidAt(-5.0), 1e-6);
    EXPECT_NEAR(collapseWeight(0, 10, 10.0f, 0.2f, sigmoidOnly), sigmoidAt(-2.5), 1e-6);
    EXPECT_NEAR(collapseWeight(7, 10, 10.0f, 0.02f, sigmoidOnly), sigmoidAt(2.0 / 0.2), 1e-6);
}

TEST(CollapseWeight, FallsFromAboutOneToAboutZeroOverTheSlider)
{
    for (float curvature : {1.0f, 10.0f, 20.0f})
        for (float steepness : {0.02f, 0.1f, 0.2f})
            for (float mixer : {0.0f, 3.0f, 6.0f}) {
                const int b = 40;
                float last = collapseWeight(0, b, curvature, steepness, mixer);
                EXPECT_GT(last, 0.7f) << curvature << " " << steepness << " " << mixer;
                for (int a = 1; a <= b; ++a) {
                    const float w = collapseWeight(a, b, curvature, steepness, mixer);
                    EXPECT_LE(w, last + 1e-6f) << a;
                    last = w;
                }
                EXPECT_LT(last, 0.3f) << curvature << " " << steepness << " " << mixer;
            }
}

namespace {

// Twelve revisions, focus on revision index 5:
//   row 0 constant throughout;
//   row 1 deleted in revision 2, long before the focus;
//   row 2 deleted by the focus revision itself;
//   row 3 added only in the last revision;
//   row 4 present throughout with changes;
//   row 5 added in revision 3, present at the focus.
const std::vector<std::string> twelveRevisions = {
    "XXXXXXXXXXXX", "XXDDDDDDDDDD", "XXXXXDDDDDDD", ">>>>>>>>>>>X", "X-X|XnX-XXXX", ">>>XXXXXXXXX",
};
constexpr int focus = 5;

EvolutionSketch sketchOf(const std::vector<std::string>& statuses)
{
    EvolutionSketch sketch;
    sketch.statuses = statuses;
    return sketch;
}

class InterpolatedHeights : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(open.loaded);
        ASSERT_EQ(e().rowCount, 6);
        e().applyViewMode(modeInterpolated);
        e().focusRevision = focus;
    }

    EvolutionFile& e() { return open.evolution(); }
    float height(int row, int column) const { return viewState->rowHeights[row][column]; }
    float freed(int column) { return viewState->rowHeights[e().rowCount][column]; }
    std::vector<float> column(int c)
    {
        std::vector<float> heights;
        for (int row = 0; row < e().rowCount; ++row)
            heights.push_back(height(row, c));
        return heights;
    }
    void setOptions(int redistribute, int balance)
    {
        viewState->redistributeSpace = redistribute;
        viewState->balanceImage = balance;
    }

    // Every column the walk hands out, with copies of what it hands.
    struct Visit {
        int column;
        ColumnOffsets offsets;
        std::vector<float> previous, current;
    };
    std::vector<Visit> walk()
    {
        std::vector<Visit> visits;
        walkInterpolatedColumns(e(), [&](const InterpolatedColumn& c) {
            visits.push_back({c.column, c.offsets, c.previous, c.current});
        });
        return visits;
    }

    // Marks the whole table, so that what the walk leaves alone shows.
    void scribble()
    {
        for (auto& row : viewState->rowHeights)
            std::fill(row.begin(), row.end(), -7.0f);
    }

    OpenEvolution open{sketchOf(twelveRevisions)};
};

}  // namespace

TEST_F(InterpolatedHeights, PowerPartAloneFallsLinearlyTowardsTheFocus)
{
    setOptions(0, 0);
    viewState->mixer = 6.0f;
    viewState->curvature = 10.0f;
    computeInterpolatedHeights(e());
    // Row 1, deleted since revision 2: 1 - (c - 2) / (5 - 2 - 1).
    EXPECT_FLOAT_EQ(height(1, 0), 1.0f);
    EXPECT_FLOAT_EQ(height(1, 1), 1.0f);
    EXPECT_NEAR(height(1, 2), 1.0f, 1e-6);
    EXPECT_NEAR(height(1, 3), 0.5f, 1e-6);
    EXPECT_NEAR(height(1, 4), 0.0f, 1e-6);
    // Row 3, not yet added from the first revision on: 1 - c / 4.
    for (int c = 0; c < focus; ++c)
        EXPECT_NEAR(height(3, c), 1.0f - static_cast<float>(c) / 4.0f, 1e-6) << c;
    // Right of the focus row 1 grows back towards the last revision:
    // 1 - (11 - c) / 6.
    for (int c = focus + 1; c < 12; ++c)
        EXPECT_NEAR(height(1, c), 1.0f - static_cast<float>(11 - c) / 6.0f, 1e-6) << c;
}

TEST_F(InterpolatedHeights, RowDeletedByTheFocusIsGoneInTheColumnBefore)
{
    setOptions(0, 0);
    computeInterpolatedHeights(e());
    for (int c = 0; c <= focus - 2; ++c)
        EXPECT_EQ(height(2, c), 1.0f) << c;
    EXPECT_EQ(height(2, focus - 1), 0.0f);
    EXPECT_EQ(height(2, focus), 0.0f);
    // It counts as freed space where it is gone: rows 1, 2 and 3 at
    // revision 4, whose weights there are about 0.
    EXPECT_NEAR(freed(focus - 1), 1.5f, 1e-3);
}

TEST_F(InterpolatedHeights, RowAddedAfterTheFocusRegainsItsHeightBeforeItsAddition)
{
    setOptions(0, 0);
    computeInterpolatedHeights(e());
    EXPECT_LT(height(3, focus + 1), 0.15f);
    for (int c = focus + 2; c <= 10; ++c)
        EXPECT_GT(height(3, c), height(3, c - 1)) << c;
    EXPECT_GT(height(3, 10), 0.99f);
    EXPECT_EQ(height(3, 11), 1.0f);
    // Rows present at the focus never shrink.
    for (int c = 0; c < 12; ++c) {
        EXPECT_EQ(height(0, c), 1.0f) << c;
        EXPECT_EQ(height(4, c), 1.0f) << c;
        EXPECT_EQ(height(5, c), 1.0f) << c;
    }
}

TEST_F(InterpolatedHeights, FreedSpaceIsHalfOfTheRemovedHeight)
{
    setOptions(0, 0);
    computeInterpolatedHeights(e());
    for (int c = 0; c < 12; ++c) {
        const std::vector<float> heights = column(c);
        const float removed = static_cast<float>(heights.size()) - std::accumulate(heights.begin(), heights.end(), 0.0f);
        EXPECT_NEAR(freed(c), removed * 0.5f, 1e-5) << c;
    }
}

TEST_F(InterpolatedHeights, RedistributedColumnsFillTheirHeightAgain)
{
    setOptions(0, 0);
    computeInterpolatedHeights(e());
    std::vector<std::vector<float>> packed;
    for (int c = 0; c < 12; ++c)
        packed.push_back(column(c));

    setOptions(1, 1);
    const auto visits = walk();
    ASSERT_EQ(visits.size(), 12u);
    for (const auto& visit : visits) {
        const int c = visit.column;
        const std::vector<float> heights = column(c);
        EXPECT_NEAR(std::accumulate(heights.begin(), heights.end(), 0.0f), 6.0f, 1e-5) << c;
        EXPECT_EQ(visit.current, heights) << c;
        EXPECT_EQ(visit.offsets.left, 0.0f) << c;
        EXPECT_EQ(visit.offsets.right, 0.0f) << c;
        // Shrinking rows keep their heights; the others share the rest.
        for (int row = 0; row < 6; ++row)
            if (packed[c][row] != 1.0f) {
                EXPECT_EQ(heights[row], packed[c][row]) << row << " " << c;
            }
    }
    EXPECT_GT(height(0, focus - 1), 1.4f);
}

TEST_F(InterpolatedHeights, BalancedColumnsShiftByTheirFreedSpaceAndPackedOnesDoNot)
{
    setOptions(0, 0);
    std::vector<std::vector<float>> packed;
    for (const auto& visit : walk()) {
        EXPECT_EQ(visit.offsets.left, 0.0f) << visit.column;
        EXPECT_EQ(visit.offsets.right, 0.0f) << visit.column;
        packed.push_back(visit.current);
    }
    EXPECT_GT(freed(focus - 1), 1.0f);

    setOptions(0, 1);
    const auto visits = walk();
    ASSERT_EQ(visits.size(), 12u);
    float previous = 0.0f;
    for (const auto& visit : visits) {
        const int c = visit.column;
        EXPECT_EQ(column(c), packed[c]) << c;
        EXPECT_EQ(visit.offsets.left, previous) << c;
        EXPECT_EQ(visit.offsets.right, freed(c)) << c;
        previous = freed(c);
    }
}

TEST_F(InterpolatedHeights, FocusColumnIsAFlatCopyOfTheColumnBefore)
{
    for (int redistribute : {0, 1}) {
        setOptions(redistribute, 1);
        const auto visits = walk();
        for (int row = 0; row <= e().rowCount; ++row)
            EXPECT_EQ(viewState->rowHeights[row][focus], viewState->rowHeights[row][focus - 1]) << row;
        const Visit& band = visits[focus];
        ASSERT_EQ(band.column, focus);
        EXPECT_EQ(band.previous, band.current);
        EXPECT_EQ(band.current, column(focus - 1));
        EXPECT_EQ(band.offsets.left, band.offsets.right);
    }
}

TEST_F(InterpolatedHeights, EachColumnStartsWhereTheOneBeforeEnded)
{
    setOptions(1, 1);
    const auto visits = walk();
    ASSERT_EQ(visits.size(), 12u);
    // The first column's left edge is the full layout of the grey columns.
    EXPECT_EQ(visits[0].previous, std::vector<float>(6, 1.0f));
    for (size_t i = 1; i < visits.size(); ++i) {
        EXPECT_EQ(visits[i].column, visits[i - 1].column + 1);
        EXPECT_EQ(visits[i].previous, visits[i - 1].current) << i;
    }
}

TEST_F(InterpolatedHeights, ColumnsOutsideTheRangeKeepFullRows)
{
    // Focus on the last revision of the range: nothing right of it.
    e().setRevisionRange(modeInterpolated, 3, 6);
    e().focusRevision = focus;
    ASSERT_EQ(e().firstRevision, 2);
    ASSERT_EQ(e().lastRevision, focus);
    scribble();
    const auto visits = walk();
    ASSERT_EQ(visits.size(), 4u);
    EXPECT_EQ(visits.front().column, 2);
    EXPECT_EQ(visits.back().column, focus);
    for (int c : {0, 1, 6, 7, 11}) {
        EXPECT_EQ(column(c), std::vector<float>(e().rowCount, 1.0f)) << c;
        EXPECT_EQ(freed(c), 0.0f) << c;
    }
}

TEST_F(InterpolatedHeights, FocusOnTheFirstRevisionOfTheRangeShowsTheEndOfTheShrinking)
{
    setOptions(0, 1);
    e().firstRevision = focus;
    e().applyViewMode(modeInterpolated);
    // Rows 1 and 2, gone by the focus, are no longer shown; row 3, added
    // last, is the one absent there.
    ASSERT_EQ(e().rowCount, 4);
    const auto visits = walk();
    ASSERT_EQ(visits.size(), 7u);
    const Visit& first = visits.front();
    EXPECT_EQ(first.column, focus);
    EXPECT_EQ(first.previous, std::vector<float>(4, 1.0f));
    EXPECT_EQ(first.current, (std::vector<float>{1.0f, 0.0f, 1.0f, 1.0f}));
    EXPECT_EQ(freed(focus), 0.5f);
    EXPECT_EQ(first.offsets.left, 0.0f);
    EXPECT_EQ(first.offsets.right, 0.5f);
    // The columns after it grow back as with any focus.
    EXPECT_LT(height(1, focus + 1), 0.15f);
    EXPECT_GT(height(1, 10), 0.99f);
    EXPECT_EQ(height(1, 11), 1.0f);
}

TEST_F(InterpolatedHeights, WithoutAFocusNothingShrinks)
{
    for (int outside : {-1, 12, 40}) {
        e().focusRevision = outside;
        scribble();
        const auto visits = walk();
        ASSERT_EQ(visits.size(), 12u) << outside;
        for (const auto& visit : visits) {
            EXPECT_EQ(visit.current, std::vector<float>(6, 1.0f)) << outside;
            EXPECT_EQ(freed(visit.column), 0.0f) << outside;
        }
    }
}

TEST_F(InterpolatedHeights, OneColumnComputesAsTheWalkDoes)
{
    for (int redistribute : {0, 1})
        for (int balance : {0, 1}) {
            setOptions(redistribute, balance);
            for (int c : {3, focus - 1, 8}) {
                const auto visits = walk();
                const Visit& walked = visits[c];
                const float walkedFreed = freed(c);
                const float previousFreed = c > 0 ? freed(c - 1) : 0.0f;
                scribble();
                std::vector<float> heights;
                const ColumnHeights computed = computeColumnHeights(e(), c, heights);
                EXPECT_EQ(computed.freedSpace, walkedFreed) << c;
                EXPECT_EQ(freed(c), walkedFreed) << c;
                const ColumnOffsets offsets = redistributeColumn(e(), c, computed, heights, previousFreed);
                EXPECT_EQ(heights, walked.current) << redistribute << balance << " " << c;
                EXPECT_EQ(column(c), walked.current) << redistribute << balance << " " << c;
                EXPECT_EQ(offsets.left, walked.offsets.left) << redistribute << balance << " " << c;
                EXPECT_EQ(offsets.right, walked.offsets.right) << redistribute << balance << " " << c;
            }
        }
    // Rows 0, 4 and 5 keep their full height in column 8.
    std::vector<float> heights;
    EXPECT_EQ(computeColumnHeights(e(), 8, heights).fullRows, 3);
}

// The walk hands the columns out a group at a time; over a range wider
// than a group, starting and ending within groups, every column must still
// be the one the column-by-column computation gives, and each must start
// where the one before it ended.
TEST(InterpolatedHeightsWide, EveryColumnOfAWideRangeComputesAsColumnByColumn)
{
    const auto runs = [](const std::vector<std::pair<char, int>>& parts) {
        std::string statuses;
        for (const auto& [status, count] : parts)
            statuses.append(static_cast<size_t>(count), status);
        return statuses;
    };
    OpenEvolution open(sketchOf({
        runs({{'X', 40}}),
        runs({{'X', 9}, {'D', 31}}),
        runs({{'>', 30}, {'X', 10}}),
        runs({{'X', 5}, {'-', 3}, {'X', 22}, {'D', 10}}),
        runs({{'>', 4}, {'X', 16}, {'D', 20}}),
        runs({{'X', 23}, {'D', 17}}),
        runs({{'>', 18}, {'X', 22}}),
    }));
    ASSERT_TRUE(open.loaded);
    EvolutionFile& e = open.evolution();
    e.setRevisionRange(modeInterpolated, 4, 38);
    ASSERT_EQ(e.firstRevision, 3);
    ASSERT_EQ(e.lastRevision, 37);
    const int focusColumn = 21;
    e.focusRevision = focusColumn;
    const size_t rows = static_cast<size_t>(e.rowCount);
    ASSERT_EQ(rows, 7u);
    const auto tableColumn = [&](int c) {
        std::vector<float> heights;
        for (size_t row = 0; row < rows; ++row)
            heights.push_back(viewState->rowHeights[row][static_cast<size_t>(c)]);
        return heights;
    };

    for (int redistribute : {0, 1})
        for (int balance : {0, 1}) {
            viewState->redistributeSpace = redistribute;
            viewState->balanceImage = balance;
            struct Visit {
                int column;
                ColumnOffsets offsets;
                std::vector<float> previous, current;
            };
            std::vector<Visit> visits;
            walkInterpolatedColumns(e, [&](const InterpolatedColumn& c) {
                visits.push_back({c.column, c.offsets, c.previous, c.current});
            });
            ASSERT_EQ(visits.size(), 35u);
            std::vector<float> previous(rows, 1.0f);
            float previousFreed = 0.0f;
            int shrunk = 0;
            for (size_t k = 0; k < visits.size(); ++k) {
                const Visit& walked = visits[k];
                const int c = walked.column;
                const std::string where = std::to_string(redistribute) + std::to_string(balance) + " column " +
                                          std::to_string(c);
                ASSERT_EQ(c, 3 + static_cast<int>(k));
                EXPECT_EQ(walked.previous, previous) << where;
                EXPECT_EQ(walked.current, tableColumn(c)) << where;
                previous = walked.current;
                const float walkedFreed = viewState->rowHeights[rows][static_cast<size_t>(c)];
                if (walkedFreed > 0.0f)
                    ++shrunk;
                if (c == focusColumn) {
                    EXPECT_EQ(walked.current, visits[k - 1].current) << where;
                } else {
                    std::vector<float> heights;
                    const ColumnHeights computed = computeColumnHeights(e, c, heights);
                    EXPECT_EQ(computed.freedSpace, walkedFreed) << where;
                    const ColumnOffsets offsets = redistributeColumn(e, c, computed, heights, previousFreed);
                    EXPECT_EQ(heights, walked.current) << where;
                    EXPECT_EQ(offsets.left, walked.offsets.left) << where;
                    EXPECT_EQ(offsets.right, walked.offsets.right) << where;
                }
                previousFreed = walkedFreed;
            }
            // Most columns of the range shrink some row, so the comparison
            // is not one of full columns alone.
            EXPECT_GT(shrunk, 25) << redistribute << balance;
        }
}

TEST(InterpolatedHeightsBounds, TablesThatDoNotHoldTheGridAreLeftAlone)
{
    OpenEvolution open(sketchOf(twelveRevisions));
    EvolutionFile& e = open.evolution();
    e.focusRevision = focus;
    // A table sized for a smaller evolution than the one shown.
    viewState->release();
    viewState->tableRows = 2;
    viewState->tableColumns = 3;
    viewState->reset();
    int visits = 0;
    walkInterpolatedColumns(e, [&](const InterpolatedColumn&) { ++visits; });
    EXPECT_EQ(visits, 0);
    std::vector<float> heights;
    EXPECT_EQ(computeColumnHeights(e, 1, heights).fullRows, 0);
    copyFocusColumn(e);

    // An evolution without rows or revisions.
    EvolutionFile empty("", "", nullptr);
    walkInterpolatedColumns(empty, [&](const InterpolatedColumn&) { ++visits; });
    computeInterpolatedHeights(empty);
    EXPECT_EQ(visits, 0);
}
