// quillon-extract on real CVS repositories made with the cvs program: the
// trunk and a branch of one file, with a revision in which it was removed.
// Each evolution loads, the checker calls it sound, every revision's text is
// what the rcs tools check out, and the author of every line is held
// against cvs annotate.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "evolution/evolution_file.h"
#include "evolution/evolution_path.h"
#include "tools/extract_histories.h"

namespace {

const std::vector<std::string> developers = {"ann", "bob", "cid", "dee"};

// One line of cvs annotate: the revision that last touched it and its author.
struct AnnotatedLine {
    std::string revision;
    std::string author;
    std::string text;
};

std::vector<AnnotatedLine> annotate(const CvsRepository& repository, const std::string& revision,
                                    const std::string& file)
{
    const CommandResult result = runCvs(repository, {"annotate", "-r", revision, file});
    EXPECT_EQ(result.status, 0) << result.errors;
    std::vector<AnnotatedLine> lines;
    for (const std::string& line : textLines(result.output)) {
        const size_t open = line.find('(');
        const size_t close = line.find("): ", open);
        if (open == std::string::npos || close == std::string::npos) {
            ADD_FAILURE() << "not an annotation: " << line;
            continue;
        }
        lines.push_back({line.substr(0, line.find(' ')), line.substr(open + 1, line.find(' ', open) - open - 1),
                         line.substr(close + 3)});
    }
    return lines;
}

bool isDead(const std::string& rcsFile, const std::string& revision)
{
    const CommandResult log = runProgram({"rlog", "-r" + revision, rcsFile}, ".");
    return log.output.find("state: dead;") != std::string::npos;
}

// The column of a revision number on the branch `prefix`, -1 off it.
int columnOn(const std::string& prefix, const std::string& revision)
{
    if (revision.compare(0, prefix.size(), prefix) != 0 || revision.find('.', prefix.size()) != std::string::npos)
        return -1;
    return std::stoi(revision.substr(prefix.size())) - 1;
}

// Extracts one branch of the RCS file and holds it against the rcs tools
// and cvs annotate. A line of the evolution can only be attributed to a
// revision of the branch since the file last came into being: cvs annotate
// names older revisions for lines that were there before the branch began
// or before the file was removed and added again, and those are expected
// at the revision where the lines entered the evolution.
void checkExtraction(const CvsRepository& repository, const std::string& file, const std::string& branch,
                     Agreement& agreement)
{
    const std::string rcsFile = repository.root + "/mod/" + file + ",v";
    TempDirectory out;
    const CommandResult extract = runExtract({"cvs", rcsFile, out.path() + "evolution", "--branch", branch});
    ASSERT_EQ(extract.status, 0) << extract.output << extract.errors;
    const std::string evolutionPath = out.path() + "evolution/" + file + "_cvs";

    const CommandResult check = runProgram({QUILLON_CHECK, evolutionPath}, ".");
    EXPECT_EQ(check.status, 0) << check.output;

    const EvolutionPath split = splitEvolutionPath(evolutionPath);
    EvolutionFile evolution(split.directory, split.fileName, nullptr);
    ASSERT_TRUE(evolution.loadEvolution());
    EXPECT_EQ(evolution.branch, branch);
    const std::string after = branch + std::to_string(evolution.revisionCount + 1);
    EXPECT_NE(runProgram({"rlog", "-r" + after, rcsFile}, ".").output.find("selected revisions: 0"),
              std::string::npos)
        << after << " was left out";

    int entering = 0;
    for (int n = 1; n <= evolution.revisionCount; ++n) {
        const std::string revision = branch + std::to_string(n);
        const bool dead = isDead(rcsFile, revision);
        const std::string checkedOut =
            dead ? "" : runProgram({"co", "-q", "-p", "-ko", "-r" + revision, rcsFile}, ".").output;
        const std::string text = readFileBytes(revisionTextPath(evolution.directory, file, branch, n));
        EXPECT_TRUE(text == checkedOut) << revision << " is not what co checks out";

        const std::vector<BlameLine> ours = evolutionBlame(evolutionPath, n);
        if (dead) {
            EXPECT_TRUE(ours.empty()) << revision;
            entering = n;
            continue;
        }
        const std::vector<AnnotatedLine> theirs = annotate(repository, revision, file);
        ASSERT_EQ(ours.size(), theirs.size()) << revision;
        for (size_t i = 0; i < ours.size(); ++i) {
            EXPECT_EQ(ours[i].text, theirs[i].text) << revision << " line " << i + 1;
            std::string expected = theirs[i].author;
            if (columnOn(branch, theirs[i].revision) < entering) {
                expected = evolution.revisionAuthorName(entering);
                ++agreement.entered;
            }
            ++agreement.lines;
            // cvs annotate shows no more than eight characters of a name.
            agreement.agreeing += ours[i].author.substr(0, 8) == expected ? 1 : 0;
        }
    }
}

std::string withMarker(const std::string& text, const std::string& marker)
{
    return "/* " + marker + " */\n" + text;
}

}  // namespace

Agreement cvsHistoryOfTrunkAndBranch()
{
    CvsRepository repository;
    Agreement agreement;
    initCvsRepository(repository, "mod");
    const std::string file = "calc.c";
    const std::vector<EditedRevision> history = editHistory(11, 16, developers);

    putFile(repository, file, history[0].text);
    EXPECT_EQ(runCvs(repository, {"add", file}, history[0].author).status, 0);
    for (size_t r = 0; r < 12; ++r) {
        putFile(repository, file, history[r].text);
        const CommandResult commit = runCvs(repository, {"commit", "-m", "step " + std::to_string(r), file},
                                            history[r].author);
        EXPECT_EQ(commit.status, 0) << commit.errors;
        if (r == 5) {
            // A branch from here, three revisions long.
            EXPECT_EQ(runCvs(repository, {"tag", "-b", "topic", file}).status, 0);
            EXPECT_EQ(runCvs(repository, {"update", "-r", "topic", file}).status, 0);
            std::string text = history[r].text;
            for (const char* author : {"eve", "bob", "eve"}) {
                text = withMarker(text, std::string("topic by ") + author);
                putFile(repository, file, text);
                EXPECT_EQ(runCvs(repository, {"commit", "-m", "topic", file}, author).status, 0);
            }
            EXPECT_EQ(runCvs(repository, {"update", "-A", file}).status, 0);
        }
    }
    // Removed, then added again with much of its old text.
    std::filesystem::remove(repository.work + file);
    EXPECT_EQ(runCvs(repository, {"remove", file}, "cid").status, 0);
    EXPECT_EQ(runCvs(repository, {"commit", "-m", "removed", file}, "cid").status, 0);
    for (size_t r = 12; r < history.size(); ++r) {
        putFile(repository, file, history[r].text);
        if (r == 12) {
            EXPECT_EQ(runCvs(repository, {"add", file}, history[r].author).status, 0);
        }
        EXPECT_EQ(runCvs(repository, {"commit", "-m", "again", file}, history[r].author).status, 0);
    }

    checkExtraction(repository, file, "1.", agreement);
    checkExtraction(repository, file, "1.6.2.", agreement);
    EXPECT_GE(agreement.lines, 15 * 25);
    EXPECT_GT(agreement.entered, 0);
    return agreement;
}
