#pragma once
// The revision range that the two range sliders choose, both ends counted
// from 1 as the sliders show them.

// Which of the two range sliders the user moved.
enum class RangeEnd { start, end };

struct RevisionRange {
    int start = 1;
    int end = 1;
};

// A slider moved past the other one is pulled back onto it, so that the
// range never runs backwards; the slider that stayed keeps its revision.
RevisionRange clampRevisionRange(int start, int end, RangeEnd moved);

// The focus (counted from 0) that the Interpolated layout keeps inside the
// range start..end (counted from 1): a focus before the range moves to its
// second revision, one at or after `end` to its last, so that a column
// before the focus gives it its heights. With start = end there is no such
// column, and the focus takes the only revision of the range.
int clampInterpolatedFocus(int focus, int start, int end);
