// Building evolution lines from the line diffs of consecutive texts, and the
// files that record them.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "evolution/evolution_file.h"
#include "extract/evolution_lines.h"
#include "extract/evolution_text.h"
#include "extract/line_diff.h"
#include "support/temp_directory.h"

// Hunks in failure messages.
void PrintTo(const LineHunk& h, std::ostream* out)
{
    *out << "{" << h.oldFirst << "," << h.oldCount << " -> " << h.newFirst << "," << h.newCount << "}";
}

namespace {

std::vector<LineHunk> diff(const std::string& before, const std::string& after)
{
    std::vector<LineHunk> hunks;
    std::string error;
    EXPECT_TRUE(diffLines(before, after, hunks, error)) << error;
    return hunks;
}

// The evolution of a sequence of texts, with the statuses of each line in
// the evolution file's order.
std::vector<std::string> evolve(const std::vector<std::string>& texts)
{
    EvolutionLines lines;
    startEvolution(lines, countLines(texts[0]));
    for (size_t r = 1; r < texts.size(); ++r) {
        std::string error;
        EXPECT_TRUE(addRevision(lines, diff(texts[r - 1], texts[r]), countLines(texts[r]), error)) << error;
    }
    std::vector<std::string> statuses;
    for (int line : evolutionOrder(lines))
        statuses.push_back(lineStatuses(lines.lives[line], lines.revisionCount));
    return statuses;
}

TEST(LineDiff, NamesEmptySidesByTheLineTheyGoBefore)
{
    EXPECT_EQ(diff("a\nb\n", "x\na\nb\n"), (std::vector<LineHunk>{{0, 0, 0, 1}}));
    EXPECT_EQ(diff("a\nb\n", "a\nx\nb\n"), (std::vector<LineHunk>{{1, 0, 1, 1}}));
    EXPECT_EQ(diff("a\nb\n", "a\nb\nx\n"), (std::vector<LineHunk>{{2, 0, 2, 1}}));
    EXPECT_EQ(diff("a\nb\nc\n", "a\nc\n"), (std::vector<LineHunk>{{1, 1, 1, 0}}));
    EXPECT_EQ(diff("a\nb\nc\n", "a\nB\nB2\nc\n"), (std::vector<LineHunk>{{1, 1, 1, 2}}));
    EXPECT_EQ(diff("", "a\n"), (std::vector<LineHunk>{{0, 0, 0, 1}}));
    EXPECT_EQ(diff("a\n", ""), (std::vector<LineHunk>{{0, 1, 0, 0}}));
}

TEST(LineDiff, TellsLineEndsApartAndCountsAnUnendedLastLine)
{
    EXPECT_EQ(diff("a\r\nb\n", "a\nb\n"), (std::vector<LineHunk>{{0, 1, 0, 1}}));
    EXPECT_EQ(diff("a\nb", "a\nb\n"), (std::vector<LineHunk>{{1, 1, 1, 1}}));
    EXPECT_EQ(countLines(""), 0);
    EXPECT_EQ(countLines("a\nb"), 2);
    EXPECT_EQ(countLines("a\n\n"), 2);
    // Bytes that look binary are still compared as lines.
    EXPECT_EQ(diff(std::string("a\0b\nc\n", 6), std::string("a\0b\nd\n", 6)), (std::vector<LineHunk>{{1, 1, 1, 1}}));
}

TEST(EvolutionLines, PairsChangedLinesAndEndsOrBeginsTheSurplus)
{
    // More old lines than new: b and c are paired with B and C, d ends.
    EXPECT_EQ(evolve({"a\nb\nc\nd\ne\n", "a\nB\nC\ne\n"}), (std::vector<std::string>{"XX", "--", "--", "XD", "XX"}));
    // Fewer old than new: b is paired with B, B2 begins after it.
    EXPECT_EQ(evolve({"a\nb\nc\n", "a\nB\nB2\nc\n"}), (std::vector<std::string>{"XX", "--", ">X", "XX"}));
}

TEST(EvolutionLines, PutsANewLineRightAfterTheLineItFollows)
{
    // A line put in later goes right after the line it follows in its text,
    // before the lines that ended there earlier; one put first leads.
    EXPECT_EQ(evolve({"a\nb\nc\n", "a\nc\n", "a\nx\nc\n", "y\na\nx\nc\n"}),
              (std::vector<std::string>{">>>X", "XXXX", ">>XX", "XDDD", "XXXX"}));
}

TEST(EvolutionLines, KeepsEveryRevisionsLinesInTheOrderOfItsText)
{
    const std::vector<std::string> texts = {"1\n2\n3\n4\n5\n", "0\n1\n3\n4\n4b\n5\n", "", "z\n", "1\n2\n3\n4\n5\n6\n",
                                            "6\n5\n4\n3\n2\n1\n"};
    const std::vector<std::string> statuses = evolve(texts);
    EvolutionLines lines;
    // The n-th present line of each revision must be its n-th text line:
    // count, per revision, the lines the statuses mark present.
    for (size_t r = 0; r < texts.size(); ++r) {
        int present = 0;
        for (const std::string& s : statuses)
            present += isPresentChar(s[r]) ? 1 : 0;
        EXPECT_EQ(present, countLines(texts[r])) << "revision " << r + 1;
    }
    // An empty revision ends every line; none comes back.
    for (const std::string& s : statuses)
        EXPECT_TRUE(s[2] == 'D' || s[2] == '>') << s;
}

TEST(EvolutionLines, RefusesHunksThatDoNotFitTheTexts)
{
    EvolutionLines lines;
    std::string error;
    startEvolution(lines, 2);
    EXPECT_FALSE(addRevision(lines, {{1, 3, 1, 1}}, 2, error));
    EXPECT_FALSE(addRevision(lines, {{1, 1, 1, 1}, {0, 1, 0, 1}}, 2, error));
    EXPECT_FALSE(addRevision(lines, {{0, 1, 0, 2}}, 2, error));
    EXPECT_FALSE(error.empty());
    EXPECT_TRUE(addRevision(lines, {{0, 1, 0, 2}}, 3, error));
    EXPECT_EQ(lines.revisionCount, 2);
}

TEST(EvolutionText, WritesTheFormatTheProgramLoads)
{
    const std::vector<std::string> texts = {"a\nb\n", "a\nB\nc\n", "c\n"};
    EvolutionLines lines;
    startEvolution(lines, 2);
    std::string error;
    for (size_t r = 1; r < texts.size(); ++r)
        ASSERT_TRUE(addRevision(lines, diff(texts[r - 1], texts[r]), countLines(texts[r]), error));
    const std::string text = formatEvolutionFile("demo.c", "1.", lines);
    EXPECT_EQ(text,
              "demo.c\nBranch: 1.\nLines: 3\nRevisions: 3\n"
              "1:X X D\n2:- - D\n3:> X X\n");

    SourceHistory history;
    history.branch = "1.";
    history.revisions = {{"ann", "2024-01-02T03:04:05+00:00", "first", "abc1234"},
                         {"bob 100%", "2024-01-03", "50% done", "1.2"}, {"ann", "2024-01-04", "", ""}};
    EXPECT_EQ(formatRevisionList(history), "1.1%ann%2024-01-02T03:04:05+00:00%abc1234%first\n"
                                           "1.2%bob 100_%2024-01-03%1.2%50% done\n1.3%ann%2024-01-04%%\n");

    TempDirectory scratch;
    scratch.write("demo.c_cvs", text);
    scratch.write("demo.c.rev", formatRevisionList(history));
    EvolutionFile evolution(scratch.path(), "demo.c_cvs", nullptr);
    ASSERT_TRUE(evolution.loadEvolution());
    EXPECT_EQ(evolution.lineCount, 3);
    EXPECT_EQ(evolution.revisionCount, 3);
    EXPECT_STREQ(evolution.revisionAuthorName(1), "bob 100_");
    EXPECT_EQ(evolution.revisionAuthorIndex(2), 0);
    const RevisionInfo& second = *evolution.revisionAuthors[1];
    EXPECT_EQ(second.date + "|" + second.id + "|" + second.subject, "2024-01-03|1.2|50% done");
    // A list written before ids: the subject follows the date.
    for (const auto& [fields, want] : {std::pair{"2023-01-09%Fix 100% of it", "2023-01-09||Fix 100% of it"},
                                       {"2023-01-09", "2023-01-09||"}, {"d%%s%t", "d||s%t"}}) {
        RevisionInfo info;
        readRevisionDetails(fields, info);
        EXPECT_EQ(info.date + "|" + info.id + "|" + info.subject, want) << fields;
    }
}

TEST(EvolutionText, PadsLineNumbersToOneWidth)
{
    EvolutionLines lines;
    startEvolution(lines, 12);
    const std::string text = formatEvolutionFile("x", "1.", lines);
    EXPECT_NE(text.find("\n 9:X\n10:X\n"), std::string::npos) << text;
}

}  // namespace
