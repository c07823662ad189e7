// Holding a loaded evolution against the texts of its revisions.

#include <gtest/gtest.h>

#include "evolution/consistency.h"
#include "evolution/evolution_file.h"
#include "support/temp_directory.h"

namespace {

TEST(Consistency, OnlyTheAuthorMarksAllowANewText)
{
    for (const char* pair : {"--", "Xn", "|X"})
        EXPECT_TRUE(statusesMarkChange(pair[0], pair[1])) << pair;
    for (const char* pair : {"XX", "X-", "-X", "X|"})
        EXPECT_FALSE(statusesMarkChange(pair[0], pair[1])) << pair;
}

TEST(Consistency, EveryDisagreementWithTheTextsIsReportedOnce)
{
    const std::vector<std::string> sound = {"int main() {\n    return 1;\n    int a = 1;\n}\n",
                                            "int main() {\n    puts(\"hi\");\n    int a = 1;\n}\n",
                                            "int main() {\n    puts(\"hi\");\n    int a = 2;\n}\n"};
    const struct {
        int revision;             // whose text is spoiled, 0 for none
        std::string text;         // its new text, "-" to leave it out
        std::vector<std::vector<std::string>> mentions;  // per problem
    } cases[] = {
        {0, "", {}},
        {2, sound[1] + "extra\n", {{"revision 2", "4 lines present", "the text has 5"}}},
        {2, "int main(void) {\n    puts(\"hi\");\n    int a = 1;\n}\n",
         {{"revision 2", "evolution line 1 "}, {"revision 3"}}},
        {3, "-", {{"revision 3", "demo.c.v1.3"}}},
    };
    for (const auto& c : cases) {
        TempDirectory dir;
        EvolutionSketch sketch;
        // Line 1 is added in revision 2, line 2 deleted there, and line 3
        // changed in revision 3 with its marks.
        sketch.statuses = {"XXX", ">XX", "XDD", "X--", "XXX"};
        sketch.authors = {"ann", "bob", "ann"};
        sketch.texts = sound;
        if (c.text == "-")
            sketch.texts.pop_back();
        else if (c.revision)
            sketch.texts[c.revision - 1] = c.text;
        auto e = loadWrittenEvolution(dir, sketch);
        ASSERT_TRUE(e);
        const std::vector<std::string> problems = checkConsistency(*e);
        ASSERT_EQ(problems.size(), c.mentions.size()) << c.text;
        for (size_t i = 0; i < problems.size(); ++i)
            for (const std::string& part : c.mentions[i])
                EXPECT_NE(problems[i].find(part), std::string::npos) << problems[i] << " lacks " << part;
    }
}

}  // namespace
