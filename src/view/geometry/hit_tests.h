#pragma once
// The mapping between canvas pixels (y downwards from the top edge) and
// cells of the grid, in each of the three layouts.

class EvolutionFile;

struct CellHit {
    bool hit = false;
    // The row and revision the position falls on. Computed as far as the
    // layout gets even on a miss: the revision then still names the column
    // under the pointer, which may lie outside the grid. The row is -1 where
    // the layout names none there (past a Normal column's stack, above an
    // Interpolated column's rows); below the rows it is rowCount or more.
    int row = 0;
    int revision = 0;
};

// layout: 0 Normal, 1 Horizontal, 2 Interpolated.
CellHit cellAtPixel(const EvolutionFile& evolution, int x, int y, int layout);

struct CellPixel {
    bool ok = false;
    int x = 0;  // the left edge of the revision's column
    int y = 0;  // the top edge of the row there
};

// Accepts revisions up to columnCount, the right edge of the last column.
CellPixel pixelOfCell(const EvolutionFile& evolution, int row, int revision, int layout);
