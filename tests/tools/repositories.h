#pragma once
// Real git repositories made in scratch directories, and the programs run against them.

#include <map>
#include <string>
#include <vector>

#include "support/temp_directory.h"

struct CommandResult {
    int status = -1;  // -1 when the program did not end normally
    std::string output, errors;
};

// Runs a program in `directory` with nothing on standard input and "NAME=value" entries added to an
// environment that keeps the machine's git configuration, locale and time zone out.
CommandResult runProgram(const std::vector<std::string>& argv, const std::string& directory = ".",
                         const std::vector<std::string>& environment = {});
// quillon-extract, away from the user's own cache.
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
    std::string top = scratch.path() + "repository/";  // the working tree
    int commits = 0;
    GitRepository();
    CommandResult git(const std::vector<std::string>& arguments, const std::string& author = "tester") const;
    void put(const std::string& path, const std::string& text) const { scratch.write("repository/" + path, text); }
    void commit(const std::string& author);  // the whole working tree
};
