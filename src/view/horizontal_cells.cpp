#include <algorithm>
#include <array>
#include <vector>

#include <FL/gl.h>

#include "app/globals.h"
#include "colouring/colour_maps.h"
#include "evolution/evolution_file.h"
#include "view/cell_batch.h"
#include "view/colour_scheme.h"
#include "view/geometry/row_heights.h"
#include "view/horizontal_layout.h"
#include "view/row_colours.h"
#include "view/view_transforms.h"

namespace {

bool knownScheme(int attributeIndex)
{
    return attributeIndex >= schemeContent && attributeIndex <= schemeLinePosition;
}

Rgb grey(float level)
{
    return {level, level, level};
}

// The columns of the grid and which of them reach a pixel centre; only
// those are drawn, but a row's author walks through the others too.
struct Columns {
    Columns(const EvolutionFile& e, const CellBatch& batch)
        : count(std::max(e.columnCount, 0)),
          firstInRange(std::max(e.firstRevision, 0)),
          lastInRange(std::min(e.lastRevision, count - 1)),
          slot(count, -1)
    {
        for (int c = 0; c < count; ++c) {
            if (!batch.columnShows(c))
                continue;
            slot[c] = static_cast<int>(drawn.size());
            drawn.push_back(c);
        }
    }

    bool inRange(int c) const { return c >= firstInRange && c <= lastInRange; }
    // The last column a walk through a row in order has to reach.
    int lastDrawn() const { return drawn.empty() ? -1 : drawn.back(); }

    int count;
    int firstInRange, lastInRange;
    std::vector<int> drawn;
    std::vector<int> slot;  // per column, its place in `drawn`, or -1
};

// The colour the current OpenGL state holds; a scheme the layout does not
// know leaves it on the cells.
Rgb currentColour()
{
    GLfloat colour[4];
    glGetFloatv(GL_CURRENT_COLOR, colour);
    return {colour[0], colour[1], colour[2]};
}

// Running sums of the current pixel row of every drawn column. A cell's
// contribution is its colour: the content, author or line position colour
// where the line is present, the status colour where it is not.
class ColourMix {
public:
    using Value = Rgb;

    ColourMix(const EvolutionFile& e, int attributeIndex, const std::vector<int>& rowAuthors, size_t columns)
        : rowColours(e, attributeIndex, rowAuthors), sums(columns)
    {
    }

    void beginRow(int i) { rowColours.beginRow(i); }
    Value value(int c, int s) const
    {
        return isPresentStatus(s) ? rowColours.present(c, statusColours[s]) : statusColours[s];
    }
    void set(size_t d, const Value& k, float weight) { sums[d] = {k[0] * weight, k[1] * weight, k[2] * weight}; }
    void add(size_t d, const Value& k, float weight)
    {
        for (int channel = 0; channel < 3; ++channel)
            sums[d][channel] += k[channel] * weight;
    }
    Rgb mean(size_t d, float total) const { return {sums[d][0] / total, sums[d][1] / total, sums[d][2] / total}; }

private:
    RowColours rowColours;
    std::vector<Rgb> sums;
};

// For "Evolution": the weight each status gathered in the current pixel
// row, mixed into one colour when the row is complete.
class StatusMix {
public:
    using Value = int;

    explicit StatusMix(size_t columns) : weights(columns) {}

    void beginRow(int) {}
    Value value(int, int s) const { return s; }
    void set(size_t d, Value s, float weight)
    {
        weights[d].fill(0.0f);
        weights[d][s] = weight;
    }
    void add(size_t d, Value s, float weight) { weights[d][s] += weight; }
    Rgb mean(size_t d, float total) const { return mixStatusColours(weights[d].data(), total); }

private:
    std::vector<std::array<float, lineStatusCount>> weights;
};

// The merged walk: rows in the outer loop, so that the statuses are read in
// the order they lie in memory, with the sums of every drawn column kept
// side by side. All columns share the pixel row a row falls into, and with
// it the weight gathered so far, so a pixel row is completed in all columns
// at once and drawn as runs of neighbours of one colour: averages of many
// rows seldom stay equal down a column, but often across. Cells do not
// overlap, so the picture is the one of a walk column by column.
class RowMerger {
public:
    RowMerger(const EvolutionFile& e, int attributeIndex, std::vector<int>& rowAuthors, const Columns& columns,
              CellBatch& batch, int pixelRows)
        : e(e),
          rowAuthors(rowAuthors),
          columns(columns),
          batch(batch),
          lineSize(viewState->lineSize),
          followAuthors(attributeIndex == schemeAuthors),
          completed(columns.drawn.size())
    {
        firstPixel = 0;
        while (firstPixel < pixelRows && !batch.rowShows(firstPixel))
            ++firstPixel;
        lastPixel = firstPixel;
        while (lastPixel + 1 < pixelRows && batch.rowShows(lastPixel + 1))
            ++lastPixel;
    }

    int pixelOf(int i) const { return static_cast<int>(static_cast<float>(i) * lineSize); }

    template <class Mix>
    void merge(Mix& mix)
    {
        if (columns.drawn.empty() || !batch.rowShows(firstPixel))
            return;
        const int rows = std::max(e.rowCount, 0);
        int pixel = 0;
        float weight = 0.0f;
        for (int i = firstRow(rows); i < rows; ++i) {
            const float y = static_cast<float>(i) * lineSize;
            const int p = static_cast<int>(y);
            const float f = y - static_cast<float>(p);
            const bool completes = p != pixel;
            const char* statuses = e.rowStatus[i];
            mix.beginRow(i);
            const auto mixCell = [&](size_t d, int c, int s) {
                const typename Mix::Value k = mix.value(c, s);
                if (!completes) {
                    mix.add(d, k, 1.0f);
                    return;
                }
                // The row's top lies in the next pixel row: the part above
                // completes this one, the rest begins the next.
                mix.add(d, k, 1.0f - f);
                completed[d] = shownColour(c, mix.mean(d, weight + 1.0f - f));
                mix.set(d, k, f);
            };
            if (followAuthors) {
                // Authors advance at every present cell, drawn or not, in
                // range or not.
                for (int c = 0; c <= columns.lastDrawn(); ++c) {
                    const int s = decodeStatus(statuses[c]);
                    if (isPresentStatus(s))
                        updateRowAuthor(rowAuthors.data(), i, c);
                    if (columns.slot[c] >= 0)
                        mixCell(static_cast<size_t>(columns.slot[c]), c, s);
                }
            } else {
                for (size_t d = 0; d < columns.drawn.size(); ++d) {
                    const int c = columns.drawn[d];
                    mixCell(d, c, decodeStatus(statuses[c]));
                }
            }
            if (!completes) {
                weight += 1.0f;
                continue;
            }
            paint(pixel);
            pixel = p;
            weight = f;
            if (pixel > lastPixel)
                return;
        }
        // No later row completes the last pixel row of the columns; it
        // shows the mean of what it gathered, so that the picture does not
        // lose its bottom rows.
        if (!(weight > 0.0f))
            return;
        for (size_t d = 0; d < columns.drawn.size(); ++d)
            completed[d] = shownColour(columns.drawn[d], mix.mean(d, weight));
        paint(pixel);
    }

private:
    // The first row whose pixel row reaches the view; the rows above it
    // only matter to pixel rows out of sight.
    int firstRow(int rows) const
    {
        if (firstPixel == 0 || !(lineSize > 0.0f))
            return 0;
        const double estimate = std::min(static_cast<double>(rows), firstPixel / static_cast<double>(lineSize));
        int i = std::max(0, static_cast<int>(estimate) - 2);
        while (i > 0 && pixelOf(i - 1) >= firstPixel)
            --i;
        while (i < rows && pixelOf(i) < firstPixel)
            ++i;
        return i;
    }

    // Columns outside the shown range show the grey of their mean colour.
    Rgb shownColour(int c, const Rgb& colour) const
    {
        return columns.inRange(c) ? colour : grey((colour[0] + colour[1] + colour[2]) * 0.16666667f + 0.5f);
    }

    void paint(int pixel)
    {
        if (batch.rowShows(pixel))
            batch.addRow(pixel, columns.drawn, completed);
    }

    const EvolutionFile& e;
    std::vector<int>& rowAuthors;
    const Columns& columns;
    CellBatch& batch;
    float lineSize;
    bool followAuthors;
    int firstPixel = 0;
    int lastPixel = 0;
    std::vector<Rgb> completed;  // per drawn column, the pixel row just completed
};

}  // namespace

// Rows in the outer loop, so that a row's author advances through the
// revisions in order, only at present cells of the shown range.
void drawHorizontalCells(const EvolutionFile& e, int attributeIndex)
{
    const int rows = std::max(e.rowCount, 0);
    std::vector<int> rowAuthors(rows, e.revisionAuthorIndex(0));
    pushViewTransform(rowUnitTransform);
    resetRowHeights(e);
    glBlendFunc(GL_DST_ALPHA, GL_ZERO);
    glEnable(GL_BLEND);

    const bool known = knownScheme(attributeIndex);
    Rgb last = known ? Rgb{} : currentColour();
    CellBatch batch(*viewState, rows, std::max(e.columnCount, 0));
    const Columns columns(e, batch);
    RowColours rowColours(e, attributeIndex, rowAuthors);
    std::array<Rgb, lineStatusCount> outOfRange;
    for (int s = 0; s < lineStatusCount; ++s)
        outOfRange[s] = grey(outOfRangeGrey(s));

    for (int i = 0; i < rows && !batch.rowsBelowView(i); ++i) {
        const bool rowShows = batch.rowShows(i);
        // An unknown scheme carries the colour from row to row; otherwise a
        // row out of sight changes nothing that shows.
        if (!rowShows && known)
            continue;
        const char* statuses = e.rowStatus[i];
        rowColours.beginRow(i);
        const auto colourOf = [&](int c) -> const Rgb& {
            const int s = decodeStatus(statuses[c]);
            if (!columns.inRange(c))
                last = outOfRange[s];
            else if (!isPresentStatus(s) || attributeIndex == schemeEvolution)
                last = statusColours[s];
            else if (known) {
                if (attributeIndex == schemeAuthors)
                    updateRowAuthor(rowAuthors.data(), i, c);
                last = rowColours.present(c, last);
            }
            return last;
        };
        if (known && attributeIndex != schemeAuthors) {
            for (int c : columns.drawn)
                batch.addCell(c, i, colourOf(c));
            continue;
        }
        const int end = known ? columns.lastDrawn() : columns.count - 1;
        for (int c = 0; c <= end; ++c) {
            const Rgb& colour = colourOf(c);
            if (rowShows && columns.slot[c] >= 0)
                batch.addCell(c, i, colour);
        }
    }
    batch.flush();

    glDisable(GL_BLEND);
    pushViewTransform(popTransform);
}

void drawHorizontalCellsMerged(const EvolutionFile& e, int attributeIndex)
{
    const int rows = std::max(e.rowCount, 0);
    std::vector<int> rowAuthors(rows, e.revisionAuthorIndex(0));
    pushViewTransform(pixelRowTransform);
    resetRowHeights(e);
    glBlendFunc(GL_DST_ALPHA, GL_ZERO);
    glEnable(GL_BLEND);

    // A scheme the layout does not know draws no column at all.
    if (knownScheme(attributeIndex) && rows > 0) {
        const float lineSize = viewState->lineSize;
        const int pixelRows = std::max(static_cast<int>(static_cast<float>(rows - 1) * lineSize), 0) + 2;
        CellBatch batch(*viewState, pixelRows, std::max(e.columnCount, 0), 1.0f);
        const Columns columns(e, batch);
        RowMerger merger(e, attributeIndex, rowAuthors, columns, batch, pixelRows);
        if (attributeIndex == schemeEvolution) {
            StatusMix mix(columns.drawn.size());
            merger.merge(mix);
        } else {
            ColourMix mix(e, attributeIndex, rowAuthors, columns.drawn.size());
            merger.merge(mix);
        }
        batch.flush();
    }

    glDisable(GL_BLEND);
    pushViewTransform(popTransform);
}
