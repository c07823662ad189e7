#include "extract/change_marking.h"

namespace {

struct Run {
    int first;
    int last;
};

std::vector<Run> changeRuns(const std::vector<int>& changes)
{
    std::vector<Run> runs;
    for (int c : changes) {
        if (!runs.empty() && runs.back().last == c - 1)
            runs.back().last = c;
        else
            runs.push_back({c, c});
    }
    return runs;
}

}  // namespace

std::string lineStatuses(const LineLife& life, int revisionCount)
{
    std::string s(revisionCount, 'X');
    for (int r = 0; r < revisionCount; ++r) {
        if (r < life.begin)
            s[r] = '>';
        else if (r >= life.end)
            s[r] = 'D';
    }
    // Whether the run before ended in '-', and where.
    bool previousEndsInDash = false;
    int previousLast = -2;
    for (const Run& run : changeRuns(life.changes)) {
        const bool wouldJoin = previousEndsInDash && run.first - previousLast == 2;
        for (int r = run.first - 1; r <= run.last; ++r)
            s[r] = '-';
        if (wouldJoin) {
            s[run.first - 1] = '|';
            if (run.first == run.last)
                s[run.first] = 'n';
        }
        previousEndsInDash = s[run.last] == '-';
        previousLast = run.last;
    }
    return s;
}
