// The code view's picture of a listing: author swatches, syntax spans, the
// bracket around the centre line, and the states without a listing.

#include "support/code_view_canvas.h"

#include "evolution/line_status.h"

namespace {

constexpr int textLeft = 20;

class CodeViewListing : public CodeViewCanvas {
protected:
    // Nine empty lines, so that only swatches, spans and brackets show.
    void showEmptyListing(int hoverKind = 0)
    {
        showListing(std::string(9, '\n'));
        viewState->hoverKind = hoverKind;
        viewState->textLineCount = 9;
        viewState->textLineAuthors.fill(-1);
    }

    int columnX(int column) const { return textLeft + column * viewState->fontWidth; }
};

}  // namespace

TEST_F(CodeViewListing, SwatchesShowEachLinesAuthor)
{
    showEmptyListing();
    viewState->textLineAuthors[1] = 1;
    viewState->textLineAuthors[3] = 10;  // beyond the nine colours: they repeat
    viewState->textLineAuthors[4] = 0;
    const Frame frame = draw();
    EXPECT_TRUE(showsColour(frame.at(7, lineMiddle(0)), whiteColour));
    EXPECT_TRUE(showsColour(frame.at(7, lineMiddle(1)), identifierColours[1]));
    EXPECT_TRUE(showsColour(frame.at(14, lineMiddle(3)), identifierColours[1]));
    EXPECT_TRUE(showsColour(frame.at(0, lineMiddle(4)), identifierColours[0]));
    EXPECT_TRUE(showsColour(frame.at(16, lineMiddle(4)), whiteColour));
    // The centre line's swatch fills its band between the bracket lines.
    const int lower = (height - viewState->fontHeight) / 2;
    const int upper = (height + viewState->fontHeight) / 2;
    EXPECT_TRUE(showsColour(frame.at(7, lower), identifierColours[0]));
    EXPECT_TRUE(showsColour(frame.at(7, upper - 1), identifierColours[0]));
}

TEST_F(CodeViewListing, SpansColourTheirColumnsLaterSpansOnTop)
{
    showEmptyListing();
    const Rgb comment = {0.7f, 1.0f, 0.7f}, block = {0.59f, 0.79f, 0.99f}, string = {1.0f, 0.7f, 0.7f};
    viewState->codeLineRegions[2] = {{comment[0], comment[1], comment[2], 3, 6}};
    viewState->codeLineRegions[6] = {{block[0], block[1], block[2], 0, endOfLineColumn},
                                     {string[0], string[1], string[2], 2, 4}};
    const Frame frame = draw();
    const int fw = viewState->fontWidth;
    EXPECT_TRUE(showsColour(frame.at(columnX(3), lineMiddle(2)), comment));
    EXPECT_TRUE(showsColour(frame.at(columnX(6) - 1, lineMiddle(2)), comment));
    EXPECT_TRUE(showsColour(frame.at(columnX(6) + 1, lineMiddle(2)), whiteColour));
    EXPECT_TRUE(showsColour(frame.at(columnX(3) - 1, lineMiddle(2)), whiteColour));
    EXPECT_TRUE(showsColour(frame.at(columnX(2) + fw / 2, lineMiddle(6)), string));
    EXPECT_TRUE(showsColour(frame.at(columnX(5), lineMiddle(6)), block));
    EXPECT_TRUE(showsColour(frame.at(width - 1, lineMiddle(6)), block));
    EXPECT_TRUE(showsColour(frame.at(textLeft - 2, lineMiddle(6)), whiteColour));
    EXPECT_TRUE(showsColour(frame.at(columnX(4), lineMiddle(5)), whiteColour));
}

TEST_F(CodeViewListing, WithoutSyntaxHighlightingOnlySpansDisappear)
{
    showEmptyListing();
    viewState->syntaxHighlighting = 0;
    viewState->textLineAuthors[2] = 2;
    viewState->codeLineRegions[2] = {{1.0f, 0.7f, 0.7f, 0, endOfLineColumn}};
    showListing(std::string(2, '\n') + "H" + std::string(6, '\n'));
    viewState->textLineCount = 9;
    const Frame frame = draw();
    EXPECT_TRUE(showsColour(frame.at(columnX(10), lineMiddle(2)), whiteColour));
    EXPECT_TRUE(showsColour(frame.at(7, lineMiddle(2)), identifierColours[2]));
    EXPECT_FALSE(inkIn(frame, textLeft, textLeft + 10).empty());
    EXPECT_TRUE(showsColour(frame.at(width / 2, (height + viewState->fontHeight) / 2), statusColours[statusConstant]));
}

TEST_F(CodeViewListing, BracketLinesTakeTheStatusColourOfTheHoveredCell)
{
    const std::pair<int, int> kinds[] = {{0, statusConstant},
                                         {3, statusModified},
                                         {4, statusReplacedByAddition},
                                         {5, statusReplacedByDeletion}};
    const int lower = (height - viewState->fontHeight) / 2;
    const int upper = (height + viewState->fontHeight) / 2;
    for (auto [hoverKind, status] : kinds) {
        SCOPED_TRACE(hoverKind);
        showEmptyListing(hoverKind);
        const Frame frame = draw();
        const Rgb& colour = statusColours[status];
        for (int x : {1, width / 2, width - 1}) {
            EXPECT_TRUE(showsColour(frame.at(x, upper), colour)) << x;
            EXPECT_TRUE(showsColour(frame.at(x, upper + 1), colour)) << x;
            EXPECT_TRUE(showsColour(frame.at(x, lower - 1), colour)) << x;
            EXPECT_TRUE(showsColour(frame.at(x, lower - 2), colour)) << x;
        }
        EXPECT_TRUE(showsColour(frame.at(0, upper), whiteColour));
        EXPECT_TRUE(showsColour(frame.at(width / 2, upper + 2), whiteColour));
        EXPECT_TRUE(showsColour(frame.at(width / 2, upper - 1), whiteColour));
        EXPECT_TRUE(showsColour(frame.at(width / 2, lower), whiteColour));
        EXPECT_TRUE(showsColour(frame.at(width / 2, lower - 3), whiteColour));
    }
}

TEST_F(CodeViewListing, OverNoCellTheAuthorLineHasItsSwatchOnLineOne)
{
    viewState->loaded = true;
    viewState->hoverState = 2;
    for (int author : {3, -1}) {
        SCOPED_TRACE(author);
        viewState->textLineAuthors[0] = author;
        codeListingText = "\n Version committed by: ann";
        const Frame frame = draw();
        EXPECT_TRUE(showsColour(frame.at(7, lineMiddle(1)), authorColour(author)));
        EXPECT_TRUE(showsColour(frame.at(7, lineMiddle(0)), whiteColour));
        const Ink ink = inkIn(frame, 0, width);
        ASSERT_FALSE(ink.empty());
        EXPECT_LT(ink.top, lineMiddle(0) - 2);
    }
}

TEST_F(CodeViewListing, OutsideTheEvolutionViewTheCodeViewIsWhite)
{
    showEmptyListing();
    viewState->textLineAuthors[4] = 1;
    codeListingText = "H\nH\nH\n";
    viewState->hoverState = 10;
    const Frame frame = draw();
    for (int y : {0, lineMiddle(4), height - 1})
        for (int x : {0, 7, 30, width / 2, width - 1})
            EXPECT_TRUE(showsColour(frame.at(x, y), whiteColour)) << x << ", " << y;
}

TEST_F(CodeViewListing, BeforeAnEvolutionIsLoadedTheCodeViewIsGrey)
{
    showEmptyListing();
    viewState->loaded = false;
    const Frame frame = draw();
    const Rgb grey = {0.85f, 0.85f, 0.85f};
    for (int y : {0, height / 2, height - 1})
        for (int x : {0, 7, width / 2, width - 1})
            EXPECT_TRUE(showsColour(frame.at(x, y), grey)) << x << ", " << y;
}

TEST_F(CodeViewListing, ResizingTheCanvasKeepsItsSizeInTheViewState)
{
    harness.resize(700, 200);
    EXPECT_EQ(viewState->codeViewWidth, 700);
    EXPECT_EQ(viewState->codeViewHeight, 200);
}
