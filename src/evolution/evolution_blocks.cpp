// Blocks: rectangles of rows by revisions that share one extent.

#include <algorithm>

#include "evolution/evolution_file.h"

namespace {

// The records are sorted as copies: they are small, and a sort that follows
// pointers into a list of millions of runs spends its time in cache misses.
// The order is total, so the copies come out exactly as the pointers would.
//
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
    blocks.clear();
    // Cells outside every current block must not name a block of an earlier
    // build.
    std::fill(blockCells.begin(), blockCells.end(), -1);

    if (sorting == 0) {
        std::vector<RevisionRun> sorted(runs);
        std::sort(sorted.begin(), sorted.end(), [](const RevisionRun& a, const RevisionRun& b) {
            if (a.length != b.length)
                return a.length > b.length;
            if (a.firstRow != b.firstRow)
                return a.firstRow < b.firstRow;
            return a.revision < b.revision;
        });
        forEachChain(
            sorted, [](const RevisionRun& r) { return r.length; }, [](const RevisionRun& r) { return r.firstRow; },
            [](const RevisionRun& r) { return r.revision; },
            [this](const RevisionRun& first, const RevisionRun& last) {
                addBlock(first.firstRow, first.revision, first.firstRow + first.length - 1, last.revision,
                         first.length - 1);
            });
    } else if (sorting == 1) {
        std::vector<LineSpan> sorted(lineSpans);
        std::sort(sorted.begin(), sorted.end(), [](const LineSpan& a, const LineSpan& b) {
            if (a.length != b.length)
                return a.length > b.length;
            return a.row < b.row;
        });
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
