#include "codeview/listing/revision_text.h"

#include <gtest/gtest.h>

#include "support/opened_evolution.h"

namespace {

EvolutionSketch twoRevisions()
{
    EvolutionSketch sketch;
    sketch.statuses = {"XX", "XX", "XX"};
    sketch.authors = {"ann", "bob"};
    sketch.texts = {"first\r\nsecond\r\nthird\r\n", "alpha\nbeta\ngamma"};
    return sketch;
}

}  // namespace

TEST(ReadRevisionLine, ReadsTheNumberedLineWithoutItsLineEnd)
{
    OpenEvolution open(twoRevisions());
    std::string line;
    ASSERT_TRUE(readRevisionLine(line, 1, 1));
    EXPECT_EQ(line, "first");
    ASSERT_TRUE(readRevisionLine(line, 1, 3));
    EXPECT_EQ(line, "third");
    // The last line of a text may lack its line feed.
    ASSERT_TRUE(readRevisionLine(line, 2, 3));
    EXPECT_EQ(line, "gamma");
}

TEST(ReadRevisionLine, ALineBeyondTheEndGivesTheLastLine)
{
    OpenEvolution open(twoRevisions());
    std::string line = "stale";
    ASSERT_TRUE(readRevisionLine(line, 2, 4));
    EXPECT_EQ(line, "gamma");
    ASSERT_TRUE(readRevisionLine(line, 1, 1000));
    EXPECT_EQ(line, "third");
    ASSERT_TRUE(readRevisionLine(line, 1, 0));
    EXPECT_EQ(line, "");
}

TEST(ReadRevisionLine, ReadsLongLinesWhole)
{
    EvolutionSketch sketch = twoRevisions();
    const std::string longLine(3000, 'x');
    sketch.texts[0] = "short\n" + longLine + "y\nafter\n";
    OpenEvolution open(sketch);
    std::string line;
    ASSERT_TRUE(readRevisionLine(line, 1, 2));
    EXPECT_EQ(line, longLine + "y");
    ASSERT_TRUE(readRevisionLine(line, 1, 3));
    EXPECT_EQ(line, "after");
}

TEST(ReadRevisionLine, AMissingFileIsReportedAndFails)
{
    OpenEvolution open(twoRevisions());
    std::string line = "kept";
    testing::internal::CaptureStdout();
    EXPECT_FALSE(readRevisionLine(line, 3, 1));
    const std::string output = testing::internal::GetCapturedStdout();
    EXPECT_EQ(output, "\nERROR: Could not open file " + open.directory.path() + "revisions/demo.c.v1.3\n");
    EXPECT_EQ(line, "kept");
}

TEST(ReadListedLines, ReadsEachRevisionOnceAndMarksUnreadableFiles)
{
    OpenEvolution open(twoRevisions());
    std::vector<ListedLine> lines = {
        {2, 3, {}}, {0, 0, "leftover"}, {1, 2, {}}, {7, 1, {}}, {2, 1, {}}, {7, 2, {}}, {1, 9, {}},
    };
    testing::internal::CaptureStdout();
    readListedLines(lines);
    const std::string output = testing::internal::GetCapturedStdout();

    EXPECT_EQ(lines[0].text, "gamma");
    EXPECT_EQ(lines[1].text, "");
    EXPECT_EQ(lines[2].text, "second");
    EXPECT_EQ(lines[3].text, unreadableLineText);
    EXPECT_EQ(lines[4].text, "alpha");
    EXPECT_EQ(lines[5].text, unreadableLineText);
    EXPECT_EQ(lines[6].text, "third");
    // One message for the one missing file.
    EXPECT_EQ(output, "\nERROR: Could not open file " + open.directory.path() + "revisions/demo.c.v1.7\n");
    EXPECT_EQ(joinListedLines(lines), "gamma\n\nsecond\nLine could not be read !\nalpha\nLine could not be read !\nthird\n");
}
