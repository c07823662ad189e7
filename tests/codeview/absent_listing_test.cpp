#include "codeview/listing/absent_listing.h"

#include <gtest/gtest.h>

#include "codeview/listing/code_listing.h"
#include "support/opened_evolution.h"

namespace {

// Six lines over four revisions by four authors. Lines 1 and 3 are deleted
// in the third revision, line 2 exists only in the third, line 4 is added
// in the third and stays.
EvolutionSketch sixLines()
{
    EvolutionSketch sketch;
    sketch.statuses = {"XXXX", "XXDD", ">>XD", "XXDD", ">>XX", "XXXX"};
    sketch.authors = {"ann", "bob", "cid", "dan"};
    sketch.texts = presentLineTexts(sketch.statuses);
    return sketch;
}

void hover(int row, int revisionNumber)
{
    hoveredRow = row;
    hoveredRevision = revisionNumber;
}

void expectLifetime(int slot, float start, float end)
{
    EXPECT_FLOAT_EQ(viewState->codeLineLifetimes[slot][0], start) << slot;
    EXPECT_FLOAT_EQ(viewState->codeLineLifetimes[slot][1], end) << slot;
}

void expectEmptySlots(int from, int to)
{
    for (int slot = from; slot < to; ++slot) {
        expectLifetime(slot, 0.0f, 0.0f);
        EXPECT_EQ(viewState->codeLineAuthors[slot], -1) << slot;
    }
}

}  // namespace

TEST(AbsentListing, ListsTheRunOfEquallyAbsentRowsAroundTheHoveredOne)
{
    OpenEvolution open(sixLines());
    ASSERT_TRUE(open.loaded);
    // In the last revision rows 1 to 3 are deleted; the reduced font gives
    // five slots on each side of the centre.
    hover(2, 4);
    refreshAbsentListing(modeNormal);

    EXPECT_EQ(viewState->codeLineCount, 11);
    const std::vector<std::string> expected = {"", "", "", "", "line 1", "line 2", "line 3", "", "", "", ""};
    EXPECT_EQ(listingLines(absentListingText), expected);
    expectEmptySlots(0, 4);
    expectEmptySlots(7, 11);
}

TEST(AbsentListing, DeletedLinesLiveUpToTheirLastRevision)
{
    OpenEvolution open(sixLines());
    hover(2, 4);
    refreshAbsentListing(modeNormal);
    // Line 1 last exists in the second revision and was never added; line 2
    // exists only in the third, after its addition in the second.
    expectLifetime(4, 0.0f, 0.25f);
    expectLifetime(5, 0.25f, 0.5f);
    expectLifetime(6, 0.0f, 0.25f);
    // Each carries the author of its state where it was last seen.
    EXPECT_EQ(viewState->codeLineAuthors[4], 0);
    EXPECT_EQ(viewState->codeLineAuthors[5], 2);
    EXPECT_EQ(viewState->codeLineAuthors[6], 0);
}

TEST(AbsentListing, AddedLinesLiveFromTheirFirstRevisionToTheirDeletion)
{
    OpenEvolution open(sixLines());
    hover(4, 1);
    refreshAbsentListing(modeNormal);
    std::vector<std::string> lines = listingLines(absentListingText);
    ASSERT_EQ(lines.size(), 11u);
    EXPECT_EQ(lines[5], "line 4");
    expectLifetime(5, 0.5f, 1.0f);
    EXPECT_EQ(viewState->codeLineAuthors[5], 2);
    expectEmptySlots(0, 5);
    expectEmptySlots(6, 11);

    hover(2, 2);
    refreshAbsentListing(modeNormal);
    lines = listingLines(absentListingText);
    EXPECT_EQ(lines[5], "line 2");
    expectLifetime(5, 0.5f, 0.75f);
}

TEST(AbsentListing, TinyReducedFontsStayWithinTheTables)
{
    OpenEvolution open(sixLines());
    for (int difference : {15, 40}) {
        viewState->fontDifference = difference;
        hover(2, 4);
        refreshAbsentListing(modeNormal);
        EXPECT_LE(viewState->codeLineCount, codeListingSlots) << difference;
        EXPECT_GT(viewState->codeLineCount, 11) << difference;
        EXPECT_EQ(listingLines(absentListingText).size(), static_cast<size_t>(viewState->codeLineCount));
    }
}

TEST(AbsentListing, APresentOrOutsideCellListsNothing)
{
    OpenEvolution open(sixLines());
    for (auto [row, revisionNumber] : {std::pair{0, 1}, {6, 1}, {0, 5}, {-1, 2}}) {
        hover(row, revisionNumber);
        refreshAbsentListing(modeNormal);
        EXPECT_EQ(viewState->codeLineCount, 11);
        EXPECT_EQ(listingLines(absentListingText), std::vector<std::string>(11, ""));
        expectEmptySlots(0, 11);
    }
}
