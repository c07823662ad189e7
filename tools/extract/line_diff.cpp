#include "extract/line_diff.h"

#include <algorithm>

#include <git2.h>

#include "extract/libgit2_library.h"

namespace {

int collectHunk(const git_diff_delta*, const git_diff_hunk* hunk, void* payload)
{
    auto& hunks = *static_cast<std::vector<LineHunk>*>(payload);
    // An empty side's start is the line after which the other side goes,
    // which is the 0-based index of the line it goes before.
    const int oldFirst = hunk->old_lines == 0 ? hunk->old_start : hunk->old_start - 1;
    const int newFirst = hunk->new_lines == 0 ? hunk->new_start : hunk->new_start - 1;
    hunks.push_back({oldFirst, hunk->old_lines, newFirst, hunk->new_lines});
    return 0;
}

git_diff_options hunkOptions()
{
    git_diff_options options;
    git_diff_options_init(&options, GIT_DIFF_OPTIONS_VERSION);
    options.context_lines = 0;
    options.interhunk_lines = 0;
    // As git diff and git blame do by default; every text is diffed as text,
    // however binary it looks.
    options.flags = GIT_DIFF_INDENT_HEURISTIC | GIT_DIFF_FORCE_TEXT;
    return options;
}

bool diffResult(int result, std::string& error)
{
    if (result < 0) {
        const git_error* e = git_error_last();
        error = e && e->message ? e->message : "the line diff failed";
        return false;
    }
    return true;
}

}  // namespace

bool diffLines(std::string_view before, std::string_view after, std::vector<LineHunk>& hunks, std::string& error)
{
    useLibgit2();
    hunks.clear();
    const git_diff_options options = hunkOptions();
    return diffResult(git_diff_buffers(before.data(), before.size(), nullptr, after.data(), after.size(), nullptr,
                                       &options, nullptr, nullptr, collectHunk, nullptr, &hunks),
                      error);
}

bool diffBlobs(const git_blob* before, const git_blob* after, std::vector<LineHunk>& hunks, std::string& error)
{
    useLibgit2();
    hunks.clear();
    const git_diff_options options = hunkOptions();
    return diffResult(
        git_diff_blobs(before, nullptr, after, nullptr, &options, nullptr, nullptr, collectHunk, nullptr, &hunks),
        error);
}

int countLines(std::string_view text)
{
    int lines = static_cast<int>(std::count(text.begin(), text.end(), '\n'));
    if (!text.empty() && text.back() != '\n')
        ++lines;
    return lines;
}
