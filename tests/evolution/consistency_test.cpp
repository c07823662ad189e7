// Holding a loaded evolution against the texts of its revisions.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "evolution/consistency.h"
#include "evolution/evolution_file.h"
#include "support/temp_directory.h"

namespace {

class Consistency : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Line 1 is added in revision 2, line 2 deleted there, and line 3
        // is changed in revision 3 with its marks.
        input.statuses = {"XXX", ">XX", "XDD", "X--", "XXX"};
        input.authors = {"ann", "bob", "ann"};
        input.texts = {
            "int main() {\n    return 1;\n    int a = 1;\n}\n",
            "int main() {\n    puts(\"hi\");\n    int a = 1;\n}\n",
            "int main() {\n    puts(\"hi\");\n    int a = 2;\n}\n",
        };
    }

    std::vector<std::string> check()
    {
        auto e = loadWrittenEvolution(dir, input);
        EXPECT_TRUE(e);
        return e ? checkConsistency(*e) : std::vector<std::string>{"not loaded"};
    }

    TempDirectory dir;
    EvolutionSketch input;
};

bool mentions(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

}  // namespace

TEST(ChangeMarks, OnlyTheAuthorMarksAllowANewText)
{
    EXPECT_TRUE(statusesMarkChange('-', '-'));
    EXPECT_TRUE(statusesMarkChange('X', 'n'));
    EXPECT_TRUE(statusesMarkChange('|', 'X'));
    EXPECT_FALSE(statusesMarkChange('X', 'X'));
    EXPECT_FALSE(statusesMarkChange('X', '-'));
    EXPECT_FALSE(statusesMarkChange('-', 'X'));
    EXPECT_FALSE(statusesMarkChange('X', '|'));
}

TEST_F(Consistency, ASoundEvolutionHasNothingToReport)
{
    EXPECT_EQ(check(), std::vector<std::string>{});
}

TEST_F(Consistency, AWrongLineCountIsReportedOnce)
{
    input.texts[1] += "extra\n";
    const std::vector<std::string> problems = check();
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_TRUE(mentions(problems[0], "revision 2")) << problems[0];
    EXPECT_TRUE(mentions(problems[0], "4 lines present")) << problems[0];
    EXPECT_TRUE(mentions(problems[0], "the text has 5")) << problems[0];
}

TEST_F(Consistency, AnUnmarkedChangeIsReported)
{
    input.texts[1] = "int main(void) {\n    puts(\"hi\");\n    int a = 1;\n}\n";
    const std::vector<std::string> problems = check();
    ASSERT_EQ(problems.size(), 2u);
    // Changed from revision 1 to 2, and back from 2 to 3.
    EXPECT_TRUE(mentions(problems[0], "revision 2")) << problems[0];
    EXPECT_TRUE(mentions(problems[0], "evolution line 1 ")) << problems[0];
    EXPECT_TRUE(mentions(problems[1], "revision 3")) << problems[1];
}

TEST_F(Consistency, AMissingTextIsReported)
{
    input.texts.pop_back();
    const std::vector<std::string> problems = check();
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_TRUE(mentions(problems[0], "revision 3")) << problems[0];
    EXPECT_TRUE(mentions(problems[0], "demo.c.v1.3")) << problems[0];
}
