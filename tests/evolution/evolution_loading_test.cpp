// Loading an evolution from its directory: the evolution file, the revision
// list with its authors, and the syntax classes from the revision texts.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "evolution/evolution_file.h"
#include "evolution/evolution_path.h"
#include "support/temp_directory.h"
#include "syntax/grammar.h"

namespace {

const char* const cGrammar =
    "BLOCK { }\n"
    "COMMENT_BLOCK /* */\n"
    "COMMENT_LINE //\n"
    "COMMENT_LINE_FRAGMENT //\n"
    "REFERENCE #\n";

// The syntax classes of every line at one revision, in file order.
std::vector<int> classesAt(const EvolutionFile& e, int revision)
{
    std::vector<int> classes;
    for (int line = 0; line < e.lineCount; ++line)
        classes.push_back(e.lineClasses[line][revision]);
    return classes;
}

std::vector<int> authorIndices(const EvolutionFile& e)
{
    std::vector<int> indices;
    for (int r = 0; r < e.revisionCount; ++r)
        indices.push_back(e.revisionAuthorIndex(r));
    return indices;
}

// An evolution whose revision list is written by hand.
class RevisionList : public ::testing::Test {
protected:
    std::unique_ptr<EvolutionFile> load(int revisions, const std::string& list, const std::string& branch = "1.")
    {
        input.branch = branch;
        input.statuses = {std::string(revisions, 'X')};
        writeEvolution(dir, input);
        dir.write(input.module + ".rev", list);
        auto e = std::make_unique<EvolutionFile>(dir.path(), input.module + "_cvs", nullptr);
        if (!e->loadEvolution())
            return nullptr;
        return e;
    }

    TempDirectory dir;
    EvolutionSketch input;
};

// An evolution scanned with the grammar above.
class SyntaxClasses : public ::testing::Test {
protected:
    std::unique_ptr<EvolutionFile> load()
    {
        dir.write("grammar.dat", cGrammar);
        grammar = std::make_unique<Grammar>(dir.path());
        return loadWrittenEvolution(dir, input, grammar.get());
    }

    TempDirectory dir;
    EvolutionSketch input;
    std::unique_ptr<Grammar> grammar;
};

}  // namespace

TEST(EvolutionConstruction, HoldsOnlyWhereItsFilesLie)
{
    EvolutionFile e("/some/where/", "demo.c_cvs", nullptr);
    EXPECT_EQ(e.directory, "/some/where/");
    EXPECT_EQ(e.fileName, "demo.c_cvs");
    EXPECT_EQ(e.grammar, nullptr);
    EXPECT_EQ(e.maxBlockLevel, 1);
    EXPECT_TRUE(e.lineSpans.empty());
    EXPECT_TRUE(e.runs.empty());
    EXPECT_TRUE(e.blocks.empty());
}

TEST(EvolutionPaths, JoinTheDirectoryWithNothingInBetween)
{
    EXPECT_EQ(evolutionFilePath("D:/work/src/", "demo.c_cvs"), "D:/work/src/demo.c_cvs");
    EXPECT_EQ(revisionListPath("D:/work/src/", "demo.c"), "D:/work/src/demo.c.rev");
    EXPECT_EQ(revisionTextPath("D:/work/src/", "demo.c", "1.2.4.", 12), "D:/work/src/revisions/demo.c.v1.2.4.12");

    const EvolutionPath split = splitEvolutionPath("/home/ann/evo/demo.c_cvs");
    EXPECT_EQ(split.directory, "/home/ann/evo/");
    EXPECT_EQ(split.fileName, "demo.c_cvs");
    const EvolutionPath bare = splitEvolutionPath("demo.c_cvs");
    EXPECT_EQ(bare.directory, "./");
    EXPECT_EQ(bare.fileName, "demo.c_cvs");
}

TEST(EvolutionLoading, HeaderAndInitialLayout)
{
    TempDirectory dir;
    EvolutionSketch input;
    input.module = "parser.c";
    input.branch = "1.3.2.";
    input.statuses = {"XXX", ">XX", "XXD"};
    input.authors = {"ann", "bob", "cid"};
    auto e = loadWrittenEvolution(dir, input);
    ASSERT_TRUE(e);

    EXPECT_EQ(e->moduleName, "parser.c");
    EXPECT_EQ(e->branch, "1.3.2.");
    EXPECT_EQ(e->lineCount, 3);
    EXPECT_EQ(e->revisionCount, 3);
    EXPECT_EQ(e->rowCount, 3);
    EXPECT_EQ(e->columnCount, 3);
    EXPECT_EQ(e->firstRevision, 0);
    EXPECT_EQ(e->lastRevision, 2);
    EXPECT_EQ(e->focusRevision, -1);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(e->rowStatus[i], e->lineStatus[i]);
        EXPECT_EQ(e->rowClasses[i], e->lineClasses[i]);
        for (int r = 0; r < 3; ++r) {
            EXPECT_EQ(e->lineClasses[i][r], 0);
            EXPECT_EQ(e->blockMap[i][r], -1);
        }
    }
    // The layout is built by loading; the blocks are not.
    EXPECT_EQ(e->lineSpans.size(), 3u);
    EXPECT_EQ(e->runs.size(), 4u);
    EXPECT_EQ(e->maxRevisionLength, 3);
    EXPECT_TRUE(e->blocks.empty());
    EXPECT_EQ(authorIndices(*e), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(e->revisionAuthors[1], e->revisionInfo[1].get());

    std::string text;
    e->copyModuleName(text);
    EXPECT_EQ(text, "parser.c");
    e->copyBranch(text);
    EXPECT_EQ(text, "1.3.2.");
    e->copyDirectory(text);
    EXPECT_EQ(text, dir.path());
}

TEST(EvolutionLoading, StatusesStandAtEveryOtherCharacterAfterTheColon)
{
    TempDirectory dir;
    dir.write("demo.c_cvs",
              "demo.c\nBranch: 1.\nLines: 3\nRevisions: 5\n"
              "  14:X X - > >\n"
              "any text at all:XaXb-c>d>\n"
              "  3: X X X X \n"
              "extra lines beyond the count are not read\n");
    dir.write("demo.c.rev", "");
    EvolutionFile e(dir.path(), "demo.c_cvs", nullptr);
    ASSERT_TRUE(e.loadEvolution());
    ASSERT_EQ(e.lineCount, 3);
    EXPECT_EQ(std::string(e.lineStatus[0], 5), "XX->>");
    EXPECT_EQ(std::string(e.lineStatus[1], 5), "XX->>");
    EXPECT_EQ(e.lineStatusAt(2, 0), statusDeleted);
}

TEST(EvolutionLoading, CarriageReturnLineEndsAreDropped)
{
    TempDirectory dir;
    dir.write("grammar.dat", "BLOCK { }\r\nCOMMENT_LINE_FRAGMENT //\r\n");
    dir.write("demo.c_cvs", "demo.c\r\nBranch: 1.\r\nLines: 3\r\nRevisions: 2\r\n"
                            "  1:X X\r\n  2:X X\r\n  3:> X\r\n");
    dir.write("demo.c.rev", "1.1%ann%2024\r\n1.2%bob%\r\n");
    dir.write("revisions/demo.c.v1.1", "int a; // one\r\nint b;\r\n");
    dir.write("revisions/demo.c.v1.2", "int a;\r\nint b;\r\n// c\r\n");
    Grammar grammar(dir.path());
    EvolutionFile e(dir.path(), "demo.c_cvs", &grammar);
    ASSERT_TRUE(e.loadEvolution());
    EXPECT_EQ(e.moduleName, "demo.c");
    EXPECT_EQ(e.branch, "1.");
    EXPECT_EQ(e.lineCount, 3);
    EXPECT_EQ(e.revisionCount, 2);
    EXPECT_EQ(std::string(e.lineStatus[2], 2), ">X");
    EXPECT_STREQ(e.revisionAuthorName(0), "ann");
    EXPECT_STREQ(e.revisionAuthorName(1), "bob");
    EXPECT_EQ(classesAt(e, 0), (std::vector<int>{1, 0, 0}));
    EXPECT_EQ(classesAt(e, 1), (std::vector<int>{0, 0, 1}));
}

TEST(EvolutionLoading, LongLinesAreReadWhole)
{
    const int revisions = 600;  // a data line of 1200 characters
    TempDirectory dir;
    EvolutionSketch input;
    input.statuses = {std::string(revisions - 1, 'X') + "D", std::string(revisions - 1, '>') + "X"};
    writeEvolution(dir, input);
    // The first entry runs on past 1024 characters with what would read as
    // an entry for revision 2 if the line were cut there.
    const std::string head = "1.1%ann%";
    std::string list = head + std::string(1023 - head.size(), 'x') + "1.2%mallory%\n";
    const std::string longName(2000, 'q');
    list += "1.3%" + longName + "%\n";
    dir.write("demo.c.rev", list);
    EvolutionFile e(dir.path(), "demo.c_cvs", nullptr);
    ASSERT_TRUE(e.loadEvolution());

    ASSERT_EQ(e.lineCount, 2);
    ASSERT_EQ(e.revisionCount, revisions);
    EXPECT_EQ(e.lineStatusAt(0, revisions - 2), statusConstant);
    EXPECT_EQ(e.lineStatusAt(0, revisions - 1), statusDeleted);
    EXPECT_EQ(e.lineStatusAt(1, 0), statusAdded);
    EXPECT_EQ(e.lineStatusAt(1, revisions - 1), statusConstant);
    EXPECT_STREQ(e.revisionAuthorName(0), "ann");
    EXPECT_EQ(e.revisionAuthorIndex(1), -1);
    EXPECT_EQ(e.revisionAuthorName(2), longName);
}

TEST_F(RevisionList, EqualNamesShareOneNumberInOrderOfFirstAppearance)
{
    auto e = load(4, "1.1%ann%a\n1.2%bob%b\n1.3%ann%c\n1.4%cid%d\n");
    ASSERT_TRUE(e);
    EXPECT_EQ(authorIndices(*e), (std::vector<int>{0, 1, 0, 2}));
    // Names are compared case-sensitively.
    e = load(2, "1.1%ann%\n1.2%Ann%\n");
    ASSERT_TRUE(e);
    EXPECT_EQ(authorIndices(*e), (std::vector<int>{0, 1}));
}

TEST_F(RevisionList, OnlyEntriesOfTheBranchCount)
{
    auto e = load(12, "1.2.4.1%mallory%\n1.12%ann%\n1.3%bob%\n");
    ASSERT_TRUE(e);
    EXPECT_STREQ(e->revisionAuthorName(11), "ann");
    EXPECT_EQ(e->revisionAuthorIndex(11), 0);
    EXPECT_EQ(e->revisionAuthorIndex(2), 1);
    EXPECT_EQ(e->revisionAuthorIndex(0), -1);

    e = load(2, "1.1%ann%\n1.2.4.1%bob%\n1.2.4.2%cid%\n", "1.2.4.");
    ASSERT_TRUE(e);
    EXPECT_EQ(authorIndices(*e), (std::vector<int>{0, 1}));
    EXPECT_STREQ(e->revisionAuthorName(0), "bob");
}

TEST_F(RevisionList, ALaterEntryReplacesAnEarlierOne)
{
    // Ann's first number is held by no revision after the replacement and
    // is not handed out again.
    auto e = load(3, "1.1%ann%\n1.2%bob%\n1.1%cid%\n1.3%ann%\n");
    ASSERT_TRUE(e);
    EXPECT_EQ(authorIndices(*e), (std::vector<int>{2, 1, 3}));
    EXPECT_STREQ(e->revisionAuthorName(0), "cid");

    // A name still held elsewhere keeps its number.
    e = load(3, "1.1%ann%\n1.2%ann%\n1.1%bob%\n1.3%ann%\n");
    ASSERT_TRUE(e);
    EXPECT_EQ(authorIndices(*e), (std::vector<int>{1, 0, 0}));
}

TEST_F(RevisionList, MalformedAndOutOfRangeEntriesAreSkipped)
{
    auto e = load(3,
                  "a line of prose\n"
                  "1.1 ann no fields\n"
                  "1.1%ann\n"
                  "11%ann%no dot\n"
                  "1.x%ann%\n"
                  "1.0%ann%\n"
                  "1.4%ann%\n"
                  "1.-1%ann%\n"
                  "%%\n"
                  "\n"
                  "1.2%%empty name\n"
                  "1.3%an author name far longer than thirteen characters%\n");
    ASSERT_TRUE(e);
    EXPECT_EQ(e->revisionAuthorIndex(0), -1);
    EXPECT_EQ(e->revisionAuthorIndex(1), 0);
    EXPECT_STREQ(e->revisionAuthorName(1), "");
    EXPECT_STREQ(e->revisionAuthorName(2), "an author name far longer than thirteen characters");
}

TEST_F(SyntaxClasses, EachRegionKindGivesItsClass)
{
    input.statuses = {"X", "X", "X", "X", "X", "X", "X"};
    input.texts = {
        "#include <stdio.h>\n"             // 0 reference
        "// a remark\n"                    // 1 comment
        "const char* s = \"text\";\n"      // 2 string
        "/* spread\n"                      // 3 comment
        "   over lines */\n"               // 4 comment
        "int x;\n"                         // 5 plain
        "char* t = \"a\\\"b\"; // note\n"  // 6 the string ends first and so wins
    };
    auto e = load();
    ASSERT_TRUE(e);
    EXPECT_EQ(classesAt(*e, 0), (std::vector<int>{3, 1, 2, 1, 1, 0, 2}));
}

TEST_F(SyntaxClasses, NestedBlocksDeepenUpToTheCap)
{
    input.statuses = std::vector<std::string>(13, "X");
    // Six blocks, one inside the other; the innermost is six deep.
    input.texts = {
        "a {\n"
        " b {\n"
        "  c {\n"
        "   d {\n"
        "    e {\n"
        "     f {\n"
        "      x;\n"
        "     }\n"
        "    }\n"
        "   }\n"
        "  }\n"
        " }\n"
        "}\n"
    };
    auto e = load();
    ASSERT_TRUE(e);
    EXPECT_EQ(classesAt(*e, 0), (std::vector<int>{10, 11, 12, 13, 14, 14, 14, 14, 14, 13, 12, 11, 10}));
}

TEST_F(SyntaxClasses, CommentsAndStringsInsideABlockWin)
{
    input.statuses = {"X", "X", "X", "X", "X", "X"};
    input.texts = {
        "int f() {\n"
        "    // why\n"
        "    g(\"x\");\n"
        "    /* a\n"
        "       b */\n"
        "}\n"};
    auto e = load();
    ASSERT_TRUE(e);
    EXPECT_EQ(classesAt(*e, 0), (std::vector<int>{10, 1, 2, 1, 1, 10}));
}

TEST_F(SyntaxClasses, TextLinesMapToTheLinesPresentInTheirRevision)
{
    // Line 1 is added in revision 1, line 2 deleted there.
    input.statuses = {"XX", ">X", "XD", "XX"};
    input.texts = {
        "int f() {\n"
        "    return 0;\n"
        "}\n",
        "int f() {\n"
        "    // now nothing\n"
        "}\n"};
    auto e = load();
    ASSERT_TRUE(e);
    EXPECT_EQ(classesAt(*e, 0), (std::vector<int>{10, 0, 10, 10}));
    EXPECT_EQ(classesAt(*e, 1), (std::vector<int>{10, 1, 0, 10}));
}

TEST_F(SyntaxClasses, TextLinesBeyondTheEvolutionAreIgnored)
{
    // The text has more lines than the evolution marks present.
    input.statuses = {"X", "X"};
    input.texts = {"int a;\n// one\n// two\n// three\n{\n\n}\n"};
    auto e = load();
    ASSERT_TRUE(e);
    EXPECT_EQ(classesAt(*e, 0), (std::vector<int>{0, 1}));
}

TEST_F(SyntaxClasses, ALongTextLineStaysOneLine)
{
    input.statuses = {"X", "X"};
    input.texts = {"x = 1;" + std::string(1200, ' ') + "// far out\ny = 2;\n"};
    auto e = load();
    ASSERT_TRUE(e);
    EXPECT_EQ(classesAt(*e, 0), (std::vector<int>{1, 0}));
}

TEST_F(SyntaxClasses, AMissingRevisionTextLeavesItsLinesPlain)
{
    input.statuses = {"XXX", "XXX"};
    input.texts = {"// a\n// b\n", "// a\n// b\n"};  // revision 3 has no text
    testing::internal::CaptureStdout();
    auto e = load();
    const std::string output = testing::internal::GetCapturedStdout();
    ASSERT_TRUE(e);
    EXPECT_EQ(output, "\nERROR: Could not open file " + dir.path() + "revisions/demo.c.v1.3 for reading\n");
    EXPECT_EQ(classesAt(*e, 1), (std::vector<int>{1, 1}));
    EXPECT_EQ(classesAt(*e, 2), (std::vector<int>{0, 0}));
    EXPECT_TRUE(e->revisionRegions[2].empty());
}

TEST(EvolutionLoading, WithoutAGrammarNothingIsScanned)
{
    TempDirectory dir;
    EvolutionSketch input;
    input.statuses = {"X"};
    input.texts = {"// a comment\n"};
    dir.write("grammar.dat", cGrammar);
    auto e = loadWrittenEvolution(dir, input);
    ASSERT_TRUE(e);
    EXPECT_EQ(e->lineClasses[0][0], 0);
    EXPECT_TRUE(e->revisionRegions[0].empty());
}
