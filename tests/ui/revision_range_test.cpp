#include "ui/controls/revision_range.h"

#include <gtest/gtest.h>

namespace {

void expectRange(const RevisionRange& range, int start, int end)
{
    EXPECT_EQ(range.start, start);
    EXPECT_EQ(range.end, end);
}

}  // namespace

TEST(RevisionRange, AnOrderedRangeStaysAsChosen)
{
    expectRange(clampRevisionRange(3, 9, RangeEnd::start), 3, 9);
    expectRange(clampRevisionRange(3, 9, RangeEnd::end), 3, 9);
    expectRange(clampRevisionRange(5, 5, RangeEnd::start), 5, 5);
    expectRange(clampRevisionRange(5, 5, RangeEnd::end), 5, 5);
}

TEST(RevisionRange, TheMovedSliderIsPulledBackOntoTheOther)
{
    // Start dragged past the end: both end up at the end.
    expectRange(clampRevisionRange(8, 4, RangeEnd::start), 4, 4);
    expectRange(clampRevisionRange(12, 1, RangeEnd::start), 1, 1);
    // End dragged before the start: both end up at the start.
    expectRange(clampRevisionRange(8, 4, RangeEnd::end), 8, 8);
    expectRange(clampRevisionRange(12, 1, RangeEnd::end), 12, 12);
}

TEST(InterpolatedFocus, StaysWithinTheSecondToTheLastRevisionOfTheRange)
{
    // Range 3..9 (from 1) is revisions 2..8 (from 0); the focus needs a
    // column before it, so it lies in 3..8.
    EXPECT_EQ(clampInterpolatedFocus(5, 3, 9), 5);
    EXPECT_EQ(clampInterpolatedFocus(3, 3, 9), 3);
    EXPECT_EQ(clampInterpolatedFocus(8, 3, 9), 8);
    EXPECT_EQ(clampInterpolatedFocus(2, 3, 9), 3);
    EXPECT_EQ(clampInterpolatedFocus(0, 3, 9), 3);
    EXPECT_EQ(clampInterpolatedFocus(9, 3, 9), 8);
    EXPECT_EQ(clampInterpolatedFocus(19, 3, 9), 8);
}

TEST(InterpolatedFocus, NoFocusTakesTheSecondRevisionOfTheRange)
{
    EXPECT_EQ(clampInterpolatedFocus(-1, 1, 20), 1);
    EXPECT_EQ(clampInterpolatedFocus(-1, 4, 6), 4);
}

TEST(InterpolatedFocus, ARangeOfOneRevisionFocusesThatRevision)
{
    // start = end: the second clamp wins and leaves the focus at end - 1,
    // the range's only revision counted from 0.
    EXPECT_EQ(clampInterpolatedFocus(-1, 7, 7), 6);
    EXPECT_EQ(clampInterpolatedFocus(2, 7, 7), 6);
    EXPECT_EQ(clampInterpolatedFocus(7, 7, 7), 6);
    EXPECT_EQ(clampInterpolatedFocus(15, 7, 7), 6);
    EXPECT_EQ(clampInterpolatedFocus(-1, 1, 1), 0);
}
