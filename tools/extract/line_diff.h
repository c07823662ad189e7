#pragma once
// Line diffs of two texts, by git's own diff (libgit2).

#include <string>
#include <string_view>
#include <vector>

struct git_blob;

// One hunk: the old lines [oldFirst, oldFirst + oldCount) are replaced by the
// new lines [newFirst, newFirst + newCount), 0-based. An empty side names the
// position before which nothing was taken or put.
struct LineHunk {
    int oldFirst = 0;
    int oldCount = 0;
    int newFirst = 0;
    int newCount = 0;

    bool operator==(const LineHunk&) const = default;
};

// The hunks that turn `before` into `after`, in order, without context; a
// line is the bytes up to and including a line feed, or the rest of the text.
// False, with `error` set, when the diff cannot be made.
bool diffLines(std::string_view before, std::string_view after, std::vector<LineHunk>& hunks, std::string& error);

// The same for two blobs of a repository, either of which may be null for
// an empty text. Cheaper than diffing their texts: the blobs' ids are known,
// where texts would have to be hashed first.
bool diffBlobs(const git_blob* before, const git_blob* after, std::vector<LineHunk>& hunks, std::string& error);

// The number of lines of a text as the diff counts them.
int countLines(std::string_view text);
