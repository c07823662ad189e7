#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "evolution/evolution_file.h"
#include "evolution/line_status.h"
#include "support/temp_directory.h"
#include "view/status/status_format.h"

namespace {

TEST(CellStatusText, RightAlignsTheNumbersInFiveColumns)
{
    EXPECT_EQ(cellStatusText(5, 7, 2, "modified"), "Line:     5; Version:     7 Block     2  modified");
    EXPECT_EQ(cellStatusText(12345, 100, -1, "constant"), "Line: 12345; Version:   100 Block    -1  constant");
}

TEST(CellStatusText, WidensForNumbersBeyondFiveDigitsAndLongNames)
{
    const std::string name(300, 'n');
    const std::string text = cellStatusText(1234567, 1, 0, name.c_str());
    EXPECT_EQ(text, "Line: 1234567; Version:     1 Block     0  " + name);
}

class AuthorStatusText : public ::testing::Test {
protected:
    void SetUp() override
    {
        EvolutionSketch sketch;
        sketch.statuses = {"XXX", "X-X"};
        sketch.authors = {"alice", "", "carol"};
        evolution = loadWrittenEvolution(directory, sketch);
        ASSERT_NE(evolution, nullptr);
        ASSERT_EQ(evolution->columnCount, 3);
    }

    TempDirectory directory;
    std::unique_ptr<EvolutionFile> evolution;
};

TEST_F(AuthorStatusText, NamesTheCommitterOfARevisionInTheGrid)
{
    EXPECT_EQ(authorStatusText(*evolution, 0), " Author : alice");
    EXPECT_EQ(authorStatusText(*evolution, 2), " Author : carol");
}

TEST_F(AuthorStatusText, KeepsANameOfAnyLengthWhole)
{
    const std::string longName(1000, 'z');
    ASSERT_NE(evolution->revisionAuthors[2], nullptr);
    evolution->revisionAuthors[2]->authorName = longName;
    EXPECT_EQ(authorStatusText(*evolution, 2), " Author : " + longName);
}

TEST_F(AuthorStatusText, IsEmptyOutsideTheGridAndWithoutARevisionListEntry)
{
    EXPECT_EQ(authorStatusText(*evolution, -1), "");
    EXPECT_EQ(authorStatusText(*evolution, 3), "");
    EXPECT_EQ(authorStatusText(*evolution, 1000), "");
    evolution->revisionAuthors[1] = nullptr;
    EXPECT_EQ(authorStatusText(*evolution, 1), "");
}

TEST(HoverKind, MarksPresentAndAbsentCellsByStatus)
{
    EXPECT_EQ(hoverKindOf(statusConstant), 0);
    EXPECT_EQ(hoverKindOf(statusModified), 3);
    EXPECT_EQ(hoverKindOf(statusReplacedByAddition), 4);
    EXPECT_EQ(hoverKindOf(statusReplacedByDeletion), 5);
    EXPECT_EQ(hoverKindOf(statusAdded), 2);
    EXPECT_EQ(hoverKindOf(statusDeleted), 1);
}

}  // namespace
