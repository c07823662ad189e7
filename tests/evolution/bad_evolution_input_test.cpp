// Evolution files and revision lists that cannot be used: every refusal is
// an empty line and one "ERROR: " line naming the file and what is wrong,
// and the load fails without a crash.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "evolution/evolution_file.h"
#include "support/temp_directory.h"

namespace {

const std::string cHeader = "demo.c\nBranch: 1.\n";

struct BadEvolutionFile {
    std::string name;
    std::string content;
    int line;            // the line the message names, 0 when it may be any
    std::string reason;  // a part of the message's reason
};

std::string binaryGarbage()
{
    std::string bytes;
    unsigned state = 12345;
    for (int i = 0; i < 4096; ++i) {
        state = state * 1103515245u + 12345u;
        bytes += static_cast<char>(state >> 16);
    }
    return bytes;
}

const std::vector<BadEvolutionFile> cBadFiles = {
    {"Empty", "", 1, "empty"},
    {"BlankFirstLine", "\nBranch: 1.\nLines: 0\nRevisions: 0\n", 1, "name"},
    {"OnlyTheName", "demo.c\n", 2, "Branch"},
    {"BranchWithoutPrefix", "demo.c\nBranch:\nLines: 0\nRevisions: 0\n", 2, "Branch"},
    {"BranchMisspelt", "demo.c\nbranch: 1.\nLines: 0\nRevisions: 0\n", 2, "Branch"},
    {"HeadersSwapped", cHeader + "Revisions: 1\nLines: 1\n  1:X\n", 3, "Lines"},
    {"LinesNotANumber", cHeader + "Lines: many\nRevisions: 1\n", 3, "Lines"},
    {"LinesTooLargeForANumber", cHeader + "Lines: 99999999999\nRevisions: 1\n", 3, "Lines"},
    {"LinesNegative", cHeader + "Lines: -1\nRevisions: 1\n", 3, "negative"},
    {"TruncatedInTheHeader", cHeader + "Lines: 1\nRevis", 4, "Revisions"},
    {"RevisionsMissing", cHeader + "Lines: 1\n", 4, "Revisions"},
    {"RevisionsNegative", cHeader + "Lines: 0\nRevisions: -5\n", 4, "negative"},
    {"FewerDataLinesThanLines", cHeader + "Lines: 3\nRevisions: 2\n  1:X X\n", 6, "1 of 3"},
    {"NoDataLines", cHeader + "Lines: 2\nRevisions: 2\n", 5, "0 of 2"},
    {"DataLineWithoutColon", cHeader + "Lines: 2\nRevisions: 2\n  1:X X\n  2 X X\n", 6, "':'"},
    {"EmptyDataLine", cHeader + "Lines: 2\nRevisions: 2\n\n  2:X X\n", 5, "':'"},
    {"DataLineTooShort", cHeader + "Lines: 2\nRevisions: 3\n  1:X X X\n  2:X X\n", 6, "shorter"},
    {"TruncatedDataLine", cHeader + "Lines: 2\nRevisions: 2\n  1:X X\n  2:X", 6, "shorter"},
    {"TwoBillionLines", cHeader + "Lines: 2000000000\nRevisions: 2\n  1:X X\n  2:X X\n", 7, "2 of 2000000000"},
    {"AMillionRevisionsOnShortLines", cHeader + "Lines: 2\nRevisions: 1000000\n  1:X X\n  2:X X\n", 5, "shorter"},
    {"TwoBillionRevisions", cHeader + "Lines: 2\nRevisions: 2000000000\n  1:X X\n  2:X X\n", 4, "larger"},
    {"TwoBillionRevisionsWithoutLines", cHeader + "Lines: 0\nRevisions: 2000000000\n", 4, "larger"},
    {"NulInACount", cHeader + std::string("Lines: \0 2\nRevisions: 1\n", 24), 3, "Lines"},
    {"BinaryGarbage", binaryGarbage(), 0, ""},
};

void PrintTo(const BadEvolutionFile& bad, std::ostream* out) { *out << bad.name; }

class BadEvolutionFiles : public ::testing::TestWithParam<BadEvolutionFile> {};

}  // namespace

TEST_P(BadEvolutionFiles, AreRefusedWithOneMessage)
{
    const BadEvolutionFile& bad = GetParam();
    TempDirectory dir;
    dir.write("demo.c_cvs", bad.content);
    dir.write("demo.c.rev", "1.1%ann%\n");
    const std::string path = dir.path() + "demo.c_cvs";

    EvolutionFile e(dir.path(), "demo.c_cvs", nullptr);
    testing::internal::CaptureStdout();
    const bool loaded = e.loadEvolution();
    const std::string output = testing::internal::GetCapturedStdout();

    EXPECT_FALSE(loaded);
    const std::string start = "\nERROR: " + path + ": line " + (bad.line ? std::to_string(bad.line) + ": " : "");
    EXPECT_EQ(output.substr(0, start.size()), start) << output;
    EXPECT_NE(output.find(bad.reason, start.size()), std::string::npos) << output;
    EXPECT_EQ(std::count(output.begin(), output.end(), '\n'), 2) << output;
    EXPECT_EQ(output.back(), '\n');
}

INSTANTIATE_TEST_SUITE_P(Evolution, BadEvolutionFiles, ::testing::ValuesIn(cBadFiles),
                         [](const auto& info) { return info.param.name; });

TEST(MissingEvolutionInput, TheEvolutionFile)
{
    TempDirectory dir;
    EvolutionFile e(dir.path(), "absent.c_cvs", nullptr);
    testing::internal::CaptureStdout();
    EXPECT_FALSE(e.loadEvolution());
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "\nERROR: Could not open file : " + dir.path() + "absent.c_cvs\n");
}

TEST(MissingEvolutionInput, ADirectoryInsteadOfTheEvolutionFile)
{
    TempDirectory dir;
    dir.write("folder_cvs/inside", "");
    EvolutionFile e(dir.path(), "folder_cvs", nullptr);
    testing::internal::CaptureStdout();
    EXPECT_FALSE(e.loadEvolution());
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "\nERROR: Could not open file : " + dir.path() + "folder_cvs\n");
}

TEST(MissingEvolutionInput, TheRevisionList)
{
    TempDirectory dir;
    EvolutionSketch input;
    input.statuses = {"XX"};
    const std::string fileName = writeEvolution(dir, input);
    std::filesystem::remove(dir.path() + "demo.c.rev");
    EvolutionFile e(dir.path(), fileName, nullptr);
    testing::internal::CaptureStdout();
    EXPECT_FALSE(e.loadEvolution());
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "\nERROR: Could not open file : " + dir.path() + "demo.c.rev\n");
}

TEST(BadRevisionList, GarbageNamesNobody)
{
    for (const std::string& list : {std::string(), binaryGarbage(), std::string("%%%%\n\n\n%.%\n1.%%\n")}) {
        TempDirectory dir;
        EvolutionSketch input;
        input.statuses = {"XXX"};
        const std::string fileName = writeEvolution(dir, input);
        dir.write("demo.c.rev", list);
        EvolutionFile e(dir.path(), fileName, nullptr);
        testing::internal::CaptureStdout();
        ASSERT_TRUE(e.loadEvolution());
        EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
        for (int r = 0; r < 3; ++r)
            EXPECT_EQ(e.revisionAuthorIndex(r), -1);
    }
}
