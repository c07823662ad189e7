// Blocks: rectangles of rows by revisions that share one extent, built from
// the runs ("Lines") or from the line spans ("Revisions").

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "evolution/evolution_file.h"
#include "support/temp_directory.h"

namespace {

constexpr int sortByLines = 0;
constexpr int sortByRevisions = 1;

// firstRow, firstRevision, lastRow, lastRevision, level
using Block = std::tuple<int, int, int, int, float>;

std::vector<Block> blocksOf(const EvolutionFile& e)
{
    std::vector<Block> result;
    for (const EvolutionBlock& b : e.blocks)
        result.emplace_back(b.firstRow, b.firstRevision, b.lastRow, b.lastRevision, b.level);
    return result;
}

// The block map of the first `rows` rows, one text per row with the block
// number of each revision ('.' for none).
std::vector<std::string> blockMapOf(const EvolutionFile& e, int rows)
{
    std::vector<std::string> map;
    for (int row = 0; row < rows; ++row) {
        std::string text;
        for (int r = 0; r < e.revisionCount; ++r) {
            const int number = e.blockMap[row][r];
            text += number < 0 ? '.' : static_cast<char>('0' + number);
        }
        map.push_back(text);
    }
    return map;
}

class Blocks : public ::testing::Test {
protected:
    void load(std::vector<std::string> statuses)
    {
        input.statuses = std::move(statuses);
        e = loadWrittenEvolution(dir, input);
        ASSERT_TRUE(e);
    }

    TempDirectory dir;
    EvolutionSketch input;
    std::unique_ptr<EvolutionFile> e;
};

// Rows 5 to 7 live from revision 2 for four revisions.
const std::vector<std::string> cSpans = {
    "XXXXXX",  // 0: revisions 0..5
    "XXXDDD",  // 1: 0..2
    ">XXXDD",  // 2: 1..3, as long as row 1 but from another revision
    "XXXXXX",  // 3: 0..5, as long as row 0 but not next to it
    ">XXDDD",  // 4: 1..2
    ">>XXXX",  // 5: 2..5
    ">>XXXX",  // 6
    ">>XXXX",  // 7
};

}  // namespace

TEST_F(Blocks, ByLinesOneRunAcrossTwoRevisions)
{
    load(std::vector<std::string>(10, "XX"));
    e->buildBlocks(sortByLines);
    EXPECT_EQ(blocksOf(*e), (std::vector<Block>{{0, 0, 9, 1, 9.0f}}));
    EXPECT_EQ(e->maxBlockLevel, 9);
    EXPECT_EQ(blockMapOf(*e, 10), std::vector<std::string>(10, "00"));
}

TEST_F(Blocks, ByLinesLongestFirstAndOnlyNeighbouringRevisionsJoin)
{
    // Runs: revision 0 rows 0..1, revision 1 rows 0..2, revision 2 rows
    // 0..1; the two runs of two rows are not in neighbouring revisions.
    load({"XXX", "XXX", ">XD"});
    e->buildBlocks(sortByLines);
    EXPECT_EQ(blocksOf(*e), (std::vector<Block>{{0, 1, 2, 1, 2.0f}, {0, 0, 1, 0, 1.0f}, {0, 2, 1, 2, 1.0f}}));
    EXPECT_EQ(e->maxBlockLevel, 2);
    EXPECT_EQ(blockMapOf(*e, 3), (std::vector<std::string>{"102", "102", ".0."}));
}

TEST_F(Blocks, ByLinesRunsMustStartOnTheSameRow)
{
    // Two runs of two rows in neighbouring revisions, one row apart.
    load({"XD", "XX", ">X"});
    e->buildBlocks(sortByLines);
    EXPECT_EQ(blocksOf(*e), (std::vector<Block>{{0, 0, 1, 0, 1.0f}, {1, 1, 2, 1, 1.0f}}));
}

TEST_F(Blocks, ByLinesFollowTheShownRange)
{
    load({"XXX", "XXX", ">XD"});
    e->setRevisionRange(modeNormal, 3, 3);
    e->buildBlocks(sortByLines);
    EXPECT_EQ(blocksOf(*e), (std::vector<Block>{{0, 2, 1, 2, 1.0f}}));
}

TEST_F(Blocks, ByRevisionsGroupNeighbouringRowsOfOneLifetime)
{
    load(cSpans);
    e->buildBlocks(sortByRevisions);
    EXPECT_EQ(blocksOf(*e), (std::vector<Block>{
                                {0, 0, 0, 5, 5.0f},
                                {3, 0, 3, 5, 5.0f},
                                {5, 2, 7, 5, 3.0f},
                                {1, 0, 1, 2, 2.0f},
                                {2, 1, 2, 3, 2.0f},
                                {4, 1, 4, 2, 1.0f},
                            }));
    EXPECT_EQ(e->maxBlockLevel, 5);
    EXPECT_EQ(blockMapOf(*e, 8), (std::vector<std::string>{
                                     "000000", "333...", ".444..", "111111", ".55...", "..2222", "..2222", "..2222"}));
}

TEST_F(Blocks, EveryBuildStartsFromAnEmptyMap)
{
    load(cSpans);
    e->buildBlocks(sortByRevisions);
    e->setRevisionRange(modeNormal, 1, 1);
    e->buildBlocks(sortByLines);
    // Only revision 0 is in the range: its one run covers the three rows
    // of the lines present there.
    EXPECT_EQ(blocksOf(*e), (std::vector<Block>{{0, 0, 2, 0, 2.0f}}));
    EXPECT_EQ(blockMapOf(*e, 8), (std::vector<std::string>{"0.....", "0.....", "0.....", "......", "......",
                                                           "......", "......", "......"}));
}

TEST_F(Blocks, AnyOtherSortingLeavesNoBlocks)
{
    load(cSpans);
    for (int sorting : {2, -1, 100}) {
        e->buildBlocks(sortByRevisions);
        ASSERT_FALSE(e->blocks.empty());
        e->buildBlocks(sorting);
        EXPECT_TRUE(e->blocks.empty()) << "sorting " << sorting;
        EXPECT_EQ(e->maxBlockLevel, 0);
        EXPECT_EQ(blockMapOf(*e, 8), std::vector<std::string>(8, "......"));
    }
}

TEST_F(Blocks, AddBlockMarksItsCellsWithItsNumber)
{
    load(std::vector<std::string>(4, "XXXX"));
    e->addBlock(0, 0, 0, 3, 3);
    e->addBlock(1, 1, 2, 2, 1);
    EXPECT_EQ(blocksOf(*e), (std::vector<Block>{{0, 0, 0, 3, 3.0f}, {1, 1, 2, 2, 1.0f}}));
    EXPECT_EQ(blockMapOf(*e, 4), (std::vector<std::string>{"0000", ".11.", ".11.", "...."}));
    // Cells outside the grid are never written.
    e->addBlock(-2, -3, 10, 20, 7);
    EXPECT_EQ(blockMapOf(*e, 4), std::vector<std::string>(4, "2222"));
}

TEST_F(Blocks, NothingToGroupWithoutRowsOrRevisions)
{
    load({"", ""});
    for (int sorting : {sortByLines, sortByRevisions}) {
        e->buildBlocks(sorting);
        EXPECT_EQ(e->maxBlockLevel, 0) << "sorting " << sorting;
        for (const EvolutionBlock& b : e->blocks)
            EXPECT_LT(b.lastRevision, b.firstRevision) << "a block of no revision";
    }
}
