// Reading grammar.dat into tokens, and scanning revision texts with them.

#include <gtest/gtest.h>

#include <algorithm>
#include <sys/stat.h>

#include "support/temp_directory.h"
#include "syntax/grammar.h"

using namespace std::string_literals;

namespace {

// The tokens that are set, named, so that a failing case shows every field.
std::string tokens(const Grammar& g)
{
    const std::string* fields[] = {&g.blockOpen, &g.blockClose, &g.commentBlockOpen, &g.commentBlockClose, &g.commentLine,
        &g.commentLineFragment, &g.reference, &g.keywordIf, &g.keywordFor, &g.keywordWhile, &g.keywordDo};
    const char* names[] = {"bo", "bc", "cbo", "cbc", "cl", "clf", "ref", "if", "for", "while", "do"};
    std::string text;
    for (int i = 0; i < 11; ++i)
        text += fields[i]->empty() ? "" : std::string(names[i]) + "=" + *fields[i] + " ";
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
        {"BLOCK { }\r\nCOMMENT_LINE_FRAGMENT //", "bo={ bc=} clf=// "}, {"", ""},
        {"\x00\x01\xff BLOCK\x00 { }\n\xc3\x28\xa0 \x80\nCOMMENT_LINE \x00#\nKEYWORD_DO //\n"s, "cl=\x00# do=// "s},
        // Read in pieces, the tail of the long line would set the block tokens.
        {"REFERENCE " + filler + " BLOCK { }\nCOMMENT_LINE #\n", "cl=# ref=" + filler + " "},
    };
    for (const auto& c : cases) {
        TempDirectory directory;
        directory.write("grammar.dat", c.file);
        const Grammar g(directory.path());
        EXPECT_EQ(tokens(g) + (g.target ? "target" : ""), c.expected) << c.file;
    }
}

TEST(GrammarFile, FilesThatCannotBeReadAreReportedAndChangeNothing)
{
    TempDirectory missing, pipe, good;
    ASSERT_EQ(::mkfifo((pipe.path() + "grammar.dat").c_str(), 0600), 0);  // never waited for
    good.write("grammar.dat", "BLOCK { }\n");
    Grammar g(good.path());
    for (const TempDirectory* d : {&missing, &pipe, &good}) {
        const std::string message = "\nERROR: Could not open file " + d->path() + "grammar.dat for reading\n";
        testing::internal::CaptureStdout();
        EXPECT_EQ(tokens(Grammar(d->path())) + (g.load(d->path()) ? "read" : ""), d == &good ? "bo={ bc=} read" : "");
        EXPECT_EQ(testing::internal::GetCapturedStdout(), d == &good ? "" : message + message);
        EXPECT_EQ(tokens(g), "bo={ bc=} ");  // a failed load keeps what an earlier one read
    }
    // A text that cannot be read, or no target, fails the scan and keeps the target.
    std::vector<SyntaxRegion> regions(3);
    EXPECT_FALSE(g.scan(good.path() + "grammar.dat"));
    g.setTarget(&regions);
    testing::internal::CaptureStdout();
    EXPECT_FALSE(g.scan(missing.path() + "absent.v1.3"));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "\nERROR: Could not open file " + missing.path() + "absent.v1.3 for reading\n");
    EXPECT_EQ(regions.size(), 3u);
}


const std::string cGrammar = "BLOCK { }\nCOMMENT_LINE //\nCOMMENT_LINE_FRAGMENT //\nCOMMENT_BLOCK /* */\n";

// Scans the texts in turn into one target that starts with a stale region; per scan:
// c<comment kind>, b<depth>, r for a reference, s for a string, then "|".
std::string scanned(const std::string& grammarFile, std::initializer_list<std::string> texts)
{
    TempDirectory directory;
    directory.write("grammar.dat", grammarFile);
    Grammar grammar(directory.path());
    std::vector<SyntaxRegion> regions(1);
    grammar.setTarget(&regions);
    std::string found;
    for (const std::string& text : texts) {
        directory.write("text.v1", text);
        EXPECT_TRUE(grammar.scan(directory.path() + "text.v1"));
        for (const SyntaxRegion& r : regions) {
            std::string kind(1, " cbr?s"[std::clamp(r.kind, 0, 5)]);
            if (r.kind == regionComment || r.kind == regionBlock)
                kind += std::to_string(r.kind == regionBlock ? r.depth : r.commentKind);
            char region[80];
            std::snprintf(region, sizeof region, "%s %d,%d-%d,%d; ", kind.c_str(), r.startLine, r.startColumn, r.endLine, r.endColumn);
            found += region;
        }
        found += "|";
    }
    return found;
}

TEST(Scanner, FindsTheRegionsOfEachConstruct)
{
    const std::string longLine = std::string(511, 'a') + "// c";
    const struct { std::string grammar, text, expected; } cases[] = {
        {cGrammar, "f() {\n if (x) {\n  while (y) {\n   {\n   }\n  }\n }\n {\n }\n}\n",
         "b3 3,3-4,3; b2 2,12-5,2; b1 1,8-6,1; b1 7,1-8,1; b0 0,4-9,0; "},
        {cGrammar, "{ /* c */ \"s\" // r\n}", "c1 0,2-0,7; s 0,10-0,12; c3 0,14-0,18; b0 0,0-1,0; "},
        {cGrammar, "\t// remark\n   // another\n", "c2 0,0-0,512; c2 1,0-1,512; "},
        // A token does not end the line start; a plain character does.
        {cGrammar, "{ // remark\n}\nx // y\n", "c2 0,0-0,512; b0 0,0-1,0; c3 2,2-2,6; "},
        // A tab is a flat eight columns, and a rest-of-line comment after
        // one still ends where its line does, not before it starts.
        {cGrammar, "ab\t// c\n\t\tx { }\n \t{}\n", "c3 0,10-0,14; b0 1,18-1,20; b0 2,9-2,10; "},
        {cGrammar, "s = \"a\\\"b\";\nt = \"a\\\\\"; \"b\"\nx \\\"y\"\n", "s 0,4-0,9; s 1,4-1,8; s 1,11-1,13; s 2,3-2,5; "},
        {cGrammar, "s = \"abc\\\n\" x\n", "s 0,4-1,0; "},  // an escape stops at the line end
        {cGrammar, "f() { s = \"}{\"; /* } { */ }\n", "s 0,10-0,13; c1 0,16-0,23; b0 0,4-0,26; "},
        {cGrammar, "a;\nb;\nc = /* start\n{ \"quoted\n// none in here\n0123456789*/ d;\n", "c1 2,4-5,10; "},
        {cGrammar, "/* \" */ y \"s\"\n/*/ x */\n/**/\n", "c1 0,0-0,5; s 0,10-0,12; c1 1,0-1,6; c1 2,0-2,2; "},
        {cGrammar, "s = \"// /*\"; // r\n", "s 0,4-0,10; c3 0,13-0,17; "},
        {cGrammar, "}\n{\n}\n}\n{ {\n}\n}\n", "b0 1,0-2,0; b1 4,2-5,0; b0 4,0-6,0; "},
        {"", "{ // x /* y */ \"s\"\n#include <z>\n}\n", "s 0,15-0,17; "},
        {"BLOCK begin end\n", "beginbegin endend\nbegin x end\n", "b1 0,5-0,11; b0 0,0-0,14; b0 1,0-1,8; "},
        {"REFERENCE #include\nBLOCK { }\n", "#include <a.h>\n  #include \"b.h\"\nx #include <c.h>\n{#include <d.h>\n}\n",
         "r 0,0-0,512; r 1,0-1,512; r 3,0-3,512; b0 3,0-4,0; "},
        // Earlier rules win when one token begins another.
        {"COMMENT_LINE #\nREFERENCE #\nCOMMENT_LINE_FRAGMENT /\nCOMMENT_BLOCK /* */\n", "# x\na /* b */ c / d\n",
         "c2 0,0-0,512; c1 1,2-1,7; c3 1,12-1,15; "},
        {cGrammar, "x; // c\r\n{\r\n}\r\n", "c3 0,3-0,7; b0 1,0-2,0; "}, {cGrammar, longLine + "\n{\n}\n", "c3 0,511-0,515; b0 1,0-2,0; "},
        {cGrammar, "", ""}, {cGrammar, "\n\n\r\n", ""}, {cGrammar, "\"never closed\n{ }\n", ""}, {cGrammar, "{ {\n}\n/* never closed\n", "b1 0,2-1,0; "},
        {cGrammar, "a\x00{ \x00}\n\xff\xfe\xc3\x28{\n\x80}\n"s, "b0 0,2-0,5; b0 1,4-2,1; "},
    };
    for (const auto& c : cases)
        EXPECT_EQ(scanned(c.grammar, {c.text}), c.expected + "|") << c.grammar << "|" << c.text;
    // Neither the block nor the comment of a text is open in the next one.
    EXPECT_EQ(scanned(cGrammar, {"{\n/* open\n", "x */ }\n\"s\"\n"}), "|s 1,0-1,2; |");
}

}  // namespace
