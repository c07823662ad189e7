// The status marking of changed lines, held against the rules that read it:
// the author the program attributes to a line (lineAuthor and the row-author
// rule of the layouts), and the checker's rule for when a line present in
// two revisions may change its text. Every life of a line in up to ten
// revisions, with every set of changes, is tried.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/globals.h"
#include "colouring/colour_maps.h"
#include "evolution/consistency.h"
#include "evolution/evolution_file.h"
#include "extract/change_marking.h"
#include "support/temp_directory.h"

namespace {

constexpr int largestHistory = 10;

// Every life of a line in `revisions` revisions: each begin and end, and
// each subset of the revisions in between as its changes.
std::vector<LineLife> everyLife(int revisions)
{
    std::vector<LineLife> lives;
    for (int begin = 0; begin < revisions; ++begin) {
        for (int end = begin + 1; end <= revisions; ++end) {
            const int inner = end - begin - 1;
            for (int subset = 0; subset < (1 << inner); ++subset) {
                LineLife life{begin, end, {}};
                for (int bit = 0; bit < inner; ++bit)
                    if (subset & (1 << bit))
                        life.changes.push_back(begin + 1 + bit);
                lives.push_back(life);
            }
        }
    }
    return lives;
}

// The revision whose author the line should carry at `revision`: the last
// change up to it, or its beginning.
int responsibleRevision(const LineLife& life, int revision)
{
    int responsible = life.begin;
    for (int c : life.changes)
        if (c <= revision)
            responsible = c;
    return responsible;
}

std::string describe(const LineLife& life, const std::string& statuses)
{
    std::string text = "life " + std::to_string(life.begin) + ".." + std::to_string(life.end) + " changes";
    for (int c : life.changes) {
        text += ' ';
        text += std::to_string(c);
    }
    return text + ", statuses " + statuses;
}

class Marking : public testing::TestWithParam<int> {
protected:
    // Loads one evolution holding every life, with revision r by author
    // "a<r>" so that author numbers are revision numbers.
    void SetUp() override
    {
        revisions = GetParam();
        lives = everyLife(revisions);
        EvolutionSketch sketch;
        for (const LineLife& life : lives)
            sketch.statuses.push_back(lineStatuses(life, revisions));
        for (int r = 0; r < revisions; ++r)
            sketch.authors.push_back(std::string("a").append(std::to_string(r)));
        currentEvolution = loadWrittenEvolution(scratch, sketch);
        ASSERT_NE(currentEvolution, nullptr);
        for (int r = 0; r < revisions; ++r)
            ASSERT_EQ(currentEvolution->revisionAuthorIndex(r), r);
    }

    void TearDown() override { currentEvolution.reset(); }

    const char* statuses(int line) const { return currentEvolution->lineStatus[line]; }
    std::string statusText(int line) const { return std::string(statuses(line), revisions); }

    TempDirectory scratch;
    int revisions = 0;
    std::vector<LineLife> lives;
};

TEST_P(Marking, SpellsTheLifeOfTheLine)
{
    for (size_t line = 0; line < lives.size(); ++line) {
        const LineLife& life = lives[line];
        const std::string s = statusText(static_cast<int>(line));
        for (int r = 0; r < revisions; ++r) {
            const int status = decodeStatus(s[r]);
            if (r < life.begin)
                EXPECT_EQ(status, statusAdded) << describe(life, s);
            else if (r >= life.end)
                EXPECT_EQ(status, statusDeleted) << describe(life, s);
            else
                EXPECT_TRUE(isPresentStatus(status)) << describe(life, s);
        }
        for (int c : life.changes) {
            const int status = decodeStatus(s[c]);
            EXPECT_TRUE(status == statusModified || status == statusReplacedByDeletion ||
                        status == statusReplacedByAddition)
                << "no change status at " << c << ": " << describe(life, s);
        }
    }
}

TEST_P(Marking, MarksAChangeExactlyWhereTheTextChanged)
{
    for (size_t line = 0; line < lives.size(); ++line) {
        const LineLife& life = lives[line];
        const std::string s = statusText(static_cast<int>(line));
        for (int r = life.begin + 1; r < life.end; ++r) {
            const bool changed = std::count(life.changes.begin(), life.changes.end(), r) > 0;
            EXPECT_EQ(statusesMarkChange(s[r - 1], s[r]), changed) << "at " << r << ": " << describe(life, s);
        }
    }
}

TEST_P(Marking, LineAuthorIsWhoLastChangedOrAddedTheLine)
{
    const EvolutionFile& e = *currentEvolution;
    for (size_t line = 0; line < lives.size(); ++line) {
        const LineLife& life = lives[line];
        for (int r = life.begin; r < revisions; ++r)
            EXPECT_EQ(e.lineAuthor(static_cast<int>(line), r), responsibleRevision(life, r))
                << "at " << r << ": " << describe(life, statusText(static_cast<int>(line)));
    }
}

TEST_P(Marking, TheRowAuthorRuleAgreesWhicheverCellsCallIt)
{
    for (const bool presentCellsOnly : {false, true}) {
        std::vector<int> rowAuthors(lives.size(), currentEvolution->revisionAuthorIndex(0));
        for (int c = 0; c < revisions; ++c) {
            for (size_t line = 0; line < lives.size(); ++line) {
                const int row = static_cast<int>(line);
                const LineLife& life = lives[line];
                if (presentCellsOnly && !currentEvolution->rowPresent(row, c))
                    continue;
                updateRowAuthor(rowAuthors.data(), row, c);
                if (c >= life.begin && c < life.end) {
                    EXPECT_EQ(rowAuthors[line], responsibleRevision(life, c))
                        << "column " << c << (presentCellsOnly ? ", present cells only: " : ": ")
                        << describe(life, statusText(row));
                }
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(UpToTenRevisions, Marking, testing::Range(1, largestHistory + 1));

TEST(Marking, ChangesTwoRevisionsApartDoNotJoin)
{
    // '-' at r - 1 and r for both would read as a change at 3 as well.
    EXPECT_EQ(lineStatuses({0, 8, {2, 4}}, 8), "X--|nXXX");
    EXPECT_EQ(lineStatuses({0, 8, {2, 4, 6}}, 8), "X--|n--X");
    EXPECT_EQ(lineStatuses({0, 8, {2, 3, 5, 6}}, 8), "X---|--X");
    EXPECT_EQ(lineStatuses({1, 6, {3, 4}}, 8), ">X---XDD");
}

}  // namespace
