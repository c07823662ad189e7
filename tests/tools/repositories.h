#pragma once
// Real git and CVS repositories made in scratch directories, the programs run
// against them, and the histories of edits committed to them.

#include <map>
#include <string>
#include <vector>

#include "support/temp_directory.h"

struct CommandResult {
    int status = -1;  // -1 when the program did not end normally
    std::string output, errors;
};

// Runs a program in `directory` with "NAME=value" entries added to the
// environment and nothing on standard input.
CommandResult runProgram(const std::vector<std::string>& argv, const std::string& directory = ".",
                         const std::vector<std::string>& environment = {});
// quillon-extract, away from the user's own git configuration and cache.
CommandResult runExtract(const std::vector<std::string>& arguments);

std::string readFileBytes(const std::string& path);
// Every file below a directory, by its path there, with its content.
std::map<std::string, std::string> filesBelow(const std::string& directory);
// The lines of a text without their line ends, as the evolution reads them.
std::vector<std::string> textLines(const std::string& text);

// A git repository whose commits depend on nothing of the machine's: every
// author is the test's and every commit is a minute after the one before.
struct GitRepository {
    TempDirectory scratch;
    std::string top;  // the working tree, ending with '/'
    int commits = 0;
    GitRepository();
    CommandResult git(const std::vector<std::string>& arguments, const std::string& author = "tester") const;
    void put(const std::string& path, const std::string& content) const;
    // Commits the whole working tree; returns the commit's id.
    std::string commit(const std::string& author, const std::string& message = "edit");
};

// A CVS repository with the module "mod" checked out; the author of a
// commit is the LOGNAME it runs under.
struct CvsRepository {
    TempDirectory scratch;
    std::string root, work;  // CVSROOT, and the checkout ending with '/'
    CvsRepository();
    CommandResult cvs(const std::vector<std::string>& arguments, const std::string& author = "tester") const;
    void put(const std::string& file, const std::string& content) const;
};

// A line of a blame: who the line is attributed to, and its text.
struct BlameLine {
    std::string author, text;
};
// quillon-check --blame of revision `revision` (from 1).
std::vector<BlameLine> evolutionBlame(const std::string& evolutionPath, int revision);

// A history of edits such as programmers make, the same in every run:
// lines inserted, deleted and replaced by fewer or more lines, blank lines
// and braces recurring, and one line changed often, in successive revisions
// and with one between.
struct EditedRevision {
    std::string author, text;
};
std::vector<EditedRevision> editHistory(unsigned seed, int revisions, const std::vector<std::string>& authors);
