// The record of view parameters: what reset undoes (everything a fresh
// record holds) and keeps (sizes, scroll, listing tables), the
// row-height table sized by the open evolution, and the global objects.

#include <gtest/gtest.h>

#include "app/globals.h"
#include "app/view_state.h"
#include "colouring/attributes.h"

namespace {

// The fields reset must bring back to their first values, with a value away
// from it, and those it must keep.
#define RESET_FIELDS(F) F(loaded, true) F(pointerMode, 2) F(pointerRow, 5) F(pointerRevision, 6) \
    F(versionSize, 3.5f) F(lineSize, 7.0f) F(blocksAbove, 2) F(cushionStrength, 2) F(versionDrawing, 1) \
    F(balanceImage, 0) F(redistributeSpace, 0) F(antiAliasing, 0) F(displayBlocks, 1) F(blendingRatio, 0.9f) \
    F(curvature, 1.0f) F(steepness, 0.7f) F(mixer, 0.5f) F(fontHeight, 20) F(fontWidth, 11) \
    F(fontDifference, 4) F(fontBaseline, 3.0f) F(smallFontBaseline, 2.0f) F(hoverKind, 4) F(codeLineCount, 9) \
    F(hoverPosition, 0.5f) F(focusPosition, 0) F(syntaxHighlighting, 0) F(textLineCount, 12) \
    F(attributeIndex, 3) F(hoverState, 1)
#define KEPT_FIELDS(F) F(viewWidth, 640) F(viewHeight, 480) F(scrollX, 33.0f) F(scrollY, 12.5f) F(codeViewHeight, 150) F(codeViewWidth, 900)

TEST(ViewState, ResetUndoesWhatAFreshRecordHoldsAndKeepsTheRest)
{
    const ViewState fresh(4, 3);
    ViewState s(4, 3);
#define SET(field, value) s.field = value;
    RESET_FIELDS(SET) KEPT_FIELDS(SET)
    s.codeLineLifetimes[7] = {0.25f, 0.75f};
    s.textLineAuthors[3] = 8;
    s.codeLineAuthors[199] = 5;
    s.codeLineRegions[99].push_back(CodeSpan{0, 1, 0, 0, 4});
    s.reset();
#define UNDONE(field, value) EXPECT_EQ(s.field, fresh.field) << #field; \
    EXPECT_NE(fresh.field, decltype(fresh.field)(value)) << #field " starts where the test moves it";
#define KEPT(field, value) EXPECT_EQ(s.field, decltype(s.field)(value)) << #field;
    RESET_FIELDS(UNDONE) KEPT_FIELDS(KEPT)
    EXPECT_EQ(s.codeLineLifetimes[7][1], 0.75f);
    EXPECT_EQ(s.textLineAuthors[3], 8);
    EXPECT_EQ(s.codeLineAuthors[199], 5);
    for (const auto& spans : s.codeLineRegions)
        EXPECT_TRUE(spans.empty());
}

TEST(ViewState, RowHeightsFollowTheGridThroughOpeningAndClosing)
{
    ViewState s(0, 0);
    const auto expectShape = [&](size_t rows, size_t columns) {
        ASSERT_EQ(s.rowHeights.size(), rows + 1);
        for (const auto& row : s.rowHeights)
            EXPECT_EQ(row.size(), columns);
    };
    expectShape(0, 0);
    // Opening as the program does: release, the new sizes, reset; closing
    // releases and resets with the sizes unchanged.
    for (auto [rows, columns] : {std::pair{120, 30}, std::pair{2, 1}, std::pair{0, 0}}) {
        s.release();
        EXPECT_TRUE(s.rowHeights.empty());
        s.tableRows = rows, s.tableColumns = columns;
        s.reset();
        expectShape(rows, columns);
        if (rows)
            s.rowHeights[rows][columns - 1] = 0.5f;
        s.release();
        s.release();
        s.reset();
        expectShape(rows, columns);
    }
}

TEST(GlobalObjects, StartUpMakesThemOnceAndOpensNothing)
{
    createGlobalObjects();
    const ViewState* state = viewState.get();
    const std::vector<Attribute*> registry = attributeRegistry;
    createGlobalObjects();
    EXPECT_EQ(viewState.get(), state);
    EXPECT_EQ(attributeRegistry, registry);
    ASSERT_EQ(registry.size(), 3u);
    EXPECT_TRUE(registry[0] == lineStatistic && registry[1] == revisionLineCount && registry[2] == authorAttribute);
    EXPECT_EQ(currentEvolution, nullptr);
    EXPECT_FALSE(viewState->loaded);
}

}  // namespace
