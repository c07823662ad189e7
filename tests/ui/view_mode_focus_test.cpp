#include "ui/controls/view_mode_focus.h"

#include <gtest/gtest.h>

#include "evolution/evolution_file.h"

TEST(ViewModeFocus, InterpolatedWithoutFocusFocusesTheMiddleRevision)
{
    EXPECT_EQ(focusForViewMode(modeInterpolated, -1, 20).focusRevision, 10);
    EXPECT_EQ(focusForViewMode(modeInterpolated, -1, 7).focusRevision, 3);
    EXPECT_EQ(focusForViewMode(modeInterpolated, -1, 1).focusRevision, 0);
    // A focus the user chose stays.
    EXPECT_EQ(focusForViewMode(modeInterpolated, 4, 20).focusRevision, 4);
    EXPECT_EQ(focusForViewMode(modeInterpolated, 0, 20).focusRevision, 0);
}

TEST(ViewModeFocus, LeavingInterpolatedDropsOnlyTheMiddleFocus)
{
    for (int mode : {modeNormal, modeHorizontal}) {
        SCOPED_TRACE(mode);
        EXPECT_EQ(focusForViewMode(mode, 10, 20).focusRevision, -1);
        EXPECT_EQ(focusForViewMode(mode, 3, 7).focusRevision, -1);
        EXPECT_EQ(focusForViewMode(mode, 11, 20).focusRevision, 11);
        EXPECT_EQ(focusForViewMode(mode, 9, 20).focusRevision, 9);
        EXPECT_EQ(focusForViewMode(mode, -1, 20).focusRevision, -1);
    }
}

TEST(ViewModeFocus, LinesAreMeasuredOnlyWhereRowsAreLines)
{
    constexpr int unchangedRevisionsPerRow = 1;
    constexpr int uniformRows = 2;
    EXPECT_EQ(focusForViewMode(modeNormal, -1, 20).lineStatisticKind, uniformRows);
    EXPECT_EQ(focusForViewMode(modeHorizontal, -1, 20).lineStatisticKind, unchangedRevisionsPerRow);
    EXPECT_EQ(focusForViewMode(modeInterpolated, -1, 20).lineStatisticKind, unchangedRevisionsPerRow);
}
