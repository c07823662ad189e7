#pragma once
// The focus and the line statistic that a change of view mode brings.
//
// The Interpolated layout needs a focused revision to shrink its rows
// towards: with none, it takes the middle revision. Leaving it for the
// Normal or Horizontal layout, a focus that is still that middle revision
// is taken to be the one it chose and is dropped; a focus the user clicked
// elsewhere stays.

struct ViewModeFocus {
    int focusRevision = -1;
    // The kind of the line legends' statistic: unchanged revisions per row
    // (1) for the Horizontal and Interpolated layouts, where rows are lines;
    // uniform rows (2) for the Normal layout, where they are not.
    int lineStatisticKind = 2;
};

ViewModeFocus focusForViewMode(int mode, int focusRevision, int columnCount);
