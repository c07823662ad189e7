// What the pointer does on the evolution view and what the status bar says about where it is.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <tuple>

#include "evolution/evolution_file.h"
#include "evolution/line_status.h"
#include "support/temp_directory.h"
#include "view/navigation/pointer_steps.h"
#include "view/status/status_format.h"

namespace {

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
        {0, 0, 10, 8, 20, 1.0f, 10}, {3, 0, 10, 8, 20, 1.0f, 13}, {8, 0, 10, 8, 20, 1.0f, 20},
        // Falling, measured from the right edge: 10 * 5 / 8 = 6.25.
        {3, 0, 20, 8, 10, 1.0f, 16}, {0, 0, 20, 8, 10, 1.0f, 20}, {5, 0, 7, 8, 7, 2.0f, 7},
        // A column narrower than a pixel keeps its left edge.
        {4, 4, 30, 4, 50, 1.0f, 30}, {4, 4, 50, 4, 30, 1.0f, 50},
        // Rows higher than two pixels are aimed at their middle.
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
