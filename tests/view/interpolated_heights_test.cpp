// The Interpolated layout's row heights over random evolutions, focuses,
// ranges and shaping options, held against a model computed straight from
// the status matrix, and the rule for when the table counts as fresh.

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "support/opened_evolution.h"
#include "view/geometry/interpolated_heights.h"
#include "view/geometry/row_heights.h"

namespace {

using Table = std::vector<std::vector<float>>;

double modelWeight(int a, int b, double curvature, double steepness, double mixer)
{
    if (b == 0)
        return 0;
    const double t = static_cast<double>(a) / b;
    const double power = curvature > 10 ? 1 - std::pow(t, curvature - 9) : std::pow(1 - t, 11 - curvature);
    const double sigmoid = 1 - (std::tanh((a - b / 2) / (b * steepness)) + 1) * 0.5;
    return (sigmoid * (6 - mixer) + power * mixer) / 6;
}

TEST(CollapseWeight, FollowsItsFormulaAndFallsFromOneToZero)
{
    for (float curvature : {1.0f, 9.5f, 10.0f, 10.5f, 20.0f})
        for (float steepness : {0.02f, 0.1f, 0.2f})
            for (float mixer : {0.0f, 3.0f, 6.0f})
                for (int b = 0; b <= 9; ++b) {
                    float before = 2;
                    for (int a = 0; a <= b; ++a) {
                        const float w = collapseWeight(a, b, curvature, steepness, mixer);
                        EXPECT_NEAR(w, modelWeight(a, b, curvature, steepness, mixer), 2e-6)
                            << a << "/" << b << " c" << curvature << " d" << steepness << " e" << mixer;
                        EXPECT_LE(w, before + 1e-6f);
                        EXPECT_TRUE(w >= -1e-6f && w <= 1 + 1e-6f);
                        before = w;
                    }
                }
}

// The whole computation for a focus F with first < F <= last.
Table modelHeights(const EvolutionFile& e, const ViewState& v)
{
    const int rows = e.rowCount, columns = e.columnCount, F = e.focusRevision;
    Table t(rows + 1, std::vector<float>(columns, 1.0f));
    t[rows].assign(columns, 0.0f);
    const auto column = [&](int c) {
        double freed = 0;
        int full = 0;
        for (int i = 0; i < rows; ++i) {
            const int s = e.status(i, c), f = e.status(i, F);
            double h = 1;
            if (s == f && (f == statusAdded || f == statusDeleted)) {
                int v0 = e.firstRevision, v1 = e.lastRevision;
                while (c < F && e.status(i, v0) != f)
                    ++v0;
                while (c > F && e.status(i, v1) != f)
                    --v1;
                h = c < F ? modelWeight(c - v0, F - v0 - 1, v.curvature, v.steepness, v.mixer)
                          : modelWeight(v1 - c, v1 - F, v.curvature, v.steepness, v.mixer);
            } else if (c == F - 1 && f == statusDeleted) {
                h = 0;
            } else {
                ++full;
            }
            freed += (1 - h) * 0.5;
            t[i][c] = static_cast<float>(h);
        }
        for (int i = 0; i < rows && v.redistributeSpace && full > 0; ++i)
            if (t[i][c] == 1.0f)
                t[i][c] = static_cast<float>(1 + 2 * freed / full);
        t[rows][c] = static_cast<float>(freed);
    };
    for (int c = e.firstRevision; c < F; ++c)
        column(c);
    for (int i = 0; i <= rows; ++i)
        t[i][F] = t[i][F - 1];
    for (int c = F + 1; c <= e.lastRevision; ++c)
        column(c);
    return t;
}

TEST(InterpolatedHeights, MatchTheModelAndTheWalkHandsThemOnInOrder)
{
    for (unsigned seed = 1; seed <= 80; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        std::mt19937 random(seed);
        const int columns = 2 + static_cast<int>(random() % 20);  // past one group of the walk
        EvolutionSketch sketch;
        sketch.statuses = randomStatuses(seed, 1 + static_cast<int>(random() % 9), columns);
        OpenEvolution open(sketch);
        ASSERT_TRUE(open.loaded);
        EvolutionFile& e = open.evolution();
        ViewState& v = *viewState;
        const int first = 1 + static_cast<int>(random() % (columns - 1)), last = first + 1 + static_cast<int>(random() % (columns - first));
        e.setRevisionRange(modeInterpolated, first, last);
        e.focusRevision = first + static_cast<int>(random() % (last - first));  // 0-based: first .. last - 1
        v.curvature = 1 + static_cast<float>(random() % 20);
        v.steepness = 0.02f + 0.01f * static_cast<float>(random() % 19);
        v.mixer = static_cast<float>(random() % 7);
        v.redistributeSpace = static_cast<int>(random() % 2);
        v.balanceImage = static_cast<int>(random() % 2);
        const Table expected = modelHeights(e, v);
        int visited = e.firstRevision;
        float previousFreed = 0;
        walkInterpolatedColumns(e, [&](const InterpolatedColumn& c) {
            EXPECT_EQ(c.column, visited++);
            const bool shifted = v.balanceImage && !v.redistributeSpace;
            EXPECT_EQ(c.offsets.left, shifted ? previousFreed : 0.0f);
            EXPECT_NEAR(c.offsets.right, shifted ? expected[e.rowCount][c.column] : 0.0f, 2e-5);
            previousFreed = v.rowHeights[e.rowCount][c.column];
            for (int i = 0; i < e.rowCount; ++i) {
                EXPECT_EQ(c.current[i], v.rowHeights[i][c.column]);
                EXPECT_EQ(c.previous[i], c.column == e.firstRevision ? 1.0f : v.rowHeights[i][c.column - 1]);
            }
        });
        EXPECT_EQ(visited, e.lastRevision + 1);
        for (int i = 0; i <= e.rowCount; ++i)
            for (int c = 0; c < columns; ++c)
                ASSERT_NEAR(v.rowHeights[i][c], expected[i][c], 2e-5) << "row " << i << " column " << c;
        EXPECT_TRUE(interpolatedHeightsFresh(e));
    }
}

TEST(InterpolatedHeights, WithoutAFocusInsideTheRangeNothingShrinksButAtTheRangesFirstColumn)
{
    EvolutionSketch sketch;
    sketch.statuses = {"XXXXXX", "XXDDDD", ">>>XXX", "XXXXXD"};
    OpenEvolution open(sketch);
    EvolutionFile& e = open.evolution();
    e.setRevisionRange(modeInterpolated, 3, 6);
    viewState->redistributeSpace = 0;
    for (int focus : {-1, 0, 1, 2}) {
        e.focusRevision = focus;
        computeInterpolatedHeights(e);
        for (int i = 0; i < e.rowCount; ++i)
            for (int c = 0; c < e.columnCount; ++c)
                EXPECT_EQ(viewState->rowHeights[i][c],
                          focus == 2 && c == 2 && e.status(i, 2) >= statusAdded ? 0.0f : 1.0f)
                    << "focus " << focus << " row " << i << " column " << c;
    }
}

// Fresh from the whole computation until something it was computed for
// changes, or the table is written otherwise.
TEST(InterpolatedHeights, FreshOnlyForWhatTheyWereComputedFor)
{
    EvolutionSketch sketch;
    sketch.statuses = {"XXXXXXXXXXXX", "XXDDDDDDDDDD", "XXXXXDDDDDDD", ">>>>>>>>>>>X", "X-X|XnX-XXXX"};
    OpenEvolution open(sketch);
    EvolutionFile& e = open.evolution();
    ViewState& v = *viewState;
    e.applyViewMode(modeInterpolated);
    e.focusRevision = 5;
    const std::vector<std::function<void()>> changes = {
        [&] { e.focusRevision = 6; }, [&] { e.setRevisionRange(modeInterpolated, 2, 12); },
        [&] { v.curvature += 1; }, [&] { v.steepness += 0.01f; }, [&] { v.mixer += 1; },
        [&] { v.redistributeSpace ^= 1; }, [&] { v.balanceImage ^= 1; }, [&] { resetRowHeights(e); },
        [&] { copyFocusColumn(e); },
        [&] { v.release(); v.reset(); },
    };
    EXPECT_FALSE(interpolatedHeightsFresh(e));
    for (size_t k = 0; k < changes.size(); ++k) {
        computeInterpolatedHeights(e);
        const Table before = v.rowHeights;
        ensureInterpolatedHeights(e);
        EXPECT_TRUE(interpolatedHeightsFresh(e)) << "change " << k;
        v.rowHeights[0][0] = -1;  // ensuring a fresh table computes nothing
        ensureInterpolatedHeights(e);
        EXPECT_EQ(v.rowHeights[0][0], -1) << "change " << k;
        v.rowHeights = before;
        changes[k]();
        EXPECT_FALSE(interpolatedHeightsFresh(e)) << "change " << k;
        ensureInterpolatedHeights(e);
        EXPECT_TRUE(interpolatedHeightsFresh(e)) << "change " << k;
    }
    // Another evolution of the same grid is another computation.
    computeInterpolatedHeights(e);
    OpenEvolution other(sketch);
    other.evolution().applyViewMode(modeInterpolated);
    other.evolution().focusRevision = 5;
    EXPECT_FALSE(interpolatedHeightsFresh(other.evolution()));
}

}  // namespace
