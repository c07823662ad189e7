// Reading an evolution cell by cell: statuses, the lines of a revision's
// text, and who is responsible for a line.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "evolution/evolution_file.h"
#include "evolution/line_status.h"
#include "support/temp_directory.h"

namespace {

// The file lines presentLineIndex yields for k = 0, 1, ... until it has none.
std::vector<int> presentLines(const EvolutionFile& e, int first, int last)
{
    std::vector<int> lines;
    for (int k = 0; k <= e.lineCount; ++k) {
        const int line = e.presentLineIndex(k, first, last);
        if (line < 0)
            break;
        lines.push_back(line);
    }
    return lines;
}

}  // namespace

TEST(LineStatusDecoding, KnownCharactersAndEverythingElse)
{
    EXPECT_EQ(decodeStatus('X'), statusConstant);
    EXPECT_EQ(decodeStatus('-'), statusModified);
    EXPECT_EQ(decodeStatus('n'), statusReplacedByDeletion);
    EXPECT_EQ(decodeStatus('|'), statusReplacedByAddition);
    EXPECT_EQ(decodeStatus('>'), statusAdded);
    for (char other : {' ', 'D', 'x', 'N', '<', '\0', '\r', '\xff'})
        EXPECT_EQ(decodeStatus(other), statusDeleted) << "character code " << int(other);

    EXPECT_STREQ(lineStatusNames[0], "constant");
    EXPECT_STREQ(lineStatusNames[1], "modified");
    EXPECT_STREQ(lineStatusNames[2], "replaced by deletion");
    EXPECT_STREQ(lineStatusNames[3], "replaced by addition");
    EXPECT_STREQ(lineStatusNames[4], "added");
    EXPECT_STREQ(lineStatusNames[5], "deleted");

    for (char present : {'X', '-', 'n', '|'})
        EXPECT_TRUE(isPresentChar(present)) << present;
    for (char absent : {'>', 'D', ' '})
        EXPECT_FALSE(isPresentChar(absent)) << absent;
}

TEST(LineStatusDecoding, ShownCellsReadThroughTheRows)
{
    TempDirectory dir;
    EvolutionSketch input;
    input.statuses = {"X-n|>D "};
    auto e = loadWrittenEvolution(dir, input);
    ASSERT_TRUE(e);
    const std::vector<int> expected = {0, 1, 2, 3, 4, 5, 5};
    for (int r = 0; r < 7; ++r) {
        EXPECT_EQ(e->status(0, r), expected[r]) << "revision " << r;
        EXPECT_STREQ(e->statusName(0, r), lineStatusNames[expected[r]]);
    }
}

class PresentLines : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Revisions 0..3; '>' not yet added, 'D' deleted.
        input.statuses = {
            ">XXX",  // 0: added in revision 1
            "XXXX",  // 1: always there
            "XXDD",  // 2: deleted in revision 2
            ">XDD",  // 3: lives in revision 1 only
            "XDDD",  // 4: deleted in revision 1
            ">>XX",  // 5: added in revision 2
        };
        e = loadWrittenEvolution(dir, input);
        ASSERT_TRUE(e);
    }

    TempDirectory dir;
    EvolutionSketch input;
    std::unique_ptr<EvolutionFile> e;
};

TEST_F(PresentLines, TheLinesOfOneRevisionInFileOrder)
{
    EXPECT_EQ(presentLines(*e, 0, 0), (std::vector<int>{1, 2, 4}));
    EXPECT_EQ(presentLines(*e, 1, 1), (std::vector<int>{0, 1, 2, 3}));
    EXPECT_EQ(presentLines(*e, 2, 2), (std::vector<int>{0, 1, 5}));
    EXPECT_EQ(presentLines(*e, 3, 3), (std::vector<int>{0, 1, 5}));
}

TEST_F(PresentLines, ARangeCountsWhatLivesInsideIt)
{
    // Line 3 is added after 0 and deleted before 3: it counts for 0..3.
    EXPECT_EQ(presentLines(*e, 0, 3), (std::vector<int>{0, 1, 2, 3, 4, 5}));
    // Line 5 is added after the range ends.
    EXPECT_EQ(presentLines(*e, 0, 1), (std::vector<int>{0, 1, 2, 3, 4}));
    // Line 4 is deleted when the range starts.
    EXPECT_EQ(presentLines(*e, 1, 3), (std::vector<int>{0, 1, 2, 3, 5}));
}

TEST_F(PresentLines, PositionsThatDoNotExist)
{
    EXPECT_EQ(e->presentLineIndex(-1, 0, 0), -1);
    EXPECT_EQ(e->presentLineIndex(3, 0, 0), -1);
    EXPECT_EQ(e->presentLineIndex(1000, 1, 1), -1);
}

TEST_F(PresentLines, LineNumberInIsTheInverse)
{
    for (int r = 0; r < 4; ++r) {
        const std::vector<int> lines = presentLines(*e, r, r);
        for (int k = 0; k < static_cast<int>(lines.size()); ++k)
            EXPECT_EQ(e->lineNumberIn(lines[k], r), k) << "revision " << r << ", text line " << k;
    }
}

TEST_F(PresentLines, LineNumberOfAnAbsentLineIsThatOfThePresentLineAbove)
{
    EXPECT_EQ(e->lineNumberIn(0, 0), -1);  // nothing present above it
    EXPECT_EQ(e->lineNumberIn(3, 0), 1);   // line 2 is text line 1
    EXPECT_EQ(e->lineNumberIn(5, 0), 2);
    EXPECT_EQ(e->lineNumberIn(4, 2), 1);
    EXPECT_EQ(e->lineNumberIn(-1, 1), -1);
}

class LineAuthors : public ::testing::Test {
protected:
    void load(std::vector<std::string> statuses, std::vector<std::string> authors)
    {
        input.statuses = std::move(statuses);
        input.authors = std::move(authors);
        e = loadWrittenEvolution(dir, input);
        ASSERT_TRUE(e);
    }

    TempDirectory dir;
    EvolutionSketch input;
    std::unique_ptr<EvolutionFile> e;
};

TEST_F(LineAuthors, FollowTheChangeMarks)
{
    load({"XXXX", ">XXX", "X--X", "XnXX", "|XXX", ">>X>"}, {"ann", "bob", "cid", "dan"});
    const int ann = 0, bob = 1, cid = 2, none = -1;
    // Constant throughout: the author of the first revision.
    for (int r = 0; r < 4; ++r)
        EXPECT_EQ(e->lineAuthor(0, r), ann) << "revision " << r;
    // Added in revision 1 by bob.
    EXPECT_EQ(e->lineAuthor(1, 0), none);
    EXPECT_EQ(e->lineAuthor(1, 1), bob);
    EXPECT_EQ(e->lineAuthor(1, 3), bob);
    // Modified in two successive revisions: the second revision's author.
    EXPECT_EQ(e->lineAuthor(2, 1), ann);
    EXPECT_EQ(e->lineAuthor(2, 2), cid);
    EXPECT_EQ(e->lineAuthor(2, 3), cid);
    // Replaced by deletion in revision 1.
    EXPECT_EQ(e->lineAuthor(3, 1), bob);
    // Replaced by addition after revision 0.
    EXPECT_EQ(e->lineAuthor(4, 1), bob);
    EXPECT_EQ(e->lineAuthor(4, 3), bob);
    // Added again at the last revision: nobody, whatever came before.
    EXPECT_EQ(e->lineAuthor(5, 2), cid);
    EXPECT_EQ(e->lineAuthor(5, 3), none);
}

TEST_F(LineAuthors, RevisionsWithoutAnEntryHaveNoAuthor)
{
    load({"XXX", ">XX", ">>X"}, {"", "bob", ""});
    EXPECT_EQ(e->revisionAuthorIndex(0), -1);
    EXPECT_STREQ(e->revisionAuthorName(0), "unknown");
    EXPECT_EQ(e->revisionAuthorIndex(1), 0);
    EXPECT_STREQ(e->revisionAuthorName(1), "bob");
    EXPECT_EQ(e->revisionAuthorIndex(2), -1);

    EXPECT_EQ(e->lineAuthor(0, 2), -1);  // written in revision 0, which nobody claims
    EXPECT_EQ(e->lineAuthor(1, 2), 0);
    EXPECT_EQ(e->lineAuthor(2, 2), -1);

    // Revisions outside the grid have no author either.
    EXPECT_EQ(e->revisionAuthorIndex(-1), -1);
    EXPECT_EQ(e->revisionAuthorIndex(3), -1);
    EXPECT_STREQ(e->revisionAuthorName(3), "unknown");
}
