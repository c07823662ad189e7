// Scanning a revision's text into syntax regions.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/temp_directory.h"
#include "syntax/grammar.h"

using namespace std::string_literals;

namespace {

const std::string cGrammar = "BLOCK { }\nCOMMENT_LINE //\nCOMMENT_LINE_FRAGMENT //\nCOMMENT_BLOCK /* */\n";

// The regions in one line, so that a failure shows what was found:
// c<comment kind>, b<depth>, r for a reference, s for a string.
std::string describe(const std::vector<SyntaxRegion>& regions)
{
    std::string text;
    for (const SyntaxRegion& r : regions) {
        const std::string kind = r.kind == regionComment   ? "c" + std::to_string(r.commentKind)
                                 : r.kind == regionBlock   ? "b" + std::to_string(r.depth)
                                 : r.kind == regionString  ? "s"
                                 : r.kind == regionReference ? "r" : "?" + std::to_string(r.kind);
        text += kind + " " + std::to_string(r.startLine) + "," + std::to_string(r.startColumn) + "-" +
                std::to_string(r.endLine) + "," + std::to_string(r.endColumn) + "; ";
    }
    return text;
}

struct Scan {
    TempDirectory directory;
    std::vector<SyntaxRegion> regions;
    Grammar grammar;

    explicit Scan(const std::string& grammarFile) : grammar((directory.write("grammar.dat", grammarFile), directory.path())) {}

    std::string operator()(const std::string& text)
    {
        directory.write("text.v1", text);
        grammar.setTarget(&regions);
        EXPECT_TRUE(grammar.scan(directory.path() + "text.v1"));
        return describe(regions);
    }
};

TEST(Scanner, FindsTheRegionsOfEachConstruct)
{
    const std::string longLine = std::string(511, 'a') + "// c";
    const struct { std::string grammar, text, expected; } cases[] = {
        {cGrammar, "int f() {\n  a();\n}\n", "b0 0,8-2,0; "},
        {cGrammar, "f() {\n if (x) {\n  while (y) {\n   {\n   }\n  }\n }\n {\n }\n}\n",
         "b3 3,3-4,3; b2 2,12-5,2; b1 1,8-6,1; b1 7,1-8,1; b0 0,4-9,0; "},
        {cGrammar, "{ /* c */ \"s\" // r\n}", "c1 0,2-0,7; s 0,10-0,12; c3 0,14-0,18; b0 0,0-1,0; "},
        {cGrammar, "\t// remark\n   // another\n", "c2 0,0-0,512; c2 1,0-1,512; "},
        // A token does not end the line start; a plain character does.
        {cGrammar, "{ // remark\n}\nx // y\n", "c2 0,0-0,512; b0 0,0-1,0; c3 2,2-2,6; "},
        {cGrammar, "x = 1; // remark\n", "c3 0,7-0,16; "},
        // A tab is a flat eight columns; a rest-of-line end counts characters.
        {cGrammar, "ab\t// c\n\t\tx { }\n \t{}\n", "c3 0,10-0,7; b0 1,18-1,20; b0 2,9-2,10; "},
        {cGrammar, "s = \"a\\\"b\";\n", "s 0,4-0,9; "},
        {cGrammar, "t = \"a\\\\\"; \"b\"\n", "s 0,4-0,8; s 0,11-0,13; "},
        {cGrammar, "x \\\"y\"\n", "s 0,3-0,5; "},
        {cGrammar, "s = \"abc\ndef\";\n", "s 0,4-1,3; "},
        {cGrammar, "s = \"abc\\\n\" x\n", "s 0,4-1,0; "},
        {cGrammar, "f() { s = \"}{\"; /* } { */ }\n", "s 0,10-0,13; c1 0,16-0,23; b0 0,4-0,26; "},
        {cGrammar, "a;\nb;\nc = /* start\n{ \"quoted\n// none in here\n0123456789*/ d;\n", "c1 2,4-5,10; "},
        {cGrammar, "/* \" */ y \"s\"\n", "c1 0,0-0,5; s 0,10-0,12; "},
        {cGrammar, "/*/ x */\n/**/\n", "c1 0,0-0,6; c1 1,0-1,2; "},
        {cGrammar, "s = \"// /*\"; // r\n", "s 0,4-0,10; c3 0,13-0,17; "},
        {cGrammar, "}\n{\n}\n}\n{ {\n}\n}\n", "b0 1,0-2,0; b1 4,2-5,0; b0 4,0-6,0; "},
        {"", "{ // x /* y */ \"s\"\n#include <z>\n}\n", "s 0,15-0,17; "},
        {"COMMENT_LINE //\n", "{ x }\n", ""},
        {cGrammar, "{ {\n}\n/* never closed\n", "b1 0,2-1,0; "},
        {cGrammar, "\"never closed\n{ }\n", ""},
        {"BLOCK begin end\n", "beginbegin endend\nbegin x end\n", "b1 0,5-0,11; b0 0,0-0,14; b0 1,0-1,8; "},
        {"REFERENCE #include\nBLOCK { }\n", "#include <a.h>\n  #include \"b.h\"\nx #include <c.h>\n{#include <d.h>\n}\n",
         "r 0,0-0,512; r 1,0-1,512; r 3,0-3,512; b0 3,0-4,0; "},
        // Earlier rules win when one token begins another.
        {"COMMENT_LINE #\nREFERENCE #\nCOMMENT_LINE_FRAGMENT /\nCOMMENT_BLOCK /* */\n", "# x\na /* b */ c / d\n",
         "c2 0,0-0,512; c1 1,2-1,7; c3 1,12-1,15; "},
        {cGrammar, "x; // c\r\n{\r\n}\r\n", "c3 0,3-0,7; b0 1,0-2,0; "},
        {cGrammar, longLine + "\n{\n}\n", "c3 0,511-0,515; b0 1,0-2,0; "},
        {cGrammar, "", ""},
        {cGrammar, "\n\n\r\n", ""},
        {cGrammar, "a\x00{ \x00}\n\xff\xfe\xc3\x28{\n\x80}\n"s, "b0 0,2-0,5; b0 1,4-2,1; "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.grammar + "|" + c.text);
        EXPECT_EQ(Scan(c.grammar)(c.text), c.expected);
    }
}

TEST(Scanner, EveryScanStartsAfreshAndEmptiesTheTarget)
{
    Scan scan(cGrammar);
    scan.regions.push_back(SyntaxRegion{9, 9, 9, 9, regionString, 0, 0});
    EXPECT_EQ(scan("{\n/* open\n"), "");
    // Neither the block nor the comment of the previous text is open here.
    EXPECT_EQ(scan("x */ }\n\"s\"\n"), "s 1,0-1,2; ");
}

TEST(Scanner, AMissingTextOrTargetFailsAndKeepsTheTarget)
{
    Scan scan(cGrammar);
    scan.directory.write("text.v1", "{ }\n");
    EXPECT_FALSE(scan.grammar.scan(scan.directory.path() + "text.v1"));
    scan.regions.push_back(SyntaxRegion{1, 2, 3, 4, regionString, 0, 0});
    scan.grammar.setTarget(&scan.regions);
    const std::string path = scan.directory.path() + "revisions/absent.v1.3";
    testing::internal::CaptureStdout();
    EXPECT_FALSE(scan.grammar.scan(path));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "\nERROR: Could not open file " + path + " for reading\n");
    EXPECT_EQ(describe(scan.regions), "s 1,2-3,4; ");
}

}  // namespace
