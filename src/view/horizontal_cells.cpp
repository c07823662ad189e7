#include <algorithm>
#include <array>
#include <limits>
#include <optional>
#include <utility>
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
    // Merges the drawn columns `from` to `to` (places in columns.drawn)
    // into `image`, or every drawn column into the batch when there is no
    // image.
    RowMerger(const EvolutionFile& e, int attributeIndex, std::vector<int>& rowAuthors, const Columns& columns,
              CellBatch& batch, int pixelRows, CellImage* image, int from, int to)
        : e(e),
          rowAuthors(rowAuthors),
          columns(columns),
          batch(batch),
          image(image),
          from(from),
          to(to),
          lineSize(viewState->lineSize),
          followAuthors(attributeIndex == schemeAuthors),
          completed(columns.drawn.size())
    {
        if (image) {
            // The pixel row of place p is p less this, whole pixels a row.
            imageShift = image->placeAt(0);
            pixelSpans.assign(columns.drawn.size(), {0, -1});
            for (int x = 0; x < image->width(); ++x) {
                const int c = image->columnAt(x);
                if (c < 0 || c >= columns.count || columns.slot[c] < 0)
                    continue;
                auto& [firstX, lastX] = pixelSpans[static_cast<size_t>(columns.slot[c])];
                firstX = lastX < firstX ? x : firstX;
                lastX = x;
            }
        }
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
        if (columns.drawn.empty() || from > to || !batch.rowShows(firstPixel))
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
                for (int d = from; d <= to; ++d) {
                    const int c = columns.drawn[static_cast<size_t>(d)];
                    mixCell(static_cast<size_t>(d), c, decodeStatus(statuses[c]));
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
        for (int d = from; d <= to; ++d)
            completed[static_cast<size_t>(d)] =
                shownColour(columns.drawn[static_cast<size_t>(d)], mix.mean(static_cast<size_t>(d), weight));
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
        if (!batch.rowShows(pixel))
            return;
        if (!image) {
            batch.addRow(pixel, columns.drawn, completed);
            return;
        }
        const int y = pixel - imageShift;
        if (y < 0 || y >= image->height())
            return;
        for (int d = from; d <= to; ++d) {
            const uint32_t colour = imageColour(completed[static_cast<size_t>(d)]);
            const auto [firstX, lastX] = pixelSpans[static_cast<size_t>(d)];
            for (int x = firstX; x <= lastX; ++x)
                image->set(x, y, colour);
        }
    }

    const EvolutionFile& e;
    std::vector<int>& rowAuthors;
    const Columns& columns;
    CellBatch& batch;
    CellImage* image;
    int from, to;
    int imageShift = 0;
    std::vector<std::pair<int, int>> pixelSpans;  // per drawn column, its pixel columns first to last
    float lineSize;
    bool followAuthors;
    int firstPixel = 0;
    int lastPixel = 0;
    std::vector<Rgb> completed;  // per drawn column, the pixel row just completed
};

}  // namespace

namespace {

std::array<Rgb, lineStatusCount> outOfRangeColours()
{
    std::array<Rgb, lineStatusCount> colours;
    for (int s = 0; s < lineStatusCount; ++s)
        colours[s] = grey(outOfRangeGrey(s));
    return colours;
}

// A rectangle a cell. Rows in the outer loop, so that a row's author
// advances through the revisions in order, only at present cells of the
// shown range.
void drawCellRectangles(const EvolutionFile& e, int attributeIndex)
{
    const int rows = std::max(e.rowCount, 0);
    std::vector<int> rowAuthors(rows, e.revisionAuthorIndex(0));
    const bool known = knownScheme(attributeIndex);
    Rgb last = known ? Rgb{} : currentColour();
    CellBatch batch(*viewState, rows, std::max(e.columnCount, 0));
    const Columns columns(e, batch);
    RowColours rowColours(e, attributeIndex, rowAuthors);
    const std::array<Rgb, lineStatusCount> outOfRange = outOfRangeColours();

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
}

// Pixel rows fromY to toY of the image, each from the row whose band holds
// its centre, read in the order its statuses lie in memory; pixel columns
// of one revision share the cell's colour.
void paintRows(const EvolutionFile& e, int attributeIndex, CellImage& image, int fromY, int toY)
{
    const int rows = std::max(e.rowCount, 0), count = std::max(e.columnCount, 0);
    const int first = std::max(e.firstRevision, 0), last = std::min(e.lastRevision, count - 1);
    const std::array<Rgb, lineStatusCount> outOfRange = outOfRangeColours();
    const std::vector<int> noAuthors;
    RowColours rowColours(e, attributeIndex, noAuthors);
    const int width = image.width();
    std::vector<int> columnAt(static_cast<size_t>(width));
    for (int x = 0; x < width; ++x)
        columnAt[x] = image.columnAt(x);
    for (int y = fromY; y <= toY; ++y) {
        const int i = image.placeAt(y);
        if (i < 0 || i >= rows)
            continue;
        const char* statuses = e.rowStatus[i];
        rowColours.beginRow(i);
        uint32_t colour = 0;
        for (int x = 0; x < width; ++x) {
            const int c = columnAt[x];
            if (c < 0 || c >= count)
                continue;
            if (x == 0 || c != columnAt[x - 1]) {
                const int s = decodeStatus(statuses[c]);
                const Rgb& cell = c < first || c > last ? outOfRange[s]
                                  : !isPresentStatus(s) || attributeIndex == schemeEvolution
                                      ? statusColours[s]
                                      : rowColours.present(c, statusColours[s]);
                colour = imageColour(cell);
            }
            image.set(x, y, colour);
        }
    }
}

}  // namespace

void drawHorizontalCells(const EvolutionFile& e, int attributeIndex)
{
    pushViewTransform(rowUnitTransform);
    resetRowHeights(e);
    glBlendFunc(GL_DST_ALPHA, GL_ZERO);
    glEnable(GL_BLEND);
    // "Authors" and the schemes the layout does not know carry a colour
    // along a row, so they take every cell in turn.
    if (knownScheme(attributeIndex) && attributeIndex != schemeAuthors && !drawEveryCell &&
        canvasTextureFits(viewState->viewWidth, viewState->viewHeight)) {
        CellImage image(*viewState);
        inTwoHalves(halvesOf(0, image.height() - 1, 64),
                    [&](int, int from, int to) { paintRows(e, attributeIndex, image, from, to); });
        image.draw();
    } else {
        drawCellRectangles(e, attributeIndex);
    }
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
        std::optional<CellImage> image;
        if (!drawEveryCell && canvasTextureFits(viewState->viewWidth, viewState->viewHeight))
            image.emplace(*viewState, 1.0f);
        // Painted columns are merged on both cores, each half of them with
        // sums of its own; "Authors" walks every column of a row in order.
        const int drawn = static_cast<int>(columns.drawn.size());
        const bool split = image && attributeIndex != schemeAuthors;
        inTwoHalves(halvesOf(0, drawn - 1, split ? 64 : std::numeric_limits<int>::max()), [&](int, int from, int to) {
            RowMerger merger(e, attributeIndex, rowAuthors, columns, batch, pixelRows, image ? &*image : nullptr, from,
                             to);
            if (attributeIndex == schemeEvolution) {
                StatusMix mix(columns.drawn.size());
                merger.merge(mix);
            } else {
                ColourMix mix(e, attributeIndex, rowAuthors, columns.drawn.size());
                merger.merge(mix);
            }
        });
        batch.flush();
        if (image)
            image->draw();
    }

    glDisable(GL_BLEND);
    pushViewTransform(popTransform);
}
