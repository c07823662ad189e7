#include "extract/git_history.h"

#include <ctime>
#include <memory>

#include <git2.h>

#include "extract/libgit2_library.h"
#include "extract/line_diff.h"

namespace {

struct GitDeleter {
    void operator()(git_repository* p) const { git_repository_free(p); }
    void operator()(git_object* p) const { git_object_free(p); }
    void operator()(git_commit* p) const { git_commit_free(p); }
    void operator()(git_tree* p) const { git_tree_free(p); }
    void operator()(git_tree_entry* p) const { git_tree_entry_free(p); }
    void operator()(git_blob* p) const { git_blob_free(p); }
};
template <typename T>
using GitPtr = std::unique_ptr<T, GitDeleter>;

std::string libraryMessage()
{
    const git_error* e = git_error_last();
    return e && e->message ? e->message : "unknown error";
}

// The file's state in one commit: its blob, or none where it is absent
// (or is no regular file there).
struct FileState {
    git_oid commit{};
    bool present = false;
    git_oid blob{};
};

bool sameState(const FileState& a, const FileState& b)
{
    return a.present == b.present && (!a.present || git_oid_equal(&a.blob, &b.blob));
}

bool fileState(git_commit* commit, const std::string& path, FileState& state, std::string& error)
{
    state.commit = *git_commit_id(commit);
    git_tree* rawTree = nullptr;
    if (git_commit_tree(&rawTree, commit) < 0) {
        error = libraryMessage();
        return false;
    }
    GitPtr<git_tree> tree(rawTree);
    git_tree_entry* rawEntry = nullptr;
    const int found = git_tree_entry_bypath(&rawEntry, tree.get(), path.c_str());
    if (found == GIT_ENOTFOUND)
        return true;
    if (found < 0) {
        error = libraryMessage();
        return false;
    }
    GitPtr<git_tree_entry> entry(rawEntry);
    const git_filemode_t mode = git_tree_entry_filemode(entry.get());
    if (mode == GIT_FILEMODE_BLOB || mode == GIT_FILEMODE_BLOB_EXECUTABLE) {
        state.present = true;
        state.blob = *git_tree_entry_id(entry.get());
    }
    return true;
}

std::string isoDate(const git_time& when)
{
    const std::time_t local = static_cast<std::time_t>(when.time) + static_cast<std::time_t>(when.offset) * 60;
    std::tm parts{};
    gmtime_r(&local, &parts);
    char text[40];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &parts);
    const int offset = when.offset < 0 ? -when.offset : when.offset;
    char zone[8];
    std::snprintf(zone, sizeof zone, "%c%02d:%02d", when.offset < 0 ? '-' : '+', offset / 60 % 100, offset % 60);
    return std::string(text) + zone;
}

std::string subjectOf(const git_commit* commit)
{
    const char* message = git_commit_message(commit);
    std::string subject = message ? message : "";
    subject = subject.substr(0, subject.find('\n'));
    if (!subject.empty() && subject.back() == '\r')
        subject.pop_back();
    return subject;
}

std::string oidText(const git_oid& id)
{
    char text[8] = {};
    git_oid_tostr(text, sizeof text, &id);
    return text;
}

// The path as the repository's trees spell it.
std::string treePath(git_repository* repository, std::string path)
{
    const char* top = git_repository_workdir(repository);
    if (top && path.compare(0, std::string(top).size(), top) == 0)
        path.erase(0, std::string(top).size());
    while (path.compare(0, 2, "./") == 0)
        path.erase(0, 2);
    return path;
}

// The file's blobs, read in order: the revision being read and the one
// before it, which its hunks are diffed from.
struct BlobReader {
    std::shared_ptr<git_repository> repository;
    std::vector<FileState> files;  // by revision
    GitPtr<git_blob> previous;
    GitPtr<git_blob> current;
};

// The path the file had in `parent` when `commit` renamed it to `path`, as
// git's rename detection finds it; empty when it was made afresh.
std::string renamedFrom(git_repository* repository, git_commit* parent, git_commit* commit, const std::string& path)
{
    git_tree *rawOld = nullptr, *rawNew = nullptr;
    if (git_commit_tree(&rawOld, parent) < 0 || git_commit_tree(&rawNew, commit) < 0) {
        git_tree_free(rawOld);
        return {};
    }
    GitPtr<git_tree> oldTree(rawOld), newTree(rawNew);
    git_diff* rawDiff = nullptr;
    if (git_diff_tree_to_tree(&rawDiff, repository, oldTree.get(), newTree.get(), nullptr) < 0)
        return {};
    std::unique_ptr<git_diff, void (*)(git_diff*)> diff(rawDiff, git_diff_free);
    git_diff_find_options options = GIT_DIFF_FIND_OPTIONS_INIT;
    options.flags = GIT_DIFF_FIND_RENAMES;
    if (git_diff_find_similar(diff.get(), &options) < 0)
        return {};
    for (size_t i = 0; i < git_diff_num_deltas(diff.get()); ++i) {
        const git_diff_delta* delta = git_diff_get_delta(diff.get(), i);
        if (delta->status == GIT_DELTA_RENAMED && path == delta->new_file.path)
            return delta->old_file.path;
    }
    return {};
}

// Every commit of the first-parent chain of `ref` with the file's state,
// newest first. Going back, a commit that renamed the file hands its older
// name on to the commits before it, as `git log --follow` does.
bool chainStates(git_repository* repository, const std::string& ref, std::string path,
                 std::vector<FileState>& states, std::string& error)
{
    git_object* rawTarget = nullptr;
    if (git_revparse_single(&rawTarget, repository, ref.c_str()) < 0) {
        error = "no revision " + ref + " in the repository (" + libraryMessage() + ")";
        return false;
    }
    GitPtr<git_object> target(rawTarget);
    git_object* rawCommit = nullptr;
    if (git_object_peel(&rawCommit, target.get(), GIT_OBJECT_COMMIT) < 0) {
        error = ref + " is not a commit (" + libraryMessage() + ")";
        return false;
    }
    GitPtr<git_commit> commit(reinterpret_cast<git_commit*>(rawCommit));
    for (;;) {
        FileState state;
        if (!fileState(commit.get(), path, state, error))
            return false;
        states.push_back(state);
        if (git_commit_parentcount(commit.get()) == 0)
            return true;
        git_commit* parent = nullptr;
        if (git_commit_parent(&parent, commit.get(), 0) < 0) {
            // A shallow clone stops at commits whose parents it never
            // fetched; a history cut there would show the file as born then.
            error = git_repository_is_shallow(repository) == 1
                        ? "the repository is a shallow clone that lacks the history of " + path +
                              " before commit " + oidText(*git_commit_id(commit.get())) + "; fetch it with git fetch --unshallow"
                        : libraryMessage();
            return false;
        }
        if (state.present) {
            FileState before;
            if (!fileState(parent, path, before, error)) {
                git_commit_free(parent);
                return false;
            }
            if (!before.present) {
                const std::string older = renamedFrom(repository, parent, commit.get(), path);
                if (!older.empty())
                    path = older;
            }
        }
        commit.reset(parent);
    }
}

}  // namespace

bool gitFileHistory(const std::string& repositoryPath, const std::string& path, const std::string& ref,
                    SourceHistory& history, std::string& error)
{
    useLibgit2();
    git_repository* rawRepository = nullptr;
    if (git_repository_open(&rawRepository, repositoryPath.c_str()) < 0) {
        error = repositoryPath + " is not a git repository (" + libraryMessage() + ")";
        return false;
    }
    std::shared_ptr<git_repository> repository(rawRepository, GitDeleter());
    const std::string inTree = treePath(repository.get(), path);
    std::vector<FileState> states;
    if (!chainStates(repository.get(), ref, inTree, states, error))
        return false;

    history = SourceHistory{};
    history.branch = "1.";
    auto reader = std::make_shared<BlobReader>();
    reader->repository = repository;
    FileState before;  // absent before the first commit
    for (auto state = states.rbegin(); state != states.rend(); before = *state, ++state) {
        if (sameState(*state, before))
            continue;
        git_commit* rawCommit = nullptr;
        if (git_commit_lookup(&rawCommit, repository.get(), &state->commit) < 0) {
            error = libraryMessage();
            return false;
        }
        GitPtr<git_commit> commit(rawCommit);
        const git_signature* author = git_commit_author(commit.get());
        history.revisions.push_back({author->name, isoDate(author->when), subjectOf(commit.get()), oidText(state->commit)});
        reader->files.push_back(*state);
    }
    if (history.revisions.empty()) {
        error = inTree + " never existed on " + ref;
        return false;
    }
    history.readRevision = [reader](int index, std::string_view& text, std::vector<LineHunk>& hunks,
                                    std::string& readError) {
        BlobReader& r = *reader;
        r.previous = std::move(r.current);
        const FileState& state = r.files[index];
        if (state.present) {
            git_blob* rawBlob = nullptr;
            if (git_blob_lookup(&rawBlob, r.repository.get(), &state.blob) < 0) {
                readError = libraryMessage();
                return false;
            }
            r.current.reset(rawBlob);
            // The line diff would take any bytes, but a picture of lines is
            // meaningless for an image or an archive; git's own test of a
            // NUL byte near the start tells them from text.
            if (git_blob_is_binary(rawBlob)) {
                readError = "the file is binary there, and only a text file has lines to show";
                return false;
            }
        }
        text = r.current ? std::string_view(static_cast<const char*>(git_blob_rawcontent(r.current.get())),
                                            static_cast<size_t>(git_blob_rawsize(r.current.get())))
                         : std::string_view();
        hunks.clear();
        return index == 0 || diffBlobs(r.previous.get(), r.current.get(), hunks, readError);
    };
    return true;
}
