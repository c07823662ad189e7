// Reading grammar.dat into the language tokens.

#include <gtest/gtest.h>

#include <string>
#include <sys/stat.h>

#include "support/temp_directory.h"
#include "syntax/grammar.h"

using namespace std::string_literals;

namespace {

class GrammarFile : public testing::Test {
protected:
    TempDirectory directory;

    Grammar read(const std::string& content)
    {
        directory.write("grammar.dat", content);
        return Grammar(directory.path());
    }
};

void expectAllEmpty(const Grammar& g)
{
    for (const std::string* token : {&g.blockOpen, &g.blockClose, &g.commentBlockOpen, &g.commentBlockClose,
                                      &g.commentLine, &g.commentLineFragment, &g.reference, &g.keywordIf,
                                      &g.keywordFor, &g.keywordWhile, &g.keywordDo})
        EXPECT_EQ(*token, "");
}

TEST_F(GrammarFile, BlockAndFragmentSetOnlyTheirTokens)
{
    const Grammar g = read("BLOCK { }\nCOMMENT_LINE_FRAGMENT //\n");
    EXPECT_EQ(g.blockOpen, "{");
    EXPECT_EQ(g.blockClose, "}");
    EXPECT_EQ(g.commentLineFragment, "//");
    Grammar others = g;
    others.blockOpen.clear();
    others.blockClose.clear();
    others.commentLineFragment.clear();
    expectAllEmpty(others);
}

TEST_F(GrammarFile, EveryKeywordSetsItsFields)
{
    const Grammar g = read("BLOCK begin end\n"
                           "COMMENT_BLOCK (* *)\n"
                           "COMMENT_LINE #\n"
                           "COMMENT_LINE_FRAGMENT --\n"
                           "REFERENCE #include\n"
                           "KEYWORD_IF if\n"
                           "KEYWORD_FOR for\n"
                           "KEYWORD_WHILE while\n"
                           "KEYWORD_DO do\n");
    EXPECT_EQ(g.blockOpen, "begin");
    EXPECT_EQ(g.blockClose, "end");
    EXPECT_EQ(g.commentBlockOpen, "(*");
    EXPECT_EQ(g.commentBlockClose, "*)");
    EXPECT_EQ(g.commentLine, "#");
    EXPECT_EQ(g.commentLineFragment, "--");
    EXPECT_EQ(g.reference, "#include");
    EXPECT_EQ(g.keywordIf, "if");
    EXPECT_EQ(g.keywordFor, "for");
    EXPECT_EQ(g.keywordWhile, "while");
    EXPECT_EQ(g.keywordDo, "do");
}

TEST_F(GrammarFile, TokensAfterTheValuesAreIgnored)
{
    const Grammar g = read("BLOCK begin end extra\nREFERENCE use more\n");
    EXPECT_EQ(g.blockOpen, "begin");
    EXPECT_EQ(g.blockClose, "end");
    EXPECT_EQ(g.reference, "use");
}

TEST_F(GrammarFile, BlankCommaAndTabAllSeparate)
{
    const Grammar g = read("COMMENT_BLOCK /*,*/\nBLOCK\t\t{ ,\t }\n  ,REFERENCE,,#\n");
    EXPECT_EQ(g.commentBlockOpen, "/*");
    EXPECT_EQ(g.commentBlockClose, "*/");
    EXPECT_EQ(g.blockOpen, "{");
    EXPECT_EQ(g.blockClose, "}");
    EXPECT_EQ(g.reference, "#");
}

TEST_F(GrammarFile, LinesThatLackValuesChangeNothing)
{
    const Grammar g = read("BLOCK {\nCOMMENT_BLOCK /*\nCOMMENT_LINE\nREFERENCE ,\n");
    expectAllEmpty(g);
}

TEST_F(GrammarFile, KeywordsAreMatchedExactly)
{
    const Grammar g = read("block { }\nComment_Line //\nBLOCKS { }\n BLOCK_ x y\nUNKNOWN a b\n");
    expectAllEmpty(g);
}

TEST_F(GrammarFile, AKeywordGivenAgainReplacesTheEarlierValues)
{
    const Grammar g = read("BLOCK { }\nCOMMENT_LINE #\nBLOCK begin end\nCOMMENT_LINE //\nBLOCK (\n");
    EXPECT_EQ(g.blockOpen, "begin");
    EXPECT_EQ(g.blockClose, "end");
    EXPECT_EQ(g.commentLine, "//");
}

TEST_F(GrammarFile, LongTokensAreStoredWhole)
{
    const std::string open(40, 'o');
    const std::string close(300, 'c');
    const Grammar g = read("BLOCK " + open + " " + close + "\n");
    EXPECT_EQ(g.blockOpen, open);
    EXPECT_EQ(g.blockClose, close);
}

TEST_F(GrammarFile, CrLfLineEndsAndALastLineWithoutEndAreRead)
{
    const Grammar g = read("BLOCK { }\r\nCOMMENT_LINE_FRAGMENT //");
    EXPECT_EQ(g.blockClose, "}");
    EXPECT_EQ(g.commentLineFragment, "//");
}

TEST_F(GrammarFile, LoadReportsWhetherTheFileOpened)
{
    Grammar g = read("BLOCK { }\n");
    EXPECT_TRUE(g.load(directory.path()));
    TempDirectory empty;
    testing::internal::CaptureStdout();
    EXPECT_FALSE(g.load(empty.path()));
    testing::internal::GetCapturedStdout();
    // A failed load leaves what an earlier one read.
    EXPECT_EQ(g.blockOpen, "{");
}

TEST(GrammarBadInput, MissingFileIsReportedAndLeavesEveryTokenEmpty)
{
    TempDirectory directory;
    testing::internal::CaptureStdout();
    const Grammar g(directory.path());
    const std::string output = testing::internal::GetCapturedStdout();
    EXPECT_EQ(output, "\nERROR: Could not open file " + directory.path() + "grammar.dat for reading\n");
    expectAllEmpty(g);
    EXPECT_EQ(g.target, nullptr);
}

TEST(GrammarBadInput, DirectoryInPlaceOfTheFileIsReported)
{
    TempDirectory directory;
    directory.write("grammar.dat/inner", "x");
    testing::internal::CaptureStdout();
    Grammar g(directory.path());
    const std::string output = testing::internal::GetCapturedStdout();
    EXPECT_NE(output.find("ERROR: Could not open file " + directory.path() + "grammar.dat for reading"),
              std::string::npos);
    expectAllEmpty(g);
}

TEST(GrammarBadInput, NamedPipeIsNotWaitedFor)
{
    TempDirectory directory;
    ASSERT_EQ(::mkfifo((directory.path() + "grammar.dat").c_str(), 0600), 0);
    testing::internal::CaptureStdout();
    Grammar g(directory.path());
    const std::string output = testing::internal::GetCapturedStdout();
    EXPECT_NE(output.find("ERROR: Could not open file "), std::string::npos);
    expectAllEmpty(g);
}

TEST_F(GrammarFile, EmptyFileGivesAnEmptyGrammar)
{
    testing::internal::CaptureStdout();
    const Grammar g = read("");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    expectAllEmpty(g);
}

TEST_F(GrammarFile, BinaryLinesAreSkippedAndLaterLinesStillRead)
{
    const Grammar g = read("\x00\x01\xff\xfe BLOCK\x00 { }\n"s + "\xc3\x28\xa0\xa1 \x80\x80\n" +
                           "COMMENT_LINE \x00#\n"s + "COMMENT_LINE_FRAGMENT //\n");
    EXPECT_EQ(g.blockOpen, "");
    EXPECT_EQ(g.commentLineFragment, "//");
}

TEST_F(GrammarFile, AnOverlongLineCountsAsOneLine)
{
    // Read in pieces, the tail of this line would become a line of its own
    // and set the block tokens.
    const std::string filler(500, 'x');
    const Grammar g = read("REFERENCE " + filler + " BLOCK { }\nCOMMENT_LINE #\n");
    EXPECT_EQ(g.reference, filler);
    EXPECT_EQ(g.blockOpen, "");
    EXPECT_EQ(g.commentLine, "#");
}

}  // namespace
