// Reading grammar.dat into the language tokens.

#include <gtest/gtest.h>

#include <string>
#include <sys/stat.h>

#include "support/temp_directory.h"
#include "syntax/grammar.h"

using namespace std::string_literals;

namespace {

// The tokens that are set, named, so that a failing case shows every field.
std::string tokens(const Grammar& g)
{
    const std::pair<const char*, const std::string*> fields[] = {
        {"bo", &g.blockOpen}, {"bc", &g.blockClose}, {"cbo", &g.commentBlockOpen}, {"cbc", &g.commentBlockClose},
        {"cl", &g.commentLine}, {"clf", &g.commentLineFragment}, {"ref", &g.reference}, {"if", &g.keywordIf},
        {"for", &g.keywordFor}, {"while", &g.keywordWhile}, {"do", &g.keywordDo}};
    std::string text;
    for (const auto& [name, value] : fields)
        if (!value->empty())
            text += std::string(name) + "=" + *value + " ";
    return text;
}

TEST(GrammarFile, ReadsTheTokensOfEachKeyword)
{
    const std::string filler(500, 'x'), longToken(300, 'c');
    const struct { std::string file, expected; } cases[] = {
        {"BLOCK { }\nCOMMENT_LINE_FRAGMENT //\n", "bo={ bc=} clf=// "},
        {"BLOCK begin end\nCOMMENT_BLOCK (* *)\nCOMMENT_LINE #\nCOMMENT_LINE_FRAGMENT --\nREFERENCE #include\n"
         "KEYWORD_IF if\nKEYWORD_FOR for\nKEYWORD_WHILE while\nKEYWORD_DO do\n",
         "bo=begin bc=end cbo=(* cbc=*) cl=# clf=-- ref=#include if=if for=for while=while do=do "},
        {"BLOCK begin end extra\nREFERENCE use more\n", "bo=begin bc=end ref=use "},
        {"COMMENT_BLOCK /*,*/\nBLOCK\t\t{ ,\t }\n  ,REFERENCE,,#\n", "bo={ bc=} cbo=/* cbc=*/ ref=# "},
        {"BLOCK {\nCOMMENT_BLOCK /*\nCOMMENT_LINE\nREFERENCE ,\n\n", ""},
        {"block { }\nComment_Line //\nBLOCKS { }\n BLOCK_ x y\nUNKNOWN a b\nCOMMENT_LINE_FRAGMENTS x\n", ""},
        {"BLOCK { }\nCOMMENT_LINE #\nBLOCK begin end\nCOMMENT_LINE //\nBLOCK (\n", "bo=begin bc=end cl=// "},
        {"BLOCK o " + longToken + "\n", "bo=o bc=" + longToken + " "},
        {"BLOCK { }\r\nCOMMENT_LINE_FRAGMENT //", "bo={ bc=} clf=// "},
        {"", ""},
        {"\x00\x01\xff BLOCK\x00 { }\n\xc3\x28\xa0 \x80\nCOMMENT_LINE \x00#\nKEYWORD_DO //\n"s, "cl=\x00# do=// "s},
        // Read in pieces, the tail of the long line would set the block tokens.
        {"REFERENCE " + filler + " BLOCK { }\nCOMMENT_LINE #\n", "cl=# ref=" + filler + " "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        TempDirectory directory;
        directory.write("grammar.dat", c.file);
        testing::internal::CaptureStdout();
        const Grammar g(directory.path());
        EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
        EXPECT_EQ(tokens(g), c.expected);
        EXPECT_EQ(g.target, nullptr);
    }
}

TEST(GrammarFile, AFileThatCannotBeReadIsReportedAndLeavesTheTokens)
{
    TempDirectory missing, folder, pipe, good;
    folder.write("grammar.dat/inner", "x");
    ASSERT_EQ(::mkfifo((pipe.path() + "grammar.dat").c_str(), 0600), 0);
    good.write("grammar.dat", "BLOCK { }\n");
    Grammar g(good.path());
    for (const TempDirectory* d : {&missing, &folder, &pipe}) {
        const std::string message = "\nERROR: Could not open file " + d->path() + "grammar.dat for reading\n";
        testing::internal::CaptureStdout();
        EXPECT_EQ(tokens(Grammar(d->path())), "");
        EXPECT_FALSE(g.load(d->path()));
        EXPECT_EQ(testing::internal::GetCapturedStdout(), message + message);
    }
    // A failed load keeps what an earlier one read.
    EXPECT_EQ(tokens(g), "bo={ bc=} ");
    EXPECT_TRUE(g.load(good.path()));
}

}  // namespace
