// When the Interpolated row heights count as holding what a frame is about
// to draw: from the whole computation until something they were computed
// for changes, or the table is reset, written in part or made anew.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "support/opened_evolution.h"
#include "view/geometry/interpolated_heights.h"
#include "view/geometry/row_heights.h"

namespace {

using Table = std::vector<std::vector<float>>;

EvolutionSketch twelveRevisions()
{
    EvolutionSketch sketch;
    sketch.statuses = {"XXXXXXXXXXXX", "XXDDDDDDDDDD", "XXXXXDDDDDDD", ">>>>>>>>>>>X", "X-X|XnX-XXXX"};
    return sketch;
}

class HeightsFreshness : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(open.loaded);
        e().applyViewMode(modeInterpolated);
        e().focusRevision = 5;
    }

    EvolutionFile& e() { return open.evolution(); }
    bool fresh() { return interpolatedHeightsFresh(e()); }

    // The table as the whole computation leaves it for the state as it is.
    Table computed()
    {
        computeInterpolatedHeights(e());
        return viewState->rowHeights;
    }

    OpenEvolution open{twelveRevisions()};
};

struct Change {
    std::string name;
    std::function<void(EvolutionFile&, ViewState&)> apply;
};

// Everything the heights depend on besides the statuses.
const std::vector<Change> changes = {
    {"focus", [](EvolutionFile& e, ViewState&) { e.setFocusRevision(modeInterpolated, 8); }},
    {"first revision", [](EvolutionFile& e, ViewState&) { e.setRevisionRange(modeInterpolated, 2, 12); }},
    {"last revision", [](EvolutionFile& e, ViewState&) { e.setRevisionRange(modeInterpolated, 1, 9); }},
    {"rows", [](EvolutionFile& e, ViewState&) { --e.rowCount; }},
    {"Balance Image", [](EvolutionFile&, ViewState& v) { v.balanceImage = 1 - v.balanceImage; }},
    {"Redistribute space", [](EvolutionFile&, ViewState& v) { v.redistributeSpace = 1 - v.redistributeSpace; }},
    {"Curvature", [](EvolutionFile&, ViewState& v) { v.curvature = 14.0f; }},
    {"Steepness", [](EvolutionFile&, ViewState& v) { v.steepness = 0.05f; }},
    {"Mixer", [](EvolutionFile&, ViewState& v) { v.mixer = 5.5f; }},
};

}  // namespace

TEST_F(HeightsFreshness, OnlyTheWholeComputationMakesATableFresh)
{
    // Opening makes the table; it holds no computation yet.
    EXPECT_FALSE(fresh());
    computeInterpolatedHeights(e());
    EXPECT_TRUE(fresh());
    viewState->rowHeightsBasis.valid = false;
    walkInterpolatedColumns(e(), [](const InterpolatedColumn&) {});
    EXPECT_TRUE(fresh());
}

TEST_F(HeightsFreshness, EveryChangeTheHeightsDependOnMakesThemStaleAndEnsuringComputesThemAgain)
{
    for (const Change& change : changes) {
        computeInterpolatedHeights(e());
        ASSERT_TRUE(fresh()) << change.name;
        change.apply(e(), *viewState);
        EXPECT_FALSE(fresh()) << change.name;
        const Table wanted = computed();
        resetRowHeights(e());
        ensureInterpolatedHeights(e());
        EXPECT_TRUE(fresh()) << change.name;
        EXPECT_EQ(viewState->rowHeights, wanted) << change.name;
    }
    // The computation made for the state it comes back to still holds.
    viewState->balanceImage = 0;
    computeInterpolatedHeights(e());
    viewState->balanceImage = 1;
    EXPECT_FALSE(fresh());
    viewState->balanceImage = 0;
    EXPECT_TRUE(fresh());
}

TEST_F(HeightsFreshness, FreshHeightsAreNotComputedAgain)
{
    viewState->redistributeSpace = 0;
    computeInterpolatedHeights(e());
    // A mark the computation would overwrite: row 0 is constant, and with
    // nothing redistributed it keeps its full height.
    viewState->rowHeights[0][0] = 9.0f;
    ensureInterpolatedHeights(e());
    EXPECT_EQ(viewState->rowHeights[0][0], 9.0f);
    e().setFocusRevision(modeInterpolated, 8);
    ensureInterpolatedHeights(e());
    EXPECT_EQ(viewState->rowHeights[0][0], 1.0f);
}

TEST_F(HeightsFreshness, WritingTheTableOtherwiseMakesItStale)
{
    const std::vector<Change> writes = {
        // The Horizontal layout resets the table on every frame.
        {"reset", [](EvolutionFile& e, ViewState&) { resetRowHeights(e); }},
        {"one column",
         [](EvolutionFile& e, ViewState&) {
             std::vector<float> heights;
             computeColumnHeights(e, 3, heights);
         }},
        {"redistributed column",
         [](EvolutionFile& e, ViewState& v) {
             v.redistributeSpace = 1;
             std::vector<float> heights(static_cast<size_t>(e.rowCount), 1.0f);
             redistributeColumn(e, 3, {0.5f, 2}, heights, 0.0f);
         }},
        {"focus column", [](EvolutionFile& e, ViewState&) { copyFocusColumn(e); }},
        {"new table", [](EvolutionFile&, ViewState& v) { v.reset(); }},
        {"released table",
         [](EvolutionFile&, ViewState& v) {
             v.release();
             v.reset();
         }},
    };
    for (const Change& write : writes) {
        viewState->redistributeSpace = 1;
        computeInterpolatedHeights(e());
        ASSERT_TRUE(fresh()) << write.name;
        write.apply(e(), *viewState);
        EXPECT_FALSE(fresh()) << write.name;
    }
}

TEST_F(HeightsFreshness, HeightsOfAnotherEvolutionOfTheSameGridAreStale)
{
    computeInterpolatedHeights(e());
    EvolutionFile other("", "", nullptr);
    other.rowCount = e().rowCount;
    other.columnCount = e().columnCount;
    other.firstRevision = e().firstRevision;
    other.lastRevision = e().lastRevision;
    other.focusRevision = e().focusRevision;
    EXPECT_FALSE(interpolatedHeightsFresh(other));
    EXPECT_TRUE(fresh());
}
