// Reading an evolution (refusals of bad files, revision lists, statuses, syntax classes, agreement with the
// texts), then its rows, spans, runs, blocks and line accessors against a model through random view changes.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <random>
#include <set>
#include <tuple>

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
        {h + "Lines: +-1\nRevisions: 1\n", 3, "Lines"}, {h + "Lines: 1\nRevisions: 3\n  1:X X \n", 5, "shorter"},
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
    EXPECT_EQ(splitEvolutionPath("/x/y/a.c_cvs").directory + splitEvolutionPath("/x/y/a.c_cvs").fileName, "/x/y/a.c_cvs");
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

// First-appearance author numbering itself is held against a model below; these are the odd lists.
TEST(EvolutionInput, DataLinesHoldAStatusAtEveryOtherCharacterAndTheRevisionListSkipsForeignEntries)
{
    const struct { std::string list; std::vector<int> indices; const char* fourth; } cases[] = {
        // Other branches, numbers past the range, lines without two '%'.
        {"1.2.4.1%x%\n1.12%y%\n2.1%z%\n1.0%w%\n1.6%v%\n1.1 ann\n1.x%u%\n%%%%\n1.4%dee%\n", {-1, -1, -1, 0}, "dee"},
        // A later entry replaces an earlier one; a name no revision holds any more is numbered anew.
        {"1.1%ann%\n1.1%bob%\n1.2%ann%\n1.4%an author name far longer than thirteen%\n",
         {1, 2, -1, 3}, "an author name far longer than thirteen"},
        {"1.4%%\n", {-1, -1, -1, 0}, ""},
    };
    for (const auto& c : cases) {
        TempDirectory dir;
        // Carriage returns dropped, a long line read whole, a blank and every unknown character read as deleted.
        dir.write("demo.c_cvs", "demo.c\r\nBranch: 1.\r\nLines: 3\r\nRevisions: 5\r\n  14:X X - > >\r\n"
                                "  2:  X | n D\r\n  3:Q X x D X" + std::string(70000, ' ') + "\n");
        dir.write("demo.c.rev", c.list);
        const Loaded l = load(dir, "demo.c_cvs");
        ASSERT_TRUE(l.ok);
        EXPECT_EQ(l.output, "");
        const std::vector<std::vector<int>> expected = {{0, 0, 1, 4, 4}, {5, 0, 3, 2, 5}, {5, 0, 5, 5, 0}};
        for (int line = 0; line < 3; ++line)
            for (int r = 0; r < 5; ++r)
                EXPECT_EQ(l.e->lineStatusAt(line, r), expected[line][r]) << line << "," << r;
        EXPECT_EQ(std::tie(l.e->moduleName, l.e->branch), std::make_tuple("demo.c", "1."));
        EXPECT_STREQ(l.e->statusName(1, 2), "replaced by addition");
        for (int r = 0; r < 4; ++r)
            EXPECT_EQ(l.e->revisionAuthorIndex(r), c.indices[r]) << c.list << " revision " << r;
        EXPECT_STREQ(l.e->revisionAuthorName(3), c.fourth);
        EXPECT_STREQ(l.e->revisionAuthorName(c.indices[0] < 0 ? 0 : 99), "unknown");
    }
}

TEST(EvolutionInput, RevisionTextsGiveTheirPresentLinesSyntaxClasses)
{
    const auto classesAt = [](const EvolutionFile& e, int revision) {
        std::vector<int> classes;
        for (int line = 0; line < e.lineCount; ++line)
            classes.push_back(e.lineClasses[line][revision]);
        return classes;
    };
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
        e->setFocusRevision(modeNormal, e->columnCount), e->setRevisionRange(modeNormal, 0, 1);
        e->setRevisionRange(modeNormal, 2, 1), e->applyViewMode(modeNormal);
        EXPECT_EQ(std::make_tuple(e->rowCount, e->firstRevision, e->lastRevision, e->focusRevision),
                  std::make_tuple(rows, first, last, -1));
        e->buildBlocks(2);
        EXPECT_EQ(std::pair(e->blocks.size(), e->maxBlockLevel), std::pair(size_t{0}, 0));
        EXPECT_EQ(e->presentLineIndex(0, 0, 0), statuses.empty() ? -1 : 0);
    }
}

TEST(Consistency, EveryDisagreementWithTheTextsIsReportedOnce)
{
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


bool present(char c) { return c != '>' && c != 'D'; }

struct Model {
    std::vector<std::string> s;  // per file line, one status per revision
    int first = 0, last = 0, focus = -1, mode = modeNormal;
    bool filtered = false;  // loading shows every line, the first filter only some

    std::vector<int> rows() const
    {
        std::vector<int> out;
        for (int line = 0; line < static_cast<int>(s.size()); ++line)
            if (!filtered || (s[line][first] != 'D' && s[line][last] != '>' &&
                (mode == modeInterpolated || focus < 0 || present(s[line][focus]))))
                out.push_back(line);
        return out;
    }
};

using Block = std::tuple<int, int, int, int, int>;  // rows, revisions, level

// Chains of equal extent: for each (length, anchor), the maximal runs of
// positions that step by one.
// In the order the blocks stand: longest first, then from the top, then from the left.
std::vector<Block> modelBlocks(const std::map<std::pair<int, int>, std::set<int>>& groups, bool byRuns)
{
    std::vector<Block> blocks;
    for (const auto& [key, positions] : groups) {
        const int length = -key.first, anchor = key.second;
        for (auto p = positions.begin(); p != positions.end();) {
            int end = *p;
            while (positions.count(end + 1))
                ++end;
            blocks.push_back(byRuns ? Block{anchor, *p, anchor + length - 1, end, length - 1}
                                    : Block{*p, anchor, end, anchor + length - 1, length - 1});
            p = positions.upper_bound(end);
        }
    }
    std::sort(blocks.begin(), blocks.end(), [](const Block& a, const Block& b) {
        return std::tuple(-std::get<4>(a), std::get<0>(a), std::get<1>(a)) <
               std::tuple(-std::get<4>(b), std::get<0>(b), std::get<1>(b));
    });
    return blocks;
}

void checkAgainstModel(EvolutionFile& e, const Model& m)
{
    const std::vector<int> rows = m.rows();
    ASSERT_EQ(e.rowCount, static_cast<int>(rows.size()));
    ASSERT_EQ(std::make_pair(e.firstRevision, e.lastRevision), std::make_pair(m.first, m.last));
    EXPECT_EQ(e.focusRevision, m.focus);
    const int columns = static_cast<int>(m.s[0].size());
    std::map<std::pair<int, int>, std::set<int>> runGroups, spanGroups;
    for (int i = 0; i < e.rowCount; ++i) {
        const std::string& st = m.s[rows[i]];
        ASSERT_EQ(e.rowStatus[i], e.lineStatus[rows[i]]) << "row " << i;
        const int born = std::max<int>(0, std::find_if(st.begin(), st.end(), present) - st.begin()) % columns;
        const int gone = static_cast<int>(std::find(st.begin() + born, st.end(), 'D') - st.begin());
        EXPECT_EQ(std::make_tuple(e.lineSpans[i].row, e.lineSpans[i].firstRevision, e.lineSpans[i].length),
                  std::make_tuple(i, born, gone - born)) << "span of row " << i;
        spanGroups[{-(gone - born), born}].insert(i);
    }
    std::vector<std::tuple<int, int, int>> runs;
    for (int r = m.first; r <= m.last; ++r)
        for (int i = 0; i < e.rowCount; ++i)
            if (present(m.s[rows[i]][r]) && (i == 0 || !present(m.s[rows[i - 1]][r]))) {
                int end = i;
                while (end < e.rowCount && present(m.s[rows[end]][r]))
                    ++end;
                runs.emplace_back(i, r, end - i);
                runGroups[{-(end - i), i}].insert(r);
            }
    ASSERT_EQ(e.runs.size(), runs.size());
    for (size_t k = 0; k < runs.size(); ++k)
        EXPECT_EQ(std::make_tuple(e.runs[k].firstRow, e.runs[k].revision, e.runs[k].length), runs[k]) << "run " << k;
    int longest = 0;
    for (int r = 0; r < columns; ++r)
        longest = std::max(longest, static_cast<int>(std::count_if(rows.begin(), rows.end(),
                                                                   [&](int l) { return present(m.s[l][r]); })));
    EXPECT_EQ(e.maxRevisionLength, longest);

    for (int sorting : {0, 1, 0}) {  // ending as the next check begins: kept only while the rows stay
        e.buildBlocks(sorting);
        std::vector<Block> found;
        std::vector<std::vector<int>> owner(e.rowCount, std::vector<int>(columns, -1));
        int level = 0;
        for (size_t b = 0; b < e.blocks.size(); ++b) {
            const EvolutionBlock& k = e.blocks[b];
            found.push_back({k.firstRow, k.firstRevision, k.lastRow, k.lastRevision, static_cast<int>(k.level)});
            level = std::max(level, static_cast<int>(k.level));
            for (int row = k.firstRow; row <= k.lastRow; ++row)
                for (int r = k.firstRevision; r <= k.lastRevision; ++r)
                    owner[row][r] = static_cast<int>(b);
        }
        EXPECT_EQ(found, modelBlocks(sorting == 0 ? runGroups : spanGroups, sorting == 0)) << "sorting " << sorting;
        EXPECT_EQ(e.maxBlockLevel, level);
        for (int row = 0; row < e.rowCount; ++row)
            for (int r = 0; r < columns; ++r)
                ASSERT_EQ(e.blockAt(row, r), owner[row][r]) << "block of row " << row << " at " << r;
    }
}

// The accessors between file lines, text lines and authors, which no view change may move.
void checkLineAccessors(const EvolutionFile& e, const EvolutionSketch& sketch)
{
    const auto& s = sketch.statuses;
    const int lines = static_cast<int>(s.size()), columns = static_cast<int>(s[0].size());
    for (int r = 0; r < columns; ++r) {  // numbered in order of first appearance
        const auto first = std::find(sketch.authors.begin(), sketch.authors.end(), sketch.authors[r]);
        EXPECT_EQ(e.revisionAuthorIndex(r), static_cast<int>(std::set(sketch.authors.begin(), first).size()));
        EXPECT_STREQ(e.revisionAuthorName(r), sketch.authors[r].c_str());
    }
    for (int a = 0; a < columns; ++a)
        for (int b = a; b < columns; ++b) {
            std::vector<int> passing;
            for (int l = 0; l < lines; ++l)
                if (s[l][a] != 'D' && s[l][b] != '>')
                    passing.push_back(l);
            for (int k = -1; k <= static_cast<int>(passing.size()); ++k)
                EXPECT_EQ(e.presentLineIndex(k, a, b), k >= 0 && k < static_cast<int>(passing.size()) ? passing[k] : -1)
                    << k << " in " << a << ".." << b;
        }
    for (int l = 0; l < lines; ++l)
        for (int r = 0; r < columns; ++r) {
            int above = -1;
            for (int i = 0; i <= l; ++i)
                above += present(s[i][r]) ? 1 : 0;
            EXPECT_EQ(e.lineNumberIn(l, r), above);
            // The author of the last revision whose marks say this line took the state it has at r.
            int author = e.revisionAuthorIndex(0);
            for (int q = 0; q < r; ++q) {
                const char x = s[l][q], y = s[l][q + 1];
                if ((x == '-' && y == '-') || (decodeStatus(x) != decodeStatus(s[l][r]) && (x == '>' || y == 'n' || x == '|')))
                    author = e.revisionAuthorIndex(q + 1);
            }
            EXPECT_EQ(e.lineAuthor(l, r), s[l][r] == '>' ? -1 : author) << "line " << l << " at " << r;
        }
    EXPECT_EQ(e.lineNumberIn(-1, 0), -1);
}

TEST(EvolutionLayout, MatchesTheModelThroughRandomRangesFocusesAndModes)
{
    for (unsigned seed = 1; seed <= 60; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        std::mt19937 random(seed);
        const int lines = 1 + static_cast<int>(random() % 14), columns = 1 + static_cast<int>(random() % 9);
        Model m{randomStatuses(seed, lines, columns), 0, columns - 1};
        TempDirectory dir;
        EvolutionSketch sketch;
        sketch.statuses = m.s;
        for (int r = 0; r < columns; ++r)
            sketch.authors.push_back(std::string(1, "abc"[random() % 3]));
        auto e = loadWrittenEvolution(dir, sketch);
        ASSERT_TRUE(e);
        ASSERT_NO_FATAL_FAILURE(checkAgainstModel(*e, m));
        for (int step = 0; step < 12; ++step) {
            const int kind = static_cast<int>(random() % 3), mode = static_cast<int>(random() % 3);
            const int a = static_cast<int>(random() % (columns + 1)), b = static_cast<int>(random() % (columns + 2));
            if (kind == 0) {
                e->setRevisionRange(mode, a, b);
                if (a >= 1 && b <= columns && a <= b) {
                    m.first = a - 1, m.last = b - 1, m.mode = mode, m.filtered = true;
                    m.focus = m.focus >= m.first && m.focus <= m.last ? m.focus : -1;
                }
            } else if (kind == 1) {
                const int revision = a - 1, focus = std::max(revision, 1);
                e->setFocusRevision(mode, revision);
                if (revision >= 0 && focus < columns) {
                    m.last = std::max(m.last, revision), m.first = std::min(m.first, focus - 1);
                    m.mode = mode, m.filtered = true;
                    m.focus = mode != modeInterpolated && m.focus == focus ? -1 : focus;
                }
            } else {
                e->applyViewMode(mode);
                m.mode = mode, m.filtered = true;
            }
            SCOPED_TRACE("step " + std::to_string(step));
            ASSERT_NO_FATAL_FAILURE(checkAgainstModel(*e, m));
        }
        checkLineAccessors(*e, sketch);
    }
}

}  // namespace
