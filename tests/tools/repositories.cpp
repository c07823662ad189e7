#include "tools/repositories.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

namespace {

const std::vector<std::string> gitEnvironment = {"GIT_CONFIG_NOSYSTEM=1", "GIT_CONFIG_GLOBAL=/dev/null",
                                                 "GIT_TERMINAL_PROMPT=0", "LC_ALL=C", "TZ=UTC"};

std::vector<std::string> joined(std::vector<std::string> first, const std::vector<std::string>& second)
{
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

}  // namespace

CommandResult runProgram(const std::vector<std::string>& argv, const std::string& directory,
                         const std::vector<std::string>& environment)
{
    // Output goes to files rather than pipes: a program that fills one pipe
    // while the test waits on the other cannot then hang the test.
    const TempDirectory capture;
    const std::string output = capture.path() + "out", errors = capture.path() + "err";
    const pid_t child = ::fork();
    if (child == 0) {
        for (const std::string& entry : environment)
            ::putenv(const_cast<char*>(entry.c_str()));
        const int in = ::open("/dev/null", O_RDONLY);
        const int out = ::open(output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int err = ::open(errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (in < 0 || out < 0 || err < 0 || ::dup2(in, 0) < 0 || ::dup2(out, 1) < 0 || ::dup2(err, 2) < 0 ||
            ::chdir(directory.c_str()) != 0)
            ::_exit(126);
        std::vector<char*> arguments;
        for (const std::string& a : argv)
            arguments.push_back(const_cast<char*>(a.c_str()));
        arguments.push_back(nullptr);
        ::execvp(arguments[0], arguments.data());
        ::_exit(127);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, readFileBytes(output), readFileBytes(errors)};
}

CommandResult runExtract(const std::vector<std::string>& arguments)
{
    const TempDirectory home;
    return runProgram(joined({QUILLON_EXTRACT}, arguments), ".",
                      joined(gitEnvironment, {"HOME=" + home.path(), "XDG_CACHE_HOME=" + home.path()}));
}

std::string readFileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::map<std::string, std::string> filesBelow(const std::string& directory)
{
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(directory))
        if (entry.is_regular_file())
            files[std::filesystem::relative(entry.path(), directory).string()] = readFileBytes(entry.path().string());
    return files;
}

std::vector<std::string> textLines(const std::string& text)
{
    std::vector<std::string> lines;
    for (size_t start = 0; start < text.size();) {
        const size_t end = std::min(text.find('\n', start), text.size());
        std::string line = text.substr(start, end - start);
        if (line.ends_with('\r'))
            line.pop_back();
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

GitRepository::GitRepository() : top(scratch.path() + "repository/")
{
    std::filesystem::create_directories(top);
    const CommandResult init = git({"init", "-q", "-b", "main"});
    EXPECT_EQ(init.status, 0) << init.errors;
}

CommandResult GitRepository::git(const std::vector<std::string>& arguments, const std::string& author) const
{
    const std::string date = "@" + std::to_string(1700000000 + 60 * commits) + " +0000";
    std::vector<std::string> environment = joined(gitEnvironment, {"HOME=" + scratch.path()});
    for (const std::string role : {"AUTHOR", "COMMITTER"})
        environment = joined(environment, {"GIT_" + role + "_NAME=" + author,
                                           "GIT_" + role + "_EMAIL=" + author + "@example.org",
                                           "GIT_" + role + "_DATE=" + date});
    return runProgram(joined({"git"}, arguments), top, environment);
}

void GitRepository::put(const std::string& path, const std::string& content) const
{
    scratch.write("repository/" + path, content);
}

std::string GitRepository::commit(const std::string& author, const std::string& message)
{
    EXPECT_EQ(git({"add", "-A"}).status, 0);
    const CommandResult made = git({"commit", "-q", "--allow-empty", "-m", message}, author);
    EXPECT_EQ(made.status, 0) << made.errors;
    ++commits;
    return textLines(git({"rev-parse", "HEAD"}).output).at(0);
}

CvsRepository::CvsRepository() : root(scratch.path() + "root"), work(scratch.path() + "mod/")
{
    std::filesystem::create_directories(root + "/mod");
    EXPECT_EQ(cvs({"init"}).status, 0);
    const CommandResult checkout = cvs({"checkout", "mod"});
    EXPECT_EQ(checkout.status, 0) << checkout.errors;
}

CommandResult CvsRepository::cvs(const std::vector<std::string>& arguments, const std::string& author) const
{
    const std::string directory = std::filesystem::is_directory(work) ? work : scratch.path();
    return runProgram(joined({"cvs", "-Q", "-d", root}, arguments), directory,
                      {"LOGNAME=" + author, "USER=" + author, "HOME=" + scratch.path(), "TZ=UTC", "LC_ALL=C"});
}

void CvsRepository::put(const std::string& file, const std::string& content) const
{
    std::ofstream(work + file, std::ios::binary) << content;
}

std::vector<BlameLine> evolutionBlame(const std::string& evolutionPath, int revision)
{
    const CommandResult blame = runProgram({QUILLON_CHECK, "--blame", std::to_string(revision), evolutionPath});
    EXPECT_EQ(blame.status, 0) << blame.output;
    std::vector<BlameLine> lines;
    for (const std::string& line : textLines(blame.output)) {
        const size_t tab = line.find('\t');
        lines.push_back({line.substr(0, tab), tab == std::string::npos ? "" : line.substr(tab + 1)});
    }
    return lines;
}

std::vector<EditedRevision> editHistory(unsigned seed, int revisions, const std::vector<std::string>& authors)
{
    std::mt19937 random(seed);
    const auto below = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    int serial = 0;
    const auto codeLine = [&]() -> std::string {
        switch (below(6)) {
        case 0: return "";
        case 1: return "    }";
        default: return "    total += item" + std::to_string(++serial) + ";";
        }
    };
    std::vector<std::string> lines = {"#include <stdio.h>", "", "int hot = 0;", "", "int main(void)", "{"};
    for (int i = 0; i < 24; ++i)
        lines.push_back(codeLine());
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
        history.push_back({authors[below(static_cast<int>(authors.size()))], text});
    }
    return history;
}
