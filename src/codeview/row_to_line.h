#pragma once
// The line of the evolution shown in a row of the evolution view, in the
// view's current layout.

// The evolution view's layout mode; Normal (0) before the window has made
// the view.
int evolutionLayoutMode();

// `rowToLine(row, evolutionLayoutMode())`.
int rowToLine(int row);
