#include "view/interpolated_columns.h"

#include <array>

#include "app/globals.h"
#include "evolution/evolution_file.h"
#include "view/colour_scheme.h"
#include "view/interpolated_quads.h"
#include "view/row_colours.h"

namespace {

// Rows that are not drawn still move their authors on, or the columns after
// them would show stale ones.
void advanceRowAuthor(const EvolutionFile& e, std::vector<int>& rowAuthors, int attributeIndex, int row, int c)
{
    if (attributeIndex == schemeAuthors && e.rowPresent(row, c))
        updateRowAuthor(rowAuthors.data(), row, c);
}

// From row `from` down.
void advanceRowAuthors(const EvolutionFile& e, std::vector<int>& rowAuthors, int attributeIndex, int c, int from = 0)
{
    if (attributeIndex != schemeAuthors)
        return;
    for (int i = from; i < e.rowCount; ++i)
        advanceRowAuthor(e, rowAuthors, attributeIndex, i, c);
}

Rgb plus(const Rgb& a, const Rgb& b, float weight)
{
    return {a[0] + b[0] * weight, a[1] + b[1] * weight, a[2] + b[2] * weight};
}

// The colour of row i, of status s, in range column c by the scheme
// `attributeIndex`. Under "Authors" a present row first takes the author
// the row-author rule gives it, so the columns have to be coloured in
// increasing order. A scheme the layout does not know colours present rows
// like absent ones, by their status.
Rgb interpolatedRowColour(const EvolutionFile& e, std::vector<int>& rowAuthors, int attributeIndex, int row, int c,
                          int s)
{
    if (!isPresentStatus(s))
        return statusColours[s];
    if (attributeIndex == schemeAuthors)
        updateRowAuthor(rowAuthors.data(), row, c);
    RowColours colours(e, attributeIndex, rowAuthors);
    colours.beginRow(row);
    return colours.present(c, statusColours[s]);
}

// The smooth walk of the "Evolution" scheme between two quadrilaterals:
// from row i on, the rows that leave one edge or the other within its pixel
// row only add their areas, by status. Gives the first row that crosses a
// pixel boundary on both edges, or `rows`. A loop of its own, with nothing
// called inside, keeps the edges and the areas out of memory; most rows of a
// long history go through here.
int gatherByStatus(const InterpolatedColumn& column, int i, int rows, float size, int pixelLeft, int pixelRight,
                   float& left, float& right, float& weight, std::array<float, 6>& areas)
{
    const float* heightsBefore = column.previous.data();
    const float* heightsNow = column.current.data();
    const char* statuses = column.statuses.data();
    float l = left, r = right, w = weight;
    std::array<float, 6> a = areas;
    for (; i < rows; ++i) {
        const float heightLeft = heightsBefore[i] * size;
        const float heightRight = heightsNow[i] * size;
        const float nextLeft = l + heightLeft, nextRight = r + heightRight;
        if (static_cast<int>(nextLeft) != pixelLeft && static_cast<int>(nextRight) != pixelRight)
            break;
        l = nextLeft, r = nextRight;
        const float area = (heightLeft + heightRight) * 0.5f;
        w += area;
        const int s = decodeStatus(statuses[i]);
        for (int k = 0; k < 6; ++k)
            a[k] += s == k ? area : 0.0f;
    }
    left = l, right = r, weight = w, areas = a;
    return i;
}

}  // namespace

void drawColumnPlain(const EvolutionFile& e, std::vector<int>& rowAuthors, int attributeIndex,
                     const InterpolatedColumn& column, ColumnQuads& quads)
{
    const int c = column.column;
    if (!quads.beginColumn(c)) {
        advanceRowAuthors(e, rowAuthors, attributeIndex, c);
        return;
    }
    float left = column.offsets.left;
    float right = column.offsets.right;
    for (int i = 0; i < e.rowCount; ++i) {
        if (quads.below(left, right)) {
            advanceRowAuthors(e, rowAuthors, attributeIndex, c, i);
            return;
        }
        const float before = column.previous[i];
        const float now = column.current[i];
        if (quads.shows(left, right, right + now, left + before)) {
            quads.add(left, right, right + now, left + before,
                      interpolatedRowColour(e, rowAuthors, attributeIndex, i, c, decodeStatus(column.statuses[i])));
        } else {
            quads.skip(left, right, right + now, left + before);
            advanceRowAuthor(e, rowAuthors, attributeIndex, i, c);
        }
        left += before;
        right += now;
    }
}

// Rows are gathered until both edges of the column have crossed a pixel
// boundary; the gathered rows, with the part of the last one above the new
// boundaries, then fill one quadrilateral between whole pixel rows, and the
// rest of the last one starts the next. What is still gathered after the
// last row is left undrawn.
void drawColumnSmooth(const EvolutionFile& e, std::vector<int>& rowAuthors, int attributeIndex,
                      const InterpolatedColumn& column, ColumnQuads& quads)
{
    const int c = column.column;
    if (!quads.beginColumn(c)) {
        advanceRowAuthors(e, rowAuthors, attributeIndex, c);
        return;
    }
    const float size = viewState->lineSize;
    // "Evolution" mixes the status colours by area rather than the colours.
    const bool byStatus = attributeIndex == schemeEvolution;
    const float* heightsBefore = column.previous.data();
    const float* heightsNow = column.current.data();
    float left = column.offsets.left * size;
    float right = column.offsets.right * size;
    int pixelLeft = static_cast<int>(left);
    int pixelRight = static_cast<int>(right);
    float weight = 0.0f;
    Rgb sums = {0.0f, 0.0f, 0.0f};
    std::array<float, 6> areas{};
    // What is still gathered would be drawn from the pixel tops, which move
    // only when a quadrilateral is drawn: the column ends at the first tops
    // that lie wholly below the canvas.
    if (quads.below(static_cast<float>(pixelLeft), static_cast<float>(pixelRight))) {
        advanceRowAuthors(e, rowAuthors, attributeIndex, c);
        return;
    }
    for (int i = 0; i < e.rowCount; ++i) {
        if (byStatus) {
            i = gatherByStatus(column, i, e.rowCount, size, pixelLeft, pixelRight, left, right, weight, areas);
            if (i == e.rowCount)
                break;
        }
        const float heightLeft = heightsBefore[i] * size;
        const float heightRight = heightsNow[i] * size;
        left += heightLeft;
        right += heightRight;
        const int s = decodeStatus(column.statuses[i]);
        const Rgb colour = byStatus ? Rgb{} : interpolatedRowColour(e, rowAuthors, attributeIndex, i, c, s);
        const int nextLeft = static_cast<int>(left);
        const int nextRight = static_cast<int>(right);
        if (nextLeft == pixelLeft || nextRight == pixelRight) {
            const float area = (heightLeft + heightRight) * 0.5f;
            weight += area;
            if (byStatus)
                areas[s] += area;
            else
                sums = plus(sums, colour, area);
            continue;
        }
        const float restLeft = left - static_cast<float>(nextLeft);
        const float restRight = right - static_cast<float>(nextRight);
        const float area = ((heightLeft - restLeft) + (heightRight - restRight)) * 0.5f;
        const float top0 = static_cast<float>(pixelLeft), top1 = static_cast<float>(pixelRight);
        const float bottom1 = static_cast<float>(nextRight), bottom0 = static_cast<float>(nextLeft);
        // Scrolled down a long history, most quadrilaterals lie above the
        // canvas: their colours are never mixed.
        if (quads.shows(top0, top1, bottom1, bottom0)) {
            Rgb shown;
            if (byStatus) {
                areas[s] += area;
                shown = mixStatusColours(areas.data(), weight + area);
            } else {
                const Rgb total = plus(sums, colour, area);
                const float all = weight + area;
                shown = {total[0] / all, total[1] / all, total[2] / all};
            }
            quads.add(top0, top1, bottom1, bottom0, shown);
        } else {
            quads.skip(top0, top1, bottom1, bottom0);
        }
        weight = (restLeft + restRight) * 0.5f;
        if (byStatus) {
            areas.fill(0.0f);
            areas[s] = weight;
        } else {
            sums = plus({0.0f, 0.0f, 0.0f}, colour, weight);
        }
        pixelLeft = nextLeft;
        pixelRight = nextRight;
        if (quads.below(bottom0, bottom1)) {
            advanceRowAuthors(e, rowAuthors, attributeIndex, c, i + 1);
            return;
        }
    }
}

void drawOutOfRangeColumn(const EvolutionFile& e, int c, float rowSize, ColumnQuads& quads)
{
    if (!quads.beginColumn(c))
        return;
    for (int i = 0; i < e.rowCount; ++i) {
        const float y0 = static_cast<float>(i) * rowSize;
        const float y1 = static_cast<float>(i + 1) * rowSize;
        if (!quads.shows(y0, y0, y1, y1)) {
            quads.skip(y0, y0, y1, y1);
            continue;
        }
        const float g = outOfRangeGrey(e.status(i, c));
        quads.add(y0, y0, y1, y1, {g, g, g});
    }
}
