#include "ui/colour_legend.h"

#include <FL/Fl.H>
#include <FL/gl.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <utility>

#include "colouring/attributes.h"
#include "colouring/colour_maps.h"
#include "ui/legend_stack.h"

int legendCursorX = 0;
int legendCursorY = 0;

namespace {

// Truncation toward zero that stays defined for values no int can hold.
int truncated(float v)
{
    if (!(v > static_cast<float>(INT_MIN)))
        return INT_MIN;
    if (!(v < static_cast<float>(INT_MAX)))
        return INT_MAX;
    return static_cast<int>(v);
}

void setColour(const Rgb& c)
{
    glColor3f(c[0], c[1], c[2]);
}

// A rectangle whose first coordinates run along the strip's axis.
void fillCell(bool horizontal, float alongFrom, float alongTo, float acrossFrom, float acrossTo)
{
    if (horizontal)
        glRectf(alongFrom, acrossFrom, alongTo, acrossTo);
    else
        glRectf(acrossFrom, alongFrom, acrossTo, alongTo);
}

// The cells that come near a pixel centre, in order along the strip: only
// they can colour a pixel, and fitted to a long history thousands of cells
// share each pixel. The margin takes in both cells where a centre lies on
// the edge between two; cells never overlap, so one that covers no centre
// changes nothing.
template <class Draw>
void forCellsAtPixelCentres(const ColourLegend& legend, int count, const Draw& draw)
{
    const double scale = legend.scale, offset = legend.offset;
    if (!(scale > 0.0))
        return;
    const int length = legend.horizontal ? legend.w() : legend.h();
    const double margin = 1.0 / 32.0 / scale;
    const auto index = [](double u) { return static_cast<int>(std::clamp(std::floor(u), -1.0, 2147483647.0)); };
    int next = 0;
    for (int j = 0; j < length && next < count; ++j) {
        // A vertical strip counts its cells down from the top.
        const double centre = (legend.horizontal ? j : length - 1 - j) + 0.5;
        const double u = legend.horizontal ? (centre + offset) / scale : (offset - centre) / scale;
        const int last = std::min(index(u + margin), count - 1);
        for (int i = std::max(index(u - margin), next); i <= last; ++i)
            draw(i);
        next = std::max(next, last + 1);
    }
}

void drawCells(const ColourLegend& legend)
{
    const Attribute* attribute = legend.attribute;
    if (!attribute || attribute->count() == 0)
        return;
    const bool horizontal = legend.horizontal != 0;
    // Across the strip, cells keep a one-pixel margin on both sides.
    const float thickness = static_cast<float>(horizontal ? legend.h() : legend.w());
    const float acrossFrom = 1.0f, acrossTo = thickness - 2.0f;
    const float* values = attribute->values();
    forCellsAtPixelCentres(legend, attribute->count(), [&](int i) {
        const float v = values[i];
        const float from = static_cast<float>(i), to = static_cast<float>(i + 1);
        switch (legend.colouringMode) {
        case colourMapCells:
            setColour(rainbowColour(v));
            fillCell(horizontal, from, to, acrossFrom, acrossTo);
            break;
        case barCells: {
            // The bar grows from the side next to the canvas: the top of a
            // horizontal strip, the right of a vertical one.
            setColour(rainbowColour(v));
            const float t = 1.0f - v;
            fillCell(horizontal, from, to, t * (thickness - 2.0f) + 1.0f, acrossTo);
            break;
        }
        case identifierCells:
            setColour(authorColour(truncated(v)));
            fillCell(horizontal, from, to, acrossFrom, acrossTo);
            break;
        default:
            break;
        }
    });
}

void cursorLoop(float left, float top, float right, float bottom)
{
    glBegin(GL_LINE_LOOP);
    glVertex2f(left, top);
    glVertex2f(right, top);
    glVertex2f(right, bottom);
    glVertex2f(left, bottom);
    glEnd();
}

// One cell long at the last pointer position, not snapped to cell borders;
// a grey loop one pixel off under the black one keeps it visible on dark cells.
void drawCursor(const ColourLegend& legend)
{
    const float w = static_cast<float>(legend.w()), h = static_cast<float>(legend.h());
    const float s = legend.scale;
    glLineWidth(1.2f);
    if (legend.horizontal) {
        const float x = static_cast<float>(legendCursorX);
        glColor3f(0.7f, 0.7f, 0.7f);
        cursorLoop(x + 1.0f, 2.0f, x + s + 1.0f, h - 1.0f);
        glColor3f(0.0f, 0.0f, 0.0f);
        cursorLoop(x, 1.0f, x + s, h - 2.0f);
    } else {
        const float y = static_cast<float>(legendCursorY);
        glColor3f(0.7f, 0.7f, 0.7f);
        cursorLoop(2.0f, y + 1.0f, w - 1.0f, y + s + 1.0f);
        glColor3f(0.0f, 0.0f, 0.0f);
        cursorLoop(1.0f, y, w - 2.0f, y + s);
    }
}

}  // namespace

ColourLegend::ColourLegend(int x, int y, int w, int h, Attribute* shown, int mode,
                           DescribeCallback describe)
    : Fl_Gl_Window(x, y, w, h),
      attribute(shown),
      horizontal(w > h ? 1 : 0),
      colouringMode(mode),
      describeCallback(std::move(describe))
{
    legendCursorX = 0;
    legendCursorY = 0;
    ownerStack = registerLegend(this);
}

ColourLegend::~ColourLegend()
{
    if (ownerStack)
        ownerStack->removeLegend(this);
}

void ColourLegend::draw()
{
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0.0, w(), 0.0, h(), -10.0, 10.0);
    glMatrixMode(GL_MODELVIEW);
    glViewport(0, 0, w(), h());
    glClearColor(0.9f, 0.9f, 0.9f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);

    // Cell frame: cell i spans i to i + 1 along the axis, placed like the
    // canvas's row or column i. A vertical strip counts rows downwards.
    glPushMatrix();
    if (horizontal) {
        glTranslatef(-offset, 0.0f, 0.0f);
        glScalef(scale, 1.0f, 1.0f);
    } else {
        glTranslatef(0.0f, offset, 0.0f);
        glScalef(1.0f, -scale, 1.0f);
    }
    drawCells(*this);
    glPopMatrix();

    // Pixel frame for the cursor: y counts down from the top in a vertical
    // strip, matching the pointer positions it is given.
    glPushMatrix();
    if (!horizontal) {
        glTranslatef(0.0f, static_cast<float>(h()), 0.0f);
        glScalef(1.0f, -1.0f, 1.0f);
    }
    if (cursorShown || pointerInside)
        drawCursor(*this);
    glPopMatrix();
}

int ColourLegend::handle(int event)
{
    switch (event) {
    case FL_ENTER:
    case FL_FOCUS:
        pointerInside = true;
        redraw();
        break;
    case FL_LEAVE:
    case FL_UNFOCUS:
        pointerInside = false;
        if (describeCallback)
            describeCallback("");
        redraw();
        break;
    case FL_MOVE:
        movePointer(truncated(static_cast<float>(Fl::event_x()) - scale / 2.0f),
                    truncated(static_cast<float>(Fl::event_y()) - scale / 2.0f));
        break;
    default:
        break;
    }
    return Fl_Gl_Window::handle(event);
}

void ColourLegend::showCursor(bool flag)
{
    cursorShown = flag;
    redraw();
}

void ColourLegend::movePointer(int x, int y)
{
    legendCursorX = x;
    legendCursorY = y;
    if (!cursorShown && !pointerInside)
        return;
    redraw();
    if (!pointerInside)
        return;
    // The half cell added back cancels the half cell the caller took off.
    const float along = horizontal ? scale * 0.5f + offset + static_cast<float>(x)
                                   : scale * 0.5f + offset + static_cast<float>(y) - static_cast<float>(h());
    const float cell = along / scale;
    const int count = attribute ? attribute->count() : 0;
    // Past either end of the series the status bar is cleared rather than
    // left naming a cell the pointer is no longer over.
    if (!(cell > -1.0f && cell < static_cast<float>(count)))
        description.clear();
    else
        description = attribute->describe(truncated(cell));
    if (describeCallback)
        describeCallback(description.c_str());
}
