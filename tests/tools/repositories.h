#pragma once
// Real git repositories made in scratch directories, and the programs run against them.

#include <sys/wait.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "support/temp_directory.h"

struct CommandResult { int status = -1; std::string output, errors; };  // -1: the program did not end normally

inline std::string readFileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Runs a program in `directory` with nothing on standard input and "NAME=value" entries added to an
// environment that keeps the machine's git configuration, locale and time zone out.
inline CommandResult runProgram(const std::vector<std::string>& argv, const std::string& directory = ".",
                                const std::vector<std::string>& environment = {})
{
    // Through the shell, output into files: a program filling a pipe nobody reads cannot hang the test.
    const auto quoted = [](const std::string& word) {
        std::string text = " '";
        for (const char c : word)
            text += c == '\'' ? std::string("'\\''") : std::string(1, c);
        return text + "'";
    };
    std::string command = "cd" + quoted(directory) + " && exec env GIT_CONFIG_NOSYSTEM=1 GIT_CONFIG_GLOBAL=/dev/null "
                          "GIT_TERMINAL_PROMPT=0 LC_ALL=C TZ=UTC";
    for (const std::string& word : environment)
        command += quoted(word);
    for (const std::string& word : argv)
        command += quoted(word);
    const TempDirectory capture;
    const std::string out = capture.path() + "out", err = capture.path() + "err";
    const int status = std::system((command + " </dev/null >" + out + " 2>" + err).c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, readFileBytes(out), readFileBytes(err)};
}

// quillon-extract, away from the user's own cache.
inline CommandResult runExtract(const std::vector<std::string>& arguments)
{
    const TempDirectory home;
    std::vector<std::string> argv = {QUILLON_EXTRACT};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    return runProgram(argv, ".", {"HOME=" + home.path(), "XDG_CACHE_HOME=" + home.path()});
}

// Every file below a directory, by its path there, with its content.
inline std::map<std::string, std::string> filesBelow(const std::string& directory)
{
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(directory))
        if (entry.is_regular_file())
            files[std::filesystem::relative(entry.path(), directory).string()] = readFileBytes(entry.path().string());
    return files;
}

// A git repository whose commits depend on nothing of the machine's: every
// author is the test's and every commit is a minute after the one before.
struct GitRepository {
    TempDirectory scratch;
    std::string top = scratch.path() + "repository/";  // the working tree
    int commits = 0;

    GitRepository()
    {
        std::filesystem::create_directories(top);
        const CommandResult init = git({"init", "-q", "-b", "main"});
        EXPECT_EQ(init.status, 0) << init.errors;
    }
    CommandResult git(const std::vector<std::string>& arguments, const std::string& author = "tester") const
    {
        const std::string date = std::to_string(1700000000 + 60 * commits) + " +0000";
        std::vector<std::string> argv = {"git"}, environment = {"HOME=" + scratch.path()};
        argv.insert(argv.end(), arguments.begin(), arguments.end());
        for (const std::string role : {"GIT_AUTHOR_", "GIT_COMMITTER_"})
            environment.insert(environment.end(), {role + "NAME=" + author, role + "EMAIL=" + author + "@example.org",
                                                   role + "DATE=@" + date});
        return runProgram(argv, top, environment);
    }
    void put(const std::string& path, const std::string& text) const { scratch.write("repository/" + path, text); }
    void commit(const std::string& author)  // the whole working tree
    {
        EXPECT_EQ(git({"add", "-A"}).status, 0);
        const CommandResult made = git({"commit", "-q", "--allow-empty", "-m", "edit"}, author);
        EXPECT_EQ(made.status, 0) << made.errors;
        ++commits;
    }
};
