// Bad input to quillon-extract, its readers and quillon-check --blame: one clear message, a non-zero
// exit, and no evolution half-written nor an existing one spoiled.

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>

#include "extract/evolution_extraction.h"
#include "extract/extract_options.h"
#include "extract/interruption.h"
#include "extract/rcs_edits.h"
#include "extract/rcs_file.h"
#include "extract/rcs_history.h"
#include "tools/repositories.h"

namespace fs = std::filesystem;

namespace {

TEST(Refusals, CommandLinesRepositoriesOutputDirectoriesAndRevisionsLostHalfway)
{
    GitRepository repository;  // a.c in three revisions by ann, bob and ann, pic.bin in the first
    repository.put("pic.bin", std::string("PNG\0\1", 5));
    for (const char* text : {"int a;\n", "int a;\nint b;\n", "int a = 1;\nint b;\n"}) {
        repository.put("a.c", text);
        repository.commit(repository.commits == 1 ? "bob" : "ann");
    }
    const TempDirectory scratch;
    ASSERT_EQ(runProgram({"git", "clone", "-q", "--depth", "1", "file://" + repository.top, scratch.path() + "shallow"})
                  .status, 0);
    scratch.write("a.c,v", "int main(void) { return 0; }\n");
    scratch.write("plain", "x\n");
    scratch.write("other/notes.txt", "mine\n");
    const std::string repo = repository.top, s = scratch.path(), out = s + "out", existing = s + "existing";
    ASSERT_EQ(runExtract({"git", repo, "a.c", existing}).status, 0);
    scratch.write("existing/notes.txt", "mine\n");
    scratch.write("existing/revisions/b.c.v1.1", "another evolution's\n");
    const auto before = filesBelow(s);
    // The second revision's text lost from the object store, the commits and trees that name it intact.
    const std::string blob = textLines(repository.git({"rev-parse", "HEAD~1:a.c"}).output).at(0);
    ASSERT_TRUE(fs::remove(repo + ".git/objects/" + blob.substr(0, 2) + "/" + blob.substr(2)));
    // The message is looked for in standard output, or in standard error for status 2.
    struct Case { std::vector<std::string> arguments; int status; std::string message; };
    const std::vector<Case> cases = {
        {{"git", "only-one"}, 2, "usage: quillon-extract"}, {{"--help"}, 0, "usage: quillon-extract"},
        {{"--version"}, 0, "quillon-extract "},
        {{"git", s + "nothing", "a.c", out}, 1, "ERROR: " + s + "nothing is not a git repository"},
        {{"git", repo, "b.c", out}, 1, "b.c never existed on HEAD"},
        {{"git", repo, "a.c", out, "--ref", "nosuch"}, 1, "no revision nosuch"},
        {{"git", repo, "pic.bin", out}, 1, "revision 1.1: the file is binary there"},
        {{"git", s + "shallow", "a.c", out}, 1, "a shallow clone that lacks the history of a.c before commit"},
        {{"cvs", s + "a.c,v", out}, 1, "is not an RCS file"}, {{"cvs", s + "b.c,v", out}, 1, "cannot read"},
        {{"git", repo, "a.c", s + "plain/out"}, 1, "cannot write"},
        {{"git", repo, "a.c", s + "plain"}, 1, "is not a directory"},
        {{"git", repo, "a.c", existing, "--ref", "HEAD~2"}, 1, "--force"},
        // Failing halfway, in a new directory or one of other files.
        {{"git", repo, "a.c", s + "fresh"}, 1, "revision 1.2"}, {{"git", repo, "a.c", s + "other"}, 1, "revision 1.2"}};
    for (const Case& c : cases) {
        const CommandResult run = runExtract(c.arguments);
        EXPECT_EQ(run.status, c.status) << c.arguments[0] << " " << c.message;
        EXPECT_NE((c.status == 2 ? run.errors : run.output).find(c.message), std::string::npos)
            << run.output << run.errors;
    }
    // Nothing half-written and nothing spoiled.
    EXPECT_FALSE(fs::exists(out) || fs::exists(s + "fresh"));
    EXPECT_EQ(filesBelow(s), before);
    // Forced, only the older evolution's own files are replaced.
    ASSERT_EQ(runExtract({"git", repo, "a.c", existing, "--ref", "HEAD~2", "--force"}).status, 0);
    auto after = filesBelow(existing);
    EXPECT_FALSE(after.count("revisions/a.c.v1.2") || after.count("revisions/a.c.v1.3"));
    EXPECT_EQ(after["revisions/a.c.v1.1"] + after["notes.txt"] + after["revisions/b.c.v1.1"],
              "int a;\nmine\nanother evolution's\n");

    const std::vector<std::vector<std::string>> bad = {
        {}, {"svn", "a", "b"}, {"git", "repo", "a.c"}, {"cvs", "a.c,v"}, {"cvs", "a.c,v", "out", "extra"},
        {"git", "repo", "a.c", "out", "--branch", "1."}, {"cvs", "a.c,v", "out", "--ref", "HEAD"},
        {"cvs", "a.c,v", "out", "--branch", "1.2."}, {"cvs", "a.c,v", "out", "--branch", "1.x."},
        {"git", "repo", "a.c", "out", "--ref"}, {"git", "repo", "a.c", "out", "--grammar="}};
    ExtractOptions options;
    std::string error;
    for (const auto& arguments : bad) {
        EXPECT_FALSE(parseExtractArguments(arguments, options, error)) << arguments.size() << " arguments";
        EXPECT_FALSE(error.empty());
        error.clear();
    }
    ASSERT_TRUE(parseExtractArguments({"cvs", "--branch=1.2.4.", "a.c,v", "out", "--grammar", "none"}, options,
                                      error)) << error;
    EXPECT_EQ(options.path + options.outputDirectory + options.branch + options.grammar, "a.c,vout1.2.4.none");
}

// Ctrl+C while the first revision is read: the extraction stops at the next and its staged files go with it.
TEST(Refusals, AnInterruptionLeavesNothingBehind)
{
    const TempDirectory out;
    SourceHistory history;
    history.branch = "1.";
    history.revisions = {{"ann", "2024-01-01", "one", ""}, {"bob", "2024-01-02", "two", ""}};
    history.readRevision = [](int index, std::string_view& text, std::vector<LineHunk>& hunks, std::string&) {
        text = index == 0 ? "int a;\n" : "int a;\nint b;\n";
        hunks.assign(index, {1, 0, 1, 1});  // the second revision adds its line b
        if (index == 0)
            std::raise(SIGINT);
        return true;
    };
    const auto interrupted = [&] {
        catchInterruptions();
        OutputDirectory staging;
        Progress progress;
        ExtractionSummary summary;
        std::string error;
        const bool prepared = prepareOutput(staging, out.path() + "e", "a.c", false, error);
        const bool staged = stageEvolution(history, {"C family", "BLOCK { }\n"}, staging, progress, summary, error);
        std::fprintf(stderr, "%s\n", error.c_str());
        return prepared && !staged;
    };
    // In a process of its own: once caught, the interruption stays noted.
    EXPECT_EXIT(std::exit(interrupted() ? 0 : 1), testing::ExitedWithCode(0), "interrupted");
    EXPECT_FALSE(fs::exists(out.path() + "e"));
}

// A trunk 1.1, 1.2 and a branch 1.1.2.1, as CVS writes them; the two-digit
// year is how RCS wrote dates before 2000.
const std::string rcsSample = "head\t1.2;\naccess;\nsymbols;\nlocks; strict;\n\n"
                              "1.2\ndate\t2024.01.02.10.00.00;\tauthor bob;\tstate Exp;\nbranches;\nnext\t1.1;\n\n"
                              "1.1\ndate\t99.01.01.10.00.00;\tauthor ann;\tstate Exp;\nbranches 1.1.2.1;\nnext\t;\n\n"
                              "1.1.2.1\ndate\t2024.01.05.10.00.00;\tauthor eve;\tstate Exp;\nbranches;\nnext\t;\n\n"
                              "desc\n@@\n\n1.2\nlog\n@second\n@\ntext\n@one\nmail@@example\n@\n\n"
                              "1.1\nlog\n@first\n@\ntext\n@d2 1\na2 1\ntwo\n@\n\n"
                              "1.1.2.1\nlog\n@branch\n@\ntext\n@a2 1\nthree\n@\n";

TEST(Refusals, RcsFilesAndEditScripts)
{
    RcsFile file, tight;
    std::string error;
    ASSERT_TRUE(parseRcsFile(rcsSample, file, error)) << error;
    // A string may follow its keyword with no blank between them.
    std::string tightSample = rcsSample;
    for (size_t at; (at = tightSample.find("log\n@")) != std::string::npos;)
        tightSample.erase(at + 3, 1);
    ASSERT_TRUE(parseRcsFile(tightSample, tight, error)) << error;
    for (const RcsFile* parsed : {&file, &tight})
        for (const auto& [branch, texts] : std::vector<std::pair<std::string, std::vector<std::string>>>{
                 {"1.", {"one\ntwo\n", "one\nmail@example\n"}}, {"1.1.2.", {"one\ntwo\nthree\n"}}}) {
            SourceHistory history;
            ASSERT_TRUE(rcsBranchHistory(*parsed, branch, history, error)) << error;
            ASSERT_EQ(history.revisions.size(), texts.size());
            for (size_t i = 0; i < texts.size(); ++i) {
                std::string_view text;
                std::vector<LineHunk> hunks;
                EXPECT_TRUE(history.readRevision(static_cast<int>(i), text, hunks, error));
                EXPECT_EQ(text, texts[i]) << branch << i + 1;
            }
            EXPECT_EQ(history.revisions[0].date, branch == "1." ? "1999-01-01T10:00:00Z" : "2024-01-05T10:00:00Z");
        }

    struct Mutation { std::string from, to, error; bool parses; };  // parsed, the trunk fails to rebuild
    for (const Mutation& m : {Mutation{"head", "int main() {", "line 1", false},
                              {"three\n@\n", "three\n", "unterminated", false},
                              {"1.1.2.1\nlog", "7.7\nlog", "7.7", false}, {"d2 1\na2", "d9 1\na2", "1.1", true}}) {
        std::string text = rcsSample;
        text.replace(text.rfind(m.from), m.from.size(), m.to);
        RcsFile broken;
        SourceHistory history;
        const bool parsed = parseRcsFile(text, broken, error);
        EXPECT_EQ(parsed, m.parses) << m.to;
        EXPECT_TRUE(!parsed || !rcsBranchHistory(broken, "1.", history, error)) << m.to;
        EXPECT_NE(error.find(m.error), std::string::npos) << m.to << ": " << error;
    }
    SourceHistory none;
    EXPECT_FALSE(rcsBranchHistory(file, "1.4.2.", none, error));

    const std::vector<std::string_view> source = splitTextLines("a\nb\n");
    std::vector<std::string_view> result;
    ASSERT_TRUE(applyEditScript(splitTextLines("a\nb\nc\nd"), "a0 1\nfirst\nd2 2\na3 2\nx\ny\na4 1\nlast", result,
                                error)) << error;
    EXPECT_EQ(result, (std::vector<std::string_view>{"first\n", "a\n", "x\n", "y\n", "d", "last"}));
    // Counts near the largest long once overflowed the bounds check.
    for (const char* script : {"d3 1\n", "d2 1\nd1 1\n", "a1 2\nonly one\n", "x1 1\n", "d0 1\n", "d1\n", "\n",
                               "d2 9223372036854775807\n", "a2 9223372036854775807\nx\n"})
        EXPECT_FALSE(applyEditScript(source, script, result, error)) << script;
}

// Revisions by ann, by nobody the revision list names, and by cid.
TEST(Refusals, BlameOfARevisionThatIsNotThereOrWhoseTextDisagrees)
{
    const TempDirectory scratch;
    EvolutionSketch sketch;
    sketch.statuses = {"XXD", "--X", "XXX", ">XX"};
    sketch.authors = {"ann", "", "cid"};
    sketch.texts = {"a\nb\nc\n", "a\nB\nc\nd\n", "B\nc\nd\n"};
    const std::string path = scratch.path() + writeEvolution(scratch, sketch);
    const auto blame = [&](const char* revision) { return runProgram({QUILLON_CHECK, "--blame", revision, path}); };
    EXPECT_EQ(blame("3").output, "unknown\tB\nann\tc\nunknown\td\n");
    for (const char* revision : {"0", "4", "two", "1x", ""}) {
        const CommandResult run = blame(revision);
        EXPECT_EQ(run.status, 2) << revision;
        EXPECT_NE(run.output.find("ERROR: no revision"), std::string::npos) << revision;
    }
    for (const auto& [text, message] : {std::pair{"B\nc\nd\nextra\n", "line 4 has no line in the evolution"},
                                        {"B\n", "fewer than the evolution marks present"}}) {
        scratch.write("revisions/demo.c.v1.3", text);
        const CommandResult run = blame("3");
        EXPECT_EQ(run.status, 1);
        EXPECT_NE(run.output.find(message), std::string::npos) << run.output;
    }
    fs::remove(scratch.path() + "revisions/demo.c.v1.2");
    EXPECT_NE(blame("2").output.find("for reading"), std::string::npos);
    EXPECT_EQ(runProgram({QUILLON_CHECK, "--blame", "1", scratch.path() + "missing_cvs"}).status, 1);
}

}  // namespace
