#pragma once
// Where the rows of the Interpolated layout lie at a column boundary.

class EvolutionFile;

// The top of `row`, in rows, at x = boundary (the left edge of column
// boundary, which shows the layout of column boundary - 1). Left of the first
// column the layout is uniform and the result is the row itself.
float rowTopAt(const EvolutionFile& evolution, int boundary, int row);
