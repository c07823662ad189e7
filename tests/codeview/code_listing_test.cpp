#include "codeview/listing/code_listing.h"

#include <gtest/gtest.h>

#include "support/opened_evolution.h"

namespace {

// Ten lines over three revisions by three authors: line 3 is deleted in
// the second revision, line 5 added in it, and line 7 modified in the last
// two.
EvolutionSketch tenLines()
{
    EvolutionSketch sketch;
    sketch.statuses = {"XXX", "XXX", "XXX", "XDD", "XXX", ">XX", "XXX", "X--", "XXX", "XXX"};
    sketch.authors = {"ann", "bob", "cid"};
    sketch.texts = presentLineTexts(sketch.statuses);
    return sketch;
}

std::vector<std::string> emptyLines(int n) { return std::vector<std::string>(n, ""); }

std::vector<std::string> concat(std::vector<std::string> a, const std::vector<std::string>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

void hover(int row, int revisionNumber)
{
    hoveredRow = row;
    hoveredRevision = revisionNumber;
}

}  // namespace

TEST(ListingHalfHeight, FitsTheViewAndTheTables)
{
    EXPECT_EQ(listingHalfHeight(145, 15), 4);
    EXPECT_EQ(listingHalfHeight(145, 13), 5);
    EXPECT_EQ(listingHalfHeight(10, 15), 0);
    EXPECT_EQ(listingHalfHeight(0, 15), 0);
    EXPECT_EQ(listingHalfHeight(-40, 15), 0);
    // However small the lines, 2h + 1 slots never exceed the tables.
    for (int lineHeight : {1, 0, -3}) {
        const int h = listingHalfHeight(100000, lineHeight);
        EXPECT_LE(2 * h + 1, codeListingSlots) << lineHeight;
        EXPECT_GT(h, 40) << lineHeight;
    }
}

TEST(RevisionListing, TheFirstLineHasEmptyLinesAboveIt)
{
    OpenEvolution open(tenLines());
    ASSERT_TRUE(open.loaded);
    hover(0, 1);
    refreshRevisionListing(modeNormal);

    EXPECT_EQ(viewState->textLineCount, 9);
    EXPECT_EQ(listingLines(codeListingText),
              concat(emptyLines(4), {"line 0", "line 1", "line 2", "line 3", "line 4"}));
    for (int slot = 0; slot < 4; ++slot) {
        EXPECT_EQ(viewState->textLineAuthors[slot], -1);
        EXPECT_TRUE(viewState->codeLineRegions[slot].empty());
    }
    EXPECT_EQ(viewState->textLineAuthors[4], 0);
}

TEST(RevisionListing, ShortTextsArePaddedToTwoHPlusOneSlots)
{
    OpenEvolution open(tenLines());
    // Revision 2 lacks line 3; hovering line 7 there leaves 2 present rows
    // below, so two empty lines close the listing.
    hover(7, 2);
    refreshRevisionListing(modeNormal);
    EXPECT_EQ(viewState->textLineCount, 9);
    EXPECT_EQ(listingLines(codeListingText),
              concat({"line 2", "line 4", "line 5", "line 6", "line 7", "line 8", "line 9"}, emptyLines(2)));

    // With h = 4 and two present rows above, two empty lines open it.
    hover(2, 2);
    refreshRevisionListing(modeNormal);
    EXPECT_EQ(listingLines(codeListingText),
              concat(emptyLines(2), {"line 0", "line 1", "line 2", "line 4", "line 5", "line 6", "line 7"}));
}

TEST(RevisionListing, AnAbsentRowIsListedBelowTheNearestPresentRowAboveIt)
{
    OpenEvolution open(tenLines());
    // Line 3 is absent from revision 2: line 2 takes the centre and line 4
    // follows it, where the gap of the absent line is.
    hover(3, 2);
    refreshRevisionListing(modeNormal);
    std::vector<std::string> lines = listingLines(codeListingText);
    ASSERT_EQ(lines.size(), 9u);
    EXPECT_EQ(lines[4], "line 2");
    EXPECT_EQ(lines[5], "line 4");
    EXPECT_EQ(lines[1], "");
    EXPECT_EQ(lines[2], "line 0");

    // Line 5 is absent from revision 1, whose line 4 is the nearest above.
    hover(5, 1);
    refreshRevisionListing(modeNormal);
    lines = listingLines(codeListingText);
    ASSERT_EQ(lines.size(), 9u);
    EXPECT_EQ(lines[4], "line 4");
    EXPECT_EQ(lines[5], "line 6");
}

TEST(RevisionListing, AnAbsentRowWithNothingAboveItHasAnEmptyCentre)
{
    EvolutionSketch sketch;
    sketch.statuses = {">X", "XX", "XX"};
    sketch.authors = {"ann", "bob"};
    sketch.texts = presentLineTexts(sketch.statuses);
    OpenEvolution open(sketch);
    hover(0, 1);
    refreshRevisionListing(modeNormal);
    EXPECT_EQ(listingLines(codeListingText),
              concat(emptyLines(5), {"line 1", "line 2", "", ""}));
    EXPECT_EQ(viewState->textLineAuthors[4], -1);
}

TEST(RevisionListing, EachLineCarriesTheAuthorOfItsLastChange)
{
    OpenEvolution open(tenLines());
    hover(5, 3);
    refreshRevisionListing(modeNormal);
    // Lines 0, 1, 2, 4, 5, 6, 7, 8 and 9: line 5 was added by bob, line 7
    // changed by cid, the others are ann's.
    const std::vector<int> expected = {0, 0, 0, 0, 1, 0, 2, 0, 0};
    for (int slot = 0; slot < 9; ++slot)
        EXPECT_EQ(viewState->textLineAuthors[slot], expected[slot]) << slot;
}

TEST(RevisionListing, AMissingRevisionFileFillsTheListingWithTheNotice)
{
    EvolutionSketch sketch = tenLines();
    sketch.texts.resize(1);
    OpenEvolution open(sketch);
    hover(0, 2);
    testing::internal::CaptureStdout();
    refreshRevisionListing(modeNormal);
    const std::string output = testing::internal::GetCapturedStdout();
    EXPECT_NE(output.find("ERROR: Could not open file "), std::string::npos);
    EXPECT_EQ(listingLines(codeListingText),
              concat(emptyLines(4), std::vector<std::string>(5, "Line could not be read !")));
}

TEST(RevisionListing, LargeViewsAndTinyFontsStayWithinTheTables)
{
    OpenEvolution open(tenLines());
    viewState->codeViewHeight = 5000;
    viewState->fontHeight = 0;
    hover(4, 1);
    refreshRevisionListing(modeNormal);
    EXPECT_EQ(viewState->textLineCount, 2 * listingHalfHeight(5000, 1) + 1);
    EXPECT_LE(viewState->textLineCount, codeListingSlots);
    EXPECT_EQ(listingLines(codeListingText).size(), static_cast<size_t>(viewState->textLineCount));
}

TEST(RevisionListing, AHoverOutsideTheGridListsOnlyEmptyLines)
{
    OpenEvolution open(tenLines());
    for (auto [row, revisionNumber] : {std::pair{-1, 1}, {10, 1}, {0, 0}, {0, 4}}) {
        hover(row, revisionNumber);
        refreshRevisionListing(modeNormal);
        EXPECT_EQ(listingLines(codeListingText), emptyLines(9));
    }
}

TEST(RowToLine, FollowsTheFocusOnlyInTheNormalAndHorizontalLayouts)
{
    EvolutionSketch sketch;
    sketch.statuses = {"XXX", "XXD", "XXX"};
    sketch.authors = {"ann", "bob", "cid"};
    OpenEvolution open(sketch);
    EXPECT_EQ(rowToLine(1, modeNormal), 1);

    open.evolution().setFocusRevision(modeNormal, 2);
    // Row 1 of the focused revision is line 2; the Interpolated layout keeps
    // every line of the range as a row.
    EXPECT_EQ(rowToLine(1, modeNormal), 2);
    EXPECT_EQ(rowToLine(1, modeHorizontal), 2);
    EXPECT_EQ(rowToLine(1, modeInterpolated), 1);
}

TEST(RowToLine, NoEvolutionHasNoLines)
{
    currentEvolution.reset();
    EXPECT_EQ(rowToLine(0, modeNormal), -1);
}

TEST(AuthorLine, NamesTheCommitterOfTheRevision)
{
    EvolutionSketch sketch = tenLines();
    sketch.authors = {"ann", "", "cid"};
    OpenEvolution open(sketch);
    hoveredRevision = 2;  // counted from 0 over no cell
    refreshAuthorLine();
    EXPECT_EQ(viewState->hoverKind, -1);
    EXPECT_EQ(codeListingText, "\n Version committed by: cid");
    EXPECT_EQ(viewState->textLineAuthors[0], 1);

    hoveredRevision = 1;
    refreshAuthorLine();
    EXPECT_EQ(codeListingText, "\n Version committed by: unknown");
    EXPECT_EQ(viewState->textLineAuthors[0], -1);
}
