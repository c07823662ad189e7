// Rows, spans, runs, blocks and line accessors of random evolutions against a model of the status matrix,
// after every step of a random walk through ranges, focuses and view modes.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <set>
#include <tuple>

#include "evolution/evolution_file.h"
#include "support/temp_directory.h"

namespace {

bool present(char c) { return c != '>' && c != 'D'; }

struct Model {
    std::vector<std::string> s;  // per file line, one status per revision
    int first = 0, last = 0, focus = -1, mode = modeNormal;
    bool filtered = false;  // loading shows every line, the first filter only some

    int columns() const { return static_cast<int>(s[0].size()); }
    std::vector<int> rows() const
    {
        std::vector<int> out;
        for (int line = 0; line < static_cast<int>(s.size()); ++line)
            if (!filtered || (s[line][first] != 'D' && s[line][last] != '>' &&
                (mode == modeInterpolated || focus < 0 || present(s[line][focus]))))
                out.push_back(line);
        return out;
    }
};

using Block = std::tuple<int, int, int, int, int>;  // rows, revisions, level

// Chains of equal extent: for each (length, anchor), the maximal runs of
// positions that step by one.
std::set<Block> modelBlocks(const std::map<std::pair<int, int>, std::set<int>>& groups, bool byRuns)
{
    std::set<Block> blocks;
    for (const auto& [key, positions] : groups) {
        const int length = -key.first, anchor = key.second;
        for (auto p = positions.begin(); p != positions.end();) {
            int end = *p;
            while (positions.count(end + 1))
                ++end;
            if (byRuns)
                blocks.insert({anchor, *p, anchor + length - 1, end, length - 1});
            else
                blocks.insert({*p, anchor, end, anchor + length - 1, length - 1});
            p = positions.upper_bound(end);
        }
    }
    return blocks;
}

void checkAgainstModel(EvolutionFile& e, const Model& m)
{
    const std::vector<int> rows = m.rows();
    ASSERT_EQ(e.rowCount, static_cast<int>(rows.size()));
    ASSERT_EQ(std::make_pair(e.firstRevision, e.lastRevision), std::make_pair(m.first, m.last));
    EXPECT_EQ(e.focusRevision, m.focus);
    const int columns = m.columns();
    std::map<std::pair<int, int>, std::set<int>> runGroups, spanGroups;
    for (int i = 0; i < e.rowCount; ++i) {
        const std::string& st = m.s[rows[i]];
        ASSERT_EQ(e.rowStatus[i], e.lineStatus[rows[i]]) << "row " << i;
        const int born = std::max<int>(0, std::find_if(st.begin(), st.end(), present) - st.begin()) % columns;
        const int gone = static_cast<int>(std::find(st.begin() + born, st.end(), 'D') - st.begin());
        EXPECT_EQ(std::make_tuple(e.lineSpans[i].row, e.lineSpans[i].firstRevision, e.lineSpans[i].length),
                  std::make_tuple(i, born, gone - born)) << "span of row " << i;
        spanGroups[{-(gone - born), born}].insert(i);
    }
    std::vector<std::tuple<int, int, int>> runs;
    for (int r = m.first; r <= m.last; ++r)
        for (int i = 0; i < e.rowCount; ++i)
            if (present(m.s[rows[i]][r]) && (i == 0 || !present(m.s[rows[i - 1]][r]))) {
                int end = i;
                while (end < e.rowCount && present(m.s[rows[end]][r]))
                    ++end;
                runs.emplace_back(i, r, end - i);
                runGroups[{-(end - i), i}].insert(r);
            }
    ASSERT_EQ(e.runs.size(), runs.size());
    for (size_t k = 0; k < runs.size(); ++k)
        EXPECT_EQ(std::make_tuple(e.runs[k].firstRow, e.runs[k].revision, e.runs[k].length), runs[k]) << "run " << k;
    int longest = 0;
    for (int r = 0; r < columns; ++r)
        longest = std::max(longest, static_cast<int>(std::count_if(rows.begin(), rows.end(),
                                                                   [&](int l) { return present(m.s[l][r]); })));
    EXPECT_EQ(e.maxRevisionLength, longest);

    for (int sorting : {0, 1}) {
        e.buildBlocks(sorting);
        std::set<Block> found;
        std::vector<std::vector<int>> owner(e.rowCount, std::vector<int>(columns, -1));
        int level = 0;
        for (size_t b = 0; b < e.blocks.size(); ++b) {
            const EvolutionBlock& k = e.blocks[b];
            found.insert({k.firstRow, k.firstRevision, k.lastRow, k.lastRevision, static_cast<int>(k.level)});
            EXPECT_TRUE(b == 0 || k.level <= e.blocks[b - 1].level) << "blocks stand longest first";
            level = std::max(level, static_cast<int>(k.level));
            for (int row = k.firstRow; row <= k.lastRow; ++row)
                for (int r = k.firstRevision; r <= k.lastRevision; ++r)
                    owner[row][r] = static_cast<int>(b);
        }
        EXPECT_EQ(found, modelBlocks(sorting == 0 ? runGroups : spanGroups, sorting == 0)) << "sorting " << sorting;
        EXPECT_EQ(e.maxBlockLevel, level);
        for (int row = 0; row < e.rowCount; ++row)
            for (int r = 0; r < columns; ++r)
                ASSERT_EQ(e.blockMap[row][r], owner[row][r]) << "block of row " << row << " at " << r;
    }
}

// The accessors between file lines, text lines and authors, which no view change may move.
void checkLineAccessors(const EvolutionFile& e, const EvolutionSketch& sketch)
{
    const auto& s = sketch.statuses;
    const int lines = static_cast<int>(s.size()), columns = static_cast<int>(s[0].size());
    for (int r = 0; r < columns; ++r) {  // numbered in order of first appearance
        const auto first = std::find(sketch.authors.begin(), sketch.authors.end(), sketch.authors[r]);
        EXPECT_EQ(e.revisionAuthorIndex(r), static_cast<int>(std::set(sketch.authors.begin(), first).size()));
        EXPECT_STREQ(e.revisionAuthorName(r), sketch.authors[r].c_str());
    }
    for (int a = 0; a < columns; ++a)
        for (int b = a; b < columns; ++b) {
            std::vector<int> passing;
            for (int l = 0; l < lines; ++l)
                if (s[l][a] != 'D' && s[l][b] != '>')
                    passing.push_back(l);
            for (int k = -1; k <= static_cast<int>(passing.size()); ++k)
                EXPECT_EQ(e.presentLineIndex(k, a, b), k >= 0 && k < static_cast<int>(passing.size()) ? passing[k] : -1)
                    << k << " in " << a << ".." << b;
        }
    for (int l = 0; l < lines; ++l)
        for (int r = 0; r < columns; ++r) {
            int above = -1;
            for (int i = 0; i <= l; ++i)
                above += present(s[i][r]) ? 1 : 0;
            EXPECT_EQ(e.lineNumberIn(l, r), above);
            // The author of the last revision whose marks say this line took the state it has at r.
            int author = e.revisionAuthorIndex(0);
            for (int q = 0; q < r; ++q) {
                const char x = s[l][q], y = s[l][q + 1];
                if ((x == '-' && y == '-') || (decodeStatus(x) != decodeStatus(s[l][r]) && (x == '>' || y == 'n' || x == '|')))
                    author = e.revisionAuthorIndex(q + 1);
            }
            EXPECT_EQ(e.lineAuthor(l, r), s[l][r] == '>' ? -1 : author) << "line " << l << " at " << r;
        }
    EXPECT_EQ(e.lineNumberIn(-1, 0), -1);
}

TEST(EvolutionLayout, MatchesTheModelThroughRandomRangesFocusesAndModes)
{
    const std::vector<std::string> pool = {"ann", "bob", "cid"};
    for (unsigned seed = 1; seed <= 60; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        std::mt19937 random(seed);
        const int lines = 1 + static_cast<int>(random() % 14), columns = 1 + static_cast<int>(random() % 9);
        Model m{randomStatuses(seed, lines, columns), 0, columns - 1};
        TempDirectory dir;
        EvolutionSketch sketch;
        sketch.statuses = m.s;
        for (int r = 0; r < columns; ++r)
            sketch.authors.push_back(pool[random() % pool.size()]);
        auto e = loadWrittenEvolution(dir, sketch);
        ASSERT_TRUE(e);
        ASSERT_NO_FATAL_FAILURE(checkAgainstModel(*e, m));
        for (int step = 0; step < 12; ++step) {
            const int kind = static_cast<int>(random() % 3), mode = static_cast<int>(random() % 3);
            const int a = static_cast<int>(random() % (columns + 1)), b = static_cast<int>(random() % (columns + 2));
            if (kind == 0) {
                e->setRevisionRange(mode, a, b);
                if (a >= 1 && b <= columns && a <= b) {
                    m.first = a - 1, m.last = b - 1, m.mode = mode, m.filtered = true;
                    m.focus = m.focus >= m.first && m.focus <= m.last ? m.focus : -1;
                }
            } else if (kind == 1) {
                const int revision = a - 1, focus = std::max(revision, 1);
                e->setFocusRevision(mode, revision);
                if (revision >= 0 && focus < columns) {
                    m.last = std::max(m.last, revision);
                    m.first = std::min(m.first, focus - 1);
                    m.mode = mode, m.filtered = true;
                    m.focus = mode != modeInterpolated && m.focus == focus ? -1 : focus;
                }
            } else {
                e->applyViewMode(mode);
                m.mode = mode, m.filtered = true;
            }
            SCOPED_TRACE("step " + std::to_string(step));
            ASSERT_NO_FATAL_FAILURE(checkAgainstModel(*e, m));
        }
        checkLineAccessors(*e, sketch);
    }
}

}  // namespace
