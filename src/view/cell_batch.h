#pragma once
// Cells of the grid, collected in vertex arrays and drawn together, in the
// row-unit transform.
//
// Without antialiasing a filled rectangle colours exactly the pixels whose
// centres it covers. A cell that covers no pixel centre of the canvas - one
// thinner than a pixel that falls between two centres, or one outside the
// view - draws nothing, and the batch lets the layout skip it. The test
// keeps a margin around every centre for the rounding of the transform, so
// that the cells it drops are only ever cells that would not have drawn.
//
// Cells stacked in one column are merged while their colours come to the
// same 8-bit levels, across skipped cells: the merged rectangle covers the
// same pixel centres, and each shows within one level of its own colour.
// Cells never overlap one another, so the order in which they reach the
// framebuffer does not change the picture; they go after every rectangle
// added before them.

#include <array>
#include <vector>

#include "colouring/colour_maps.h"

class ViewState;

class CellBatch {
public:
    // Takes the row-unit transform and the canvas size from the view state,
    // for cells in rows 0 .. rows - 1 of columns 0 .. columns - 1.
    CellBatch(const ViewState& view, int rows, int columns);
    // The same with rows `rowHeight` pixels high: 1 for cells in the
    // pixel-row transform, whose rows are the pixel rows themselves.
    CellBatch(const ViewState& view, int rows, int columns, float rowHeight);

    // Whether anything of column c can land on a pixel centre.
    bool columnShows(int c) const;
    // Whether row k (y from k to k + 1) can land on a pixel centre.
    bool rowShows(int k) const { return k >= 0 && k < static_cast<int>(rowsShowing.size()) && rowsShowing[k]; }
    // Whether rows from k on lie wholly below the view.
    bool rowsBelowView(int k) const { return k >= firstRowBelowView; }

    // Queues the rectangle (x0, y0)-(x1, y1) in row units in an opaque
    // colour, as it is.
    void add(float x0, float y0, float x1, float y1, const Rgb& colour);
    // The cell (c, k)-(c + 1, k + 1).
    void addCell(int c, int k, const Rgb& colour);
    // Tells the batch that the cells of column c above row k that were not
    // added were skipped, so that the cells on either side may merge.
    void skipCellsTo(int c, int k);
    // Row k of `columns`, every column that shows in increasing order, in
    // `colours`: neighbours in the list that come to the same 8-bit levels
    // are drawn as one rectangle, across the columns between them, which
    // reach no pixel centre. Suits rows whose colours change more often
    // from row to row than from column to column.
    void addRow(int k, const std::vector<int>& columns, const std::vector<Rgb>& colours);
    // Draws everything queued with the current blend function and transform.
    void flush();

private:
    // Cells of one column waiting to be merged with the next.
    struct Run {
        int top = 0, bottom = 0;  // rows top .. bottom - 1
        Rgb colour{};
        std::array<int, 3> levels{};
        bool open = false;
    };

    bool spanShows(double y0, double y1) const;
    void close(int c);

    float scrollX, versionSize;
    float top, lineSize;
    int width, height;
    std::vector<char> rowsShowing;
    int firstRowBelowView = 0;
    std::vector<Run> runs;

    std::vector<float> vertices;
    std::vector<float> colours;
};
