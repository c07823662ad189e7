// Extracting the evolution of a file with 1,000 revisions from a generated
// git repository, held against git's own reading of the same history:
// git log -p --first-parent --format=%H -- PATH, in the same run.

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

extern char** environ;

namespace fs = std::filesystem;

namespace {

constexpr int revisionCount = 1000;
const char* const sourcePath = "src/engine.c";

struct ChildCost {
    bool ok = false;
    double wallSeconds = 0;
    double userSeconds = 0;
    double systemSeconds = 0;  // in the kernel on the child's behalf: reads, writes, file creation
    double processorSeconds() const { return userSeconds + systemSeconds; }
};

// Runs a program with its output thrown away, optionally feeding it `input`.
ChildCost runChild(const std::vector<std::string>& argv, const std::string& directory,
                   const std::string& input = {})
{
    int inputPipe[2];
    if (::pipe(inputPipe) != 0)
        return {};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, inputPipe[0], STDIN_FILENO);
    posix_spawn_file_actions_addclose(&actions, inputPipe[1]);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addchdir_np(&actions, directory.c_str());
    std::vector<std::string> arguments = argv;
    std::vector<char*> pointers;
    for (std::string& a : arguments)
        pointers.push_back(a.data());
    pointers.push_back(nullptr);
    const auto start = std::chrono::steady_clock::now();
    pid_t child = 0;
    const int spawned = ::posix_spawnp(&child, pointers[0], &actions, nullptr, pointers.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(inputPipe[0]);
    if (spawned != 0) {
        ::close(inputPipe[1]);
        return {};
    }
    for (size_t written = 0; written < input.size();) {
        const ssize_t n = ::write(inputPipe[1], input.data() + written, input.size() - written);
        if (n <= 0)
            break;
        written += static_cast<size_t>(n);
    }
    ::close(inputPipe[1]);
    int status = 0;
    rusage usage{};
    ::wait4(child, &status, 0, &usage);
    const std::chrono::duration<double> wall = std::chrono::steady_clock::now() - start;
    const auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec * 1e-6; };
    return {WIFEXITED(status) && WEXITSTATUS(status) == 0, wall.count(), seconds(usage.ru_utime),
            seconds(usage.ru_stime)};
}

// A C file edited 1,000 times by four authors: lines inserted, deleted and
// replaced by fewer or more, the file growing from 200 lines towards 700.
std::string fastImportStream()
{
    std::mt19937 random(2024);
    const auto below = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    int serial = 0;
    const auto codeLine = [&]() -> std::string {
        switch (below(8)) {
        case 0: return "";
        case 1: return "    }";
        case 2: return "    if (total > limit" + std::to_string(serial++) + ") {";
        default: return "    total += compute(item" + std::to_string(serial++) + ", total);";
        }
    };
    std::vector<std::string> lines;
    for (int i = 0; i < 200; ++i)
        lines.push_back(codeLine());
    const char* const authors[] = {"ann", "bob", "cid", "dee"};
    std::string stream;
    for (int r = 0; r < revisionCount; ++r) {
        for (int edits = r == 0 ? 0 : 1 + below(3); edits > 0; --edits) {
            const int size = static_cast<int>(lines.size());
            const int at = below(size);
            const int span = std::min(1 + below(3), size - at);
            const int kind = below(size > 700 ? 3 : 4);
            if (kind == 0 && size > 50) {
                lines.erase(lines.begin() + at, lines.begin() + at + span);
            } else {
                std::vector<std::string> added;
                for (int k = below(5); k >= 0; --k)
                    added.push_back(codeLine());
                if (kind != 3)
                    lines.erase(lines.begin() + at, lines.begin() + at + span);
                lines.insert(lines.begin() + at, added.begin(), added.end());
            }
        }
        std::string text;
        for (const std::string& line : lines)
            text += line + "\n";
        const std::string author = authors[below(4)];
        const std::string when = std::to_string(1600000000 + r * 3600) + " +0000";
        const std::string message = "change " + std::to_string(r);
        stream += "commit refs/heads/main\n";
        stream += "author " + author + " <" + author + "@example.org> " + when + "\n";
        stream += "committer " + author + " <" + author + "@example.org> " + when + "\n";
        stream += "data " + std::to_string(message.size()) + "\n" + message + "\n";
        stream += "M 100644 inline " + std::string(sourcePath) + "\n";
        stream += "data " + std::to_string(text.size()) + "\n" + text + "\n";
    }
    return stream;
}

struct GeneratedRepository {
    fs::path directory;
    bool ok = false;

    GeneratedRepository()
    {
        // git must not read the configuration of whoever runs the benchmark.
        ::setenv("GIT_CONFIG_NOSYSTEM", "1", 1);
        ::setenv("GIT_CONFIG_GLOBAL", "/dev/null", 1);
        std::string pattern = (fs::temp_directory_path() / "quillon-extract-bench-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            return;
        directory = pattern;
        ok = runChild({"git", "init", "-q", "-b", "main", "repository"}, directory.string()).ok &&
             runChild({"git", "fast-import", "--quiet"}, (directory / "repository").string(), fastImportStream()).ok;
    }
    ~GeneratedRepository()
    {
        std::error_code ignored;
        if (!directory.empty())
            fs::remove_all(directory, ignored);
    }
};

// Generated once for every benchmark here: each works in folders of its own
// beside it, and one that adds a commit takes it back again. Null, with the
// benchmark skipped, when it could not be made.
const GeneratedRepository* sharedRepository(benchmark::State& state)
{
    static const GeneratedRepository generated;
    if (!generated.ok) {
        state.SkipWithError("the repository could not be generated");
        return nullptr;
    }
    return &generated;
}

void BM_ExtractGitAgainstGitLog(benchmark::State& state)
{
    const GeneratedRepository* generated = sharedRepository(state);
    if (!generated)
        return;
    const std::string repository = (generated->directory / "repository").string();
    const std::string out = (generated->directory / "evolution").string();
    ChildCost extractTotal, gitLogTotal;
    for (auto _ : state) {
        const ChildCost extract =
            runChild({QUILLON_EXTRACT, "git", repository, sourcePath, out, "--force"}, generated->directory.string());
        const ChildCost gitLog = runChild({"git", "log", "-p", "--first-parent", "--format=%H", "--", sourcePath},
                                          repository);
        if (!extract.ok || !gitLog.ok) {
            state.SkipWithError("quillon-extract or git log failed");
            return;
        }
        state.SetIterationTime(extract.wallSeconds);
        for (auto [total, cost] : {std::pair{&extractTotal, &extract}, std::pair{&gitLogTotal, &gitLog}}) {
            total->wallSeconds += cost->wallSeconds;
            total->userSeconds += cost->userSeconds;
            total->systemSeconds += cost->systemSeconds;
        }
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["revisions"] = revisionCount;
    state.counters["extract_user_s"] = extractTotal.userSeconds / n;
    state.counters["extract_sys_s"] = extractTotal.systemSeconds / n;
    state.counters["git_log_cpu_s"] = gitLogTotal.processorSeconds() / n;
    state.counters["cpu_ratio"] = extractTotal.processorSeconds() / gitLogTotal.processorSeconds();
    state.counters["user_ratio"] = extractTotal.userSeconds / gitLogTotal.userSeconds;
    state.counters["wall_ratio"] = extractTotal.wallSeconds / gitLogTotal.wallSeconds;
}

// The target is a wall_ratio below 2. On a shared machine wall time also
// counts whatever else runs, so the processor time of the two children is
// reported too; the extraction writes a file per revision, which git log does
// not, and its system time shows what that costs on the file system at hand.
BENCHMARK(BM_ExtractGitAgainstGitLog)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

// One commit more on the generated history, made and taken back again so
// that every iteration starts from the same repository.
std::string oneMoreCommit()
{
    const std::string text = "int appended = 1;\n", message = "one more";
    return "commit refs/heads/main\nauthor ann <ann@example.org> 1700000000 +0000\n"
           "committer ann <ann@example.org> 1700000000 +0000\ndata " + std::to_string(message.size()) + "\n" +
           message + "\nfrom refs/heads/main^0\nM 100644 inline " + sourcePath + "\ndata " +
           std::to_string(text.size()) + "\n" + text + "\n";
}

// What a user waits for when the branch moved on by one commit: --update of
// an existing evolution, against extracting the whole history afresh.
void BM_UpdateAfterOneCommit(benchmark::State& state)
{
    const GeneratedRepository* generated = sharedRepository(state);
    if (!generated)
        return;
    const std::string repository = (generated->directory / "repository").string();
    const std::string updated = (generated->directory / "updated").string(), whole = (generated->directory / "whole").string();
    double updateTotal = 0, wholeTotal = 0;
    for (auto _ : state) {
        const bool ready = runChild({QUILLON_EXTRACT, "git", repository, sourcePath, updated, "--force"}, repository).ok &&
                           runChild({"git", "fast-import", "--quiet"}, repository, oneMoreCommit()).ok;
        const ChildCost update = runChild({QUILLON_EXTRACT, "git", repository, sourcePath, updated, "--update"}, repository);
        const ChildCost full = runChild({QUILLON_EXTRACT, "git", repository, sourcePath, whole, "--force"}, repository);
        const bool restored = runChild({"git", "update-ref", "refs/heads/main", "refs/heads/main~1"}, repository).ok;
        if (!ready || !update.ok || !full.ok || !restored) {
            state.SkipWithError("the extraction, the update or git failed");
            return;
        }
        state.SetIterationTime(update.wallSeconds);
        updateTotal += update.wallSeconds;
        wholeTotal += full.wallSeconds;
    }
    state.counters["full_extraction_s"] = wholeTotal / static_cast<double>(state.iterations());
    state.counters["update_to_full"] = updateTotal / wholeTotal;
}
BENCHMARK(BM_UpdateAfterOneCommit)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

#ifdef QUILLON_PROGRAM
// Opening a file of the repository whose history is in the cache, against
// opening the evolution file the cache holds: both exported as a picture,
// which needs no display.
void BM_OpenCachedAgainstEvolutionFile(benchmark::State& state)
{
    const GeneratedRepository* generated = sharedRepository(state);
    if (!generated)
        return;
    const fs::path cache = generated->directory / "cache";
    ::setenv("XDG_CACHE_HOME", cache.c_str(), 1);
    const std::string file = (generated->directory / "work" / sourcePath).string();
    const std::string picture = (generated->directory / "p.png").string();
    const bool checkedOut = runChild({"git", "clone", "-q", (generated->directory / "repository").string(), "work"},
                                     generated->directory.string()).ok;
    if (!checkedOut || !runChild({QUILLON_PROGRAM, "--export", picture, file}, generated->directory.string()).ok) {
        state.SkipWithError("the history could not be read into the cache");
        return;
    }
    fs::path evolution;
    for (const auto& entry : fs::recursive_directory_iterator(cache))
        if (entry.path().filename() == "engine.c_cvs")
            evolution = entry.path();
    double cachedTotal = 0, directTotal = 0;
    for (auto _ : state) {
        const ChildCost cached = runChild({QUILLON_PROGRAM, "--export", picture, file}, generated->directory.string());
        const ChildCost direct =
            runChild({QUILLON_PROGRAM, "--export", picture, evolution.string()}, generated->directory.string());
        if (!cached.ok || !direct.ok) {
            state.SkipWithError("an export failed");
            return;
        }
        state.SetIterationTime(cached.wallSeconds);
        cachedTotal += cached.wallSeconds;
        directTotal += direct.wallSeconds;
    }
    ::unsetenv("XDG_CACHE_HOME");
    state.counters["cached_to_direct"] = cachedTotal / directTotal;
}
BENCHMARK(BM_OpenCachedAgainstEvolutionFile)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);
#endif

}  // namespace
