#include <gtest/gtest.h>

#include "view/navigation/pointer_steps.h"

namespace {

TEST(LockMode, FollowsTheRowOnlyForAMostlySidewaysFirstMove)
{
    EXPECT_EQ(lockModeForFirstMove(5, 2), pointerRowLocked);
    EXPECT_EQ(lockModeForFirstMove(2, 5), pointerRevisionLocked);
    EXPECT_EQ(lockModeForFirstMove(4, 4), pointerRevisionLocked);
    EXPECT_EQ(lockModeForFirstMove(0, 0), pointerRevisionLocked);
    EXPECT_EQ(lockModeForFirstMove(1, 0), pointerRowLocked);
}

TEST(LockedRowY, InterpolatesBetweenTheColumnEdgesWithTruncation)
{
    // Rising from y 10 at x 0 to y 20 at x 8 (thin rows, no centring).
    EXPECT_EQ(lockedRowY(0, 0, 10, 8, 20, 1.0f), 10);
    EXPECT_EQ(lockedRowY(3, 0, 10, 8, 20, 1.0f), 13);  // 10 * 3 / 8 = 3.75
    EXPECT_EQ(lockedRowY(8, 0, 10, 8, 20, 1.0f), 20);
    // Falling from y 20 at x 0 to y 10 at x 8, measured from the right edge.
    EXPECT_EQ(lockedRowY(3, 0, 20, 8, 10, 1.0f), 16);  // 10 * 5 / 8 = 6.25
    EXPECT_EQ(lockedRowY(0, 0, 20, 8, 10, 1.0f), 20);
    // A level row keeps its y all across.
    EXPECT_EQ(lockedRowY(5, 0, 7, 8, 7, 2.0f), 7);
}

TEST(LockedRowY, KeepsTheLeftEdgeInAColumnNarrowerThanAPixel)
{
    EXPECT_EQ(lockedRowY(4, 4, 30, 4, 50, 1.0f), 30);
    EXPECT_EQ(lockedRowY(4, 4, 50, 4, 30, 1.0f), 50);
}

TEST(LockedRowY, AimsAtTheMiddleOfRowsHigherThanTwoPixels)
{
    EXPECT_EQ(lockedRowY(0, 0, 10, 8, 10, 2.5f), 11);  // 10 + 1.25
    EXPECT_EQ(lockedRowY(0, 0, 10, 8, 10, 9.0f), 14);  // 10 + 4.5
    EXPECT_EQ(lockedRowY(4, 4, 10, 4, 40, 6.0f), 13);
}

// A canvas of 100 x 80 pixels with cells 10 wide and 4 high.
PointerStep step(ArrowKey key, int x, int y)
{
    return arrowKeyStep(key, x, y, 100, 80, 10.0f, 4.0f);
}

void expectMove(const PointerStep& s, int x, int y)
{
    EXPECT_TRUE(s.move);
    EXPECT_EQ(s.x, x);
    EXPECT_EQ(s.y, y);
}

TEST(ArrowKeys, MoveThePointerOneCellWhereTheCanvasHasRoom)
{
    expectMove(step(arrowLeft, 50, 40), 40, 40);
    expectMove(step(arrowRight, 50, 40), 60, 40);
    expectMove(step(arrowUp, 50, 40), 50, 36);
    expectMove(step(arrowDown, 50, 40), 50, 44);
    // Fractional cells are truncated after the step.
    expectMove(arrowKeyStep(arrowRight, 3, 5, 100, 80, 2.5f, 1.5f), 5, 5);
    expectMove(arrowKeyStep(arrowDown, 3, 5, 100, 80, 2.5f, 1.5f), 3, 6);
    expectMove(arrowKeyStep(arrowLeft, 3, 5, 100, 80, 2.5f, 1.5f), 0, 5);
}

TEST(ArrowKeys, StayWhenTheStepWouldLeaveTheCanvas)
{
    EXPECT_FALSE(step(arrowLeft, 9, 40).move);
    expectMove(step(arrowLeft, 10, 40), 0, 40);
    EXPECT_FALSE(step(arrowRight, 90, 40).move);
    expectMove(step(arrowRight, 89, 40), 99, 40);
    EXPECT_FALSE(step(arrowUp, 50, 3).move);
    expectMove(step(arrowUp, 50, 4), 50, 0);
    EXPECT_FALSE(step(arrowDown, 50, 76).move);
    expectMove(step(arrowDown, 50, 75), 50, 79);
}

TEST(ArrowKeys, RightRefusesTheBottomRowWhereLeftWorks)
{
    EXPECT_FALSE(step(arrowRight, 50, 77).move);
    expectMove(step(arrowLeft, 50, 77), 40, 77);
    expectMove(step(arrowUp, 50, 77), 50, 73);
}

TEST(ArrowKeys, DoNothingWithThePointerOffTheCanvas)
{
    for (ArrowKey key : {arrowLeft, arrowRight, arrowUp, arrowDown}) {
        SCOPED_TRACE(key);
        EXPECT_FALSE(step(key, -1, 40).move);
        EXPECT_FALSE(step(key, 100, 40).move);
        EXPECT_FALSE(step(key, 50, -1).move);
        EXPECT_FALSE(step(key, 50, 80).move);
    }
}

}  // namespace
