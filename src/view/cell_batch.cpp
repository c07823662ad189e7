#include "view/cell_batch.h"

#include <algorithm>
#include <cmath>

#include <FL/gl.h>

#include "app/view_state.h"

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

}  // namespace

CellBatch::CellBatch(const ViewState& view)
    : scrollX(view.scrollX),
      versionSize(view.versionSize),
      top(static_cast<float>(view.viewHeight) + view.scrollY),
      lineSize(view.lineSize),
      width(view.viewWidth),
      height(view.viewHeight)
{
    vertices.reserve(quadsPerDraw * 8);
    colours.reserve(quadsPerDraw * 12);
}

bool CellBatch::columnsShow(float x0, float x1) const
{
    const double a = static_cast<double>(x0) * versionSize;
    const double b = static_cast<double>(x1) * versionSize;
    return spansPixelCentre(a - scrollX, b - scrollX, width, std::fabs(b) + std::fabs(a) + std::fabs(scrollX));
}

bool CellBatch::rowsShow(float y0, float y1) const
{
    const double a = static_cast<double>(y0) * lineSize;
    const double b = static_cast<double>(y1) * lineSize;
    return spansPixelCentre(top - a, top - b, height, std::fabs(b) + std::fabs(a) + std::fabs(top));
}

bool CellBatch::rowsBelowView(float y) const
{
    const double edge = static_cast<double>(y) * lineSize;
    const double margin = 1.0 / 32.0 + 4e-7 * (std::fabs(edge) + std::fabs(top));
    return top - edge + margin < 0.5;
}

void CellBatch::add(float x0, float y0, float x1, float y1, const Rgb& colour)
{
    vertices.insert(vertices.end(), {x0, y0, x1, y0, x1, y1, x0, y1});
    for (int corner = 0; corner < 4; ++corner)
        colours.insert(colours.end(), colour.begin(), colour.end());
    if (vertices.size() >= quadsPerDraw * 8)
        flush();
}

void CellBatch::flush()
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
