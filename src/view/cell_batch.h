#pragma once
// Cells of the grid, collected in vertex arrays and drawn in the order they
// were added, in the row-unit transform.
//
// Without antialiasing a filled rectangle colours exactly the pixels whose
// centres it covers. A cell that covers no pixel centre of the canvas - one
// thinner than a pixel that falls between two centres, or one outside the
// view - draws nothing, and the batch lets the layout skip it. The test
// keeps a margin around every centre for the rounding of the transform, so
// that the cells it drops are only ever cells that would not have drawn, and
// the picture is the same as with every cell drawn.

#include <vector>

#include "colouring/colour_maps.h"

class ViewState;

class CellBatch {
public:
    // Takes the row-unit transform and the canvas size from the view state.
    explicit CellBatch(const ViewState& view);

    // Whether anything between the column edges x0 and x1 (in revisions) can
    // land on a pixel centre.
    bool columnsShow(float x0, float x1) const;
    // Whether anything between the row edges y0 and y1 (in rows) can land on
    // a pixel centre.
    bool rowsShow(float y0, float y1) const;
    // Whether rows from y on lie wholly below the view.
    bool rowsBelowView(float y) const;

    // Queues the rectangle (x0, y0)-(x1, y1) in row units in an opaque
    // colour.
    void add(float x0, float y0, float x1, float y1, const Rgb& colour);
    // Draws what is queued with the current blend function and transform.
    void flush();

private:
    float scrollX, versionSize;
    float top, lineSize;
    int width, height;
    std::vector<float> vertices;
    std::vector<float> colours;
};
