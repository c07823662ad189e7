#include "extract/openable_path.h"

#include <git2.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <system_error>

#include "extract/extraction_run.h"
#include "extract/libgit2_library.h"

namespace fs = std::filesystem;

namespace {

bool endsWith(const std::string& text, const std::string& end)
{
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

std::string firstLineOf(const fs::path& file)
{
    std::ifstream in(file);
    std::string line;
    std::getline(in, line);
    while (!line.empty() && (line.back() == '\r' || line.back() == '/'))
        line.pop_back();
    return line;
}

// A directory stands for the one evolution file in it.
bool evolutionInDirectory(const fs::path& directory, std::string& file, std::string& error)
{
    int found = 0;
    std::error_code ignored;
    for (const fs::directory_entry& entry : fs::directory_iterator(directory, ignored))
        if (entry.is_regular_file(ignored) && endsWith(entry.path().filename().string(), "_cvs")) {
            file = entry.path().string();
            ++found;
        }
    if (found == 1)
        return true;
    error = directory.string() + (found == 0 ? " holds no evolution file (NAME_cvs)"
                                             : " holds " + std::to_string(found) + " evolution files; name one of them");
    return false;
}

// The RCS file behind a file of a CVS checkout with a local repository.
bool rcsFileOfCheckout(const fs::path& file, fs::path& rcs, std::string& error)
{
    const fs::path cvs = file.parent_path() / "CVS";
    std::string root = firstLineOf(cvs / "Root");
    const std::string repository = firstLineOf(cvs / "Repository");
    if (root.rfind(":local:", 0) == 0)
        root.erase(0, 7);
    if (root.empty() || root[0] != '/') {
        error = file.string() + " is in a CVS checkout whose repository " + root + " is not local";
        return false;
    }
    const fs::path module = repository[0] == '/' ? fs::path(repository) : fs::path(root) / repository;
    const std::string name = file.filename().string() + ",v";
    std::error_code ignored;
    rcs = fs::exists(module / name, ignored) ? module / name : module / "Attic" / name;
    if (fs::is_regular_file(rcs, ignored))
        return true;
    error = file.string() + " has no history in its CVS repository (no " + (module / name).string() + ")";
    return false;
}

struct RepositoryCloser {
    void operator()(git_repository* repository) const { git_repository_free(repository); }
};

bool gitPath(const fs::path& file, const std::string& ref, OpenablePath& result, std::string& error)
{
    useLibgit2();
    git_repository* raw = nullptr;
    if (git_repository_open_ext(&raw, file.parent_path().c_str(), 0, nullptr) < 0) {
        error = file.string() + " is not an evolution file, an RCS file, nor a file of a git work tree or CVS checkout";
        return false;
    }
    std::unique_ptr<git_repository, RepositoryCloser> repository(raw);
    const char* workdir = git_repository_workdir(repository.get());
    if (!workdir) {
        error = file.string() + " is inside a bare git repository, which has no files to name";
        return false;
    }
    std::error_code ignored;
    const fs::path top = fs::weakly_canonical(workdir, ignored);
    const fs::path relative = fs::weakly_canonical(file, ignored).lexically_relative(top);
    git_object* target = nullptr;
    if (git_revparse_single(&target, repository.get(), ref.c_str()) < 0) {
        error = "the git repository at " + top.string() + " has no revision " + ref;
        return false;
    }
    git_object* commit = nullptr;
    const int peeled = git_object_peel(&commit, target, GIT_OBJECT_COMMIT);
    git_object_free(target);
    if (peeled < 0) {
        error = ref + " names no commit in the git repository at " + top.string();
        return false;
    }
    char id[GIT_OID_HEXSZ + 1] = {};
    git_oid_tostr(id, sizeof id, git_object_id(commit));
    git_object_free(commit);
    result.kind = PathKind::git;
    result.extract.kind = SourceKind::git;
    result.extract.repository = top.string();
    result.extract.path = relative.generic_string();
    result.extract.ref = ref;
    result.version = id;
    return true;
}

std::string cacheRoot()
{
    const char* cache = std::getenv("XDG_CACHE_HOME");
    if (cache && *cache == '/')
        return std::string(cache) + "/quillon/";
    const char* home = std::getenv("HOME");
    return std::string(home && *home ? home : "/tmp") + "/.cache/quillon/";
}

// One folder per repository, path and ref (or branch): readable by its
// file's name, told apart by a hash of the rest.
std::string cacheFolder(const OpenablePath& path)
{
    const ExtractOptions& e = path.extract;
    const std::string key = std::string(e.kind == SourceKind::git ? "git\n" : "rcs\n") + e.repository + "\n" +
                            e.path + "\n" + (e.kind == SourceKind::git ? e.ref : e.branch);
    uint64_t hash = 14695981039346656037ull;
    for (unsigned char c : key)
        hash = (hash ^ c) * 1099511628211ull;
    std::ostringstream name;
    name << fs::path(e.path).filename().string() << "-" << std::hex << hash;
    return name.str();
}

}  // namespace

bool resolvePath(const std::string& path, const std::string& ref, const std::string& branch, OpenablePath& result,
                 std::string& error)
{
    result = OpenablePath{};
    std::error_code failed;
    const fs::path absolute = fs::absolute(path, failed);
    // An evolution file's name is enough: opening it says what is wrong with
    // it in the evolution reader's own words.
    if (endsWith(path, "_cvs")) {
        result.evolutionFile = absolute.string();
        return true;
    }
    const fs::file_status status = fs::status(absolute, failed);
    if (failed || !fs::exists(status)) {
        error = path + " does not exist";
        return false;
    }
    if (fs::is_directory(status))
        return evolutionInDirectory(absolute, result.evolutionFile, error);
    fs::path rcs = absolute;
    const bool isRcs = endsWith(path, ",v");
    std::error_code ignored;
    if (!isRcs && fs::exists(absolute.parent_path() / "CVS" / "Root", ignored)) {
        if (!rcsFileOfCheckout(absolute, rcs, error))
            return false;
    } else if (!isRcs) {
        if (!gitPath(absolute, ref, result, error))
            return false;
        result.cacheDirectory = cacheRoot() + cacheFolder(result) + "/";
        return true;
    }
    result.kind = PathKind::rcs;
    result.extract.kind = SourceKind::cvs;
    result.extract.path = rcs.string();
    result.extract.branch = branch;
    const auto size = fs::file_size(rcs, ignored);
    const auto time = fs::last_write_time(rcs, ignored).time_since_epoch().count();
    result.version = std::to_string(size) + " " + std::to_string(time);
    result.cacheDirectory = cacheRoot() + cacheFolder(result) + "/";
    return true;
}

std::string cachedEvolution(const OpenablePath& path)
{
    std::ifstream stored(path.cacheDirectory + "version");
    std::string version;
    if (!std::getline(stored, version) || version != path.version)
        return {};
    std::string file, ignored;
    return evolutionInDirectory(path.cacheDirectory, file, ignored) ? file : std::string();
}

bool extractIntoCache(const OpenablePath& path, Progress& progress, std::string& evolutionFile, std::string& error)
{
    const fs::path entry = fs::path(path.cacheDirectory).parent_path();
    const std::string suffix = std::to_string(::getpid());
    // An entry of an earlier state of the same history only gains the new
    // revisions; its version is written last, so that an update cut short
    // is made again next time.
    if (fs::exists(entry / "version")) {
        ExtractOptions update = path.extract;
        update.outputDirectory = entry.string();
        update.update = true;
        ExtractionResult result;
        if (runExtraction(update, progress, result, error)) {
            const fs::path version = entry / ("version.part-" + suffix);
            std::ofstream(version) << path.version << "\n";
            std::error_code renamed;
            fs::rename(version, entry / "version", renamed);
            evolutionFile = (entry / (result.name + "_cvs")).string();
            return true;
        }
        if (!result.rewritten)
            return false;
    }
    const fs::path part = entry.parent_path() / ("." + entry.filename().string() + ".part-" + suffix);
    const fs::path old = entry.parent_path() / ("." + entry.filename().string() + ".old-" + suffix);
    std::error_code failed;
    fs::create_directories(entry.parent_path(), failed);
    fs::remove_all(part, failed);
    ExtractOptions options = path.extract;
    options.outputDirectory = part.string();
    ExtractionResult result;
    const bool extracted = runExtraction(options, progress, result, error);
    std::error_code moved;
    if (extracted) {
        std::ofstream(part / "version") << path.version << "\n";
        if (fs::exists(entry, failed))
            fs::rename(entry, old, moved);
        if (!moved)
            fs::rename(part, entry, moved);
        fs::remove_all(old, failed);
    }
    if (!extracted || moved) {
        fs::remove_all(part, failed);
        if (extracted)
            error = "cannot keep the evolution in " + entry.string() + ": " + moved.message();
        return false;
    }
    evolutionFile = (entry / (result.name + "_cvs")).string();
    return true;
}
