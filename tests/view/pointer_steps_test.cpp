#include <gtest/gtest.h>

#include "view/navigation/pointer_steps.h"

namespace {

TEST(LockMode, FollowsTheRowOnlyForAMostlySidewaysFirstMove)
{
    EXPECT_EQ(lockModeForFirstMove(5, 2), pointerRowLocked);
    EXPECT_EQ(lockModeForFirstMove(1, 0), pointerRowLocked);
    EXPECT_EQ(lockModeForFirstMove(2, 5), pointerRevisionLocked);
    EXPECT_EQ(lockModeForFirstMove(4, 4), pointerRevisionLocked);
    EXPECT_EQ(lockModeForFirstMove(0, 0), pointerRevisionLocked);
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

// A canvas of 100 x 80 pixels with cells 10 wide and 4 high, unless a case
// says otherwise; a case with x -1 after the step expects no move.
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
        SCOPED_TRACE(testing::Message() << "key " << c.key << " at " << c.x << ", " << c.y);
        EXPECT_EQ(s.move, c.toX >= 0);
        if (s.move && c.toX >= 0) {
            EXPECT_EQ(std::make_pair(s.x, s.y), std::make_pair(c.toX, c.toY));
        }
    }
    for (ArrowKey key : {arrowLeft, arrowRight, arrowUp, arrowDown})
        for (auto [x, y] : {std::pair{-1, 40}, {100, 40}, {50, -1}, {50, 80}})
            EXPECT_FALSE(arrowKeyStep(key, x, y, 100, 80, 10.0f, 4.0f).move) << key << " off the canvas at " << x << ", " << y;
}

}  // namespace
