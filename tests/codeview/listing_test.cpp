// The code view's listings: lines of the hovered revision, absent runs with
// their lifetimes, the author line, and the spans that colour them.

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "codeview/listing/absent_listing.h"
#include "codeview/listing/code_listing.h"
#include "codeview/listing/region_spans.h"
#include "codeview/listing/revision_text.h"
#include "support/opened_evolution.h"

namespace {

EvolutionSketch sketchOf(std::vector<std::string> statuses, std::vector<std::string> authors)
{
    EvolutionSketch sketch;
    sketch.statuses = std::move(statuses);
    sketch.authors = std::move(authors);
    sketch.texts = presentLineTexts(sketch.statuses);
    return sketch;
}

void hover(int row, int revisionNumber)
{
    hoveredRow = row;
    hoveredRevision = revisionNumber;
}

std::string format(const char* pattern, double a, double b)
{
    char text[64];
    std::snprintf(text, sizeof text, pattern, a, b);
    return text;
}

TEST(Listing, HalfHeightFitsTheViewAndTheTables)
{
    const struct { int view, line, half; } cases[] = {
        {145, 15, 4}, {145, 13, 5}, {149, 15, 4}, {150, 15, 4}, {165, 15, 5}, {44, 15, 0}, {45, 15, 1},
        {10, 15, 0}, {0, 15, 0}, {-40, 15, 0}, {100000, 1, 49}, {100000, 0, 49}, {100000, -3, 49}, {199, 2, 49},
    };
    for (const auto& c : cases)
        EXPECT_EQ(listingHalfHeight(c.view, c.line), c.half) << c.view << " " << c.line;
}

// Over random histories the listing of each cell holds, slot by slot, the
// present lines of the hovered revision around the hovered row, or around
// the nearest present row above it.
TEST(Listing, RevisionListingsCentreOnTheHoveredRow)
{
    for (unsigned seed = 1; seed <= 25; ++seed) {
        std::mt19937 random(seed);
        const std::vector<std::string> statuses = randomStatuses(seed, 1 + random() % 14, 1 + random() % 5);
        OpenEvolution open(sketchOf(statuses, std::vector<std::string>(statuses[0].size(), "ann")));
        EvolutionFile& e = open.evolution();
        e.applyViewMode(modeInterpolated);
        if (seed % 3 == 0)
            viewState->codeViewHeight = 60 + 40 * (seed % 4);
        const int h = listingHalfHeight(viewState->codeViewHeight, viewState->fontHeight);
        std::vector<int> shownLines;
        for (int line = 0; line < e.lineCount; ++line)
            if (statuses[line].front() != 'D' && statuses[line].back() != '>')
                shownLines.push_back(line);
        ASSERT_EQ(e.rowCount, static_cast<int>(shownLines.size()));
        for (int r = -1; r <= e.columnCount; ++r)
            for (int row = -1; row <= e.rowCount; ++row) {
                SCOPED_TRACE("seed " + std::to_string(seed) + " cell " + std::to_string(row) + "," + std::to_string(r));
                std::vector<std::string> expected(2 * h + 1);
                const bool inGrid = r >= 0 && r < e.columnCount && row >= 0 && row < e.rowCount;
                int centre = -1, k = 0;
                for (int i = 0; inGrid && i <= row; ++i)
                    centre += isPresentChar(statuses[shownLines[i]][r]);
                for (int i = 0; inGrid && i < e.rowCount; ++i)
                    if (isPresentChar(statuses[shownLines[i]][r])) {
                        const int slot = h + k++ - centre;
                        if (slot >= 0 && slot <= 2 * h)
                            expected[slot] = "line " + std::to_string(shownLines[i]);
                    }
                hover(row, r + 1);
                refreshRevisionListing(modeInterpolated);
                EXPECT_EQ(viewState->textLineCount, 2 * h + 1);
                ASSERT_EQ(listingLines(codeListingText), expected);
                for (int slot = 0; slot <= 2 * h; ++slot)
                    EXPECT_EQ(viewState->textLineAuthors[slot] == 0, !expected[slot].empty()) << slot;
            }
    }
}

TEST(Listing, LinesCarryTheirAuthorAndSpansAndAFocusPicksTheLines)
{
    EvolutionSketch sketch = sketchOf({"XXX", "X--", ">XX", "XDD", "XXX"}, {"ann", "bob", "cid"});
    sketch.grammar = "BLOCK { }\n";
    sketch.texts = {"a {\nb\nd\nw\n", "a {\nz\n}\nw\n", "a {\nz\n}\nw\n"};
    OpenEvolution open(sketch);
    hover(3, 3);
    refreshRevisionListing(modeNormal);
    // The hovered row is deleted there: the line above it takes the centre.
    EXPECT_EQ(listingLines(codeListingText), (std::vector<std::string>{"", "", "a {", "z", "}", "w", "", "", ""}));
    const int authors[] = {-1, -1, 0, 2, 1, 0, -1};
    // The block of the third text runs from line 0 to line 2.
    const size_t spans[] = {0, 0, 1, 1, 1, 0, 0};
    for (int slot = 0; slot < 7; ++slot) {
        EXPECT_EQ(viewState->textLineAuthors[slot], authors[slot]) << slot;
        EXPECT_EQ(viewState->codeLineRegions[slot].size(), spans[slot]) << slot;
    }
    EXPECT_EQ(viewState->codeLineRegions[2][0].startColumn, 2);
    EXPECT_EQ(viewState->codeLineRegions[4][0].endColumn, 1);

    // Focused on the second revision, row 3 of Normal and Horizontal is line 4.
    open.evolution().setFocusRevision(modeNormal, 1);
    EXPECT_EQ(rowToLine(3, modeNormal), 4);
    EXPECT_EQ(rowToLine(3, modeHorizontal), 4);
    EXPECT_EQ(rowToLine(3, modeInterpolated), 3);
    hover(3, 2);
    refreshRevisionListing(modeNormal);
    EXPECT_EQ(listingLines(codeListingText)[4], "w");
    currentEvolution.reset();
    EXPECT_EQ(rowToLine(0, modeNormal), -1);
}

TEST(Listing, AMissingRevisionFileFillsTheListingWithTheNotice)
{
    EvolutionSketch sketch = sketchOf({"XX", "XX"}, {"ann", "bob"});
    sketch.texts.resize(1);
    OpenEvolution open(sketch);
    hover(0, 2);
    testing::internal::CaptureStdout();
    refreshRevisionListing(modeNormal);
    EXPECT_NE(testing::internal::GetCapturedStdout().find("ERROR: Could not open file "), std::string::npos);
    const std::vector<std::string> expected = {"", "", "", "", unreadableLineText, unreadableLineText, "", "", ""};
    EXPECT_EQ(listingLines(codeListingText), expected);
}

// Every slot of the absent panel that holds anything: its text, the author
// and the lifetime.
std::string absentSlots()
{
    const std::vector<std::string> lines = listingLines(absentListingText);
    EXPECT_EQ(static_cast<int>(lines.size()), viewState->codeLineCount);
    std::string text;
    for (int i = 0; i < viewState->codeLineCount; ++i) {
        const auto& [start, end] = viewState->codeLineLifetimes[i];
        if (!lines[i].empty() || start != 0 || end != 0 || viewState->codeLineAuthors[i] != -1)
            text += std::to_string(i) + " " + lines[i] + " a" + std::to_string(viewState->codeLineAuthors[i]) +
                    format(" %g-%g; ", start, end);
    }
    return text;
}

TEST(Listing, AbsentRunsListTheirLinesWhereTheyExistWithTheirLifetimes)
{
    const std::vector<std::string> six = {"XXXX", "XXDD", ">>XD", "XXDD", ">>XX", "XXXX"};
    const std::vector<std::string> run(14, "XXD");
    const struct { const std::vector<std::string>& statuses; int row, revisionNumber; std::string expected; } cases[] = {
        {six, 2, 4, "4 line 1 a0 0-0.25; 5 line 2 a2 0.25-0.5; 6 line 3 a0 0-0.25; "},
        {six, 1, 3, "5 line 1 a0 0-0.25; "},
        {six, 4, 1, "5 line 4 a2 0.5-1; "},
        {six, 2, 2, "5 line 2 a2 0.5-0.75; "},
        {six, 0, 1, ""}, {six, 6, 1, ""}, {six, 0, 5, ""}, {six, -1, 2, ""}, {six, 2, 0, ""},
        {run, 0, 3, "5 line 0 a0 0-0.333333; 6 line 1 a0 0-0.333333; 7 line 2 a0 0-0.333333; "
                    "8 line 3 a0 0-0.333333; 9 line 4 a0 0-0.333333; 10 line 5 a0 0-0.333333; "},
        {run, 13, 3, "0 line 8 a0 0-0.333333; 1 line 9 a0 0-0.333333; 2 line 10 a0 0-0.333333; "
                     "3 line 11 a0 0-0.333333; 4 line 12 a0 0-0.333333; 5 line 13 a0 0-0.333333; "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.row) + "," + std::to_string(c.revisionNumber));
        const std::vector<std::string> authors = {"ann", "bob", "cid", "dan"};
        OpenEvolution open(sketchOf(c.statuses, {authors.begin(), authors.begin() + c.statuses[0].size()}));
        hover(c.row, c.revisionNumber);
        refreshAbsentListing(modeNormal);
        EXPECT_EQ(viewState->codeLineCount, 11);
        EXPECT_EQ(absentSlots(), c.expected);
    }
    OpenEvolution open(sketchOf(run, {"ann", "bob", "cid"}));
    for (int difference : {10, 14, 40}) {
        viewState->fontDifference = difference;
        hover(7, 3);
        refreshAbsentListing(modeNormal);
        EXPECT_EQ(viewState->codeLineCount, 2 * listingHalfHeight(145, 15 - difference) + 1);
        const std::string slots = absentSlots();
        EXPECT_EQ(std::count(slots.begin(), slots.end(), ';'), 14) << slots;
    }
}

TEST(Listing, TheAuthorLineNamesTheCommitter)
{
    OpenEvolution open(sketchOf({"XXX"}, {"ann", "", "cid"}));
    const struct { int revision, author; const char* name; } cases[] = {
        {2, 1, "cid"}, {1, -1, "unknown"}, {0, 0, "ann"}, {3, -1, "unknown"}, {-1, -1, "unknown"}};
    for (const auto& c : cases) {
        hoveredRevision = c.revision;  // counted from 0 over no cell
        viewState->hoverKind = 3;
        refreshAuthorLine();
        EXPECT_EQ(viewState->hoverKind, -1);
        EXPECT_EQ(codeListingText, std::string("\n Version committed by: ") + c.name);
        EXPECT_EQ(viewState->textLineAuthors[0], c.author);
    }
}

TEST(Listing, RevisionLinesAreReadWholeAndPastTheEndGiveTheLastLine)
{
    EvolutionSketch sketch = sketchOf({"XX"}, {"ann", "bob"});
    const std::string longLine(3000, 'x');
    sketch.texts = {"first\r\n" + longLine + "\r\nthird\r\n", "alpha\nbeta\ngamma"};
    OpenEvolution open(sketch);
    const struct { int revision, line; std::string text; } cases[] = {
        {1, 1, "first"}, {1, 2, longLine}, {1, 3, "third"}, {1, 4, "third"}, {1, 1000, "third"},
        {1, 0, ""}, {2, -5, ""}, {2, 3, "gamma"}, {2, 4, "gamma"},
    };
    for (const auto& c : cases) {
        std::string line = "stale";
        EXPECT_TRUE(readRevisionLine(line, c.revision, c.line));
        EXPECT_EQ(line, c.text) << c.revision << " " << c.line;
    }
    std::string kept = "kept";
    std::vector<ListedLine> lines = {{2, 3, {}}, {0, 0, "leftover"}, {1, 2, {}}, {7, 1, {}}, {2, 1, {}},
                                     {7, 2, {}}, {1, 9, {}}, {1, 0, "x"}};
    testing::internal::CaptureStdout();
    EXPECT_FALSE(readRevisionLine(kept, 3, 1));
    readListedLines(lines);
    const std::string prefix = "\nERROR: Could not open file " + open.directory.path() + "revisions/demo.c.v1.";
    // One message for each missing file, however many of its lines are asked for.
    EXPECT_EQ(testing::internal::GetCapturedStdout(), prefix + "3\n" + prefix + "7\n");
    EXPECT_EQ(kept, "kept");
    EXPECT_EQ(joinListedLines(lines), "gamma\n\n" + longLine + "\nLine could not be read !\nalpha\n"
                                      "Line could not be read !\nthird\n\n");
}

// Spans written as "red,green,blue start-end" in hundredths.
std::string spansOn(const std::vector<SyntaxRegion>& regions, int line, const Grammar* grammar)
{
    std::vector<CodeSpan> spans;
    appendRegionSpans(spans, regions, line, grammar);
    std::string text;
    for (const CodeSpan& s : spans)
    {
        char line[80];
        std::snprintf(line, sizeof line, "%.0f,%.0f,%.0f %d-%d; ", s.red * 100, s.green * 100, s.blue * 100,
                      s.startColumn, s.endColumn);
        text += line;
    }
    return text;
}

TEST(Listing, RegionSpansColourTheirColumnsInnerRegionsLast)
{
    TempDirectory directory;
    directory.write("grammar.dat", "BLOCK begin end\nCOMMENT_BLOCK (* ***)\n");
    const Grammar grammar(directory.path());
    const std::vector<SyntaxRegion> oneLine = {
        {4, 6, 4, 9, regionString, 0, 0}, {4, 12, 4, 20, regionComment, 1, 0}, {4, 2, 4, 30, regionBlock, 0, 0},
        {4, 0, 4, wholeLineEndColumn, regionReference, 0, 0}, {4, 3, 4, 5, 4, 0, 0}};
    EXPECT_EQ(spansOn(oneLine, 4, &grammar),
              "100,75,50 0-10000; 59,79,99 2-33; 70,100,70 12-24; 100,70,70 6-10; ");
    EXPECT_EQ(spansOn(oneLine, 4, nullptr),
              "100,75,50 0-10000; 59,79,99 2-30; 70,100,70 12-20; 100,70,70 6-10; ");
    EXPECT_EQ(spansOn(oneLine, 3, &grammar), "");
    const std::vector<SyntaxRegion> block = {{2, 8, 5, 4, regionBlock, 0, 3}, {3, 0, 4, 1, regionBlock, 0, 4}};
    const std::string cases[] = {"", "44,64,84 8-10000; ", "39,59,79 0-10000; 44,64,84 0-10000; ",
                                 "39,59,79 0-4; 44,64,84 0-10000; ", "44,64,84 0-7; ", ""};
    for (int line = 1; line <= 6; ++line)
        EXPECT_EQ(spansOn(block, line, &grammar), cases[line - 1]) << line;
}

}  // namespace
