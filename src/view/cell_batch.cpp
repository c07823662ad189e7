#include "view/cell_batch.h"

#include <algorithm>
#include <cmath>

#include "app/view_state.h"
#include "view/quad_arrays.h"

namespace {

constexpr size_t quadsPerDraw = 8192;

// Whether the window span a..b (either order) comes near the centre p + 0.5
// of a pixel p in 0..pixels - 1. The margin covers the rounding of single
// precision transforms of coordinates up to `magnitude` and a little more.
bool spansPixelCentre(double a, double b, int pixels, double magnitude)
{
    const double margin = 1.0 / 32.0 + 4e-7 * magnitude;
    const double low = std::min(a, b) - margin;
    const double high = std::max(a, b) + margin;
    const double first = std::max(0.0, std::ceil(low - 0.5));
    return first < pixels && first + 0.5 <= high;
}

std::array<int, 3> levels(const Rgb& colour)
{
    return {static_cast<int>(colour[0] * 255.0f + 0.5f), static_cast<int>(colour[1] * 255.0f + 0.5f),
            static_cast<int>(colour[2] * 255.0f + 0.5f)};
}

// Spelled out: the library's comparison of the arrays calls memcmp, once
// for every cell drawn.
bool sameLevels(const std::array<int, 3>& a, const std::array<int, 3>& b)
{
    return a[0] == b[0] && a[1] == b[1] && a[2] == b[2];
}

}  // namespace

CellBatch::CellBatch(const ViewState& view, int rows, int columns) : CellBatch(view, rows, columns, view.lineSize) {}

CellBatch::CellBatch(const ViewState& view, int rows, int columns, float rowHeight)
    : scrollX(view.scrollX),
      versionSize(view.versionSize),
      top(static_cast<float>(view.viewHeight) + view.scrollY),
      lineSize(rowHeight),
      width(view.viewWidth),
      height(view.viewHeight),
      runs(std::max(columns, 0))
{
    rows = std::max(rows, 0);
    rowsShowing.resize(rows);
    firstRowBelowView = rows;
    for (int k = 0; k < rows; ++k) {
        // A row whose top edge lies under the lowest pixel centre.
        const double edge = k * static_cast<double>(lineSize);
        const double margin = 1.0 / 32.0 + 4e-7 * (std::fabs(edge) + std::fabs(top));
        if (top - edge + margin < 0.5) {
            firstRowBelowView = k;
            break;
        }
        rowsShowing[k] = spanShows(k, k + 1.0) ? 1 : 0;
    }
    vertices.reserve(quadsPerDraw * 8);
    colours.reserve(quadsPerDraw * 12);
}

bool CellBatch::columnShows(int c) const
{
    const double a = c * static_cast<double>(versionSize);
    const double b = (c + 1) * static_cast<double>(versionSize);
    return spansPixelCentre(a - scrollX, b - scrollX, width, std::fabs(b) + std::fabs(scrollX));
}

bool CellBatch::spanShows(double y0, double y1) const
{
    const double a = y0 * lineSize;
    const double b = y1 * lineSize;
    return spansPixelCentre(top - a, top - b, height, std::fabs(b) + std::fabs(top));
}

void CellBatch::add(float x0, float y0, float x1, float y1, const Rgb& colour)
{
    vertices.insert(vertices.end(), {x0, y0, x1, y0, x1, y1, x0, y1});
    for (int corner = 0; corner < 4; ++corner)
        colours.insert(colours.end(), colour.begin(), colour.end());
    if (vertices.size() >= quadsPerDraw * 8)
        drawQuads(vertices, colours, CornerData::colour);
}

void CellBatch::addCell(int c, int k, const Rgb& colour)
{
    Run& run = runs[c];
    const std::array<int, 3> cellLevels = levels(colour);
    if (run.open && run.bottom == k && sameLevels(run.levels, cellLevels)) {
        run.bottom = k + 1;
        return;
    }
    close(c);
    run = Run{k, k + 1, colour, cellLevels, true};
}

void CellBatch::skipCellsTo(int c, int k)
{
    Run& run = runs[c];
    if (run.open && run.bottom < k)
        run.bottom = k;
}

void CellBatch::addRow(int k, const std::vector<int>& columns, const std::vector<Rgb>& colours)
{
    const float top = static_cast<float>(k);
    size_t start = 0;
    while (start < columns.size()) {
        const std::array<int, 3> runLevels = levels(colours[start]);
        size_t end = start + 1;
        while (end < columns.size() && sameLevels(levels(colours[end]), runLevels))
            ++end;
        add(static_cast<float>(columns[start]), top, static_cast<float>(columns[end - 1] + 1), top + 1.0f,
            colours[start]);
        start = end;
    }
}

void CellBatch::close(int c)
{
    Run& run = runs[c];
    if (!run.open)
        return;
    run.open = false;
    add(static_cast<float>(c), static_cast<float>(run.top), static_cast<float>(c + 1), static_cast<float>(run.bottom),
        run.colour);
}

void CellBatch::flush()
{
    for (int c = 0; c < static_cast<int>(runs.size()); ++c)
        close(c);
    drawQuads(vertices, colours, CornerData::colour);
}
