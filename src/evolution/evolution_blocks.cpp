// Blocks: rectangles of rows by revisions that share one extent.

#include <algorithm>
#include <cstdint>

#include "evolution/evolution_file.h"

namespace {

// Sorts `records` stably by an integer key, in time linear in their count
// and the keys' range: a comparison sort of the millions of runs of a long
// history costs more than everything else a click does. Sorting by the
// least significant key first and the most significant last gives the
// order of all keys together; that order is total, so the blocks come out
// exactly as one comparison sort would give them.
template <typename Record, typename Key>
void sortStablyBy(std::vector<Record>& records, std::vector<Record>& spare, Key key)
{
    if (records.empty())
        return;
    int64_t low = key(records[0]), high = low;
    for (const Record& r : records) {
        low = std::min<int64_t>(low, key(r));
        high = std::max<int64_t>(high, key(r));
    }
    std::vector<size_t> next(static_cast<size_t>(high - low) + 2, 0);
    for (const Record& r : records)
        ++next[static_cast<size_t>(key(r) - low) + 1];
    for (size_t k = 1; k < next.size(); ++k)
        next[k] += next[k - 1];
    spare.resize(records.size());
    for (const Record& r : records)
        spare[next[static_cast<size_t>(key(r) - low)]++] = r;
    records.swap(spare);
}

// Cuts a sorted list into chains and hands each chain's first and last
// entry to `emit`. A chain holds entries of one length that share `anchor`
// and step `position` by exactly one.
template <typename Record, typename Length, typename Anchor, typename Position, typename Emit>
void forEachChain(const std::vector<Record>& sorted, Length length, Anchor anchor, Position position,
                  Emit emit)
{
    size_t start = 0;
    while (start < sorted.size()) {
        size_t end = start + 1;
        while (end < sorted.size() && length(sorted[end]) == length(sorted[start]) &&
               anchor(sorted[end]) == anchor(sorted[start]) &&
               position(sorted[end]) == position(sorted[end - 1]) + 1)
            ++end;
        emit(sorted[start], sorted[end - 1]);
        start = end;
    }
}

}  // namespace

void EvolutionFile::buildBlocks(int sorting)
{
    if (blocksLayoutBuild == layoutBuilds && blocksSorting == sorting)
        return;
    blocksLayoutBuild = layoutBuilds;
    blocksSorting = sorting;
    blocks.clear();
    // Cells outside every current block must not name a block of an earlier
    // build.
    std::fill(blockCells.begin(), blockCells.end(), -1);

    if (sorting == 0) {
        // Longest first, then from the top, then from the left.
        std::vector<RevisionRun> sorted(runs), spare;
        sortStablyBy(sorted, spare, [](const RevisionRun& r) { return r.revision; });
        sortStablyBy(sorted, spare, [](const RevisionRun& r) { return r.firstRow; });
        sortStablyBy(sorted, spare, [](const RevisionRun& r) { return -static_cast<int64_t>(r.length); });
        forEachChain(
            sorted, [](const RevisionRun& r) { return r.length; }, [](const RevisionRun& r) { return r.firstRow; },
            [](const RevisionRun& r) { return r.revision; },
            [this](const RevisionRun& first, const RevisionRun& last) {
                addBlock(first.firstRow, first.revision, first.firstRow + first.length - 1, last.revision,
                         first.length - 1);
            });
    } else if (sorting == 1) {
        // Longest first, then from the top.
        std::vector<LineSpan> sorted(lineSpans), spare;
        sortStablyBy(sorted, spare, [](const LineSpan& s) { return s.row; });
        sortStablyBy(sorted, spare, [](const LineSpan& s) { return -static_cast<int64_t>(s.length); });
        forEachChain(
            sorted, [](const LineSpan& s) { return s.length; }, [](const LineSpan& s) { return s.firstRevision; },
            [](const LineSpan& s) { return s.row; },
            [this](const LineSpan& first, const LineSpan& last) {
                addBlock(first.row, first.firstRevision, last.row, first.firstRevision + first.length - 1,
                         first.length - 1);
            });
    }

    maxBlockLevel = 0;
    for (const EvolutionBlock& block : blocks)
        if (block.level > maxBlockLevel)
            maxBlockLevel = static_cast<int32_t>(block.level);
}

void EvolutionFile::addBlock(int firstRow, int firstRevision_, int lastRow, int lastRevision_, int level)
{
    blocks.push_back(EvolutionBlock{firstRow, firstRevision_, lastRow, lastRevision_, static_cast<float>(level)});
    const int32_t number = static_cast<int32_t>(blocks.size()) - 1;
    // Rows and revisions outside the grid are never marked.
    const int rowEnd = std::min(lastRow, static_cast<int>(blockMap.size()) - 1);
    const int revisionEnd = std::min(lastRevision_, revisionCount - 1);
    for (int row = std::max(firstRow, 0); row <= rowEnd; ++row)
        for (int r = std::max(firstRevision_, 0); r <= revisionEnd; ++r)
            blockMap[row][r] = number;
}
