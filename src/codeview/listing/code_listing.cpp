#include "codeview/listing/code_listing.h"

#include <algorithm>
#include <vector>

#include "app/globals.h"
#include "codeview/listing/region_spans.h"
#include "codeview/listing/revision_text.h"
#include "evolution/evolution_file.h"

std::string codeListingText = ": Code ";
std::string absentListingText;

int rowToLine(int row, int layoutMode)
{
    if (!currentEvolution)
        return -1;
    const EvolutionFile& evolution = *currentEvolution;
    const int focus = evolution.focusRevision;
    if ((layoutMode == modeNormal || layoutMode == modeHorizontal) && focus != -1)
        return evolution.presentLineIndex(row, focus, focus);
    return evolution.presentLineIndex(row, evolution.firstRevision, evolution.lastRevision);
}

int listingHalfHeight(int viewHeight, int lineHeight)
{
    const int lines = viewHeight / std::max(lineHeight, 1);
    return std::clamp((lines - 1) / 2, 0, (codeListingSlots - 1) / 2);
}

void refreshRevisionListing(int layoutMode)
{
    ViewState& view = *viewState;
    for (auto& spans : view.codeLineRegions)
        spans.clear();
    const int h = listingHalfHeight(view.codeViewHeight, view.fontHeight);
    const int slotCount = 2 * h + 1;
    std::vector<ListedLine> lines(slotCount);
    std::fill_n(view.textLineAuthors.begin(), slotCount, -1);

    const EvolutionFile* evolution = currentEvolution.get();
    const int r = hoveredRevision - 1;
    if (evolution && r >= 0 && r < evolution->columnCount && hoveredRow >= 0 &&
        hoveredRow < evolution->rowCount) {
        std::vector<int> presentRows;
        for (int row = 0; row < evolution->rowCount; ++row)
            if (evolution->rowPresent(row, r))
                presentRows.push_back(row);
        const int above = static_cast<int>(
            std::lower_bound(presentRows.begin(), presentRows.end(), hoveredRow) - presentRows.begin());
        const int throughHovered = above + (evolution->rowPresent(hoveredRow, r) ? 1 : 0);
        const int below = static_cast<int>(presentRows.size()) - throughHovered;
        const int centre = throughHovered - 1;
        const int up = std::min(h, above);
        const int down = std::min(h, below);

        int slot = h - up;
        for (int k = centre - up; k <= centre + down; ++k, ++slot) {
            // A hovered absent row with no present row above it has no
            // line for the centre.
            if (k < 0)
                continue;
            const int line = rowToLine(presentRows[k], layoutMode);
            if (line < 0)
                continue;
            view.textLineAuthors[slot] = evolution->lineAuthor(line, r);
            const int textLine = evolution->lineNumberIn(line, r);
            appendRegionSpans(view.codeLineRegions[slot], evolution->revisionRegions[r], textLine,
                              evolution->grammar);
            lines[slot].revisionNumber = hoveredRevision;
            lines[slot].lineNumber = textLine + 1;
        }
    }
    readListedLines(lines);
    codeListingText = joinListedLines(lines);
    view.textLineCount = slotCount;
}

void refreshAuthorLine()
{
    viewState->hoverKind = -1;
    const EvolutionFile* evolution = currentEvolution.get();
    viewState->textLineAuthors[0] = evolution ? evolution->revisionAuthorIndex(hoveredRevision) : -1;
    codeListingText = std::string("\n Version committed by: ") +
                      (evolution ? evolution->revisionAuthorName(hoveredRevision) : "unknown");
}
