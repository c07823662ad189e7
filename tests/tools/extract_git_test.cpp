// quillon-extract on real git repositories: the evolution loads, the checker
// calls it sound, every revision's text is the file's content in its commit,
// and the author of every line is held against git blame --first-parent.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "evolution/evolution_file.h"
#include "evolution/evolution_path.h"
#include "tools/extract_histories.h"

namespace {

const std::vector<std::string> developers = {"ann", "bob", "cid", "dee"};

std::string trimmed(std::string text)
{
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
        text.pop_back();
    return text;
}

// The commits of the first-parent chain that touch the file, oldest first,
// by git's own reckoning.
std::vector<std::string> fileCommits(const GitRepository& repository, const std::string& path, const std::string& ref)
{
    std::vector<std::string> commits =
        textLines(runGit(repository, {"log", "--first-parent", "--format=%H", ref, "--", path}).output);
    std::reverse(commits.begin(), commits.end());
    return commits;
}

// git blame --first-parent of the file in one commit, as the evolution's
// blame prints it: author and text of every line.
std::vector<BlameLine> gitBlame(const GitRepository& repository, const std::string& commit, const std::string& path)
{
    const CommandResult blame =
        runGit(repository, {"blame", "--first-parent", "--line-porcelain", commit, "--", path});
    EXPECT_EQ(blame.status, 0) << blame.errors;
    std::vector<BlameLine> lines;
    std::string author;
    for (const std::string& line : textLines(blame.output)) {
        if (line.rfind("author ", 0) == 0)
            author = line.substr(7);
        else if (!line.empty() && line[0] == '\t')
            lines.push_back({author, line.substr(1)});
    }
    return lines;
}

// Extracts the file's evolution and holds it against the repository; adds
// the blame agreement of every revision to `agreement`.
void checkExtraction(const GitRepository& repository, const std::string& path, Agreement& agreement,
                     const std::string& ref = "HEAD")
{
    TempDirectory out;
    const CommandResult extract = runExtract({"git", repository.top, path, out.path() + "evolution", "--ref", ref});
    ASSERT_EQ(extract.status, 0) << extract.output << extract.errors;
    const std::string name = path.substr(path.rfind('/') + 1);
    const std::string evolutionPath = out.path() + "evolution/" + name + "_cvs";

    const CommandResult check = runProgram({QUILLON_CHECK, evolutionPath}, ".");
    EXPECT_EQ(check.status, 0) << check.output;

    const EvolutionPath split = splitEvolutionPath(evolutionPath);
    EvolutionFile evolution(split.directory, split.fileName, nullptr);
    ASSERT_TRUE(evolution.loadEvolution());
    const std::vector<std::string> commits = fileCommits(repository, path, ref);
    ASSERT_EQ(evolution.revisionCount, static_cast<int>(commits.size()));

    for (int n = 1; n <= evolution.revisionCount; ++n) {
        const std::string& commit = commits[n - 1];
        const bool exists = runGit(repository, {"cat-file", "-e", commit + ":" + path}).status == 0;
        const std::string content = exists ? runGit(repository, {"show", commit + ":" + path}).output : "";
        const std::string text = readFileBytes(revisionTextPath(evolution.directory, name, "1.", n));
        EXPECT_TRUE(text == content) << "revision " << n << " is not the file of " << commit;

        const std::string author = trimmed(runGit(repository, {"show", "-s", "--format=%an", commit}).output);
        EXPECT_EQ(author, evolution.revisionAuthorName(n - 1)) << "revision " << n;

        const std::vector<BlameLine> ours = evolutionBlame(evolutionPath, n);
        const std::vector<BlameLine> theirs = exists ? gitBlame(repository, commit, path) : std::vector<BlameLine>{};
        ASSERT_EQ(ours.size(), theirs.size()) << "revision " << n;
        for (size_t i = 0; i < ours.size(); ++i) {
            EXPECT_EQ(ours[i].text, trimmed(theirs[i].text)) << "revision " << n << " line " << i + 1;
            ++agreement.lines;
            agreement.agreeing += ours[i].author == theirs[i].author ? 1 : 0;
        }
    }
}

// The history of a source file in a subdirectory, with commits that leave
// it alone in between.
void buildEditsByFourAuthors(GitRepository& repository)
{
    initGitRepository(repository);
    const std::vector<EditedRevision> history = editHistory(7, 36, developers);
    for (size_t r = 0; r < history.size(); ++r) {
        putFile(repository, "src/core/engine.c", history[r].text);
        // Commits that leave the file alone are no revisions of it.
        if (r % 5 == 3)
            putFile(repository, "README", "revision " + std::to_string(r) + "\n");
        gitCommit(repository, history[r].author, "step " + std::to_string(r));
        if (r % 7 == 6) {
            putFile(repository, "NEWS", std::to_string(r) + "\n");
            gitCommit(repository, "eve", "news only");
        }
    }
}

}  // namespace

Agreement gitHistoryOfEditsByFourAuthors()
{
    GitRepository repository;
    Agreement agreement;
    buildEditsByFourAuthors(repository);
    checkExtraction(repository, "src/core/engine.c", agreement);
    EXPECT_GE(agreement.lines, 36 * 25);
    return agreement;
}

Agreement gitHistoryWithMergesRemovalsAndOddText()
{
    GitRepository repository;
    Agreement agreement;
    initGitRepository(repository);
    const std::string path = "tool.py";
    putFile(repository, path, "import os\n\ndef main():\n    return 0\n");
    gitCommit(repository, "ann", "start");
    // A side branch whose change comes in through a merge.
    runGit(repository, {"checkout", "-q", "-b", "side"});
    putFile(repository, path, "import os\nimport sys\n\ndef main():\n    return 0\n");
    gitCommit(repository, "bob", "side: sys");
    putFile(repository, path, "import os\nimport sys\n\ndef main():\n    print(sys.argv)\n    return 0\n");
    gitCommit(repository, "bob", "side: argv");
    runGit(repository, {"checkout", "-q", "main"});
    putFile(repository, "other.txt", "x\n");
    gitCommit(repository, "ann", "other file");
    const CommandResult merge = runGit(repository, {"merge", "-q", "--no-ff", "-m", "merge side", "side"}, "cid");
    EXPECT_EQ(merge.status, 0) << merge.errors;
    ++repository.commitCount;
    // Windows line ends, a very long line and no line end at the end.
    putFile(repository, path,
            "import os\r\nimport sys\r\n\r\ndef main():\r\n    print(sys.argv)\r\n    data = '" +
                std::string(20000, 'x') + "'\r\n    return 0");
    gitCommit(repository, "dee", "crlf and a long line");
    putFile(repository, path, "");
    gitCommit(repository, "ann", "emptied");
    putFile(repository, path, "import os\n\ndef main():\n    return 1\n");
    gitCommit(repository, "bob", "refilled");
    removeFile(repository, path);
    gitCommit(repository, "cid", "removed");
    putFile(repository, "other.txt", "y\n");
    gitCommit(repository, "dee", "other file again");
    putFile(repository, path, "import os\n\ndef main():\n    return 2\n");
    gitCommit(repository, "eve", "brought back");
    putFile(repository, path, "import os\n\ndef main():\n    return 1\n");
    gitCommit(repository, "ann", "as before");

    checkExtraction(repository, path, agreement);
    return agreement;
}

namespace {

TEST(ExtractGit, TakesThePathAsGivenFromTheTopOrTheWorkingTree)
{
    GitRepository repository;
    ASSERT_NO_FATAL_FAILURE(buildEditsByFourAuthors(repository));
    TempDirectory out;
    for (const std::string& path : {std::string("./src/core/engine.c"), repository.top + "src/core/engine.c"}) {
        const CommandResult extract = runExtract({"git", repository.top, path, out.path() + "e", "--force"});
        EXPECT_EQ(extract.status, 0) << path << ": " << extract.output;
        EXPECT_NE(extract.output.find("engine.c_cvs: "), std::string::npos) << extract.output;
        EXPECT_NE(extract.output.find("grammar.dat: C family"), std::string::npos) << extract.output;
    }
}

TEST(ExtractGit, FollowsTheChainOfTheRevisionAsked)
{
    GitRepository repository;
    ASSERT_NO_FATAL_FAILURE(buildEditsByFourAuthors(repository));
    runGit(repository, {"tag", "early", "HEAD~20"});
    Agreement agreement;
    checkExtraction(repository, "src/core/engine.c", agreement, "early");
    EXPECT_GT(agreement.lines, 0);
}

}  // namespace
