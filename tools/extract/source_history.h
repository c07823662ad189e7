#pragma once
// The revisions of one source file along one branch, oldest first, as the
// two kinds of repository give them.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "extract/line_diff.h"

struct SourceRevision {
    std::string author;
    std::string date;     // ISO 8601
    std::string subject;  // the first line of the message
    std::string id;       // the abbreviated commit id, or the RCS revision number
};

struct SourceHistory {
    std::string branch;  // revision n of the branch is branch + n
    std::vector<SourceRevision> revisions;  // revision n at index n - 1
    // Reads the revisions one after the other from the first, so that a long
    // history need not be held at once: the text of the revision at `index`
    // (valid until the next call) and the hunks that lead to it from the one
    // before (none for the first). False, with the error set, when it cannot
    // be read.
    std::function<bool(int index, std::string_view& text, std::vector<LineHunk>& hunks, std::string& error)>
        readRevision;
};
