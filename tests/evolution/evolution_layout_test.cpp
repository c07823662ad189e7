// Which lines are shown as rows for a revision range and focus, and the
// spans and runs derived from the rows.

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "evolution/evolution_file.h"
#include "support/temp_directory.h"

namespace {

// The file lines shown as rows, in row order.
std::vector<int> shownLines(const EvolutionFile& e)
{
    std::vector<int> lines;
    for (int row = 0; row < e.rowCount; ++row) {
        int line = 0;
        while (line < e.lineCount && e.lineStatus[line] != e.rowStatus[row])
            ++line;
        EXPECT_LT(line, e.lineCount) << "row " << row << " shows no line";
        EXPECT_EQ(e.rowClasses[row], e.lineClasses[line]) << "row " << row;
        lines.push_back(line);
    }
    return lines;
}

std::vector<std::tuple<int, int, int>> spans(const EvolutionFile& e)
{
    std::vector<std::tuple<int, int, int>> result;
    for (const LineSpan& s : e.lineSpans)
        result.emplace_back(s.row, s.length, s.firstRevision);
    return result;
}

std::vector<std::tuple<int, int, int>> runs(const EvolutionFile& e)
{
    std::vector<std::tuple<int, int, int>> result;
    for (const RevisionRun& run : e.runs)
        result.emplace_back(run.firstRow, run.revision, run.length);
    return result;
}

// Everything the row operations may change.
struct Layout {
    std::vector<int> lines;
    int firstRevision, lastRevision, focusRevision, maxRevisionLength;
    std::vector<std::tuple<int, int, int>> spans, runs;
    bool operator==(const Layout&) const = default;
};

Layout layoutOf(const EvolutionFile& e)
{
    return {shownLines(e), e.firstRevision, e.lastRevision, e.focusRevision, e.maxRevisionLength, spans(e), runs(e)};
}

class RowLayout : public ::testing::Test {
protected:
    void load(std::vector<std::string> statuses)
    {
        input.statuses = std::move(statuses);
        e = loadWrittenEvolution(dir, input);
        ASSERT_TRUE(e);
    }

    TempDirectory dir;
    EvolutionSketch input;
    std::unique_ptr<EvolutionFile> e;
};

// Four revisions of five lines for the focus and range cases.
class FocusAndRange : public RowLayout, public ::testing::WithParamInterface<int> {
protected:
    void SetUp() override
    {
        load({
            "XXXX",  // 0
            ">XXX",  // 1: added in revision 1
            "XXDD",  // 2: deleted in revision 2
            ">>XX",  // 3: added in revision 2
            "XDDD",  // 4: deleted in revision 1
        });
    }
    int mode() const { return GetParam(); }
};

class NormalAndHorizontal : public FocusAndRange {};

}  // namespace

TEST_F(RowLayout, SpansRunFromTheFirstPresenceToTheFirstDeletion)
{
    load({"XXXX", ">XXX", "XXDD", ">XDD"});
    EXPECT_EQ(spans(*e), (std::vector<std::tuple<int, int, int>>{{0, 4, 0}, {1, 3, 1}, {2, 2, 0}, {3, 1, 1}}));
}

TEST_F(RowLayout, SpanOfARowNeverPresent)
{
    // The second line is added, then deleted before it ever showed: it
    // starts at 0 and lives until its deletion.
    load({"XXXD", ">>DD", ">>>>"});
    e->applyViewMode(modeNormal);
    ASSERT_EQ(e->rowCount, 2);  // the third line is still to be added at the end
    EXPECT_EQ(spans(*e), (std::vector<std::tuple<int, int, int>>{{0, 3, 0}, {1, 2, 0}}));
}

TEST_F(RowLayout, RunsAreConsecutivePresentRowsRevisionByRevision)
{
    load({"XX", "XX", "XX", "XD", "XX"});
    EXPECT_EQ(runs(*e), (std::vector<std::tuple<int, int, int>>{{0, 0, 5}, {0, 1, 3}, {4, 1, 1}}));
    EXPECT_EQ(e->maxRevisionLength, 5);
}

TEST_F(RowLayout, RunsBreakAtAddedAndDeletedRows)
{
    load({">XX", "XXD", "X>X", "XXX"});
    EXPECT_EQ(runs(*e), (std::vector<std::tuple<int, int, int>>{
                            {1, 0, 3}, {0, 1, 2}, {3, 1, 1}, {0, 2, 1}, {2, 2, 2}}));
    EXPECT_EQ(e->maxRevisionLength, 3);
}

TEST_P(FocusAndRange, RangeKeepsTheLinesAliveInIt)
{
    e->setRevisionRange(mode(), 1, 2);
    EXPECT_EQ(e->firstRevision, 0);
    EXPECT_EQ(e->lastRevision, 1);
    EXPECT_EQ(shownLines(*e), (std::vector<int>{0, 1, 2, 4}));
    // Runs cover the range only; spans the whole evolution.
    EXPECT_EQ(runs(*e), (std::vector<std::tuple<int, int, int>>{{0, 0, 1}, {2, 0, 2}, {0, 1, 3}}));
    EXPECT_EQ(spans(*e), (std::vector<std::tuple<int, int, int>>{{0, 4, 0}, {1, 3, 1}, {2, 2, 0}, {3, 1, 0}}));

    e->setRevisionRange(mode(), 3, 4);
    EXPECT_EQ(shownLines(*e), (std::vector<int>{0, 1, 3}));
    EXPECT_EQ(e->maxRevisionLength, 3);
}

TEST_P(NormalAndHorizontal, ClickingTheFocusAgainRemovesIt)
{
    e->setFocusRevision(mode(), 2);
    EXPECT_EQ(e->focusRevision, 2);
    EXPECT_EQ(shownLines(*e), (std::vector<int>{0, 1, 3}));
    EXPECT_EQ(spans(*e).size(), 3u);
    EXPECT_EQ(e->maxRevisionLength, 3);

    e->setFocusRevision(mode(), 2);
    EXPECT_EQ(e->focusRevision, -1);
    EXPECT_EQ(shownLines(*e), (std::vector<int>{0, 1, 2, 3, 4}));
    EXPECT_EQ(spans(*e).size(), 5u);
}

TEST_P(NormalAndHorizontal, FocusMovesFromOneRevisionToAnother)
{
    e->setFocusRevision(mode(), 2);
    e->setFocusRevision(mode(), 1);
    EXPECT_EQ(e->focusRevision, 1);
    EXPECT_EQ(shownLines(*e), (std::vector<int>{0, 1, 2}));
}

TEST_F(FocusAndRange, InterpolatedKeepsTheFocusAndEveryRow)
{
    e->setFocusRevision(modeInterpolated, 2);
    EXPECT_EQ(e->focusRevision, 2);
    EXPECT_EQ(shownLines(*e), (std::vector<int>{0, 1, 2, 3, 4}));
    e->setFocusRevision(modeInterpolated, 2);
    EXPECT_EQ(e->focusRevision, 2);
    EXPECT_EQ(shownLines(*e), (std::vector<int>{0, 1, 2, 3, 4}));
}

TEST_P(FocusAndRange, FocusAtTheFirstRevisionIsRaisedAndWidensTheRange)
{
    e->setRevisionRange(mode(), 2, 4);
    ASSERT_EQ(e->firstRevision, 1);
    e->setFocusRevision(mode(), 0);
    EXPECT_EQ(e->focusRevision, 1);
    EXPECT_EQ(e->firstRevision, 0);
    EXPECT_EQ(e->lastRevision, 3);
}

TEST_P(FocusAndRange, FocusOutsideTheRangeWidensIt)
{
    e->setRevisionRange(mode(), 1, 2);
    e->setFocusRevision(mode(), 3);
    EXPECT_EQ(e->firstRevision, 0);
    EXPECT_EQ(e->lastRevision, 3);
    EXPECT_EQ(e->focusRevision, 3);

    e->setRevisionRange(mode(), 3, 4);
    e->setFocusRevision(mode(), 2);
    EXPECT_EQ(e->firstRevision, 1);
    EXPECT_EQ(e->lastRevision, 3);
    EXPECT_EQ(e->focusRevision, 2);
}

TEST_P(FocusAndRange, ARangeWithoutTheFocusDropsIt)
{
    e->setFocusRevision(mode(), 2);
    e->setRevisionRange(mode(), 1, 2);
    EXPECT_EQ(e->focusRevision, -1);
    EXPECT_EQ(shownLines(*e), (std::vector<int>{0, 1, 2, 4}));
}

TEST_P(FocusAndRange, ARangeAroundTheFocusKeepsIt)
{
    e->setFocusRevision(mode(), 2);
    e->setRevisionRange(mode(), 2, 4);
    EXPECT_EQ(e->focusRevision, 2);
    if (mode() == modeInterpolated)
        EXPECT_EQ(shownLines(*e), (std::vector<int>{0, 1, 2, 3}));
    else
        EXPECT_EQ(shownLines(*e), (std::vector<int>{0, 1, 3}));
}

TEST_F(FocusAndRange, ViewModeDecidesWhetherTheFocusFilters)
{
    e->setFocusRevision(modeInterpolated, 2);
    e->applyViewMode(modeNormal);
    EXPECT_EQ(shownLines(*e), (std::vector<int>{0, 1, 3}));
    EXPECT_EQ(spans(*e).size(), 3u);
    e->applyViewMode(modeInterpolated);
    EXPECT_EQ(shownLines(*e), (std::vector<int>{0, 1, 2, 3, 4}));
    e->applyViewMode(modeHorizontal);
    EXPECT_EQ(shownLines(*e), (std::vector<int>{0, 1, 3}));
    EXPECT_EQ(e->focusRevision, 2);
}

TEST_P(FocusAndRange, ArgumentsOutsideTheGridChangeNothing)
{
    e->setFocusRevision(mode(), 2);
    const Layout before = layoutOf(*e);
    for (int revision : {-1, -1000, 4, 5, 1000}) {
        e->setFocusRevision(mode(), revision);
        EXPECT_TRUE(layoutOf(*e) == before) << "focus " << revision;
    }
    for (auto [first, last] : {std::pair{0, 2}, {-5, 2}, {1, 5}, {3, 2}, {1, 1000}, {0, 0}}) {
        e->setRevisionRange(mode(), first, last);
        EXPECT_TRUE(layoutOf(*e) == before) << "range " << first << ".." << last;
    }
}

TEST_F(FocusAndRange, UnknownViewModesChangeNothing)
{
    const Layout before = layoutOf(*e);
    for (int mode : {-1, 3, 99}) {
        e->setFocusRevision(mode, 2);
        e->setRevisionRange(mode, 2, 3);
        EXPECT_TRUE(layoutOf(*e) == before) << "mode " << mode;
    }
}

INSTANTIATE_TEST_SUITE_P(EveryViewMode, FocusAndRange,
                         ::testing::Values(modeNormal, modeHorizontal, modeInterpolated));
INSTANTIATE_TEST_SUITE_P(FilteringModes, NormalAndHorizontal, ::testing::Values(modeNormal, modeHorizontal));

TEST_F(RowLayout, OneRevisionHasNoRevisionToFocus)
{
    load({"X", "X", "D"});
    e->setRevisionRange(modeNormal, 1, 1);
    EXPECT_EQ(shownLines(*e), (std::vector<int>{0, 1}));
    const Layout before = layoutOf(*e);
    for (int mode : {modeNormal, modeHorizontal, modeInterpolated}) {
        for (int revision : {0, 1, -1}) {
            e->setFocusRevision(mode, revision);
            EXPECT_TRUE(layoutOf(*e) == before) << "mode " << mode << ", focus " << revision;
        }
        e->setRevisionRange(mode, 1, 1);
        EXPECT_TRUE(layoutOf(*e) == before) << "mode " << mode;
        e->applyViewMode(mode);
        EXPECT_TRUE(layoutOf(*e) == before) << "mode " << mode;
    }
}

TEST_F(RowLayout, ZeroRevisionsLeaveNothingToLayOut)
{
    load({"", "", ""});
    ASSERT_EQ(e->revisionCount, 0);
    EXPECT_EQ(e->maxRevisionLength, 0);
    EXPECT_TRUE(e->runs.empty());
    const Layout before = layoutOf(*e);
    for (int mode : {modeNormal, modeHorizontal, modeInterpolated}) {
        e->applyViewMode(mode);
        e->setFocusRevision(mode, 0);
        e->setFocusRevision(mode, 1);
        e->setRevisionRange(mode, 1, 1);
        EXPECT_TRUE(layoutOf(*e) == before) << "mode " << mode;
    }
}

TEST_F(RowLayout, ZeroLinesLeaveNothingToLayOut)
{
    input.authors = {"ann", "bob", "cid"};
    load({});
    ASSERT_EQ(e->revisionCount, 3);
    for (int mode : {modeNormal, modeHorizontal, modeInterpolated}) {
        e->setFocusRevision(mode, 2);
        e->setRevisionRange(mode, 2, 3);
        e->applyViewMode(mode);
        EXPECT_EQ(e->rowCount, 0);
        EXPECT_TRUE(e->lineSpans.empty());
        EXPECT_TRUE(e->runs.empty());
        EXPECT_EQ(e->maxRevisionLength, 0);
    }
}
