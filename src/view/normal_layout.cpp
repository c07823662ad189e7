#include "view/normal_layout.h"

#include <algorithm>
#include <vector>

#include <FL/gl.h>

#include "app/globals.h"
#include "colouring/colour_maps.h"
#include "evolution/evolution_file.h"
#include "view/cell_batch.h"
#include "view/colour_scheme.h"
#include "view/frame_steps.h"
#include "view/kept_picture.h"
#include "view/pointer_overlay.h"
#include "view/row_colours.h"
#include "view/version_drawing.h"
#include "view/view_transforms.h"

namespace {

Rgb scaled(const Rgb& colour, float factor)
{
    return {colour[0] * factor, colour[1] * factor, colour[2] * factor};
}

Rgb grey(float level)
{
    return {level, level, level};
}

// The colour of the present row `colours` is on at revision c; a scheme
// this layout does not know keeps the colour set last.
Rgb cellColour(const RowColours& colours, int c, int status, const Rgb& last)
{
    if (colours.scheme != schemeEvolution)
        return colours.present(c, last);
    // Rows near the top of the file are darker.
    const float rowCount = static_cast<float>(colours.evolution.rowCount);
    return scaled(statusColours[status], static_cast<float>(colours.row) * 0.6f / rowCount + 0.4f);
}

// The path of the anchored row: where the nearest row at or above it that
// is present in the anchored revision sits in every column, and again, so
// that it shows darker, over that row's own lifetime.
void drawAnchoredRowPath(const EvolutionFile& e)
{
    const ViewState& v = *viewState;
    if (e.rowCount <= 0 || e.columnCount <= 0)
        return;
    const int revision = std::clamp(v.pointerRevision, 0, e.columnCount - 1);
    int row = std::min(v.pointerRow, e.rowCount - 1);
    while (row >= 0 && !e.rowPresent(row, revision))
        --row;
    row = std::max(row, 0);

    // Per column, the bottom edge of the row's cell, or where it would be:
    // the present rows down to it, counted a row at a time, the order in
    // which the statuses lie in memory.
    std::vector<int> present(e.columnCount, 0);
    for (int i = 0; i <= row; ++i)
        for (int c = 0; c < e.columnCount; ++c)
            present[c] += e.rowPresent(i, c) ? 1 : 0;
    std::vector<PathPoint> path(e.columnCount);
    for (int c = 0; c < e.columnCount; ++c)
        path[c] = {static_cast<float>(c), static_cast<float>(present[c])};
    const PathPoint end = {static_cast<float>(e.columnCount), path.back().y};

    std::vector<PathPoint> lifetime;
    bool deleted = false;
    for (int c = 0; c < e.columnCount && !deleted; ++c) {
        const int s = e.status(row, c);
        if (s == statusDeleted)
            deleted = true;
        else if (s != statusAdded)
            lifetime.push_back(path[c]);
    }
    if (!deleted)
        lifetime.push_back(end);
    path.push_back(end);

    drawRowPath(path, 0.3f);
    drawRowPath(lifetime, 0.3f);
}

}  // namespace

void drawNormalFrame(const EvolutionFile& evolution)
{
    const ViewState& v = *viewState;
    clearFrame();
    drawFrameBackground();
    drawRevisionCushions(evolution.columnCount, v.cushionStrength);
    drawNormalCells(evolution, v.attributeIndex);
    if (v.versionDrawing == versionDrawingLines)
        drawRevisionLines(evolution.columnCount);
    drawFocusMarker(evolution);
    keepPicture();
    drawNormalPointerOverlay(evolution);
    glFlush();
}

// The cells are walked row by row, the order in which the statuses lie in
// memory; each column keeps the place where its next present row goes.
// Cells do not overlap, so the picture is the one of a walk column by
// column.
void drawNormalCells(const EvolutionFile& e, int attributeIndex)
{
    const int rows = std::max(e.rowCount, 0);
    const int columns = std::max(e.columnCount, 0);
    std::vector<int> rowAuthors(rows, e.revisionAuthorIndex(0));
    const bool followAuthors = attributeIndex == schemeAuthors;

    pushViewTransform(rowUnitTransform);
    glBlendFunc(GL_DST_ALPHA, GL_ZERO);
    glEnable(GL_BLEND);

    CellBatch batch(*viewState, rows, columns);
    const Rgb& constant = statusColours[statusConstant];
    const float base = (constant[0] + constant[1] + constant[2]) * 0.083333336f + 0.75f;
    Rgb colour = grey(base);
    batch.add(0.0f, 0.0f, static_cast<float>(columns), static_cast<float>(rows), colour);

    // The columns of the shown range that reach a pixel centre, and for each
    // column the colour set last before it.
    std::vector<int> drawnColumns;
    std::vector<char> drawn(columns, 0);
    std::vector<Rgb> colourBefore(columns);
    for (int c = 0; c < columns; ++c) {
        const bool shows = batch.columnShows(c);
        if (c < e.firstRevision || c > e.lastRevision) {
            colour = grey(0.9f * base);
            if (shows)
                batch.add(static_cast<float>(c), 0.0f, static_cast<float>(c + 1),
                          static_cast<float>(e.maxRevisionLength), colour);
            continue;
        }
        colourBefore[c] = colour;
        if (shows) {
            drawnColumns.push_back(c);
            drawn[c] = 1;
        }
    }

    std::vector<int> place(columns, 0);
    RowColours rowColours(e, attributeIndex, rowAuthors);
    int columnsInView = static_cast<int>(drawnColumns.size());
    const auto placeCell = [&](int c, int s) {
        const int k = place[c]++;
        if (batch.rowShows(k))
            batch.addCell(c, k, cellColour(rowColours, c, s, colourBefore[c]));
        else
            batch.skipCell(c, k);
        if (batch.rowsBelowView(k + 1) && !batch.rowsBelowView(k))
            --columnsInView;
    };
    const int first = std::max(e.firstRevision, 0);
    const int last = std::min(e.lastRevision, columns - 1);
    for (int i = 0; i < rows; ++i) {
        const char* statuses = e.rowStatus[i];
        rowColours.beginRow(i);
        if (followAuthors) {
            // Authors follow every present cell of the shown range, drawn or not.
            for (int c = first; c <= last; ++c) {
                const int s = decodeStatus(statuses[c]);
                if (!isPresentStatus(s))
                    continue;
                updateRowAuthor(rowAuthors.data(), i, c);
                if (drawn[c])
                    placeCell(c, s);
            }
            continue;
        }
        if (columnsInView == 0)
            break;
        for (int c : drawnColumns) {
            const int s = decodeStatus(statuses[c]);
            if (isPresentStatus(s))
                placeCell(c, s);
        }
    }
    batch.flush();

    glDisable(GL_BLEND);
    pushViewTransform(popTransform);
}

void drawNormalPointerOverlay(const EvolutionFile& evolution)
{
    drawPointerOverlay(evolution, drawAnchoredRowPath);
}
