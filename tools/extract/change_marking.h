#pragma once
// The status characters of one evolution line across all revisions.

#include <string>
#include <vector>

// The life of one evolution line: present from revision `begin` up to, not
// including, `end`, with its text changed (relative to the revision before)
// in each of `changes`, in increasing order, all inside (begin, end).
struct LineLife {
    int begin = 0;
    int end = 0;
    std::vector<int> changes;
};

// The statuses of the line in revisions 0 to revisionCount - 1: '>' before
// it begins, 'D' from its end on, 'X' in between, with the changes marked
// as follows. Changes in consecutive revisions form a run; a run r..s is
// marked '-' from r - 1 to s. A run that begins two revisions after a run
// ending in '-' would join that mark and claim a change in the revision
// between them, so it opens with '|' at r - 1 instead; a single change
// opened that way is marked 'n', which lets the next run open with '-'.
std::string lineStatuses(const LineLife& life, int revisionCount);
