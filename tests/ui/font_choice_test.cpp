#include "ui/controls/font_choice.h"

#include <gtest/gtest.h>

TEST(FontChoice, TakesTheSlidersInWholePixels)
{
    const FontChoice choice = chooseFonts(15, 8, 2);
    EXPECT_EQ(choice.height, 15);
    EXPECT_EQ(choice.width, 8);
    EXPECT_EQ(choice.difference, 2);
    EXPECT_EQ(choice.differenceValue, 2.0);
    EXPECT_EQ(choice.differenceMaximum, 14);

    const FontChoice truncated = chooseFonts(12.9, 6.7, 3.99);
    EXPECT_EQ(truncated.height, 12);
    EXPECT_EQ(truncated.width, 6);
    EXPECT_EQ(truncated.difference, 3);
}

TEST(FontChoice, ADifferenceReachingTheHeightIsLoweredBelowIt)
{
    const FontChoice equal = chooseFonts(10, 8, 10);
    EXPECT_EQ(equal.difference, 9);
    EXPECT_EQ(equal.differenceValue, 9.0);
    EXPECT_EQ(equal.differenceMaximum, 9);

    const FontChoice above = chooseFonts(9, 5, 14);
    EXPECT_EQ(above.difference, 8);
    EXPECT_EQ(above.differenceValue, 8.0);

    // Just below the height is allowed and kept.
    const FontChoice below = chooseFonts(10, 8, 9);
    EXPECT_EQ(below.difference, 9);
}

TEST(FontChoice, TheDifferenceRangeFollowsTheHeight)
{
    // At the smallest height the difference spans 1 to 7.
    EXPECT_EQ(chooseFonts(8, 4, 1).differenceMaximum, 7);
    EXPECT_EQ(chooseFonts(8, 4, 12).difference, 7);
    EXPECT_EQ(chooseFonts(30, 20, 14).differenceMaximum, 29);
    // Raising the height leaves a difference below it alone.
    EXPECT_EQ(chooseFonts(30, 20, 7).difference, 7);
}

TEST(FontChoice, TheReducedFontKeepsAtLeastOnePixel)
{
    for (int height = 8; height <= 30; ++height)
        for (int difference = 1; difference <= 30; ++difference) {
            const FontChoice choice = chooseFonts(height, 8, difference);
            EXPECT_GE(choice.height - choice.difference, 1) << height << " " << difference;
            EXPECT_GE(choice.difference, 1) << height << " " << difference;
            EXPECT_LE(choice.difference, choice.differenceMaximum);
        }
}
