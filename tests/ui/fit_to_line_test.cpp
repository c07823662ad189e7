#include "ui/controls/fit_to_line.h"

#include <gtest/gtest.h>

TEST(FitToLine, ManyRowsAndColumnsGetOnePixelEach)
{
    const CellSizes sizes = fitToLineSizes(2000, 900, 400, 470);
    EXPECT_FLOAT_EQ(sizes.lineSize, 1.0f);
    EXPECT_FLOAT_EQ(sizes.versionSize, 1.0f);
    // Exactly as many as the view has pixels: one each still fills it.
    const CellSizes exact = fitToLineSizes(470, 400, 400, 470);
    EXPECT_FLOAT_EQ(exact.lineSize, 1.0f);
    EXPECT_FLOAT_EQ(exact.versionSize, 1.0f);
}

TEST(FitToLine, FewRowsOrColumnsAreStretchedToFillTheView)
{
    const CellSizes sizes = fitToLineSizes(94, 20, 400, 470);
    EXPECT_FLOAT_EQ(sizes.lineSize, 5.0f);
    EXPECT_FLOAT_EQ(sizes.versionSize, 20.0f);
    // The division is not rounded to whole pixels.
    const CellSizes uneven = fitToLineSizes(3, 3, 400, 470);
    EXPECT_FLOAT_EQ(uneven.lineSize, 470.0f / 3.0f);
    EXPECT_FLOAT_EQ(uneven.versionSize, 400.0f / 3.0f);
}

TEST(FitToLine, EachAxisIsFittedOnItsOwn)
{
    const CellSizes fewColumns = fitToLineSizes(1000, 8, 400, 470);
    EXPECT_FLOAT_EQ(fewColumns.lineSize, 1.0f);
    EXPECT_FLOAT_EQ(fewColumns.versionSize, 50.0f);
    const CellSizes fewRows = fitToLineSizes(47, 1000, 400, 470);
    EXPECT_FLOAT_EQ(fewRows.lineSize, 10.0f);
    EXPECT_FLOAT_EQ(fewRows.versionSize, 1.0f);
}

TEST(FitToLine, NothingToShowKeepsOnePixel)
{
    const CellSizes sizes = fitToLineSizes(0, 0, 400, 470);
    EXPECT_FLOAT_EQ(sizes.lineSize, 1.0f);
    EXPECT_FLOAT_EQ(sizes.versionSize, 1.0f);
}
