// The view over random evolutions against models of the status matrix: the Interpolated row heights and when
// they count as fresh, the mapping between canvas pixels and cells, pointer steps and the status bar's texts.

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <tuple>

#include "support/opened_evolution.h"
#include "view/geometry/hit_tests.h"
#include "view/geometry/interpolated_heights.h"
#include "view/geometry/row_heights.h"
#include "view/geometry/row_top.h"
#include "view/navigation/pointer_steps.h"
#include "view/status/status_format.h"

namespace {

using Table = std::vector<std::vector<float>>;

void zoom(float versionSize, float lineSize, float scrollX, float scrollY)
{
    viewState->versionSize = versionSize, viewState->lineSize = lineSize;
    viewState->scrollX = scrollX, viewState->scrollY = scrollY;
}

// A shrinking row's height: a sigmoid blended with a power curve, from about 1 at a = 0 to 0 at a = b.
double modelWeight(int a, int b, double curvature, double steepness, double mixer)
{
    if (b == 0)
        return 0;
    const double t = static_cast<double>(a) / b;
    const double power = curvature > 10 ? 1 - std::pow(t, curvature - 9) : std::pow(1 - t, 11 - curvature);
    const double sigmoid = 1 - (std::tanh((a - b / 2) / (b * steepness)) + 1) * 0.5;
    return (sigmoid * (6 - mixer) + power * mixer) / 6;
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

// Row tops at every column boundary follow the computed heights, and a pointer at a row's top there hits it.
void checkInterpolatedRows(const EvolutionFile& e)
{
    const auto& h = viewState->rowHeights;
    zoom(10.0f, 20.0f, 30.0f, 7.0f);
    for (int boundary = 0; boundary <= e.columnCount; ++boundary) {
        const bool shaped = boundary > e.firstRevision;  // left of the range the layout is uniform
        float top = shaped ? columnTopOffset(e, boundary - 1) : 0;
        bool integral = top == 0;  // a sum of whole rows lies exactly on a pixel
        for (int row = 0; row < e.rowCount; ++row) {
            EXPECT_NEAR(rowTopAt(e, boundary, row), shaped ? top : row, 1e-4) << boundary << " " << row;
            const bool wasIntegral = integral;
            const float height = shaped ? h[row][boundary - 1] : 1.0f;
            top += height;
            integral = integral && top == std::floor(top);
            if (boundary > e.lastRevision) {  // past the range the next column's rows are whole again
                EXPECT_TRUE(boundary == e.columnCount || pixelOfCell(e, row, boundary, modeInterpolated).y ==
                                                             pixelOfCell(e, row, boundary, modeHorizontal).y);
                continue;
            }
            const CellPixel pixel = pixelOfCell(e, row, boundary, modeInterpolated);
            ASSERT_TRUE(pixel.ok);
            // A pointer on a boundary belongs to the row below it.
            const CellHit hit = cellAtPixel(e, pixel.x, pixel.y + (wasIntegral ? 0 : 1), modeInterpolated);
            EXPECT_TRUE(height * 20.0f < 2.0f || (hit.hit && hit.row == row && hit.revision == boundary))
                << row << " at " << boundary;
        }
    }
    // Far below a column's rows there is no cell, and the revision is still named.
    const CellHit below = cellAtPixel(e, 35, 100000, modeInterpolated);
    EXPECT_EQ(std::pair(below.hit, below.revision), std::pair(false, 6));
}

TEST(InterpolatedHeights, MatchTheModelTheWalkHandsThemOnInOrderAndRowsLieWhereTheyPutThem)
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
        const int first = 1 + static_cast<int>(random() % (columns - 1));
        const int last = first + 1 + static_cast<int>(random() % (columns - first));
        e.setRevisionRange(modeInterpolated, first, last);
        e.focusRevision = first + static_cast<int>(random() % (last - first));  // 0-based: first .. last - 1
        v.curvature = 1 + 0.5f * static_cast<float>(random() % 39);  // both sides of the power curve's turn at 10
        v.steepness = 0.02f + 0.01f * static_cast<float>(random() % 19), v.mixer = static_cast<float>(random() % 7);
        v.redistributeSpace = static_cast<int>(random() % 2), v.balanceImage = static_cast<int>(random() % 2);
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
        if (e.rowCount > 0)
            checkInterpolatedRows(e);
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
                EXPECT_EQ(viewState->rowHeights[i][c], focus == 2 && c == 2 && e.status(i, c) >= statusAdded ? 0 : 1.0f)
                    << "focus " << focus << " row " << i << " column " << c;
    }
}

// Fresh from the whole computation until something it was computed for changes, or the table is written otherwise.
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
        [&] { e.focusRevision = 6; }, [&] { e.setRevisionRange(modeInterpolated, 2, 12); }, [&] { v.curvature += 1; },
        [&] { v.steepness += 0.01f; }, [&] { v.mixer += 1; }, [&] { v.redistributeSpace ^= 1; },
        [&] { v.balanceImage ^= 1; }, [&] { resetRowHeights(e); }, [&] { copyFocusColumn(e); },
        [&] { e.applyViewMode(modeInterpolated); },
        [&] { v.release(); v.reset(); }};
    EXPECT_FALSE(interpolatedHeightsFresh(e));
    for (size_t k = 0; k < changes.size(); ++k) {
        computeInterpolatedHeights(e);
        EXPECT_TRUE(interpolatedHeightsFresh(e)) << "change " << k;
        v.rowHeights[0][0] = -1;  // ensuring a fresh table computes nothing
        ensureInterpolatedHeights(e);
        EXPECT_EQ(v.rowHeights[0][0], -1) << "change " << k;
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
                    // A miss still names the revision under the pointer.
                    ASSERT_EQ(std::make_tuple(hit.hit, inside ? hit.row : -1, hit.revision),
                              std::make_tuple(inside, inside ? row : -1, revision)) << layout << " at " << x << "," << y;
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
                const int y = above >= 0 ? pixelOfCell(e, above, r, modeNormal).y : p.y;
                EXPECT_EQ(std::pair(p.ok, p.y), std::pair(above >= 0, y));
            }
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
        EXPECT_FALSE(pixelOfCell(e, statuses.size(), 0, modeHorizontal).ok || pixelOfCell(e, 0, 3, modeHorizontal).ok);
        viewState->rowHeights.clear();
        EXPECT_FALSE(cellAtPixel(e, 1, 1, modeInterpolated).hit || pixelOfCell(e, 0, 0, modeInterpolated).ok);
        zoom(0, 0, 0, 0);  // a zoom of nothing puts every pixel far off the grid
        EXPECT_FALSE(cellAtPixel(e, 1, 1, modeHorizontal).hit);
    }
}


TEST(LockMode, FollowsTheRowOnlyForAMostlySidewaysFirstMove)
{
    for (const auto& [dx, dy, mode] : {std::tuple{5, 2, pointerRowLocked}, {1, 0, pointerRowLocked},
                                       {2, 5, pointerRevisionLocked}, {4, 4, pointerRevisionLocked},
                                       {0, 0, pointerRevisionLocked}})
        EXPECT_EQ(lockModeForFirstMove(dx, dy), mode) << dx << " " << dy;
}

TEST(LockedRowY, InterpolatesBetweenTheEdgesTruncatingAndAimsAtTheMiddleOfTallRows)
{
    struct Case { int x, leftX, leftY, rightX, rightY; float lineSize; int y; };
    const Case cases[] = {
        // Rising; falling, measured from the right edge (10 * 5 / 8 = 6.25); a column narrower than a pixel keeps
        // its left edge; rows higher than two pixels are aimed at their middle.
        {0, 0, 10, 8, 20, 1.0f, 10}, {3, 0, 10, 8, 20, 1.0f, 13}, {8, 0, 10, 8, 20, 1.0f, 20},
        {3, 0, 20, 8, 10, 1.0f, 16}, {0, 0, 20, 8, 10, 1.0f, 20}, {5, 0, 7, 8, 7, 2.0f, 7},
        {4, 4, 30, 4, 50, 1.0f, 30}, {4, 4, 50, 4, 30, 1.0f, 50},
        {0, 0, 10, 8, 10, 2.5f, 11}, {0, 0, 10, 8, 10, 9.0f, 14}, {4, 4, 10, 4, 40, 6.0f, 13},
    };
    for (const Case& c : cases)
        EXPECT_EQ(lockedRowY(c.x, c.leftX, c.leftY, c.rightX, c.rightY, c.lineSize), c.y) << c.x << " " << c.lineSize;
}

// A canvas of 100 x 80 pixels; a case with x -1 after the step expects no move.
TEST(ArrowKeys, MoveOneCellOnlyWhereTheCanvasHasRoomForIt)
{
    struct Case { ArrowKey key; int x, y; float width, height; int toX, toY; };
    const Case cases[] = {
        {arrowLeft, 50, 40, 10, 4, 40, 40},  {arrowRight, 50, 40, 10, 4, 60, 40}, {arrowUp, 50, 40, 10, 4, 50, 36},
        {arrowDown, 50, 40, 10, 4, 50, 44},  {arrowRight, 3, 5, 2.5f, 1.5f, 5, 5}, {arrowDown, 3, 5, 2.5f, 1.5f, 3, 6},
        {arrowLeft, 3, 5, 2.5f, 1.5f, 0, 5}, {arrowLeft, 9, 40, 10, 4, -1, 0},   {arrowLeft, 10, 40, 10, 4, 0, 40},
        {arrowRight, 90, 40, 10, 4, -1, 0},  {arrowRight, 89, 40, 10, 4, 99, 40}, {arrowUp, 50, 3, 10, 4, -1, 0},
        {arrowUp, 50, 4, 10, 4, 50, 0},      {arrowDown, 50, 76, 10, 4, -1, 0},   {arrowDown, 50, 75, 10, 4, 50, 79},
        // The bottom row refuses Right where Left and Up work.
        {arrowRight, 50, 77, 10, 4, -1, 0},  {arrowLeft, 50, 77, 10, 4, 40, 77},  {arrowUp, 50, 77, 10, 4, 50, 73},
    };
    for (const Case& c : cases) {
        const PointerStep s = arrowKeyStep(c.key, c.x, c.y, 100, 80, c.width, c.height);
        EXPECT_EQ(std::make_tuple(s.move, s.move ? s.x : -1, s.move ? s.y : 0),
                  std::make_tuple(c.toX >= 0, c.toX, c.toY)) << "key " << c.key << " at " << c.x << ", " << c.y;
    }
    for (ArrowKey key : {arrowLeft, arrowRight, arrowUp, arrowDown})
        for (auto [x, y] : {std::pair{-1, 40}, {100, 40}, {50, -1}, {50, 80}})
            EXPECT_FALSE(arrowKeyStep(key, x, y, 100, 80, 10.0f, 4.0f).move) << key << " off at " << x << "," << y;
}

TEST(StatusText, CellNumbersRightAlignedInFiveColumnsOrWiderNamesWholeAndTheHoverKindPerStatus)
{
    EXPECT_EQ(cellStatusText(5, 7, 2, "modified"), "Line:     5; Version:     7 Block     2  modified");
    EXPECT_EQ(cellStatusText(12345, 100, -1, "constant"), "Line: 12345; Version:   100 Block    -1  constant");
    const std::string name(300, 'n');
    EXPECT_EQ(cellStatusText(1234567, 1, 0, name.c_str()), "Line: 1234567; Version:     1 Block     0  " + name);
    const int kinds[][2] = {{statusConstant, 0}, {statusModified, 3}, {statusReplacedByAddition, 4},
                            {statusReplacedByDeletion, 5}, {statusAdded, 2}, {statusDeleted, 1}};
    for (const auto& [status, kind] : kinds)
        EXPECT_EQ(hoverKindOf(status), kind) << status;
}

TEST(StatusText, AuthorOfARevisionInTheGridWholeAndNothingOutsideOrWithoutAnEntry)
{
    TempDirectory directory;
    EvolutionSketch sketch;
    sketch.statuses = {"XXX", "X-X"};
    sketch.authors = {"alice", "", "carol"};
    std::unique_ptr<EvolutionFile> evolution = loadWrittenEvolution(directory, sketch);
    ASSERT_NE(evolution, nullptr);
    EXPECT_EQ(std::pair(authorStatusText(*evolution, 0), authorStatusText(*evolution, 2)),
              std::pair(std::string(" Author : alice"), std::string(" Author : carol")));
    evolution->revisionAuthors[2]->authorName = std::string(1000, 'z');
    EXPECT_EQ(authorStatusText(*evolution, 2), " Author : " + std::string(1000, 'z'));
    for (int outside : {-1, 3, 1000})
        EXPECT_EQ(authorStatusText(*evolution, outside), "");
    evolution->revisionAuthors[1] = nullptr;
    EXPECT_EQ(authorStatusText(*evolution, 1), "");
}

}  // namespace
