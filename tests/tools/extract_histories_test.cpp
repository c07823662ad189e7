// The scratch repositories and program runs that the tests of quillon-extract
// share (declared in extract_histories.h).

#include "tools/extract_histories.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <random>

extern char** environ;

namespace {

// The environment of the test with `changes` applied.
std::vector<std::string> changedEnvironment(const std::vector<std::string>& changes)
{
    std::map<std::string, std::string> variables;
    for (char** entry = environ; *entry; ++entry) {
        const std::string text = *entry;
        variables[text.substr(0, text.find('='))] = text;
    }
    for (const std::string& change : changes)
        variables[change.substr(0, change.find('='))] = change;
    std::vector<std::string> result;
    for (const auto& [name, entry] : variables)
        result.push_back(entry);
    return result;
}

std::vector<char*> pointers(std::vector<std::string>& texts)
{
    std::vector<char*> result;
    for (std::string& text : texts)
        result.push_back(text.data());
    result.push_back(nullptr);
    return result;
}

// Reads both pipes to their ends, whichever has something first.
void drain(int outputPipe, int errorPipe, std::string& output, std::string& errors)
{
    pollfd fds[2] = {{outputPipe, POLLIN, 0}, {errorPipe, POLLIN, 0}};
    std::string* sinks[2] = {&output, &errors};
    int open = 2;
    char buffer[65536];
    while (open > 0) {
        if (::poll(fds, 2, -1) < 0)
            return;
        for (int i = 0; i < 2; ++i) {
            if (fds[i].fd < 0 || fds[i].revents == 0)
                continue;
            const ssize_t n = ::read(fds[i].fd, buffer, sizeof buffer);
            if (n > 0) {
                sinks[i]->append(buffer, static_cast<size_t>(n));
            } else {
                ::close(fds[i].fd);
                fds[i].fd = -1;
                --open;
            }
        }
    }
}

const std::vector<std::string> gitEnvironmentBase = {
    "GIT_CONFIG_NOSYSTEM=1", "GIT_CONFIG_GLOBAL=/dev/null", "GIT_TERMINAL_PROMPT=0", "LC_ALL=C", "TZ=UTC",
};

}  // namespace

CommandResult runProgram(const std::vector<std::string>& argv, const std::string& directory,
                         const std::vector<std::string>& environment)
{
    CommandResult result;
    std::vector<std::string> arguments = argv;
    std::vector<std::string> variables = changedEnvironment(environment);
    std::vector<char*> argumentPointers = pointers(arguments);
    std::vector<char*> variablePointers = pointers(variables);
    int outputPipe[2], errorPipe[2];
    if (::pipe2(outputPipe, O_CLOEXEC) != 0 || ::pipe2(errorPipe, O_CLOEXEC) != 0) {
        ADD_FAILURE() << "cannot make pipes";
        return result;
    }
    const pid_t child = ::fork();
    if (child == 0) {
        ::dup2(outputPipe[1], STDOUT_FILENO);
        ::dup2(errorPipe[1], STDERR_FILENO);
        const int input = ::open("/dev/null", O_RDONLY);
        ::dup2(input, STDIN_FILENO);
        if (::chdir(directory.c_str()) == 0)
            ::execvpe(argumentPointers[0], argumentPointers.data(), variablePointers.data());
        std::fprintf(stderr, "cannot run %s: %s\n", argumentPointers[0], std::strerror(errno));
        ::_exit(127);
    }
    ::close(outputPipe[1]);
    ::close(errorPipe[1]);
    drain(outputPipe[0], errorPipe[0], result.output, result.errors);
    int status = 0;
    ::waitpid(child, &status, 0);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

CommandResult runExtract(const std::vector<std::string>& arguments)
{
    std::vector<std::string> argv = {QUILLON_EXTRACT};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    TempDirectory home;
    std::vector<std::string> environment = gitEnvironmentBase;
    environment.push_back("HOME=" + home.path());
    return runProgram(argv, ".", environment);
}

std::string readFileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void initGitRepository(GitRepository& repository)
{
    repository.top = repository.scratch.path() + "repository/";
    std::filesystem::create_directories(repository.top);
    const CommandResult init = runGit(repository, {"init", "-q", "-b", "main"});
    ASSERT_EQ(init.status, 0) << init.errors;
}

CommandResult runGit(const GitRepository& repository, const std::vector<std::string>& arguments,
                     const std::string& author)
{
    // Whole minutes from a fixed day, one more for every commit.
    const std::string seconds = std::to_string(1700000000 + 60 * repository.commitCount);
    const std::string date = std::string("@").append(seconds) + " +0000";
    std::vector<std::string> environment = gitEnvironmentBase;
    for (const char* role : {"AUTHOR", "COMMITTER"}) {
        environment.push_back(std::string("GIT_") + role + "_NAME=" + author);
        environment.push_back(std::string("GIT_") + role + "_EMAIL=" + author + "@example.org");
        environment.push_back(std::string("GIT_") + role + "_DATE=" + date);
    }
    environment.push_back("HOME=" + repository.scratch.path());
    std::vector<std::string> argv = {"git"};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    return runProgram(argv, repository.top, environment);
}

void putFile(const GitRepository& repository, const std::string& path, const std::string& content)
{
    repository.scratch.write("repository/" + path, content);
}

void removeFile(const GitRepository& repository, const std::string& path)
{
    std::filesystem::remove(repository.top + path);
}

std::string gitCommit(GitRepository& repository, const std::string& author, const std::string& message)
{
    const CommandResult add = runGit(repository, {"add", "-A"});
    EXPECT_EQ(add.status, 0) << add.errors;
    const CommandResult commit = runGit(repository, {"commit", "-q", "--allow-empty", "-m", message}, author);
    EXPECT_EQ(commit.status, 0) << commit.errors;
    ++repository.commitCount;
    std::string id = runGit(repository, {"rev-parse", "HEAD"}).output;
    while (!id.empty() && id.back() == '\n')
        id.pop_back();
    return id;
}

void initCvsRepository(CvsRepository& repository, const std::string& module)
{
    repository.root = repository.scratch.path() + "root";
    repository.work = repository.scratch.path() + module + "/";
    std::filesystem::create_directories(repository.root + "/" + module);
    const CommandResult init = runCvs(repository, {"init"});
    ASSERT_EQ(init.status, 0) << init.errors;
    const CommandResult checkout = runProgram({"cvs", "-Q", "-d", repository.root, "checkout", module},
                                              repository.scratch.path(), {"HOME=" + repository.scratch.path()});
    ASSERT_EQ(checkout.status, 0) << checkout.errors;
}

CommandResult runCvs(const CvsRepository& repository, const std::vector<std::string>& arguments,
                     const std::string& author)
{
    std::vector<std::string> argv = {"cvs", "-Q", "-d", repository.root};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    const std::string directory =
        std::filesystem::is_directory(repository.work) ? repository.work : repository.scratch.path();
    return runProgram(argv, directory,
                      {"LOGNAME=" + author, "USER=" + author, "HOME=" + repository.scratch.path(), "TZ=UTC",
                       "LC_ALL=C", "CVS_RSH=false"});
}

void putFile(const CvsRepository& repository, const std::string& path, const std::string& content)
{
    std::ofstream out(repository.work + path, std::ios::binary);
    out << content;
}

std::vector<BlameLine> evolutionBlame(const std::string& evolutionPath, int revision)
{
    const CommandResult blame = runProgram({QUILLON_CHECK, "--blame", std::to_string(revision), evolutionPath}, ".");
    EXPECT_EQ(blame.status, 0) << blame.output;
    std::vector<BlameLine> lines;
    for (const std::string& line : textLines(blame.output)) {
        const size_t tab = line.find('\t');
        EXPECT_NE(tab, std::string::npos) << line;
        if (tab != std::string::npos)
            lines.push_back({line.substr(0, tab), line.substr(tab + 1)});
    }
    return lines;
}

std::vector<std::string> textLines(const std::string& text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

std::vector<EditedRevision> editHistory(unsigned seed, int revisions, const std::vector<std::string>& authors)
{
    std::mt19937 random(seed);
    const auto below = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    int serial = 0;
    // A statement, a blank line or a brace, as code has them.
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
    const int hotLine = 2;

    std::vector<EditedRevision> history;
    for (int r = 0; r < revisions; ++r) {
        if (r > 0) {
            if (below(2) == 0)
                lines[hotLine] = "int hot = " + std::to_string(r) + ";";
            for (int edits = 1 + below(3); edits > 0; --edits) {
                // Edits stay below the hot line so that it keeps its place.
                const int size = static_cast<int>(lines.size());
                const int at = hotLine + 1 + below(size - hotLine - 1);
                const int span = std::min(1 + below(3), size - at);
                switch (below(4)) {
                case 0:
                    for (int k = below(3); k >= 0; --k)
                        lines.insert(lines.begin() + at, codeLine());
                    break;
                case 1:
                    if (size > 12)
                        lines.erase(lines.begin() + at, lines.begin() + at + span);
                    break;
                default: {
                    std::vector<std::string> replacement;
                    for (int k = below(4); k >= 0; --k)
                        replacement.push_back(codeLine());
                    lines.erase(lines.begin() + at, lines.begin() + at + span);
                    lines.insert(lines.begin() + at, replacement.begin(), replacement.end());
                }
                }
            }
        }
        std::string text;
        for (const std::string& line : lines)
            text += line + "\n";
        history.push_back({authors[below(static_cast<int>(authors.size()))], text});
    }
    return history;
}
