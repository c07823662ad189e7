#pragma once
// A thin OpenGL strip beside or under the evolution canvas that shows one
// value per row or per revision, scrolled and zoomed like the canvas, and
// names the cell under the pointer.

#include <FL/Fl_Gl_Window.H>

#include <functional>
#include <string>

class Attribute;
class LegendStack;

// Where a legend sends the description of the cell under the pointer; an
// empty text clears what was shown.
using DescribeCallback = std::function<void(const char*)>;

enum LegendColouring { colourMapCells = 0, barCells = 1, identifierCells = 2 };

class ColourLegend : public Fl_Gl_Window {
public:
    // Joins the legend stack that is open for registration, if any.
    ColourLegend(int x, int y, int w, int h, Attribute* shown = nullptr,
                 int mode = colourMapCells, DescribeCallback describe = {});
    ~ColourLegend() override;

    void draw() override;
    int handle(int event) override;

    // The pointer is over the evolution canvas (1) or has left it (0).
    void showCursor(bool flag);
    // A pointer position in the strip's pixels, x from the left and y from
    // the top, already moved back by half a cell.
    void movePointer(int x, int y);

    Attribute* attribute = nullptr;
    // Scroll offset along the axis; a vertical strip counts it upwards from
    // its bottom edge, so it holds the strip's height plus the scroll.
    float offset = 0.0f;
    float scale = 1.0f;  // pixels per cell
    int horizontal = 0;
    int colouringMode = colourMapCells;
    LegendStack* ownerStack = nullptr;
    bool cursorShown = false;
    bool pointerInside = false;
    DescribeCallback describeCallback;
    std::string description;
};

// The last pointer position handed to any legend, half a cell back.
extern int legendCursorX;
extern int legendCursorY;
