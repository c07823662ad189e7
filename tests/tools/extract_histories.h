#pragma once
// Real git and CVS repositories built in scratch directories for the tests
// of quillon-extract, and the programs run against them.

#include <string>
#include <vector>

#include "support/temp_directory.h"

struct CommandResult {
    int status = -1;     // the exit status, -1 when the program did not end normally
    std::string output;  // standard output
    std::string errors;  // standard error
};

// Runs a program in `directory` with the test's environment changed by
// `environment` ("NAME=value" entries).
CommandResult runProgram(const std::vector<std::string>& argv, const std::string& directory,
                         const std::vector<std::string>& environment = {});

// quillon-extract with the given arguments.
CommandResult runExtract(const std::vector<std::string>& arguments);

std::string readFileBytes(const std::string& path);

// A git repository whose commits do not depend on any configuration of the
// machine: every author and date is set by the test.
struct GitRepository {
    TempDirectory scratch;
    std::string top;  // the working tree, ending with '/'
    int commitCount = 0;
};

void initGitRepository(GitRepository& repository);
CommandResult runGit(const GitRepository& repository, const std::vector<std::string>& arguments,
                     const std::string& author = "tester");
// Writes a file of the working tree; an absent content removes it.
void putFile(const GitRepository& repository, const std::string& path, const std::string& content);
void removeFile(const GitRepository& repository, const std::string& path);
// Commits everything in the working tree as `author`, a minute after the
// commit before; returns the commit's id.
std::string gitCommit(GitRepository& repository, const std::string& author, const std::string& message);

// A CVS repository with one module checked out; authors come from LOGNAME.
struct CvsRepository {
    TempDirectory scratch;
    std::string root;  // CVSROOT
    std::string work;  // the checked-out module, ending with '/'
};

void initCvsRepository(CvsRepository& repository, const std::string& module);
CommandResult runCvs(const CvsRepository& repository, const std::vector<std::string>& arguments,
                     const std::string& author = "tester");
void putFile(const CvsRepository& repository, const std::string& path, const std::string& content);

// One line of `quillon-check --blame`.
struct BlameLine {
    std::string author;
    std::string text;
};

// The blame of revision `revision` (from 1) of an evolution; fails the
// test when the checker does.
std::vector<BlameLine> evolutionBlame(const std::string& evolutionPath, int revision);

// How many lines' authors agree with a reference blame.
struct Agreement {
    int lines = 0;
    int agreeing = 0;
    // Lines that the reference attributes to a revision the evolution
    // cannot show, expected at the revision where they entered it instead.
    int entered = 0;
    double share() const { return lines == 0 ? 1.0 : static_cast<double>(agreeing) / lines; }
};

// The histories on which the blame of the evolutions is held against the
// repositories' own. Each builds its repository, extracts the evolution,
// checks that it loads, that the checker calls it sound and that every
// revision's text is the repository's, and returns, over every line of
// every revision, how far the evolution's blame agrees with git blame
// --first-parent or cvs annotate.
Agreement gitHistoryOfEditsByFourAuthors();
Agreement gitHistoryWithMergesRemovalsAndOddText();
Agreement cvsHistoryOfTrunkAndBranch();

// The lines of a text without their line ends, as the evolution reads them.
std::vector<std::string> textLines(const std::string& text);

// A history of edits such as programmers make, the same for every run of
// the tests: each revision's author and text. Lines are inserted, deleted
// and replaced by fewer or more lines, blank lines and braces recur, and
// one line is changed often, sometimes in successive revisions and
// sometimes with one revision between.
struct EditedRevision {
    std::string author;
    std::string text;
};
std::vector<EditedRevision> editHistory(unsigned seed, int revisions, const std::vector<std::string>& authors);
