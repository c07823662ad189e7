#pragma once
// Where the rows of the Interpolated layout lie at a column boundary.

class EvolutionFile;

// The top of `row`, in rows, at x = boundary (the left edge of column
// boundary, which shows the layout of column boundary - 1). Left of the first
// column the layout is uniform and the result is the row itself.
float rowTopAt(const EvolutionFile& evolution, int boundary, int row);

// Whether the view state's row-height table has a column for every revision
// and a row for every shown row plus the freed-space row. It is sized when
// an evolution is opened; nothing may read it for a grid it does not hold.
bool rowHeightsHold(const EvolutionFile& evolution);

// Whether "Balance Image" shifts each column down by its freed space, which
// it does only while "Redistribute space" is off.
bool columnsBalanced();

// Where the rows of `column` begin at its right edge, in rows: its freed
// space when columns are balanced, else 0.
float columnTopOffset(const EvolutionFile& evolution, int column);
