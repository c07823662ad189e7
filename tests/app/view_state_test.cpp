// The record of view parameters: its defaults, what reset keeps, and the
// row-height table sized by the open evolution.

#include <gtest/gtest.h>

#include "app/view_state.h"

namespace {

void expectShape(const ViewState& state, size_t rows, size_t columns)
{
    ASSERT_EQ(state.rowHeights.size(), rows);
    for (const auto& row : state.rowHeights)
        EXPECT_EQ(row.size(), columns);
}

// Every field away from its default, so that reset has something to undo.
void disturb(ViewState& s)
{
    s.loaded = true;
    s.pointerMode = 2;
    s.pointerRow = 5;
    s.pointerRevision = 6;
    s.viewWidth = 640;
    s.viewHeight = 480;
    s.versionSize = 3.5f;
    s.lineSize = 7.0f;
    s.scrollY = 12.5f;
    s.scrollX = 33.0f;
    s.blocksAbove = 2;
    s.cushionStrength = 2;
    s.versionDrawing = 1;
    s.balanceImage = 0;
    s.redistributeSpace = 0;
    s.antiAliasing = 0;
    s.displayBlocks = 1;
    s.blendingRatio = 0.9f;
    s.curvature = 1.0f;
    s.steepness = 0.7f;
    s.mixer = 0.5f;
    s.fontListBase = 1000;
    s.smallFontListBase = 2000;
    s.codeViewHeight = 150;
    s.codeViewWidth = 900;
    s.fontHeight = 20;
    s.fontWidth = 11;
    s.fontDifference = 4;
    s.fontBaseline = 3.0f;
    s.smallFontBaseline = 2.0f;
    s.hoverKind = 4;
    s.codeLineLifetimes[7] = {0.25f, 0.75f};
    s.codeLineCount = 9;
    s.hoverPosition = 0.5f;
    s.focusPosition = 0;
    s.syntaxHighlighting = 0;
    s.textLineAuthors[3] = 8;
    s.codeLineRegions[0].push_back(CodeSpan{1, 0, 0, 2, endOfLineColumn});
    s.codeLineRegions[99].push_back(CodeSpan{0, 1, 0, 0, 4});
    s.textLineCount = 12;
    s.codeLineAuthors[199] = 5;
    s.attributeIndex = 3;
    s.hoverState = 1;
}

TEST(ViewState, ResetRestoresTheDefaults)
{
    ViewState s(4, 3);
    disturb(s);
    s.reset();
    EXPECT_EQ(s.versionSize, 8.0f);
    EXPECT_EQ(s.lineSize, 1.0f);
    EXPECT_EQ(s.blocksAbove, 10);
    EXPECT_EQ(s.blendingRatio, 0.2f);
    EXPECT_EQ(s.curvature, 10.0f);
    EXPECT_EQ(s.steepness, 0.1f);
    EXPECT_EQ(s.mixer, 3.0f);
    EXPECT_EQ(s.fontHeight, 15);
    EXPECT_EQ(s.fontWidth, 8);
    EXPECT_EQ(s.fontDifference, 2);
    EXPECT_EQ(s.attributeIndex, 1);
    EXPECT_EQ(s.hoverState, 10);
    EXPECT_EQ(s.balanceImage, 1);
    EXPECT_EQ(s.redistributeSpace, 1);
    EXPECT_EQ(s.antiAliasing, 1);
    EXPECT_EQ(s.focusPosition, 1);
    EXPECT_EQ(s.syntaxHighlighting, 1);

    EXPECT_FALSE(s.loaded);
    EXPECT_EQ(s.pointerMode, 0);
    EXPECT_EQ(s.pointerRow, 0);
    EXPECT_EQ(s.pointerRevision, 0);
    EXPECT_EQ(s.cushionStrength, 0);
    EXPECT_EQ(s.versionDrawing, 0);
    EXPECT_EQ(s.displayBlocks, 0);
    EXPECT_EQ(s.fontBaseline, 0.0f);
    EXPECT_EQ(s.smallFontBaseline, 0.0f);
    EXPECT_EQ(s.hoverKind, 0);
    EXPECT_EQ(s.codeLineCount, 0);
    EXPECT_EQ(s.hoverPosition, 0.0f);
    EXPECT_EQ(s.textLineCount, 0);
    for (const auto& spans : s.codeLineRegions)
        EXPECT_TRUE(spans.empty());
}

TEST(ViewState, ResetKeepsSizesScrollFontsAndListingTables)
{
    ViewState s(4, 3);
    disturb(s);
    s.reset();
    EXPECT_EQ(s.viewWidth, 640);
    EXPECT_EQ(s.viewHeight, 480);
    EXPECT_EQ(s.scrollX, 33.0f);
    EXPECT_EQ(s.scrollY, 12.5f);
    EXPECT_EQ(s.fontListBase, 1000);
    EXPECT_EQ(s.smallFontListBase, 2000);
    EXPECT_EQ(s.codeViewHeight, 150);
    EXPECT_EQ(s.codeViewWidth, 900);
    EXPECT_EQ(s.codeLineLifetimes[7][0], 0.25f);
    EXPECT_EQ(s.codeLineLifetimes[7][1], 0.75f);
    EXPECT_EQ(s.textLineAuthors[3], 8);
    EXPECT_EQ(s.codeLineAuthors[199], 5);
    EXPECT_EQ(s.tableRows, 4);
    EXPECT_EQ(s.tableColumns, 3);
}

TEST(ViewState, ConstructionStartsFromTheDefaults)
{
    const ViewState s(0, 0);
    EXPECT_FALSE(s.loaded);
    EXPECT_EQ(s.versionSize, 8.0f);
    EXPECT_EQ(s.hoverState, 10);
    EXPECT_EQ(s.viewWidth, 0);
    EXPECT_EQ(s.scrollY, 0.0f);
    EXPECT_EQ(s.codeLineRegions.size(), 100u);
    EXPECT_EQ(s.codeLineLifetimes.size(), 100u);
    EXPECT_EQ(s.textLineAuthors.size(), 100u);
    EXPECT_EQ(s.codeLineAuthors.size(), 200u);
}

TEST(ViewState, EmptyGridHasOneEmptyRowOfHeights)
{
    const ViewState s(0, 0);
    expectShape(s, 1, 0);
}

TEST(ViewState, HeightsHaveOneRowMoreThanTheGrid)
{
    const ViewState s(120, 30);
    EXPECT_EQ(s.tableRows, 120);
    EXPECT_EQ(s.tableColumns, 30);
    expectShape(s, 121, 30);
}

TEST(ViewState, OpeningAndClosingResizeTheHeights)
{
    ViewState s(0, 0);
    // Opening: release, the new sizes, reset, loaded.
    s.release();
    s.tableRows = 120;
    s.tableColumns = 30;
    s.reset();
    s.loaded = true;
    expectShape(s, 121, 30);
    s.rowHeights[120][29] = 0.5f;

    // Closing: release and reset with the sizes unchanged.
    s.release();
    s.reset();
    EXPECT_FALSE(s.loaded);
    expectShape(s, 121, 30);

    // A smaller evolution after a larger one.
    s.release();
    s.tableRows = 2;
    s.tableColumns = 1;
    s.reset();
    expectShape(s, 3, 1);
}

TEST(ViewState, ReleaseDropsTheHeightsAndTheSpans)
{
    ViewState s(5, 5);
    s.codeLineRegions[42].push_back(CodeSpan{0.5f, 0.5f, 0.5f, 1, 3});
    s.release();
    EXPECT_TRUE(s.rowHeights.empty());
    for (const auto& spans : s.codeLineRegions)
        EXPECT_TRUE(spans.empty());
    s.release();
    EXPECT_TRUE(s.rowHeights.empty());
}

}  // namespace
