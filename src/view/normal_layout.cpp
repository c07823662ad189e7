#include "view/normal_layout.h"

#include <algorithm>
#include <optional>
#include <span>
#include <vector>

#include <FL/gl.h>

#include "app/globals.h"
#include "app/two_halves.h"
#include "colouring/colour_maps.h"
#include "evolution/evolution_file.h"
#include "view/canvas_texture.h"
#include "view/cell_batch.h"
#include "view/cell_image.h"
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
    // the present rows down to it. Inside the range the revision's runs
    // of present rows hold the count; outside it the rows are counted a row
    // at a time, the order in which the statuses lie in memory.
    std::vector<int> present(e.columnCount, 0);
    std::vector<int> outside;
    for (int c = 0; c < e.columnCount; ++c) {
        if (c < e.firstRevision || c > e.lastRevision) {
            outside.push_back(c);
            continue;
        }
        for (const RevisionRun& run : e.revisionRuns(c)) {
            if (run.firstRow > row)
                break;
            present[c] += std::min(run.length, row + 1 - run.firstRow);
        }
    }
    for (int i = 0; i <= row && !outside.empty(); ++i)
        for (int c : outside)
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

namespace {

// What both ways of drawing the cells share: the columns of the shown range
// that reach a pixel centre, and for each column the colour set last before
// it, which a scheme this layout does not know keeps.
struct DrawnColumns {
    std::vector<int> columns;
    std::vector<char> drawn;
    std::vector<Rgb> colourBefore;
};

// The cells are walked row by row, the order in which the statuses lie in
// memory; each column keeps the place where its next present row goes.
// Cells do not overlap, so the picture is the one of a walk column by
// column. The "Authors" scheme needs this walk: a row's author follows
// every present cell of the range, drawn or not. With an image, the cells
// that show are painted into it rather than queued.
void walkCells(const EvolutionFile& e, int attributeIndex, CellBatch& batch, CellImage* image, const DrawnColumns& shown)
{
    const int rows = std::max(e.rowCount, 0);
    std::vector<int> rowAuthors(rows, e.revisionAuthorIndex(0));
    const bool followAuthors = attributeIndex == schemeAuthors;
    std::vector<int> place(shown.drawn.size(), 0);
    RowColours rowColours(e, attributeIndex, rowAuthors);
    int columnsInView = static_cast<int>(shown.columns.size());
    const auto placeCell = [&](int c, int s) {
        const int k = place[c]++;
        if (!batch.rowShows(k))
            batch.skipCellsTo(c, k + 1);
        else if (image)
            image->fill(c, k, imageColour(cellColour(rowColours, c, s, shown.colourBefore[c])));
        else
            batch.addCell(c, k, cellColour(rowColours, c, s, shown.colourBefore[c]));
        if (batch.rowsBelowView(k + 1) && !batch.rowsBelowView(k))
            --columnsInView;
    };
    const int first = std::max(e.firstRevision, 0);
    const int last = std::min(e.lastRevision, static_cast<int>(shown.drawn.size()) - 1);
    for (int i = 0; i < rows; ++i) {
        const char* statuses = e.rowStatus[i];
        rowColours.beginRow(i);
        if (followAuthors) {
            for (int c = first; c <= last; ++c) {
                const int s = decodeStatus(statuses[c]);
                if (!isPresentStatus(s))
                    continue;
                updateRowAuthor(rowAuthors.data(), i, c);
                if (shown.drawn[c])
                    placeCell(c, s);
            }
            continue;
        }
        if (columnsInView == 0)
            break;
        for (int c : shown.columns) {
            const int s = decodeStatus(statuses[c]);
            if (isPresentStatus(s))
                placeCell(c, s);
        }
    }
}

// Pixel columns firstX to lastX, each through its revision's runs of present
// rows, looking only at the places that cover a pixel centre: fitted to
// the canvas, a long history puts many rows into each pixel row, and the
// cells between two centres draw nothing. The work follows the pixels and
// the runs, not the cells. A column's rows are found first and the table
// read for all of them at once: the rows lie far apart in memory, and loads
// that do not wait on one another overlap.
void sampleCells(const EvolutionFile& e, int attributeIndex, CellImage& image, const DrawnColumns& shown, int firstX,
                 int lastX)
{
    const int height = image.height();
    std::vector<int> places(static_cast<size_t>(height));
    for (int y = 0; y < height; ++y)
        places[y] = image.placeAt(y);
    std::vector<int> rowsAt(places.size());
    std::vector<char> statuses(places.size());
    std::vector<uint32_t> colours(places.size());
    const std::vector<int> noAuthors;
    RowColours rowColours(e, attributeIndex, noAuthors);
    const int columns = static_cast<int>(shown.drawn.size());
    for (int x = firstX; x <= lastX;) {
        const int c = image.columnAt(x);
        int end = x + 1;
        while (end <= lastX && image.columnAt(end) == c)
            ++end;
        const bool inRange = c >= 0 && c < columns && c >= e.firstRevision && c <= e.lastRevision;
        const std::span<const RevisionRun> runs = inRange ? e.revisionRuns(c) : std::span<const RevisionRun>();
        size_t run = 0;
        int runPlace = 0;  // the place of the run's first row
        int first = 0, count = 0;  // the pixel rows that show a cell
        for (; count < height; ++count) {
            const int k = places[count];
            if (k < 0) {
                first = count + 1;
                continue;
            }
            while (run < runs.size() && runPlace + runs[run].length <= k)
                runPlace += runs[run++].length;
            if (run == runs.size())
                break;
            rowsAt[count] = runs[run].firstRow + (k - runPlace);
        }
        for (int y = first; y < count; ++y)
            statuses[y] = e.rowStatus[rowsAt[y]][c];
        for (int y = first; y < count; ++y) {
            if (y > first && places[y] == places[y - 1]) {
                colours[y] = colours[y - 1];
                continue;
            }
            rowColours.beginRow(rowsAt[y]);
            colours[y] = imageColour(cellColour(rowColours, c, decodeStatus(statuses[y]), shown.colourBefore[c]));
        }
        for (int px = x; px < end; ++px)
            for (int y = first; y < count; ++y)
                image.set(px, y, colours[y]);
        x = end;
    }
}

}  // namespace

void drawNormalCells(const EvolutionFile& e, int attributeIndex)
{
    const int rows = std::max(e.rowCount, 0);
    const int columns = std::max(e.columnCount, 0);

    pushViewTransform(rowUnitTransform);
    glBlendFunc(GL_DST_ALPHA, GL_ZERO);
    glEnable(GL_BLEND);

    CellBatch batch(*viewState, rows, columns);
    const Rgb& constant = statusColours[statusConstant];
    const float base = (constant[0] + constant[1] + constant[2]) * 0.083333336f + 0.75f;
    Rgb colour = grey(base);
    batch.add(0.0f, 0.0f, static_cast<float>(columns), static_cast<float>(rows), colour);

    DrawnColumns shown;
    shown.drawn.assign(columns, 0);
    shown.colourBefore.resize(columns);
    for (int c = 0; c < columns; ++c) {
        const bool shows = batch.columnShows(c);
        if (c < e.firstRevision || c > e.lastRevision) {
            colour = grey(0.9f * base);
            if (shows)
                batch.add(static_cast<float>(c), 0.0f, static_cast<float>(c + 1),
                          static_cast<float>(e.maxRevisionLength), colour);
            continue;
        }
        shown.colourBefore[c] = colour;
        if (shows) {
            shown.columns.push_back(c);
            shown.drawn[c] = 1;
        }
    }

    std::optional<CellImage> image;
    if (!drawEveryCell && canvasTextureFits(viewState->viewWidth, viewState->viewHeight))
        image.emplace(*viewState);
    if (!image || attributeIndex == schemeAuthors)
        walkCells(e, attributeIndex, batch, image ? &*image : nullptr, shown);
    else
        // Each half of the pixel columns on a core of its own.
        inTwoHalves(halvesOf(0, image->width() - 1, 64), [&](int, int from, int to) {
            sampleCells(e, attributeIndex, *image, shown, from, to);
        });
    batch.flush();
    pushViewTransform(popTransform);
    if (image)
        image->draw();
    glDisable(GL_BLEND);
}

void drawNormalPointerOverlay(const EvolutionFile& evolution)
{
    drawPointerOverlay(evolution, drawAnchoredRowPath);
}
