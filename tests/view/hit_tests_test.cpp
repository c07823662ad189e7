// The mapping between canvas pixels and cells in the three layouts, held
// against a model of the status matrix for every pixel of a small view over
// random evolutions and zooms, and where the Interpolated rows lie at a
// column boundary.

#include "view/geometry/hit_tests.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "support/opened_evolution.h"
#include "view/geometry/interpolated_heights.h"
#include "view/geometry/row_top.h"

namespace {

void zoom(float versionSize, float lineSize, float scrollX, float scrollY)
{
    viewState->versionSize = versionSize, viewState->lineSize = lineSize;
    viewState->scrollX = scrollX, viewState->scrollY = scrollY;
}

TEST(HitTests, NormalAndHorizontalMatchTheModelAtEveryPixel)
{
    const float sizes[] = {0.4f, 1.0f, 2.5f, 7.0f};
    for (unsigned seed = 1; seed <= 40; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        std::mt19937 random(seed);
        EvolutionSketch sketch;
        sketch.statuses = randomStatuses(seed, 1 + static_cast<int>(random() % 10), 1 + static_cast<int>(random() % 8));
        OpenEvolution open(sketch);
        EvolutionFile& e = open.evolution();
        const float vs = sizes[random() % 4], ls = sizes[random() % 4];
        zoom(vs, ls, static_cast<float>(random() % 5) - 1.5f, static_cast<float>(random() % 4));
        for (int layout : {modeNormal, modeHorizontal})
            for (int x = -3; x < 40; ++x)
                for (int y = -3; y < 40; ++y) {
                    const CellHit hit = cellAtPixel(e, x, y, layout);
                    const int revision = static_cast<int>((x + viewState->scrollX) / vs);
                    const int slot = static_cast<int>((y + viewState->scrollY) / ls);
                    int row = -1;
                    if (layout == modeHorizontal)
                        row = slot >= 0 && slot < e.rowCount ? slot : -1;
                    else if (revision >= 0 && revision < e.columnCount && slot >= 0)
                        for (int i = 0, seen = 0; i < e.rowCount && row < 0; ++i)
                            if (e.rowPresent(i, revision) && seen++ == slot)
                                row = i;
                    const bool inside = row >= 0 && revision >= 0 && revision < e.columnCount;
                    ASSERT_EQ(hit.hit, inside) << layout << " at " << x << "," << y;
                    if (inside)
                        ASSERT_EQ(std::make_pair(hit.row, hit.revision), std::make_pair(row, revision)) << x << "," << y;
                    // The cell's own pixel leads back to it.
                    const bool whole = std::floor(viewState->scrollX) == viewState->scrollX;
                    if (inside && whole && x >= 0 && y >= 0 && vs >= 1 && ls >= 1) {
                        const CellPixel p = pixelOfCell(e, row, revision, layout);
                        ASSERT_TRUE(p.ok);
                        const CellHit back = cellAtPixel(e, p.x + (vs >= 2), p.y + (ls >= 2), layout);
                        EXPECT_EQ(std::make_pair(back.row, back.revision), std::make_pair(row, revision));
                    }
                }
        // An absent row stands where the nearest present row above it does.
        zoom(1, 1, 0, 0);
        for (int r = 0; r < e.columnCount; ++r)
            for (int i = 0; i < e.rowCount; ++i) {
                int above = i;
                while (above >= 0 && !e.rowPresent(above, r))
                    --above;
                const CellPixel p = pixelOfCell(e, i, r, modeNormal);
                EXPECT_EQ(p.ok, above >= 0);
                if (above >= 0)
                    EXPECT_EQ(p.y, pixelOfCell(e, above, r, modeNormal).y);
            }
    }
}

TEST(HitTests, InterpolatedRowsLieWhereTheirHeightsPutThem)
{
    for (unsigned seed = 1; seed <= 30; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        std::mt19937 random(seed);
        const int columns = 3 + static_cast<int>(random() % 8);
        EvolutionSketch sketch;
        sketch.statuses = randomStatuses(seed, 2 + static_cast<int>(random() % 8), columns);
        OpenEvolution open(sketch);
        EvolutionFile& e = open.evolution();
        e.setRevisionRange(modeInterpolated, 2, columns);
        e.focusRevision = 2 + static_cast<int>(random() % (columns - 2));
        viewState->redistributeSpace = static_cast<int>(random() % 2);
        viewState->balanceImage = static_cast<int>(random() % 2);
        computeInterpolatedHeights(e);
        const float lineSize = 20.0f;
        zoom(10.0f, lineSize, 30.0f, 7.0f);
        const auto& h = viewState->rowHeights;
        for (int boundary = 0; boundary <= columns; ++boundary) {
            // Above the range the layout is uniform; inside, the top of a row
            // at a boundary is the sum of the heights of the column before.
            float top = boundary > e.firstRevision && boundary <= e.lastRevision + 1 ? columnTopOffset(e, boundary - 1) : 0;
            bool integral = top == 0;  // a sum of whole rows lies exactly on a pixel
            for (int row = 0; row < e.rowCount; ++row) {
                const bool shaped = boundary > e.firstRevision && boundary <= e.lastRevision + 1;
                EXPECT_NEAR(rowTopAt(e, boundary, row), shaped ? top : row, 1e-4) << boundary << " " << row;
                const bool wasIntegral = integral;
                top += shaped ? h[row][boundary - 1] : 1;
                integral = integral && top == std::floor(top);
                if (boundary == columns)
                    continue;
                const CellPixel pixel = pixelOfCell(e, row, boundary, modeInterpolated);
                ASSERT_TRUE(pixel.ok);
                const float leftHeight = boundary > e.firstRevision ? h[row][boundary - 1] : 1.0f;
                if (leftHeight * lineSize < 2.0f)
                    continue;
                // A pointer on a boundary belongs to the row below it.
                const int y = pixel.y + (wasIntegral ? 0 : 1);
                const CellHit hit = cellAtPixel(e, pixel.x, y, modeInterpolated);
                EXPECT_TRUE(hit.hit && hit.row == row && hit.revision == boundary) << row << " at " << boundary;
            }
        }
        // Far below the rows of a column there is no cell, and the revision
        // is still named.
        const CellHit below = cellAtPixel(e, 35, 100000, modeInterpolated);
        EXPECT_FALSE(below.hit);
        EXPECT_EQ(below.revision, 6);
    }
}

TEST(HitTests, EmptyGridsUnknownLayoutsAndTablesThatDoNotHoldTheGridMiss)
{
    for (const std::vector<std::string>& statuses : {std::vector<std::string>{}, std::vector<std::string>{"XX", "XX"}}) {
        EvolutionSketch sketch;
        sketch.statuses = statuses;
        sketch.authors = {"ann"};
        OpenEvolution open(sketch);
        EvolutionFile& e = open.evolution();
        zoom(4, 4, 0, 0);
        for (int layout : {-1, 3})
            EXPECT_FALSE(cellAtPixel(e, 1, 1, layout).hit || pixelOfCell(e, 0, 0, layout).ok);
        EXPECT_FALSE(pixelOfCell(e, statuses.size(), 0, modeHorizontal).ok);
        EXPECT_FALSE(pixelOfCell(e, 0, 3, modeHorizontal).ok);
        viewState->rowHeights.clear();
        EXPECT_FALSE(cellAtPixel(e, 1, 1, modeInterpolated).hit || pixelOfCell(e, 0, 0, modeInterpolated).ok);
        zoom(0, 0, 0, 0);  // a zoom of nothing puts every pixel far off the grid
        EXPECT_FALSE(cellAtPixel(e, 1, 1, modeHorizontal).hit);
    }
}

}  // namespace
