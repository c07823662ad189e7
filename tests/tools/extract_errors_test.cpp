// quillon-extract's answers to bad input: one message, a non-zero exit, and
// no evolution half-written, nor an existing one spoiled.

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "extract/evolution_extraction.h"
#include "extract/interruption.h"
#include "tools/extract_histories.h"

namespace fs = std::filesystem;

namespace {

bool mentions(const CommandResult& result, const std::string& text)
{
    return result.output.find(text) != std::string::npos;
}

// Every file below a directory with its content.
std::map<std::string, std::string> contents(const std::string& directory)
{
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(directory))
        if (entry.is_regular_file())
            files[fs::relative(entry.path(), directory).string()] = readFileBytes(entry.path().string());
    return files;
}

// A repository in which a.c has three revisions by ann, bob and ann.
void threeRevisions(GitRepository& repository)
{
    initGitRepository(repository);
    putFile(repository, "a.c", "int a;\n");
    gitCommit(repository, "ann", "one");
    putFile(repository, "a.c", "int a;\nint b;\n");
    gitCommit(repository, "bob", "two");
    putFile(repository, "a.c", "int a = 1;\nint b;\n");
    gitCommit(repository, "ann", "three");
}

TEST(ExtractErrors, ARepositoryRevisionOrFileThatIsNotThere)
{
    GitRepository repository;
    ASSERT_NO_FATAL_FAILURE(threeRevisions(repository));
    TempDirectory out;
    const std::string target = out.path() + "evolution";

    const CommandResult noRepository = runExtract({"git", out.path() + "nothing", "a.c", target});
    EXPECT_EQ(noRepository.status, 1);
    EXPECT_TRUE(mentions(noRepository, "ERROR: ")) << noRepository.output;
    EXPECT_TRUE(mentions(noRepository, "is not a git repository")) << noRepository.output;

    const CommandResult noFile = runExtract({"git", repository.top, "b.c", target});
    EXPECT_EQ(noFile.status, 1);
    EXPECT_TRUE(mentions(noFile, "b.c never existed on HEAD")) << noFile.output;

    const CommandResult noRevision = runExtract({"git", repository.top, "a.c", target, "--ref", "nosuch"});
    EXPECT_EQ(noRevision.status, 1);
    EXPECT_TRUE(mentions(noRevision, "no revision nosuch")) << noRevision.output;

    EXPECT_FALSE(fs::exists(target));
}

TEST(ExtractErrors, AFileThatIsNoRcsFile)
{
    TempDirectory scratch;
    scratch.write("a.c,v", "int main(void) { return 0; }\n");
    const std::string target = scratch.path() + "evolution";

    const CommandResult notRcs = runExtract({"cvs", scratch.path() + "a.c,v", target});
    EXPECT_EQ(notRcs.status, 1);
    EXPECT_TRUE(mentions(notRcs, "is not an RCS file")) << notRcs.output;

    const CommandResult missing = runExtract({"cvs", scratch.path() + "b.c,v", target});
    EXPECT_EQ(missing.status, 1);
    EXPECT_TRUE(mentions(missing, "cannot read")) << missing.output;

    EXPECT_FALSE(fs::exists(target));
}

TEST(ExtractErrors, AnOutputDirectoryThatCannotBeWritten)
{
    GitRepository repository;
    ASSERT_NO_FATAL_FAILURE(threeRevisions(repository));
    repository.scratch.write("plain-file", "x\n");

    const std::string plainFile = repository.scratch.path() + "plain-file";
    const CommandResult underAFile = runExtract({"git", repository.top, "a.c", plainFile + "/out"});
    EXPECT_EQ(underAFile.status, 1);
    EXPECT_TRUE(mentions(underAFile, "cannot write")) << underAFile.output;

    const CommandResult aFile = runExtract({"git", repository.top, "a.c", plainFile});
    EXPECT_EQ(aFile.status, 1);
    EXPECT_TRUE(mentions(aFile, "is not a directory")) << aFile.output;
    EXPECT_EQ(readFileBytes(plainFile), "x\n");
}

TEST(ExtractErrors, AnExistingEvolutionIsReplacedOnlyWhenForced)
{
    GitRepository repository;
    ASSERT_NO_FATAL_FAILURE(threeRevisions(repository));
    TempDirectory out;
    const std::string target = out.path() + "evolution/";
    ASSERT_EQ(runExtract({"git", repository.top, "a.c", target}).status, 0);
    out.write("evolution/notes.txt", "mine\n");
    out.write("evolution/revisions/b.c.v1.1", "another evolution's\n");
    const std::map<std::string, std::string> before = contents(target);
    EXPECT_TRUE(before.count("revisions/a.c.v1.3"));

    const CommandResult refused = runExtract({"git", repository.top, "a.c", target, "--ref", "HEAD~1"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_TRUE(mentions(refused, "--force")) << refused.output;
    EXPECT_EQ(contents(target), before);

    const CommandResult forced = runExtract({"git", repository.top, "a.c", target, "--ref", "HEAD~1", "--force"});
    EXPECT_EQ(forced.status, 0) << forced.output;
    const std::map<std::string, std::string> after = contents(target);
    EXPECT_FALSE(after.count("revisions/a.c.v1.3")) << "a revision of the older evolution is left";
    EXPECT_EQ(after.at("revisions/a.c.v1.2"), "int a;\nint b;\n");
    EXPECT_EQ(after.at("notes.txt"), "mine\n");
    EXPECT_EQ(after.at("revisions/b.c.v1.1"), "another evolution's\n");
    EXPECT_NE(after.at("a.c_cvs").find("Revisions: 2\n"), std::string::npos);
}

TEST(ExtractErrors, AFailureHalfwayLeavesNothingBehind)
{
    GitRepository repository;
    ASSERT_NO_FATAL_FAILURE(threeRevisions(repository));
    // The text of the second revision is lost from the object store; the
    // commits and trees that name it are intact.
    std::string blob = runGit(repository, {"rev-parse", "HEAD~1:a.c"}).output;
    blob.resize(40);
    ASSERT_TRUE(fs::remove(repository.top + ".git/objects/" + blob.substr(0, 2) + "/" + blob.substr(2)));
    TempDirectory out;

    const CommandResult fresh = runExtract({"git", repository.top, "a.c", out.path() + "evolution"});
    EXPECT_EQ(fresh.status, 1);
    EXPECT_TRUE(mentions(fresh, "revision 1.2")) << fresh.output;
    EXPECT_FALSE(fs::exists(out.path() + "evolution"));

    out.write("existing/notes.txt", "mine\n");
    const CommandResult existing = runExtract({"git", repository.top, "a.c", out.path() + "existing"});
    EXPECT_EQ(existing.status, 1);
    EXPECT_EQ(contents(out.path() + "existing"), (std::map<std::string, std::string>{{"notes.txt", "mine\n"}}));
    EXPECT_EQ(std::distance(fs::directory_iterator(out.path() + "existing"), fs::directory_iterator()), 1);
}

// Ctrl+C while the first revision is read: the extraction stops at the next
// revision and its staged files go with it.
bool extractInterrupted(const std::string& target)
{
    SourceHistory history;
    history.branch = "1.";
    history.revisions = {{"ann", "2024-01-01", "one"}, {"bob", "2024-01-02", "two"}};
    const std::string texts[] = {"int a;\n", "int a;\nint b;\n"};
    history.readRevision = [&](int index, std::string_view& text, std::vector<LineHunk>& hunks, std::string&) {
        text = texts[index];
        hunks.clear();
        if (index == 0)
            std::raise(SIGINT);
        else
            hunks.push_back({1, 0, 1, 1});
        return true;
    };
    catchInterruptions();
    OutputDirectory out;
    Progress progress;
    progress.stream = stdout;
    ExtractionSummary summary;
    std::string error;
    const bool prepared = prepareOutput(out, target, "a.c", false, error);
    const bool staged = stageEvolution(history, {"C family", "BLOCK { }\n"}, out, progress, summary, error);
    std::fprintf(stderr, "%s\n", error.c_str());
    return prepared && !staged;
}

TEST(ExtractErrors, AnInterruptionLeavesNothingBehind)
{
    TempDirectory out;
    const std::string target = out.path() + "evolution";
    // In a process of its own: once caught, the interruption stays noted.
    EXPECT_EXIT(std::exit(extractInterrupted(target) ? 0 : 1), testing::ExitedWithCode(0), "interrupted");
    EXPECT_FALSE(fs::exists(target));
}

TEST(ExtractErrors, ACommandLineThatMakesNoCommand)
{
    const CommandResult wrong = runExtract({"git", "only-one"});
    EXPECT_EQ(wrong.status, 2);
    EXPECT_NE(wrong.errors.find("usage: quillon-extract"), std::string::npos) << wrong.errors;

    const CommandResult help = runExtract({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.output.find("usage: quillon-extract"), std::string::npos);

    const CommandResult version = runExtract({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.output.rfind("quillon-extract ", 0), 0u) << version.output;
}

}  // namespace
