// Scanning a revision's text into syntax regions.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/temp_directory.h"
#include "syntax/grammar.h"

using namespace std::string_literals;

namespace {

const char* const cGrammar = "BLOCK { }\nCOMMENT_LINE //\nCOMMENT_LINE_FRAGMENT //\nCOMMENT_BLOCK /* */\n";

// A region written out in one line, so that a failure shows what was found.
std::string describe(const SyntaxRegion& r)
{
    std::string text;
    switch (r.kind) {
    case regionComment: text = "comment" + std::to_string(r.commentKind); break;
    case regionBlock: text = "block" + std::to_string(r.depth); break;
    case regionReference: text = "reference"; break;
    case regionString: text = "string"; break;
    default: text = "kind" + std::to_string(r.kind); break;
    }
    return text + " " + std::to_string(r.startLine) + "," + std::to_string(r.startColumn) + "-" +
           std::to_string(r.endLine) + "," + std::to_string(r.endColumn);
}

class Scanner : public testing::Test {
protected:
    TempDirectory directory;
    std::vector<SyntaxRegion> regions;

    Grammar grammar(const std::string& content = cGrammar)
    {
        directory.write("grammar.dat", content);
        Grammar g(directory.path());
        return g;
    }

    std::vector<std::string> scan(Grammar g, const std::string& text)
    {
        directory.write("text.v1", text);
        g.setTarget(&regions);
        EXPECT_TRUE(g.scan(directory.path() + "text.v1"));
        std::vector<std::string> found;
        for (const SyntaxRegion& r : regions)
            found.push_back(describe(r));
        return found;
    }

    std::vector<std::string> scan(const std::string& text) { return scan(grammar(), text); }
};

using Found = std::vector<std::string>;

TEST_F(Scanner, BlockSpansFromItsOpeningToItsClosingToken)
{
    EXPECT_EQ(scan("int f() {\n  a();\n  b();\n}\n"), Found{"block0 0,8-3,0"});
}

TEST_F(Scanner, NestedBlocksCarryTheirDepthAndComeBeforeTheirParent)
{
    EXPECT_EQ(scan("int f() {\n  if (x) {\n    while (y) {\n    }\n  }\n  {\n  }\n}\n"),
              (Found{"block2 2,14-3,4", "block1 1,9-4,2", "block1 5,2-6,2", "block0 0,8-7,0"}));
}

TEST_F(Scanner, RegionsAreAppendedInTheOrderTheirConstructsEnd)
{
    EXPECT_EQ(scan("{ /* c */ \"s\" // r\n}"),
              (Found{"comment1 0,2-0,7", "string 0,10-0,12", "comment3 0,14-0,18", "block0 0,0-1,0"}));
}

TEST_F(Scanner, WholeLineCommentMayFollowBlanksAndTabs)
{
    EXPECT_EQ(scan("\t// remark\n   // another\n"), (Found{"comment2 0,0-0,512", "comment2 1,0-1,512"}));
}

TEST_F(Scanner, TokensDoNotEndTheLineStart)
{
    // The brace opens a block and the comment token still starts the line.
    EXPECT_EQ(scan("{ // remark\n}\n"), (Found{"comment2 0,0-0,512", "block0 0,0-1,0"}));
}

TEST_F(Scanner, RestOfLineCommentRunsToTheLinesCharacterCount)
{
    EXPECT_EQ(scan("x = 1; // remark\n"), Found{"comment3 0,7-0,16"});
}

TEST_F(Scanner, TabsAreAFlatEightColumns)
{
    // Columns 0, 1, then the tab's eight cells, whatever the tab stops: the
    // comment starts at 10. Its end is the count of characters, not cells.
    EXPECT_EQ(scan("ab\t// c\n\t\tx { }\n"), (Found{"comment3 0,10-0,7", "block0 1,18-1,20"}));
}

TEST_F(Scanner, EscapedQuoteDoesNotEndAString)
{
    EXPECT_EQ(scan("s = \"a\\\"b\";\n"), Found{"string 0,4-0,9"});
}

TEST_F(Scanner, EscapedBackslashLetsTheQuoteEndTheString)
{
    EXPECT_EQ(scan("t = \"a\\\\\"; \"b\"\n"), (Found{"string 0,4-0,8", "string 0,11-0,13"}));
}

TEST_F(Scanner, BackslashOutsideAStringHasNoEffect)
{
    EXPECT_EQ(scan("x \\\"y\"\n"), Found{"string 0,3-0,5"});
}

TEST_F(Scanner, StringsContinueOverLines)
{
    EXPECT_EQ(scan("s = \"abc\ndef\";\n"), Found{"string 0,4-1,3"});
}

TEST_F(Scanner, AnEscapeDoesNotReachIntoTheNextLine)
{
    EXPECT_EQ(scan("s = \"abc\\\n\" x\n"), Found{"string 0,4-1,0"});
}

TEST_F(Scanner, BracesInsideStringsAndCommentsOpenAndCloseNoBlock)
{
    EXPECT_EQ(scan("f() { s = \"}{\"; /* } { */ }\n"),
              (Found{"string 0,10-0,13", "comment1 0,16-0,23", "block0 0,4-0,26"}));
}

TEST_F(Scanner, MultiLineCommentSpansFromOpeningToClosingToken)
{
    const std::string text = "a;\n"
                             "b;\n"
                             "c = /* start\n"
                             "{ \"quoted\n"
                             "// no line comment in here\n"
                             "0123456789*/ d;\n";
    EXPECT_EQ(scan(text), Found{"comment1 2,4-5,10"});
}

TEST_F(Scanner, OnlyTheClosingTokenEndsAMultiLineComment)
{
    EXPECT_EQ(scan("/* \" */ y \"s\"\n"), (Found{"comment1 0,0-0,5", "string 0,10-0,12"}));
}

TEST_F(Scanner, OpeningTokenIsSkippedBeforeTheClosingTokenIsSought)
{
    // The star of the opening token must not begin a closing one.
    EXPECT_EQ(scan("/*/ x */\n/**/\n"), (Found{"comment1 0,0-0,6", "comment1 1,0-1,2"}));
}

TEST_F(Scanner, CommentTokenInsideAStringIsText)
{
    EXPECT_EQ(scan("s = \"// /*\"; // r\n"), (Found{"string 0,4-0,10", "comment3 0,13-0,17"}));
}

TEST_F(Scanner, UnmatchedClosingTokenIsIgnored)
{
    EXPECT_EQ(scan("}\n{\n}\n}\n{ {\n}\n}\n"), (Found{"block0 1,0-2,0", "block1 4,2-5,0", "block0 4,0-6,0"}));
}

TEST_F(Scanner, WithoutAnOpeningTokenThereAreNoBlocks)
{
    Grammar g = grammar();
    g.blockOpen.clear();
    EXPECT_EQ(scan(g, "int f() {\n  { x; }\n}\n"), Found{});
}

TEST_F(Scanner, EmptyTokensNeverMatch)
{
    EXPECT_EQ(scan(grammar(""), "{ // x /* y */ \"s\"\n#include <z>\n}\n"), Found{"string 0,15-0,17"});
}

TEST_F(Scanner, ConstructsLeftOpenAtTheEndProduceNothing)
{
    EXPECT_EQ(scan("{ {\n}\n/* never closed\n"), Found{"block1 0,2-1,0"});
    EXPECT_EQ(scan("\"never closed\n{ }\n"), Found{});
}

TEST_F(Scanner, EveryScanStartsAfresh)
{
    Grammar g = grammar();
    EXPECT_EQ(scan(g, "{\n/* open\n"), Found{});
    // Neither the block nor the comment of the previous text is open here.
    EXPECT_EQ(scan(g, "x */ }\n\"s\"\n"), Found{"string 1,0-1,2"});
}

TEST_F(Scanner, MultiCharacterTokensAdvanceTheColumnByTheirLength)
{
    const Grammar g = grammar("BLOCK begin end\n");
    EXPECT_EQ(scan(g, "beginbegin endend\nbegin x end\n"),
              (Found{"block1 0,5-0,11", "block0 0,0-0,14", "block0 1,0-1,8"}));
}

TEST_F(Scanner, ReferenceLineCoversTheWholeLine)
{
    const Grammar g = grammar("REFERENCE #include\nBLOCK { }\n");
    EXPECT_EQ(scan(g, "#include <a.h>\n  #include \"b.h\"\nx #include <c.h>\n{#include <d.h>\n}\n"),
              (Found{"reference 0,0-0,512", "reference 1,0-1,512", "reference 3,0-3,512", "block0 3,0-4,0"}));
}

TEST_F(Scanner, EarlierRulesWinOverLaterOnes)
{
    // The whole-line comment comes before the reference line, the
    // multi-line comment before the rest-of-line comment.
    const Grammar g = grammar("COMMENT_LINE #\nREFERENCE #\nCOMMENT_LINE_FRAGMENT /\nCOMMENT_BLOCK /* */\n");
    EXPECT_EQ(scan(g, "# x\na /* b */ c / d\n"),
              (Found{"comment2 0,0-0,512", "comment1 1,2-1,7", "comment3 1,12-1,15"}));
}

TEST_F(Scanner, CrLfLineEndsAreNotPartOfTheLine)
{
    EXPECT_EQ(scan("x; // c\r\n{\r\n}\r\n"), (Found{"comment3 0,3-0,7", "block0 1,0-2,0"}));
}

TEST_F(Scanner, AnOverlongLineCountsAsOneLine)
{
    // Cut into pieces of 511 characters, the comment would become a
    // whole-line comment on a line of its own.
    const std::string line = std::string(511, 'a') + "// c";
    EXPECT_EQ(scan(line + "\n{\n}\n"), (Found{"comment3 0,511-0,515", "block0 1,0-2,0"}));
}

TEST_F(Scanner, ScanEmptiesTheTargetFirst)
{
    regions.push_back(SyntaxRegion{9, 9, 9, 9, regionString, 0, 0});
    EXPECT_EQ(scan("{ }\n"), Found{"block0 0,0-0,2"});
}

TEST_F(Scanner, MissingTextIsReportedAndTheTargetKept)
{
    Grammar g = grammar();
    regions.push_back(SyntaxRegion{1, 2, 3, 4, regionString, 0, 0});
    g.setTarget(&regions);
    const std::string path = directory.path() + "revisions/absent.v1.3";
    testing::internal::CaptureStdout();
    EXPECT_FALSE(g.scan(path));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "\nERROR: Could not open file " + path + " for reading\n");
    ASSERT_EQ(regions.size(), 1u);
    EXPECT_EQ(describe(regions[0]), "string 1,2-3,4");
}

TEST_F(Scanner, EmptyTextHasNoRegions)
{
    EXPECT_EQ(scan(""), Found{});
    EXPECT_EQ(scan("\n\n\r\n"), Found{});
}

TEST_F(Scanner, BinaryBytesAreOrdinaryCharacters)
{
    EXPECT_EQ(scan("a\x00{ \x00}\n\xff\xfe\xc3\x28{\n\x80}\n"s),
              (Found{"block0 0,2-0,5", "block0 1,4-2,1"}));
}

}  // namespace
