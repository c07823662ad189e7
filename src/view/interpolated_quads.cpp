#include "view/interpolated_quads.h"

#include <algorithm>
#include <cmath>

#include <FL/gl.h>

#include "app/view_state.h"

namespace {

constexpr size_t quadsPerDraw = 8192;

// Room around a pixel centre for the rounding of single precision
// transforms of coordinates up to `magnitude`, and a little more.
double marginFor(double magnitude)
{
    return 1.0 / 32.0 + 4e-7 * magnitude;
}

}  // namespace

ColumnQuads::ColumnQuads(const ViewState& view, float rowScale)
    : scrollX(view.scrollX),
      versionSize(view.versionSize),
      top(static_cast<float>(view.viewHeight) + view.scrollY),
      rowScale(rowScale),
      width(view.viewWidth),
      height(view.viewHeight)
{
    vertices.reserve(quadsPerDraw * 8);
    colours.reserve(quadsPerDraw * 12);
}

bool ColumnQuads::beginColumn(int c)
{
    column = c;
    columnShows = false;
    if (!(versionSize > 0.0f) || width <= 0 || height <= 0)
        return false;
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

// Along the pixel centres across the column the quadrilateral covers no
// more than the band between its highest top and its lowest bottom there;
// the edges are straight, so their extremes lie at the outermost centres.
bool ColumnQuads::reachesPixelCentre(float topLeft, float topRight, float bottomRight, float bottomLeft) const
{
    const auto along = [](double left, double right, double t) { return left + (right - left) * t; };
    const double highest = std::min(along(topLeft, topRight, firstCentre), along(topLeft, topRight, lastCentre));
    const double lowest =
        std::max(along(bottomLeft, bottomRight, firstCentre), along(bottomLeft, bottomRight, lastCentre));
    const double upper = top - highest * rowScale;
    const double lower = top - lowest * rowScale;
    const double margin = marginFor(std::fabs(lowest * rowScale) + std::fabs(top));
    const double first = std::max(0.0, std::ceil(lower - margin - 0.5));
    return first < height && first + 0.5 <= upper + margin;
}

void ColumnQuads::add(float topLeft, float topRight, float bottomRight, float bottomLeft, const Rgb& colour)
{
    if (!columnShows || !reachesPixelCentre(topLeft, topRight, bottomRight, bottomLeft))
        return;
    const float x0 = static_cast<float>(column);
    const float x1 = static_cast<float>(column + 1);
    vertices.insert(vertices.end(), {x0, topLeft, x1, topRight, x1, bottomRight, x0, bottomLeft});
    for (int corner = 0; corner < 4; ++corner)
        colours.insert(colours.end(), colour.begin(), colour.end());
    if (vertices.size() >= quadsPerDraw * 8)
        flush();
}

void ColumnQuads::flush()
{
    if (vertices.empty())
        return;
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glVertexPointer(2, GL_FLOAT, 0, vertices.data());
    glColorPointer(3, GL_FLOAT, 0, colours.data());
    glDrawArrays(GL_QUADS, 0, static_cast<GLsizei>(vertices.size() / 2));
    glDisableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
    vertices.clear();
    colours.clear();
}
