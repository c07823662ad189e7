// The blame of extracted evolutions against the repositories' own, over all
// the histories the tests build: for every revision, quillon-check --blame
// must name the author git blame --first-parent or cvs annotate names, on
// at least 99 lines in a hundred. Diffs of lines that recur (blank lines,
// braces) may be aligned differently by CVS's diff and git's, so single
// lines may differ.

#include <gtest/gtest.h>

#include <cstdio>

#include "tools/extract_histories.h"

namespace {

void report(const char* history, const Agreement& agreement)
{
    std::printf("%-44s %5d of %5d lines agree (%d expected where they entered the evolution)\n", history,
                agreement.agreeing, agreement.lines, agreement.entered);
}

TEST(BlameAgreement, HoldsOnNinetyNineLinesInAHundredOverAllHistories)
{
    const Agreement edits = gitHistoryOfEditsByFourAuthors();
    const Agreement odd = gitHistoryWithMergesRemovalsAndOddText();
    const Agreement cvs = cvsHistoryOfTrunkAndBranch();
    report("git: edits by four authors", edits);
    report("git: merges, removals, CRLF, a long line", odd);
    report("cvs: trunk and branch, a dead revision", cvs);
    Agreement all;
    for (const Agreement& a : {edits, odd, cvs}) {
        all.lines += a.lines;
        all.agreeing += a.agreeing;
        all.entered += a.entered;
    }
    report("all", all);
    EXPECT_GE(all.share(), 0.99) << all.agreeing << " of " << all.lines;
}

}  // namespace
