// Blocks: rectangles of rows by revisions that share one extent.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <tuple>
#include <vector>

#include "evolution/evolution_file.h"

namespace {

// A chain: runs of one length and first row in consecutive revisions, or
// spans of one length and first revision in consecutive rows; it becomes
// one block.
struct Chain {
    int32_t length = 0;
    int32_t firstRow = 0, firstRevision = 0;
    int32_t lastRow = 0, lastRevision = 0;
};

// Numbers the chains longest first, then from the top, then from the left,
// and hands them to `add` in that order; gives each chain's block number.
// There are far fewer chains than runs, and the order is total, so the
// blocks come out as one sort of all runs would give them.
template <typename Add>
std::vector<int32_t> numberChains(const std::vector<Chain>& chains, Add add)
{
    std::vector<int32_t> order(chains.size());
    for (size_t k = 0; k < order.size(); ++k)
        order[k] = static_cast<int32_t>(k);
    std::sort(order.begin(), order.end(), [&](int32_t x, int32_t y) {
        const Chain& a = chains[static_cast<size_t>(x)];
        const Chain& b = chains[static_cast<size_t>(y)];
        return std::tuple(-a.length, a.firstRow, a.firstRevision) < std::tuple(-b.length, b.firstRow, b.firstRevision);
    });
    std::vector<int32_t> numbers(chains.size());
    for (int32_t k : order)
        numbers[static_cast<size_t>(k)] = add(chains[static_cast<size_t>(k)]);
    return numbers;
}

}  // namespace

// The runs stand revision by revision and, within one, from the top down,
// so a run continues a chain exactly when the revision before has a run of
// the same first row and length: one merge of the two revisions' runs
// finds it, with no sorting of the runs themselves, which for a long
// history would cost more than everything else a click does.
void EvolutionFile::buildBlocks(int sorting)
{
    if (blocksLayoutBuild == layoutBuilds && blocksSorting == sorting)
        return;
    blocksLayoutBuild = layoutBuilds;
    blocksSorting = sorting;
    blocks.clear();
    runBlocks.clear();
    spanBlocks.clear();
    const auto add = [this](const Chain& c) {
        return addBlock(c.firstRow, c.firstRevision, c.lastRow, c.lastRevision, c.length - 1);
    };

    std::vector<Chain> chains;
    if (sorting == 0) {
        std::vector<int32_t> chainOf(runs.size());
        for (size_t k = 0; k + 1 < rangeRunStarts.size(); ++k) {
            size_t before = k > 0 ? rangeRunStarts[k - 1] : 0;
            const size_t beforeEnd = rangeRunStarts[k];
            for (size_t i = rangeRunStarts[k]; i < rangeRunStarts[k + 1]; ++i) {
                const RevisionRun& run = runs[i];
                while (before < beforeEnd && runs[before].firstRow < run.firstRow)
                    ++before;
                if (before < beforeEnd && runs[before].firstRow == run.firstRow && runs[before].length == run.length) {
                    chainOf[i] = chainOf[before];
                    chains[static_cast<size_t>(chainOf[i])].lastRevision = run.revision;
                    continue;
                }
                chainOf[i] = static_cast<int32_t>(chains.size());
                chains.push_back({run.length, run.firstRow, run.revision, run.firstRow + run.length - 1, run.revision});
            }
        }
        const std::vector<int32_t> numbers = numberChains(chains, add);
        runBlocks.resize(runs.size());
        for (size_t i = 0; i < runs.size(); ++i)
            runBlocks[i] = numbers[static_cast<size_t>(chainOf[i])];
    } else if (sorting == 1) {
        std::vector<int32_t> chainOf(lineSpans.size());
        for (size_t i = 0; i < lineSpans.size(); ++i) {
            const LineSpan& span = lineSpans[i];
            if (i > 0 && span.length == lineSpans[i - 1].length &&
                span.firstRevision == lineSpans[i - 1].firstRevision) {
                chainOf[i] = chainOf[i - 1];
                chains[static_cast<size_t>(chainOf[i])].lastRow = span.row;
                continue;
            }
            chainOf[i] = static_cast<int32_t>(chains.size());
            chains.push_back(
                {span.length, span.row, span.firstRevision, span.row, span.firstRevision + span.length - 1});
        }
        const std::vector<int32_t> numbers = numberChains(chains, add);
        spanBlocks.resize(lineSpans.size());
        for (size_t i = 0; i < lineSpans.size(); ++i)
            spanBlocks[i] = numbers[static_cast<size_t>(chainOf[i])];
    }

    maxBlockLevel = 0;
    for (const EvolutionBlock& block : blocks)
        if (block.level > maxBlockLevel)
            maxBlockLevel = static_cast<int32_t>(block.level);
}

int EvolutionFile::addBlock(int firstRow, int firstRevision_, int lastRow, int lastRevision_, int level)
{
    blocks.push_back(EvolutionBlock{firstRow, firstRevision_, lastRow, lastRevision_, static_cast<float>(level)});
    return static_cast<int>(blocks.size()) - 1;
}

int EvolutionFile::blockAt(int row, int revision) const
{
    if (blocksLayoutBuild != layoutBuilds || row < 0 || row >= rowCount || revision < 0 || revision >= columnCount)
        return -1;
    if (blocksSorting == 1 && static_cast<size_t>(row) < spanBlocks.size()) {
        const LineSpan& span = lineSpans[static_cast<size_t>(row)];
        const bool inside = revision >= span.firstRevision && revision - span.firstRevision < span.length;
        return inside ? spanBlocks[static_cast<size_t>(row)] : -1;
    }
    if (blocksSorting != 0)
        return -1;
    // The revision's runs stand from the top down: the one holding the row
    // is the last that starts at or above it, if it reaches that far.
    const std::span<const RevisionRun> held = revisionRuns(revision);
    const auto after =
        std::upper_bound(held.begin(), held.end(), row, [](int r, const RevisionRun& run) { return r < run.firstRow; });
    if (after == held.begin())
        return -1;
    const auto& run = *(after - 1);
    return row < run.firstRow + run.length ? runBlocks[static_cast<size_t>(&run - runs.data())] : -1;
}
