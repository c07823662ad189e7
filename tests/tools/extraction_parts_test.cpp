// The pieces of an extraction held against small oracles, and the bundled examples.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>

#include "app/globals.h"
#include "colouring/colour_maps.h"
#include "evolution/consistency.h"
#include "evolution/evolution_file.h"
#include "extract/change_marking.h"
#include "extract/evolution_lines.h"
#include "extract/evolution_text.h"
#include "extract/grammar_table.h"
#include "extract/line_diff.h"
#include "extract/output_directory.h"
#include "syntax/grammar.h"
#include "tools/repositories.h"

void PrintTo(const LineHunk& h, std::ostream* out)
{
    *out << "{" << h.oldFirst << "," << h.oldCount << " -> " << h.newFirst << "," << h.newCount << "}";
}

namespace fs = std::filesystem;

namespace {

// Every life of a line in up to ten revisions with every set of changes: the statuses mark a change
// exactly where the text changed, and lineAuthor and the layouts' row-author rule name who last changed it.
TEST(Marking, EveryLifeInUpToTenRevisions)
{
    for (int revisions = 1; revisions <= 10; ++revisions) {
        std::vector<LineLife> lives;
        EvolutionSketch sketch;
        for (int begin = 0; begin < revisions; ++begin)
            for (int end = begin + 1; end <= revisions; ++end)
                for (int subset = 0; subset < (1 << (end - begin - 1)); ++subset) {
                    LineLife& life = lives.emplace_back(LineLife{begin, end, {}});
                    for (int r = begin + 1; r < end; ++r)
                        if (subset & (1 << (r - begin - 1)))
                            life.changes.push_back(r);
                    sketch.statuses.push_back(lineStatuses(life, revisions));
                }
        const TempDirectory scratch;
        for (int r = 0; r < revisions; ++r)
            sketch.authors.push_back("a" + std::to_string(r));
        currentEvolution = loadWrittenEvolution(scratch, sketch);
        ASSERT_NE(currentEvolution, nullptr);
        std::vector<int> allCells(lives.size(), 0), presentCells(lives.size(), 0);
        for (int r = 0; r < revisions; ++r) {
            for (size_t line = 0; line < lives.size(); ++line) {
                const LineLife& life = lives[line];
                const std::string& s = sketch.statuses[line];
                const int row = static_cast<int>(line), status = decodeStatus(s[r]);
                const bool changed = std::count(life.changes.begin(), life.changes.end(), r) > 0;
                const auto after = std::upper_bound(life.changes.begin(), life.changes.end(), r);
                const int responsible = after == life.changes.begin() ? life.begin : *(after - 1);
                const std::string where = "revision " + std::to_string(r) + " of " + s;
                updateRowAuthor(allCells.data(), row, r);
                if (currentEvolution->rowPresent(row, r))
                    updateRowAuthor(presentCells.data(), row, r);
                if (r < life.begin) {
                    EXPECT_EQ(status, statusAdded) << where;
                    continue;
                }
                EXPECT_EQ(currentEvolution->lineAuthor(row, r), responsible) << where;
                if (r >= life.end) {
                    EXPECT_EQ(status, statusDeleted) << where;
                    continue;
                }
                EXPECT_TRUE(isPresentStatus(status)) << where;
                EXPECT_EQ(allCells[line], responsible) << where;
                EXPECT_EQ(presentCells[line], responsible) << where;
                EXPECT_TRUE(r == life.begin || statusesMarkChange(s[r - 1], s[r]) == changed) << where;
                EXPECT_TRUE(!changed || status == statusModified || status == statusReplacedByDeletion ||
                            status == statusReplacedByAddition) << where;
            }
        }
        currentEvolution.reset();
    }
    // Changes two revisions apart must not join into one at the revision between.
    EXPECT_EQ(lineStatuses({0, 8, {2, 4, 6}}, 8), "X--|n--X");
    EXPECT_EQ(lineStatuses({0, 8, {2, 3, 5, 6}}, 8), "X---|--X");
}

std::vector<LineHunk> diff(const std::string& before, const std::string& after)
{
    std::vector<LineHunk> hunks;
    std::string error;
    EXPECT_TRUE(diffLines(before, after, hunks, error)) << error;
    return hunks;
}

TEST(LineDiff, NamesEmptySidesByTheLineTheyGoBeforeAndTellsLineEndsApart)
{
    struct Case { std::string before, after; std::vector<LineHunk> hunks; };
    for (const Case& c : {Case{"a\nb\n", "x\na\nb\n", {{0, 0, 0, 1}}}, {"a\nb\n", "a\nx\nb\n", {{1, 0, 1, 1}}},
                          {"a\nb\n", "a\nb\nx\n", {{2, 0, 2, 1}}}, {"a\nb\nc\n", "a\nc\n", {{1, 1, 1, 0}}},
                          {"a\nb\nc\n", "a\nB\nB2\nc\n", {{1, 1, 1, 2}}}, {"", "a\n", {{0, 0, 0, 1}}},
                          {"a\n", "", {{0, 1, 0, 0}}}, {"a\r\nb\n", "a\nb\n", {{0, 1, 0, 1}}},
                          {"a\nb", "a\nb\n", {{1, 1, 1, 1}}},
                          {std::string("a\0b\nc\n", 6), std::string("a\0b\nd\n", 6), {{1, 1, 1, 1}}}})
        EXPECT_EQ(diff(c.before, c.after), c.hunks) << c.before << " -> " << c.after;
    EXPECT_EQ(countLines("a\nb") + countLines("a\n\n") + countLines(""), 4);
}

// Random texts over a small alphabet: the n-th present line of each revision is its n-th line.
TEST(EvolutionLines, EveryRevisionsLinesInTheOrderOfItsText)
{
    std::mt19937 random(5);
    const auto count = [](const std::string& text) { return static_cast<int>(std::ranges::count(text, '\n')); };
    for (int trial = 0; trial < 200; ++trial) {
        std::vector<std::string> texts(6);
        for (std::string& text : texts)
            for (int n = random() % 8; n > 0; --n)
                text.append({"abcde"[random() % 5], '\n'});
        EvolutionLines lines;
        startEvolution(lines, count(texts[0]));
        std::string error;
        for (size_t r = 1; r < texts.size(); ++r)
            ASSERT_TRUE(addRevision(lines, diff(texts[r - 1], texts[r]), count(texts[r]), error)) << error;
        const std::vector<int> order = evolutionOrder(lines);
        for (size_t r = 0; r < texts.size(); ++r) {
            int present = 0;
            for (int line : order)
                present += isPresentChar(lineStatuses(lines.lives[line], lines.revisionCount)[r]);
            EXPECT_EQ(present, count(texts[r])) << "trial " << trial << " revision " << r;
        }
    }
    EvolutionLines lines;
    std::string error;
    startEvolution(lines, 2);
    for (const std::vector<LineHunk>& misfit : std::vector<std::vector<LineHunk>>{
             {{1, 3, 1, 1}}, {{1, 1, 1, 1}, {0, 1, 0, 1}}, {{0, 1, 0, 2}}})
        EXPECT_FALSE(addRevision(lines, misfit, 2, error));
    EXPECT_EQ(lines.revisionCount, 1);
}

TEST(EvolutionText, WritesTheFilesTheProgramLoads)
{
    EvolutionLines lines;
    startEvolution(lines, 2);
    std::string error;
    ASSERT_TRUE(addRevision(lines, diff("a\nb\n", "a\nB\nc\n"), 3, error));
    ASSERT_TRUE(addRevision(lines, diff("a\nB\nc\n", "c\n"), 1, error));
    // A new line goes right after the line it follows; a replacement's surplus after the lines it pairs with.
    const std::string text = formatEvolutionFile("demo.c", "1.", lines);
    EXPECT_EQ(text, "demo.c\nBranch: 1.\nLines: 3\nRevisions: 3\n1:X X D\n2:- - D\n3:> X X\n");
    SourceHistory history;
    history.branch = "1.";
    history.revisions = {{"ann", "2024-01-02T03:04:05+00:00", "first", "abc1234"},
                         {"bob 100%", "2024-01-03", "50% done", "1.2"}, {"ann", "2024-01-04", "", ""}};
    EXPECT_EQ(formatRevisionList(history), "1.1%ann%2024-01-02T03:04:05+00:00%abc1234%first\n"
                                           "1.2%bob 100_%2024-01-03%1.2%50% done\n1.3%ann%2024-01-04%%\n");
    const TempDirectory scratch;
    scratch.write("demo.c_cvs", text);
    scratch.write("demo.c.rev", formatRevisionList(history));
    EvolutionFile evolution(scratch.path(), "demo.c_cvs", nullptr);
    ASSERT_TRUE(evolution.loadEvolution());
    EXPECT_STREQ(evolution.revisionAuthorName(1), "bob 100_");
    EXPECT_EQ(evolution.revisionAuthorIndex(2), 0);
    const RevisionInfo& second = *evolution.revisionAuthors[1];
    EXPECT_EQ(second.date + "|" + second.id + "|" + second.subject, "2024-01-03|1.2|50% done");
    // Lists written before ids: the subject follows the date.
    for (const auto& [fields, want] : {std::pair{"2023-01-09%Fix 100% of it", "2023-01-09||Fix 100% of it"},
                                       {"2023-01-09", "2023-01-09||"}, {"d%%s%t", "d||s%t"}}) {
        RevisionInfo info;
        readRevisionDetails(fields, info);
        EXPECT_EQ(info.date + "|" + info.id + "|" + info.subject, want) << fields;
    }
    startEvolution(lines, 12);
    EXPECT_NE(formatEvolutionFile("x", "1.", lines).find("\n 9:X\n10:X\n"), std::string::npos);
}

TEST(GrammarTable, EveryLanguagesTokensSurviveTheGrammarFileFormat)
{
    const TempDirectory scratch;
    struct Case { const char* file; std::string Grammar::*token; const char* value; };
    for (const Case& c : {Case{"evolution_file.cpp", &Grammar::reference, "#include"},
                          {"a.c", &Grammar::commentBlockClose, "*/"}, {"Main.java", &Grammar::reference, "import"},
                          {"lib.rs", &Grammar::reference, "use"}, {"tool.py", &Grammar::commentLineFragment, "#"},
                          {"tool.py", &Grammar::blockOpen, ""}, {"build.sh", &Grammar::reference, "source"},
                          {"Makefile", &Grammar::reference, "include"}, {"unit.pas", &Grammar::blockClose, "end"},
                          {"main.adb", &Grammar::commentLine, "--"}, {"a.go", &Grammar::blockOpen, "{"},
                          {"a.sql", &Grammar::commentLine, "--"}, {"a.lua", &Grammar::commentLine, "--"},
                          {"a.yaml", &Grammar::commentLine, "#"}, {"a.rb", &Grammar::commentLine, "#"}}) {
        const std::string text = grammarForFile(c.file).text;
        scratch.write("grammar.dat", text);
        EXPECT_EQ(Grammar(scratch.path()).*c.token, c.value) << c.file;
        // A token with a blank or comma inside would be read as two.
        for (const std::string& line : textLines(text)) {
            const bool pair = line.starts_with("BLOCK ") || line.starts_with("COMMENT_BLOCK ");
            EXPECT_EQ(std::count(line.begin(), line.end(), ' '), pair ? 2 : 1) << c.file << ": " << line;
            EXPECT_EQ(line.find(','), std::string::npos) << c.file << ": " << line;
        }
    }
    EXPECT_EQ(grammarForFile("notes.txt").language + grammarForFile("c").text, "plain text");

    for (const auto& [file, belongs] : {std::pair{"a.c_cvs", true}, {"a.c.rev", true}, {"a.c.state", true},
                                        {"grammar.dat", true}, {"config.cfg", true}, {"revisions/a.c.v1.12", true},
                                        {"revisions/a.c.v1.2.4.3", true}, {"revisions/a.c.v1.x", false},
                                        {"revisions/b.c.v1.1", false}, {"b.c_cvs", false}, {"a.c", false}})
        EXPECT_EQ(isEvolutionFile(file, "a.c"), belongs) << file;
}

TEST(Examples, EachLoadsIsSoundAndTheWordCounterIsWhatItsScriptWrites)
{
    const fs::path source = QUILLON_SOURCE_DIR;
    int found = 0;
    for (const auto& entry : fs::recursive_directory_iterator(source / "examples"))
        if (const std::string path = entry.path().string(); path.ends_with("_cvs")) {
            const CommandResult check = runProgram({QUILLON_CHECK, path});  // loads it with its grammar
            EXPECT_NE(check.output.find("Consistency: sound"), std::string::npos) << path << "\n" << check.output;
            ++found;
        }
    EXPECT_GE(found, 2);

    const TempDirectory scratch;
    ASSERT_EQ(runProgram({"python3", (source / "scripts/make_example.py").string(), scratch.path() + "w"}).status, 0);
    const auto committed = filesBelow(source / "examples" / "wordfreq"), made = filesBelow(scratch.path() + "w");
    EXPECT_EQ(made.size(), committed.size());
    for (const auto& [file, text] : committed)
        EXPECT_TRUE(made.count(file) && made.at(file) == text)
            << file << " differs from what scripts/make_example.py writes; run make examples";
}

}  // namespace
