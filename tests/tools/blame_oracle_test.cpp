// quillon-extract held against git and cvs on histories made here: every revision's text, and the
// author quillon-check --blame names for each line against git blame --first-parent or cvs annotate.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <iterator>
#include <random>

#include "evolution/evolution_file.h"
#include "evolution/evolution_path.h"
#include "tools/repositories.h"

namespace fs = std::filesystem;

namespace {

const std::vector<std::string> developers = {"ann", "bob", "cid", "dee"};

struct EditedRevision { std::string author, text; };

// Edits such as programmers make, the same in every run: lines inserted, deleted and replaced by
// fewer or more, blanks and braces recurring, and one line changed often, at times twice running.
std::vector<EditedRevision> editHistory(unsigned seed, int revisions)
{
    std::mt19937 random(seed);
    const auto below = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    int serial = 0;
    const auto codeLine = [&]() -> std::string {
        const int kind = below(6);
        return kind == 0 ? "" : kind == 1 ? "    }" : "    total += item" + std::to_string(++serial) + ";";
    };
    std::vector<std::string> lines = {"#include <stdio.h>", "", "int hot = 0;", "", "int main(void)", "{"};
    std::generate_n(std::back_inserter(lines), 24, codeLine);
    lines.push_back("}");
    const int hotLine = 2;  // edits stay below it so that it keeps its place
    std::vector<EditedRevision> history;
    for (int r = 0; r < revisions; ++r) {
        if (r > 0 && below(2) == 0)
            lines[hotLine] = "int hot = " + std::to_string(r) + ";";
        for (int edits = r == 0 ? 0 : 1 + below(3); edits > 0; --edits) {
            const int size = static_cast<int>(lines.size());
            const int at = hotLine + 1 + below(size - hotLine - 1);
            const int span = std::min(1 + below(3), size - at);
            const int kind = below(4);
            std::vector<std::string> replacement;
            for (int k = below(kind == 0 ? 3 : 4); k >= 0 && kind != 1; --k)
                replacement.push_back(codeLine());
            if (kind != 0 && (kind != 1 || size > 12))
                lines.erase(lines.begin() + at, lines.begin() + at + span);
            lines.insert(lines.begin() + at, replacement.begin(), replacement.end());
        }
        std::string text;
        for (const std::string& line : lines)
            text += line + "\n";
        history.push_back({developers[below(static_cast<int>(developers.size()))], text});
    }
    return history;
}

// What the repository says of one revision of the file.
struct Reference {
    std::string text;
    std::vector<std::pair<std::string, std::string>> blame;  // each line's author and text
};

// Holds the evolution in `directory` against the references revision by revision: every line's text,
// and its author on at least `share` of the lines; returns how many lines were held.
int compare(const std::string& directory, const std::string& name, const std::vector<Reference>& revisions,
            double share = 1)
{
    int lines = 0, agreeing = 0;
    const std::string path = directory + name + "_cvs";
    const CommandResult check = runProgram({QUILLON_CHECK, path});
    EXPECT_EQ(check.status, 0) << check.output;
    EvolutionFile evolution(directory, name + "_cvs", nullptr);
    EXPECT_TRUE(evolution.loadEvolution()) << path;
    EXPECT_EQ(evolution.revisionCount, static_cast<int>(revisions.size()));
    for (int n = 1; n <= std::min<int>(evolution.revisionCount, revisions.size()); ++n) {
        const Reference& reference = revisions[n - 1];
        EXPECT_TRUE(readFileBytes(revisionTextPath(directory, name, evolution.branch, n)) == reference.text)
            << "the text of revision " << n;
        const CommandResult blame = runProgram({QUILLON_CHECK, "--blame", std::to_string(n), path});
        EXPECT_EQ(blame.status, 0) << blame.output;
        const std::vector<std::string> ours = textLines(blame.output);
        EXPECT_EQ(ours.size(), reference.blame.size()) << "revision " << n;
        for (size_t i = 0; i < std::min(ours.size(), reference.blame.size()); ++i) {
            const size_t tab = ours[i].find('\t');
            EXPECT_EQ(tab == std::string::npos ? "" : ours[i].substr(tab + 1), reference.blame[i].second)
                << "revision " << n << " line " << i + 1;
            ++lines;
            agreeing += ours[i].substr(0, tab) == reference.blame[i].first;
        }
    }
    EXPECT_GE(agreeing, share * lines) << "the authors of " << agreeing << " of " << lines << " lines agree";
    return lines;
}

std::vector<Reference> gitReferences(const GitRepository& repository, const std::string& path,
                                     const std::string& ref = "HEAD")
{
    std::vector<Reference> references;
    for (const std::string& commit :
         textLines(repository.git({"log", "--reverse", "--first-parent", "--format=%H", ref, "--", path}).output)) {
        Reference& reference = references.emplace_back();
        if (repository.git({"cat-file", "-e", commit + ":" + path}).status != 0)
            continue;
        reference.text = repository.git({"show", commit + ":" + path}).output;
        std::string author;
        for (const std::string& line :
             textLines(repository.git({"blame", "--first-parent", "--line-porcelain", commit, "--", path}).output)) {
            if (line.starts_with("author "))
                author = line.substr(7);
            else if (line.starts_with("\t"))
                reference.blame.emplace_back(author, textLines(line.substr(1) + "\n").at(0));
        }
    }
    return references;
}

TEST(BlameOracle, GitEditsByFourAuthorsMergesRemovalsAndOddTextUpdatedFromAnEarlierRevisionAndByAnyPathForm)
{
    // A file in a subdirectory, with commits between that leave it alone: those are no revisions of it.
    GitRepository repository;
    const std::string file = "src/core/engine.c", tool = "tool.py";
    const std::vector<EditedRevision> history = editHistory(7, 36);
    for (size_t r = 0; r < history.size(); ++r) {
        repository.put(file, history[r].text);
        if (r % 5 == 3)
            repository.put("README", std::to_string(r) + "\n");
        repository.commit(history[r].author);
        if (r % 7 == 6) {
            repository.put("NEWS", std::to_string(r) + "\n");
            repository.commit("eve");
        }
    }
    repository.git({"tag", "early", "HEAD~20"});
    // Another file, changed on a side branch that comes in through a merge.
    repository.put(tool, "import os\n\ndef main():\n    return 0\n");
    repository.commit("ann");
    repository.git({"checkout", "-q", "-b", "side"});
    repository.put(tool, "import os\nimport sys\n\ndef main():\n    return 0\n");
    repository.commit("bob");
    repository.put(tool, "import os\nimport sys\n\ndef main():\n    print(sys.argv)\n    return 0\n");
    repository.commit("bob");
    repository.git({"checkout", "-q", "main"});
    repository.put("other.txt", "x\n");
    repository.commit("ann");
    EXPECT_EQ(repository.git({"merge", "-q", "--no-ff", "-m", "merge", "side"}, "cid").status, 0);
    ++repository.commits;
    // Windows line ends, a very long line and no final line end; then emptied, refilled, removed, back twice.
    for (const auto& [author, text] : std::vector<std::pair<std::string, std::string>>{
             {"dee", "import os\r\nimport sys\r\n\r\ndef main():\r\n    print(sys.argv)\r\n    data = '" +
                         std::string(20000, 'x') + "'\r\n    return 0"},
             {"ann", ""}, {"bob", "import os\n\ndef main():\n    return 1\n"}, {"cid", "-"},
             {"eve", "import os\n\ndef main():\n    return 2\n"},
             {"ann", "import os\n\ndef main():\n    return 1\n"}}) {
        if (text == "-")
            fs::remove(repository.top + tool);
        else
            repository.put(tool, text);
        repository.commit(author);
    }
    const TempDirectory out;
    const std::string full = out.path() + "full/", early = out.path() + "early/";
    const CommandResult extract = runExtract({"git", repository.top, file, full});
    ASSERT_EQ(extract.status, 0) << extract.output;
    EXPECT_NE(extract.output.find("grammar.dat: C family"), std::string::npos) << extract.output;
    EXPECT_GE(compare(full, "engine.c", gitReferences(repository, file)), 36 * 25);
    ASSERT_EQ(runExtract({"git", repository.top, tool, out.path() + "tool/"}).status, 0);
    compare(out.path() + "tool/", tool, gitReferences(repository, tool));

    ASSERT_EQ(runExtract({"git", repository.top, file, early, "--ref", "early"}).status, 0);
    compare(early, "engine.c", gitReferences(repository, file, "early"));
    // Appending the revisions since gives what extracting afresh gives.
    ASSERT_EQ(runExtract({"git", repository.top, file, early, "--update"}).status, 0);
    std::map<std::string, std::string> updated = filesBelow(early), whole = filesBelow(full);
    updated.erase("engine.c.state");
    whole.erase("engine.c.state");
    EXPECT_TRUE(updated == whole) << "an update differs from a full extraction";

    for (const std::string& path : {"./" + file, repository.top + file}) {
        ASSERT_EQ(runExtract({"git", repository.top, path, out.path() + "again/", "--force"}).status, 0) << path;
        EXPECT_EQ(readFileBytes(out.path() + "again/engine.c_cvs"), readFileBytes(full + "engine.c_cvs")) << path;
    }
}

// A CVS repository with the module "mod" checked out; a commit's author is the LOGNAME it runs under.
struct CvsRepository {
    TempDirectory scratch;
    const std::string root = scratch.path() + "root", work = scratch.path() + "mod/";
    CommandResult cvs(const std::vector<std::string>& arguments, const std::string& author = "tester") const
    {
        std::vector<std::string> argv = {"cvs", "-Q", "-d", root};
        argv.insert(argv.end(), arguments.begin(), arguments.end());
        return runProgram(argv, fs::is_directory(work) ? work : scratch.path(),
                          {"LOGNAME=" + author, "USER=" + author, "HOME=" + scratch.path()});
    }
};

// The texts and annotations of the first `revisions` of a branch; a line from before the revision where
// the file entered the branch (its start, or the file's coming back) can only be that revision's.
int compareCvs(const CvsRepository& repository, const std::string& branch, int revisions)
{
    const std::string rcsFile = repository.root + "/mod/calc.c,v";
    const TempDirectory out;
    EXPECT_EQ(runExtract({"cvs", rcsFile, out.path(), "--branch", branch}).status, 0) << branch;
    std::vector<Reference> references(revisions);
    std::string enteredAuthor;
    for (int n = 1, entered = 1; n <= revisions; ++n) {
        const std::string revision = "-r" + branch + std::to_string(n);
        const std::string log = runProgram({"rlog", revision, rcsFile}).output;
        const size_t author = log.find("author: ") + 8;
        if (log.find("state: dead;") != std::string::npos) {
            entered = n + 1;
            continue;
        }
        if (n == entered)
            enteredAuthor = log.substr(author, log.find(';', author) - author);
        references[n - 1].text = runProgram({"co", "-q", "-p", "-ko", revision, rcsFile}).output;
        for (const std::string& line : textLines(repository.cvs({"annotate", revision, "calc.c"}).output)) {
            const size_t open = line.find('('), close = line.find("): ");
            const std::string number = line.substr(0, line.find(' '));
            const bool onBranch = number.starts_with(branch) && number.find('.', branch.size()) == std::string::npos;
            const bool since = onBranch && std::stoi(number.substr(branch.size())) >= entered;
            const std::string author = since ? line.substr(open + 1, line.find(' ', open) - open - 1) : enteredAuthor;
            references[n - 1].blame.emplace_back(author, line.substr(close + 3));
        }
    }
    return compare(out.path(), "calc.c", references, 0.995);
}

TEST(BlameOracle, CvsTrunkAndBranchWithADeadRevision)
{
    CvsRepository repository;
    fs::create_directories(repository.root + "/mod");
    EXPECT_EQ(repository.cvs({"init"}).status, 0);
    EXPECT_EQ(repository.cvs({"checkout", "mod"}).status, 0);
    const auto commit = [&](const std::string& text, const std::string& author) {
        repository.scratch.write("mod/calc.c", text);
        const CommandResult made = repository.cvs({"commit", "-m", "edit", "calc.c"}, author);
        EXPECT_EQ(made.status, 0) << made.errors;
    };
    // Few distinct lines, so that a diff may pair them otherwise than the
    // deltas that cvs annotate follows.
    std::vector<EditedRevision> history = editHistory(11, 16);
    for (EditedRevision& revision : history)
        for (size_t at = 0; (at = revision.text.find("item", at)) != std::string::npos; at += 5)
            revision.text.replace(at + 4, revision.text.find(';', at) - at - 4,
                                  std::to_string(std::stoi(revision.text.substr(at + 4)) % 3));
    for (size_t r = 0; r < history.size(); ++r) {
        if (r == 12) {  // removed, then added again with much of its old text
            fs::remove(repository.work + "calc.c");
            EXPECT_EQ(repository.cvs({"remove", "calc.c"}).status, 0);
            EXPECT_EQ(repository.cvs({"commit", "-m", "removed", "calc.c"}, "cid").status, 0);
        }
        if (r % 12 == 0) {
            repository.scratch.write("mod/calc.c", history[r].text);
            EXPECT_EQ(repository.cvs({"add", "calc.c"}).status, 0);
        }
        commit(history[r].text, history[r].author);
        if (r == 5) {  // a branch from 1.6, three revisions long
            EXPECT_EQ(repository.cvs({"tag", "-b", "topic", "calc.c"}).status, 0);
            EXPECT_EQ(repository.cvs({"update", "-r", "topic", "calc.c"}).status, 0);
            std::string text = history[r].text;
            for (const char* author : {"eve", "bob", "eve"})
                commit(text = "/* topic by " + std::string(author) + " */\n" + text, author);
            EXPECT_EQ(repository.cvs({"update", "-A", "calc.c"}).status, 0);
        }
    }
    EXPECT_GE(compareCvs(repository, "1.", 17) + compareCvs(repository, "1.6.2.", 3), 15 * 25);
}

}  // namespace
