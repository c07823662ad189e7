#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "evolution/evolution_file.h"
#include "evolution/line_status.h"
#include "support/temp_directory.h"
#include "view/status/status_format.h"

namespace {

TEST(StatusText, CellNumbersRightAlignedInFiveColumnsOrWiderAndNamesWhole)
{
    EXPECT_EQ(cellStatusText(5, 7, 2, "modified"), "Line:     5; Version:     7 Block     2  modified");
    EXPECT_EQ(cellStatusText(12345, 100, -1, "constant"), "Line: 12345; Version:   100 Block    -1  constant");
    const std::string name(300, 'n');
    EXPECT_EQ(cellStatusText(1234567, 1, 0, name.c_str()), "Line: 1234567; Version:     1 Block     0  " + name);

    const int kinds[][2] = {{statusConstant, 0}, {statusModified, 3}, {statusReplacedByAddition, 4},
                            {statusReplacedByDeletion, 5}, {statusAdded, 2}, {statusDeleted, 1}};
    for (const auto& [status, kind] : kinds)
        EXPECT_EQ(hoverKindOf(status), kind) << status;
}

TEST(StatusText, AuthorOfARevisionInTheGridWholeAndNothingOutsideOrWithoutAnEntry)
{
    TempDirectory directory;
    EvolutionSketch sketch;
    sketch.statuses = {"XXX", "X-X"};
    sketch.authors = {"alice", "", "carol"};
    std::unique_ptr<EvolutionFile> evolution = loadWrittenEvolution(directory, sketch);
    ASSERT_NE(evolution, nullptr);
    EXPECT_EQ(authorStatusText(*evolution, 0), " Author : alice");
    EXPECT_EQ(authorStatusText(*evolution, 2), " Author : carol");
    const std::string longName(1000, 'z');
    evolution->revisionAuthors[2]->authorName = longName;
    EXPECT_EQ(authorStatusText(*evolution, 2), " Author : " + longName);
    for (int outside : {-1, 3, 1000})
        EXPECT_EQ(authorStatusText(*evolution, outside), "");
    evolution->revisionAuthors[1] = nullptr;
    EXPECT_EQ(authorStatusText(*evolution, 1), "");
}

}  // namespace
