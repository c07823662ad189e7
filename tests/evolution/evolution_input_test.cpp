// Reading an evolution: refusals of bad files, the revision list's authors,
// the statuses of a data line, syntax classes and agreement with the texts.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "evolution/consistency.h"
#include "evolution/evolution_file.h"
#include "evolution/evolution_path.h"
#include "support/temp_directory.h"
#include "syntax/grammar.h"

namespace {

// An evolution loaded as opening one does, with what the loading printed.
struct Loaded { std::unique_ptr<EvolutionFile> e; bool ok; std::string output; };

Loaded load(const TempDirectory& dir, const std::string& file, Grammar* grammar = nullptr)
{
    auto e = std::make_unique<EvolutionFile>(dir.path(), file, grammar);
    testing::internal::CaptureStdout();
    const bool ok = e->loadEvolution();
    return {std::move(e), ok, testing::internal::GetCapturedStdout()};
}

TEST(EvolutionInput, BadFilesAreRefusedWithOneMessageNamingTheLine)
{
    const std::string h = "demo.c\nBranch: 1.\n";
    std::string garbage;
    for (unsigned i = 0, x = 7; i < 4096; ++i)
        garbage += static_cast<char>((x = x * 1103515245u + 12345u) >> 16);
    const struct { std::string content; int line; const char* reason; } cases[] = {  // line 0: any line
        {"", 1, "empty"}, {"\nBranch: 1.\nLines: 0\nRevisions: 0\n", 1, "name"}, {"demo.c\n", 2, "Branch"},
        {"demo.c\nBranch:\nLines: 0\nRevisions: 0\n", 2, "Branch"},
        {"demo.c\nbranch: 1.\nLines: 0\nRevisions: 0\n", 2, "Branch"},
        {h + "Revisions: 1\nLines: 1\n  1:X\n", 3, "Lines"}, {h + "Lines: many\nRevisions: 1\n", 3, "Lines"},
        {h + "Lines: 99999999999\nRevisions: 1\n", 3, "Lines"}, {h + "Lines: -1\nRevisions: 1\n", 3, "negative"},
        {h + "Lines: 1\nRevis", 4, "Revisions"}, {h + "Lines: 0\nRevisions: -5\n", 4, "negative"},
        {h + "Lines: 3\nRevisions: 2\n  1:X X\n", 6, "1 of 3"}, {h + "Lines: 2\nRevisions: 2\n\n  2:X X\n", 5, "':'"},
        {h + "Lines: 2\nRevisions: 2\n  1:X X\n  2 X X\n", 6, "':'"},
        {h + "Lines: 2\nRevisions: 3\n  1:X X X\n  2:X X\n", 6, "shorter"},
        {h + "Lines: 2000000000\nRevisions: 2\n  1:X X\n  2:X X\n", 7, "2 of 2000000000"},
        {h + "Lines: 2\nRevisions: 1000000\n  1:X X\n  2:X X\n", 5, "shorter"},
        {h + "Lines: 0\nRevisions: 2000000000\n", 4, "larger"},
        {h + std::string("Lines: \0 2\nRevisions: 1\n", 24), 3, "Lines"}, {garbage, 0, ""},
    };
    for (const auto& bad : cases) {
        TempDirectory dir;
        dir.write("demo.c_cvs", bad.content);
        dir.write("demo.c.rev", "1.1%ann%\n");
        const Loaded l = load(dir, "demo.c_cvs");
        SCOPED_TRACE(bad.content.substr(0, 60) + "\n" + l.output);
        EXPECT_FALSE(l.ok);
        const std::string start =
            "\nERROR: " + dir.path() + "demo.c_cvs: line " + (bad.line ? std::to_string(bad.line) + ": " : "");
        EXPECT_EQ(l.output.substr(0, start.size()), start);
        EXPECT_NE(l.output.find(bad.reason, start.size()), std::string::npos);
        EXPECT_EQ(std::count(l.output.begin(), l.output.end(), '\n'), 2);
    }
}

TEST(EvolutionInput, MissingFilesAreNamedWholeInTheMessage)
{
    EXPECT_EQ(splitEvolutionPath("a.c_cvs").directory, "./");
    const EvolutionPath whole = splitEvolutionPath("/x/y/a.c_cvs");
    EXPECT_EQ(whole.directory + whole.fileName, "/x/y/a.c_cvs");
    for (const std::string missing : {"evolution", "folder", "list"}) {
        TempDirectory dir;
        EvolutionSketch sketch;
        sketch.statuses = {"XX"};
        std::string file = writeEvolution(dir, sketch), path = dir.path() + "demo.c.rev";
        if (missing == "list")
            std::filesystem::remove(path);
        else if (missing == "folder")
            dir.write((file = "folder_cvs") + "/inside", ""), path = dir.path() + file;
        else
            path = dir.path() + (file = "absent.c_cvs");
        const Loaded l = load(dir, file);
        EXPECT_EQ(l.output, "\nERROR: Could not open file : " + path + "\n") << missing;
        EXPECT_FALSE(l.ok);
    }
}

TEST(EvolutionInput, DataLinesHoldAStatusAtEveryOtherCharacter)
{
    TempDirectory dir;
    // Carriage returns dropped, a long line read whole, a blank and every unknown character read as deleted.
    dir.write("demo.c_cvs", "demo.c\r\nBranch: 1.\r\nLines: 3\r\nRevisions: 5\r\n  14:X X - > >\r\n"
                            "  2:  X | n D\r\n  3:Q X x D X" + std::string(70000, ' ') + "\n");
    dir.write("demo.c.rev", "");
    const Loaded l = load(dir, "demo.c_cvs");
    ASSERT_TRUE(l.ok);
    const std::vector<std::vector<int>> expected = {{0, 0, 1, 4, 4}, {5, 0, 3, 2, 5}, {5, 0, 5, 5, 0}};
    for (int line = 0; line < 3; ++line)
        for (int r = 0; r < 5; ++r)
            EXPECT_EQ(l.e->lineStatusAt(line, r), expected[line][r]) << line << "," << r;
    EXPECT_EQ(std::make_pair(l.e->moduleName, l.e->branch), std::make_pair(std::string("demo.c"), std::string("1.")));
    EXPECT_STREQ(l.e->statusName(1, 2), "replaced by addition");
}

// First-appearance numbering itself is held against a model in the layout tests; these are the odd lists.
TEST(EvolutionInput, TheRevisionListSkipsForeignEntriesAndLetLaterOnesReplace)
{
    const struct { std::string list; std::vector<int> indices; const char* fourth; } cases[] = {
        // Other branches, numbers past the range, lines without two '%'.
        {"1.2.4.1%x%\n1.12%y%\n2.1%z%\n1.0%w%\n1.5%v%\n1.1 ann\n1.x%u%\n%%%%\n1.4%dee%\n", {-1, -1, -1, 0}, "dee"},
        // A name no revision holds any more is numbered anew when it comes back.
        {"1.1%ann%\n1.1%bob%\n1.2%ann%\n1.4%an author name far longer than thirteen%\n",
         {1, 2, -1, 3}, "an author name far longer than thirteen"},
        {"1.4%%\n", {-1, -1, -1, 0}, ""},
    };
    for (const auto& c : cases) {
        TempDirectory dir;
        EvolutionSketch sketch;
        sketch.statuses = {"XXXX"};
        const std::string file = writeEvolution(dir, sketch);
        dir.write("demo.c.rev", c.list);
        const Loaded l = load(dir, file);
        EXPECT_EQ(l.output, "");
        ASSERT_TRUE(l.ok);
        for (int r = 0; r < 4; ++r)
            EXPECT_EQ(l.e->revisionAuthorIndex(r), c.indices[r]) << c.list << " revision " << r;
        EXPECT_STREQ(l.e->revisionAuthorName(3), c.fourth);
        EXPECT_STREQ(l.e->revisionAuthorName(c.indices[0] < 0 ? 0 : 99), "unknown");
    }
}

std::vector<int> classesAt(const EvolutionFile& e, int revision)
{
    std::vector<int> classes;
    for (int line = 0; line < e.lineCount; ++line)
        classes.push_back(e.lineClasses[line][revision]);
    return classes;
}

TEST(EvolutionInput, RevisionTextsGiveTheirPresentLinesSyntaxClasses)
{
    const std::string six = "a {\n b {\n  c {\n   d {\n    e {\n     f {\n      x;\n     }\n    }\n   }\n  }\n }\n}\n";
    const struct { std::vector<std::string> statuses, texts; std::vector<std::vector<int>> classes; } cases[] = {
        {std::vector<std::string>(7, "X"),
         {"#include <stdio.h>\n// a remark\nconst char* s = \"text\";\n/* spread\n   over lines */\nint x;\n"
          "char* t = \"a\\\"b\"; // note\n"},
         {{3, 1, 2, 1, 1, 0, 2}}},
        {std::vector<std::string>(13, "X"), {six}, {{10, 11, 12, 13, 14, 14, 14, 14, 14, 13, 12, 11, 10}}},
        {std::vector<std::string>(6, "X"), {"int f() {\n    // why\n    g(\"x\");\n    /* a\n       b */\n}\n"},
         {{10, 1, 2, 1, 1, 10}}},
        // Texts map to the lines present in their revision, extra lines dropped, a missing text left plain.
        {{"XXX", ">XX", "XDD", "XXX"},
         {"int f() {\n    return 0;\n}\n", "int f() {\n    // now nothing\n}\n// one\n// two\n"},
         {{10, 0, 10, 10}, {10, 1, 0, 10}, {0, 0, 0, 0}}},
        {{"X", "X"}, {"x = 1;" + std::string(1200, ' ') + "// far out\ny = 2;\n"}, {{1, 0}}},
    };
    for (const auto& c : cases) {
        TempDirectory dir;
        EvolutionSketch sketch;
        sketch.statuses = c.statuses;
        sketch.texts = c.texts;
        sketch.grammar = "BLOCK { }\nCOMMENT_BLOCK /* */\nCOMMENT_LINE //\nCOMMENT_LINE_FRAGMENT //\nREFERENCE #\n";
        const std::string file = writeEvolution(dir, sketch);
        Grammar grammar(dir.path());
        const Loaded l = load(dir, file, &grammar);
        ASSERT_TRUE(l.ok);
        for (size_t r = 0; r < c.classes.size(); ++r)
            EXPECT_EQ(classesAt(*l.e, static_cast<int>(r)), c.classes[r]) << c.texts[0] << " revision " << r;
        EXPECT_EQ(l.output.empty(), c.texts.size() == c.statuses[0].size()) << l.output;
        // Without a grammar nothing is scanned.
        auto plain = loadWrittenEvolution(dir, sketch);
        ASSERT_TRUE(plain);
        EXPECT_EQ(classesAt(*plain, 0), std::vector<int>(c.statuses.size(), 0));
        EXPECT_TRUE(plain->revisionRegions[0].empty());
    }
}

// No layout operation may change anything on a grid with nothing to lay out or when asked for what is not there.
TEST(EvolutionInput, DegenerateGridsAndArgumentsChangeNothing)
{
    for (const std::vector<std::string>& statuses :
         {std::vector<std::string>{}, std::vector<std::string>{"X"}, std::vector<std::string>{"XX", ">X"}}) {
        TempDirectory dir;
        EvolutionSketch sketch;
        sketch.statuses = statuses;
        sketch.authors = {"ann"};
        auto e = loadWrittenEvolution(dir, sketch);
        ASSERT_TRUE(e);
        const int rows = e->rowCount, first = e->firstRevision, last = e->lastRevision;
        for (int mode : {-1, 3})
            e->setFocusRevision(mode, 1), e->setRevisionRange(mode, 1, 1);
        e->setFocusRevision(modeNormal, e->columnCount);
        e->setRevisionRange(modeNormal, 0, 1);
        e->setRevisionRange(modeNormal, 2, 1);
        e->applyViewMode(modeNormal);
        EXPECT_EQ(std::make_tuple(e->rowCount, e->firstRevision, e->lastRevision, e->focusRevision),
                  std::make_tuple(rows, first, last, -1));
        e->buildBlocks(2);
        EXPECT_EQ(std::pair(e->blocks.size(), e->maxBlockLevel), std::pair(size_t{0}, 0));
        EXPECT_EQ(e->presentLineIndex(0, 0, 0), statuses.empty() ? -1 : 0);
    }
}

TEST(Consistency, EveryDisagreementWithTheTextsIsReportedOnce)
{
    // Only the author marks allow a new text.
    for (const auto& [pair, marks] : {std::pair{"--", true}, {"Xn", true}, {"|X", true}, {"XX", false}, {"X-", false},
                                      {"-X", false}, {"X|", false}})
        EXPECT_EQ(statusesMarkChange(pair[0], pair[1]), marks) << pair;
    const std::vector<std::string> sound = {"int main() {\n    return 1;\n    int a = 1;\n}\n",
                                            "int main() {\n    puts(\"hi\");\n    int a = 1;\n}\n",
                                            "int main() {\n    puts(\"hi\");\n    int a = 2;\n}\n"};
    // The revision whose text is spoiled (0: none), its new text ("-": left out), what each problem names.
    const struct { int revision; std::string text; std::vector<std::vector<std::string>> mentions; } cases[] = {
        {0, "", {}},
        {2, sound[1] + "extra\n", {{"revision 2", "4 lines present", "the text has 5"}}},
        {2, "int main(void) {\n    puts(\"hi\");\n    int a = 1;\n}\n",
         {{"revision 2", "evolution line 1 "}, {"revision 3"}}},
        {3, "-", {{"revision 3", "demo.c.v1.3"}}},
    };
    for (const auto& c : cases) {
        TempDirectory dir;
        EvolutionSketch sketch;
        // Line 1 is added in revision 2, line 2 deleted there, and line 3 changed in revision 3 with its marks.
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
