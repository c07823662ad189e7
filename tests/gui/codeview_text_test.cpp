// The code view's bitmap fonts: glyphs land on the grid of character cells
// that the syntax spans use, in both fonts, after every font change.

#include "support/code_view_canvas.h"

namespace {

class CodeViewText : public CodeViewCanvas {
protected:
    // The ink of the listing's text, left of the absent panel.
    Ink listingInk(const std::string& text)
    {
        showListing(text);
        return inkIn(draw(), 0, width / 2);
    }

    // The ink of the absent panel's text, in the reduced font.
    Ink panelInk(const std::string& text)
    {
        showAbsentPanel(1, text);
        return inkIn(draw(), width / 2 + 40, width - 20);
    }
};

}  // namespace

TEST_F(CodeViewText, GlyphsSitOnTheirCellsFromTheTextsLeftEdge)
{
    const Ink h = listingInk("H");
    ASSERT_FALSE(h.empty());
    // The first cell spans x 20 .. 27 and the first baseline lies at
    // 145 - 15 - 0.5: a capital stands on it inside its cell.
    EXPECT_GE(h.left, 20);
    EXPECT_LT(h.right, 28);
    EXPECT_NEAR(h.bottom, 129.5, 1.0);
    EXPECT_GE(h.height(), 7);
    EXPECT_LE(h.top, 145);
}

TEST_F(CodeViewText, EveryCharacterAdvancesOneFontWidthAndATabEight)
{
    for (int fontWidth : {8, 11}) {
        SCOPED_TRACE(fontWidth);
        viewState->fontWidth = fontWidth;
        const Ink one = listingInk("H");
        const Ink row = listingInk("HHHH");
        const Ink tab = listingInk("H\tH");
        const Ink tabLater = listingInk("HHH\tH");
        ASSERT_FALSE(one.empty());
        EXPECT_EQ(row.left, one.left);
        EXPECT_EQ(row.right, one.right + 3 * fontWidth);
        EXPECT_EQ(tab.left, one.left);
        EXPECT_EQ(tab.right, one.right + 9 * fontWidth);
        // A flat eight cells, not up to the next tab stop.
        EXPECT_EQ(tabLater.right, one.right + 11 * fontWidth);
    }
}

TEST_F(CodeViewText, LinesFollowOneFontHeightApart)
{
    for (int fontHeight : {15, 20}) {
        SCOPED_TRACE(fontHeight);
        viewState->fontHeight = fontHeight;
        const Ink one = listingInk("H");
        const Ink two = listingInk("H\nH");
        const Ink gap = listingInk("H\n\n\nH");
        ASSERT_FALSE(one.empty());
        EXPECT_EQ(two.top, one.top);
        EXPECT_EQ(two.bottom, one.bottom - fontHeight);
        EXPECT_EQ(gap.bottom, one.bottom - 3 * fontHeight);
        EXPECT_EQ(two.left, one.left);
    }
}

TEST_F(CodeViewText, AWiderFontHasWiderGlyphs)
{
    viewState->fontWidth = 8;
    const Ink narrow = listingInk("W");
    viewState->fontWidth = 16;
    const Ink wide = listingInk("W");
    ASSERT_FALSE(narrow.empty());
    EXPECT_GT(wide.width(), narrow.width() + 4);
    EXPECT_LT(wide.right, 20 + 16);
}

TEST_F(CodeViewText, TheReducedFontIsSmallerButKeepsTheCharacterStep)
{
    const Ink normal = listingInk("H");
    const Ink small = panelInk("H");
    const Ink smallRow = panelInk("HHH");
    const Ink smallLines = panelInk("H\nH");
    ASSERT_FALSE(small.empty());
    EXPECT_GE(small.left, width / 2 + 60);
    EXPECT_LT(small.height(), normal.height());
    EXPECT_EQ(smallRow.right, small.right + 2 * viewState->fontWidth);
    EXPECT_EQ(smallLines.bottom, small.bottom - (viewState->fontHeight - viewState->fontDifference));
}

TEST_F(CodeViewText, ANewContextGetsItsFontsBack)
{
    const Ink before = listingInk("Hx");
    harness.loseContext();
    const Ink after = listingInk("Hx");
    ASSERT_FALSE(after.empty());
    EXPECT_EQ(after.left, before.left);
    EXPECT_EQ(after.right, before.right);
    EXPECT_EQ(after.bottom, before.bottom);
}

TEST_F(CodeViewText, BlanksControlCodesAndTheLastCodeDrawNothing)
{
    EXPECT_TRUE(listingInk(" \t \x01\x7f\xff").empty());
    const Ink one = listingInk("H");
    const Ink skipped = listingInk("\xff\x01H");
    EXPECT_EQ(skipped.left, one.left + 2 * viewState->fontWidth);
}
