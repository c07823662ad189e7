#include "view/interpolated_quads.h"

#include <algorithm>
#include <cmath>

#include <FL/gl.h>

#include "app/view_state.h"
#include "view/canvas_texture.h"
#include "view/quad_arrays.h"

namespace {

// Small enough that the arrays come from the heap's reused memory rather
// than from fresh pages on every frame.
constexpr size_t quadsPerDraw = 1024;

// Columns narrower than this many pixels are painted: a quadrilateral is
// then looked at once for each of at most this many pixel columns.
constexpr float widestPaintedColumn = 4.0f;

// Room around a pixel centre for the rounding of single precision
// transforms of coordinates up to `magnitude`, and a little more.
double marginFor(double magnitude)
{
    return 1.0 / 32.0 + 4e-7 * magnitude;
}

// The colour's 8-bit levels, one byte a channel.
uint32_t levels(const Rgb& colour)
{
    const auto level = [](float channel) { return static_cast<uint32_t>(channel * 255.0f + 0.5f) & 0xffu; };
    return level(colour[0]) | level(colour[1]) << 8 | level(colour[2]) << 16;
}

}  // namespace

ColumnQuads::ColumnQuads(const ViewState& view, float rowScale, CellImage* image)
    : scrollX(view.scrollX),
      versionSize(view.versionSize),
      top(static_cast<float>(view.viewHeight) + view.scrollY),
      rowScale(rowScale),
      width(view.viewWidth),
      height(view.viewHeight),
      // Only a quadrilateral whose window y lies on the canvas can reach a
      // centre, so no coordinate that matters is larger than this.
      rowMargin(marginFor(std::fabs(top) + height + 1.0)),
      image(image),
      painting(image != nullptr)
{
    vertices.reserve(quadsPerDraw * 8);
    colours.reserve(quadsPerDraw * 12);
}

bool ColumnQuads::beginColumn(int c)
{
    close();
    column = c;
    columnShows = false;
    if (!(versionSize > 0.0f) || width <= 0 || height <= 0)
        return false;
    if (painting) {
        // The centre of pixel column px belongs to the column whose left
        // edge is at or left of it and whose right edge is right of it,
        // with the edges placed as the transform places them; neighbouring
        // columns share an edge, so every centre has one column.
        const float leftEdge = static_cast<float>(c) * versionSize - scrollX;
        const float rightEdge = static_cast<float>(c + 1) * versionSize - scrollX;
        const double span = static_cast<double>(rightEdge) - leftEdge;
        pixelColumns.clear();
        for (double px = std::max(0.0, std::ceil(static_cast<double>(leftEdge) - 0.5));
             px + 0.5 < rightEdge && px < width; ++px)
            pixelColumns.push_back({static_cast<int>(px), (px + 0.5 - leftEdge) / span});
        columnShows = !pixelColumns.empty();
        return columnShows;
    }
    const double left = c * static_cast<double>(versionSize) - scrollX;
    const double right = (c + 1) * static_cast<double>(versionSize) - scrollX;
    const double margin = marginFor(std::fabs(right) + std::fabs(scrollX));
    const double first = std::max(0.0, std::ceil(left - margin - 0.5));
    const double last = std::min(width - 1.0, std::floor(right + margin - 0.5));
    if (first > last)
        return false;
    const double span = right - left;
    firstCentre = std::clamp((first + 0.5 - left) / span, 0.0, 1.0);
    lastCentre = std::clamp((last + 0.5 - left) / span, 0.0, 1.0);
    columnShows = true;
    return true;
}

// A centre on the lower edge belongs to the quadrilateral below, so that
// each centre of a column has one.
ColumnQuads::PixelRows ColumnQuads::enclosedRows(float topLeft, float topRight, float bottomRight,
                                                 float bottomLeft, double across) const
{
    const double upper = top - (topLeft + (static_cast<double>(topRight) - topLeft) * across) * rowScale;
    const double lower = top - (bottomLeft + (static_cast<double>(bottomRight) - bottomLeft) * across) * rowScale;
    PixelRows rows;
    rows.first = static_cast<int>(std::clamp(std::floor(lower - 0.5) + 1.0, 0.0, static_cast<double>(height)));
    rows.last = static_cast<int>(std::clamp(std::floor(upper - 0.5), -1.0, height - 1.0));
    return rows;
}

// Along the pixel centres across a column drawn as quadrilaterals, one
// covers no more than the band between its highest top and its lowest
// bottom there; the edges are straight, so their extremes lie at the
// outermost centres.
bool ColumnQuads::shows(float topLeft, float topRight, float bottomRight, float bottomLeft) const
{
    if (!columnShows)
        return false;
    // Wholly above the highest pixel centre: the common case of a column
    // scrolled down, told before any pixel column is looked at.
    if (top - std::max(bottomLeft, bottomRight) * static_cast<double>(rowScale) - rowMargin > height - 0.5)
        return false;
    if (painting) {
        for (const PixelColumn& pixel : pixelColumns) {
            const PixelRows rows = enclosedRows(topLeft, topRight, bottomRight, bottomLeft, pixel.across);
            if (rows.first <= rows.last)
                return true;
        }
        return false;
    }
    const auto along = [](double left, double right, double t) { return left + (right - left) * t; };
    double highest = along(topLeft, topRight, firstCentre);
    double lowest = along(bottomLeft, bottomRight, firstCentre);
    if (lastCentre != firstCentre) {
        highest = std::min(highest, along(topLeft, topRight, lastCentre));
        lowest = std::max(lowest, along(bottomLeft, bottomRight, lastCentre));
    }
    const double upper = top - highest * rowScale;
    const double lower = top - lowest * rowScale;
    const double first = std::max(0.0, std::ceil(lower - rowMargin - 0.5));
    return first < height && first + 0.5 <= upper + rowMargin;
}

// Every pixel centre lies at window y 0.5 or above, and a quadrilateral
// reaches none lower than its highest top edge.
bool ColumnQuads::below(float topLeft, float topRight) const
{
    const double upper = top - std::min(topLeft, topRight) * static_cast<double>(rowScale);
    return upper + rowMargin < 0.5;
}

bool ColumnQuads::follows(float topLeft, float topRight) const
{
    return run.open && run.bottomLeft == topLeft && run.bottomRight == topRight;
}

void ColumnQuads::add(float topLeft, float topRight, float bottomRight, float bottomLeft, const Rgb& colour)
{
    if (painting) {
        const uint32_t pixel = imageColour(colour);
        for (const PixelColumn& pixels : pixelColumns) {
            const PixelRows rows = enclosedRows(topLeft, topRight, bottomRight, bottomLeft, pixels.across);
            for (int k = rows.first; k <= rows.last; ++k)
                image->set(pixels.x, height - 1 - k, pixel);
        }
        paintedAny = true;
        return;
    }
    const uint32_t quadLevels = levels(colour);
    if (follows(topLeft, topRight) && run.levels == quadLevels) {
        run.bottomLeft = bottomLeft;
        run.bottomRight = bottomRight;
        return;
    }
    close();
    run = Run{topLeft, topRight, bottomRight, bottomLeft, colour, quadLevels, true};
}

void ColumnQuads::skip(float topLeft, float topRight, float bottomRight, float bottomLeft)
{
    if (painting || !follows(topLeft, topRight))
        return;
    run.bottomLeft = bottomLeft;
    run.bottomRight = bottomRight;
}

void ColumnQuads::close()
{
    if (!run.open)
        return;
    run.open = false;
    const float x0 = static_cast<float>(column);
    const float x1 = static_cast<float>(column + 1);
    vertices.insert(vertices.end(),
                    {x0, run.topLeft, x1, run.topRight, x1, run.bottomRight, x0, run.bottomLeft});
    for (int corner = 0; corner < 4; ++corner)
        colours.insert(colours.end(), run.colour.begin(), run.colour.end());
    if (vertices.size() >= quadsPerDraw * 8)
        drawQuads(vertices, colours, CornerData::colour);
}

void ColumnQuads::flush()
{
    close();
    drawQuads(vertices, colours, CornerData::colour);
}

bool paintsColumns(const ViewState& view)
{
    return view.versionSize < widestPaintedColumn && canvasTextureFits(view.viewWidth, view.viewHeight);
}
