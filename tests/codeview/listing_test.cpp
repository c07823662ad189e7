// The code view's listings: revision lines, absent runs, the author line and colour spans.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "codeview/listing/absent_listing.h"
#include "codeview/listing/code_listing.h"
#include "codeview/listing/region_spans.h"
#include "codeview/listing/revision_text.h"
#include "support/opened_evolution.h"

namespace {

EvolutionSketch sketchOf(const std::vector<std::string>& statuses, const std::vector<std::string>& authors)
{
    return {"demo.c", "1.", statuses, authors, presentLineTexts(statuses), {}};
}

// Each slot that holds anything: "slot text author" with its span count or its lifetime.
std::string slotsOf(const std::string& listing, bool absent)
{
    const std::vector<std::string> lines = textLines(listing);
    EXPECT_EQ(static_cast<int>(lines.size()), absent ? viewState->codeLineCount : viewState->textLineCount);
    std::string text;
    for (int i = 0; i < static_cast<int>(lines.size()); ++i) {
        const auto& [start, end] = viewState->codeLineLifetimes[i];
        const int author = absent ? viewState->codeLineAuthors[i] : viewState->textLineAuthors[i];
        const float spans = static_cast<float>(viewState->codeLineRegions[i].size());
        char slot[600];
        std::snprintf(slot, sizeof slot, absent ? "%d %s a%d %g-%g; " : "%d %s a%d s%g; ", i, lines[i].c_str(), author,
                      absent ? start : spans, end);
        if (!lines[i].empty() || author != -1 || (absent ? start != 0 || end != 0 : spans != 0))
            text += slot;
    }
    return text;
}

// Over random histories each cell lists the present lines of its revision
// around the hovered row, or around the nearest present row above it.
TEST(Listing, RevisionListingsCentreOnTheHoveredRow)
{
    for (auto [view, line, half] : {std::tuple{150, 15, 4}, {44, 15, 0}, {45, 15, 1}, {-40, 15, 0}, {100000, -3, 49}, {199, 2, 49}})
        EXPECT_EQ(listingHalfHeight(view, line), half) << view << " " << line;
    for (unsigned seed = 1; seed <= 25; ++seed) {
        const std::vector<std::string> statuses = randomStatuses(seed, 1 + seed * 5 % 14, 1 + seed * 3 % 5);
        OpenEvolution open(sketchOf(statuses, std::vector<std::string>(statuses[0].size(), "ann")));
        EvolutionFile& e = open.evolution();
        e.applyViewMode(modeInterpolated);
        viewState->codeViewHeight = seed % 3 ? 145 : 60 + 40 * (seed % 4);
        const int h = listingHalfHeight(viewState->codeViewHeight, viewState->fontHeight);
        std::vector<int> shown;
        for (int line = 0; line < e.lineCount; ++line)
            if (statuses[line].front() != 'D' && statuses[line].back() != '>')
                shown.push_back(line);
        for (int r = -1; r <= e.columnCount; ++r)
            for (int row = -1; row <= e.rowCount; ++row) {
                SCOPED_TRACE("seed " + std::to_string(seed) + " cell " + std::to_string(row) + "," + std::to_string(r));
                std::vector<std::string> expected(2 * h + 1);
                const bool inGrid = r >= 0 && r < e.columnCount && row >= 0 && row < e.rowCount;
                int centre = -1, k = 0;
                for (int i = 0; inGrid && i <= row; ++i)
                    centre += isPresentChar(statuses[shown[i]][r]);
                for (int i = 0; inGrid && i < e.rowCount; ++i)
                    if (isPresentChar(statuses[shown[i]][r]) && std::abs(k++ - centre) <= h)
                        expected[h + k - 1 - centre] = "line " + std::to_string(shown[i]);
                std::tie(hoveredRow, hoveredRevision) = std::pair{row, r + 1};
                refreshRevisionListing(modeInterpolated);
                ASSERT_EQ(textLines(codeListingText), expected);
                for (int slot = 0; slot <= 2 * h; ++slot)  // every line here is the first author's
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
    std::tie(hoveredRow, hoveredRevision) = std::pair{3, 3};
    refreshRevisionListing(modeNormal);
    // Row 3 is deleted there, so line 2 takes the centre; the block covers lines 0 to 2.
    EXPECT_EQ(slotsOf(codeListingText, false), "2 a { a0 s1; 3 z a2 s1; 4 } a1 s1; 5 w a0 s0; ");
    EXPECT_EQ(viewState->codeLineRegions[2][0].startColumn * 10 + viewState->codeLineRegions[4][0].endColumn, 21);
    // Focused on the second revision, row 3 of Normal and Horizontal is line 4.
    open.evolution().setFocusRevision(modeNormal, 1);
    EXPECT_EQ(rowToLine(3, modeNormal) * 100 + rowToLine(3, modeHorizontal) * 10 + rowToLine(3, modeInterpolated), 443);
    hoveredRevision = 2;
    refreshRevisionListing(modeNormal);
    EXPECT_EQ(textLines(codeListingText)[4], "w");
    for (auto [revision, author, name] : {std::tuple{2, 2, "cid"}, {0, 0, "ann"}, {3, -1, "unknown"}}) {
        hoveredRevision = revision;  // counted from 0 over no cell
        refreshAuthorLine();
        EXPECT_EQ(std::to_string(viewState->textLineAuthors[0]) + std::to_string(viewState->hoverKind) + codeListingText,
                  std::to_string(author) + "-1\n Version committed by: " + name);
    }
    currentEvolution.reset();
    EXPECT_EQ(rowToLine(0, modeNormal), -1);
}

TEST(Listing, AbsentRunsListTheirLinesWhereTheyExistWithTheirLifetimes)
{
    const std::vector<std::string> six = {"XXXX", "XXDD", ">>XD", "XXDD", ">>XX", "XXXX"}, run(14, "XXD");
    const struct { const std::vector<std::string>& statuses; int row, revisionNumber, difference; std::string expected; } cases[] = {
        {six, 2, 4, 2, "4 line 1 a0 0-0.25; 5 line 2 a2 0.25-0.5; 6 line 3 a0 0-0.25; "},
        {six, 1, 3, 2, "5 line 1 a0 0-0.25; "}, {six, 4, 1, 2, "5 line 4 a2 0.5-1; "}, {six, 2, 2, 2, "5 line 2 a2 0.5-0.75; "},
        {six, 0, 1, 2, ""}, {six, 6, 1, 2, ""}, {six, 0, 5, 2, ""}, {six, -1, 2, 2, ""}, {six, 2, 0, 2, ""},
        {run, 13, 3, 2, "0 line 8 a0 0-0.333333; 1 line 9 a0 0-0.333333; 2 line 10 a0 0-0.333333; "
                        "3 line 11 a0 0-0.333333; 4 line 12 a0 0-0.333333; 5 line 13 a0 0-0.333333; "},
        {run, 1, 3, 10, "13 line 0 a0 0-0.333333; "}, {run, 7, 3, 40, "42 line 0 a0 0-0.333333; "},
    };
    for (const auto& c : cases) {
        OpenEvolution open(sketchOf(c.statuses, {"ann", "bob", "cid", c.statuses[0].size() > 3 ? "dan" : ""}));
        viewState->fontDifference = c.difference;
        std::tie(hoveredRow, hoveredRevision) = std::pair{c.row, c.revisionNumber};
        refreshAbsentListing(modeNormal);
        EXPECT_EQ(viewState->codeLineCount, 2 * listingHalfHeight(145, 15 - c.difference) + 1);
        EXPECT_EQ(slotsOf(absentListingText, true).substr(0, c.expected.size()), c.expected) << c.row << "," << c.revisionNumber;
    }
}

TEST(Listing, RevisionLinesAreReadWholeAndRegionSpansColourTheirColumnsInnerRegionsLast)
{
    EvolutionSketch sketch = sketchOf({"XX"}, {"ann", "bob"});
    const std::string longLine(3000, 'x');
    sketch.texts = {"first\r\n" + longLine + "\r\nthird\r\n", "alpha\nbeta\ngamma"};
    OpenEvolution open(sketch);
    std::string first = "stale", kept = "kept";
    std::vector<ListedLine> lines = {{2, 3, {}}, {0, 0, "leftover"}, {1, 2, {}}, {7, 1, {}}, {2, 1, {}}, {7, 2, {}},
                                     {1, 9, {}}, {1, 0, "x"}, {2, 4, {}}, {1, 3, {}}, {2, -5, "y"}};
    testing::internal::CaptureStdout();
    EXPECT_TRUE(readRevisionLine(first, 1, 1));
    EXPECT_FALSE(readRevisionLine(kept, 3, 1));
    readListedLines(lines);
    const std::string prefix = "\nERROR: Could not open file " + open.directory.path() + "revisions/demo.c.v1.";
    // One message for each missing file, however many of its lines are asked for.
    EXPECT_EQ(testing::internal::GetCapturedStdout() + first + kept, prefix + "3\n" + prefix + "7\nfirstkept");
    EXPECT_EQ(joinListedLines(lines), "gamma\n\n" + longLine + "\nLine could not be read !\nalpha\n"
                                      "Line could not be read !\nthird\n\ngamma\nthird\n\n");
    open.directory.write("grammar.dat", "BLOCK begin end\nCOMMENT_BLOCK (* ***)\n");
    const Grammar grammar(open.directory.path());
    const std::vector<SyntaxRegion> oneLine = {{4, 6, 4, 9, regionString, 0, 0}, {4, 12, 4, 20, regionComment, 1, 0},
        {4, 2, 4, 30, regionBlock, 0, 0}, {4, 0, 4, wholeLineEndColumn, regionReference, 0, 0}, {4, 3, 4, 5, 4, 0, 0}};
    const std::vector<SyntaxRegion> block = {{2, 8, 5, 4, regionBlock, 0, 3}, {3, 0, 4, 1, regionBlock, 0, 4}};
    const struct { const std::vector<SyntaxRegion>& regions; int line; const Grammar* grammar; const char* spans; } cases[] = {
        {oneLine, 4, &grammar, "100,75,50 0-10000; 59,79,99 2-33; 70,100,70 12-24; 100,70,70 6-10; "},
        {oneLine, 4, nullptr, "100,75,50 0-10000; 59,79,99 2-30; 70,100,70 12-20; 100,70,70 6-10; "},
        {oneLine, 3, &grammar, ""}, {block, 1, &grammar, ""}, {block, 2, &grammar, "44,64,84 8-10000; "},
        {block, 3, &grammar, "39,59,79 0-10000; 44,64,84 0-10000; "}, {block, 4, &grammar, "39,59,79 0-4; 44,64,84 0-10000; "},
        {block, 5, &grammar, "44,64,84 0-7; "}, {block, 6, &grammar, ""}};
    for (const auto& c : cases) {
        std::vector<CodeSpan> spans;
        appendRegionSpans(spans, c.regions, c.line, c.grammar);
        std::string text;
        for (const CodeSpan& s : spans)
            text += std::to_string(std::lround(s.red * 100)) + "," + std::to_string(std::lround(s.green * 100)) + "," +
                    std::to_string(std::lround(s.blue * 100)) + " " + std::to_string(s.startColumn) + "-" + std::to_string(s.endColumn) + "; ";
        EXPECT_EQ(text, c.spans) << c.line;
    }
}

}  // namespace
