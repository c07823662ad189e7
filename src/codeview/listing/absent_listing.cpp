#include "codeview/listing/absent_listing.h"

#include <algorithm>
#include <array>
#include <vector>

#include "app/globals.h"
#include "codeview/listing/code_listing.h"
#include "codeview/listing/revision_text.h"
#include "evolution/evolution_file.h"

namespace {

// The nearest revision from r in direction `step` where the row's status
// differs from its status at r: where an absent line exists. -1 when the
// grid ends first.
int nearestExistingRevision(const EvolutionFile& evolution, int row, int r, int step)
{
    const int status = evolution.status(row, r);
    for (int v = r + step; v >= 0 && v < evolution.columnCount; v += step)
        if (evolution.status(row, v) != status)
            return v;
    return -1;
}

// The stretch of revisions, as fractions of the column count, in which the
// line of `row` lives around revision v: forwards from v to its deletion
// when it is added later, backwards from v to its addition when it was
// deleted.
std::array<float, 2> lifetime(const EvolutionFile& evolution, int row, int v, int step)
{
    const int columns = evolution.columnCount;
    const auto fraction = [columns](int revision) { return static_cast<float>(revision) / static_cast<float>(columns); };
    if (step > 0) {
        int end = v + 1;
        while (end < columns && evolution.status(row, end) != statusDeleted)
            ++end;
        return {fraction(v), fraction(end)};
    }
    int start = v - 1;
    while (start >= 0 && evolution.status(row, start) != statusAdded)
        --start;
    return {fraction(std::max(start, 0)), fraction(v)};
}

}  // namespace

void refreshAbsentListing(int layoutMode)
{
    ViewState& view = *viewState;
    const int h = listingHalfHeight(view.codeViewHeight, view.fontHeight - view.fontDifference);
    const int slotCount = 2 * h + 1;
    std::vector<ListedLine> lines(slotCount);
    std::fill_n(view.codeLineLifetimes.begin(), slotCount, std::array<float, 2>{0.0f, 0.0f});
    std::fill_n(view.codeLineAuthors.begin(), slotCount, -1);

    const EvolutionFile* evolution = currentEvolution.get();
    const int r = hoveredRevision - 1;
    const int row = hoveredRow;
    const bool inGrid = evolution && r >= 0 && r < evolution->columnCount && row >= 0 && row < evolution->rowCount;
    const int status = inGrid ? evolution->status(row, r) : statusConstant;
    if (inGrid && !isPresentStatus(status)) {
        int first = row;
        while (first > 0 && evolution->status(first - 1, r) == status)
            --first;
        int last = row;
        while (last + 1 < evolution->rowCount && evolution->status(last + 1, r) == status)
            ++last;
        const int up = std::min(h, row - first);
        const int down = std::min(h, last - row);
        const int step = status == statusDeleted ? -1 : 1;

        int slot = h - up;
        for (int k = row - up; k <= row + down; ++k, ++slot) {
            const int v = nearestExistingRevision(*evolution, k, r, step);
            const int line = rowToLine(k, layoutMode);
            if (v < 0 || line < 0)
                continue;
            view.codeLineAuthors[slot] = evolution->lineAuthor(line, v);
            view.codeLineLifetimes[slot] = lifetime(*evolution, k, v, step);
            lines[slot].revisionNumber = v + 1;
            lines[slot].lineNumber = evolution->lineNumberIn(line, v) + 1;
        }
    }
    readListedLines(lines);
    absentListingText = joinListedLines(lines);
    view.codeLineCount = slotCount;
}
