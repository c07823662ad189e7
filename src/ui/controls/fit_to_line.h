#pragma once
// "Fit to line": one pixel per row and per revision column, so that every
// line of the evolution gets its own pixel row. When the rows or columns are
// too few to fill the view at one pixel each, they are stretched to fill it
// exactly instead.

struct CellSizes {
    float lineSize = 1.0f;
    float versionSize = 1.0f;
};

// With no rows or no columns that axis stays at one pixel.
CellSizes fitToLineSizes(int rows, int columns, int viewWidth, int viewHeight);
