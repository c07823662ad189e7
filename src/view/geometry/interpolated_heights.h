#pragma once
// The row heights of the Interpolated layout: rows absent from the focus
// revision shrink as the columns approach it, so that the focus column shows
// a compact listing of its own lines. Heights are kept in the view state's
// rowHeights table, whose extra row rowHeights[rowCount][c] holds the freed
// space of column c (half of the height removed from it).
//
// Column c spans x = c .. c + 1; its left edge shows the layout of column
// c - 1 and its right edge that of column c.
//
// The focus is expected in firstRevision + 1 .. lastRevision, where column
// F - 1 gives the focus column its heights. A focus on the first revision of
// the range has no such column: that column then takes the limit of the
// shrinking, its rows absent at the focus at height 0, and is drawn like
// any computed column, narrowing from the full rows at its left edge. With
// no focus, or one outside the range, nothing shrinks and every column keeps
// its rows at full height.

#include <functional>
#include <vector>

class EvolutionFile;

// The height factor of a shrinking row, from about 1 at a = 0 to about 0 at
// a = b; 0 when b is 0.
float collapseWeight(int a, int b, float curvature, float steepness, float mixer);

struct ColumnHeights {
    float freedSpace = 0.0f;
    int fullRows = 0;
};

struct ColumnOffsets {
    float left = 0.0f;   // the top of the column's rows at its left edge, in rows
    float right = 0.0f;  // and at its right edge
};

// Gives the focus column the heights and freed space of the column before it.
void copyFocusColumn(const EvolutionFile& evolution);

// One range column as the walk hands it to whoever draws it.
struct InterpolatedColumn {
    int column = 0;
    ColumnOffsets offsets;
    const std::vector<float>& previous;  // the row heights at the left edge
    const std::vector<float>& current;   // the row heights at the right edge
    const std::vector<char>& statuses;   // the column's status characters, row by row
};

// Brings rowHeights up to date, unless they are fresh, and hands every
// column of the revision range, in order, to `visit`. Columns outside the
// range keep full rows and are not visited.
void walkInterpolatedColumns(const EvolutionFile& evolution,
                             const std::function<void(const InterpolatedColumn&)>& visit);
// The same for the range's columns from `from` to `to` alone, with the
// heights already brought up to date: it reads the table and changes
// nothing, so two threads may walk two parts of the range at once.
void walkInterpolatedColumnRange(const EvolutionFile& evolution, int from, int to,
                                 const std::function<void(const InterpolatedColumn&)>& visit);

// The whole computation without drawing. Afterwards the table counts as
// fresh until the evolution's grid, range or focus, or one of the options
// that shape the shrinking, changes, or the table is reset or made anew.
void computeInterpolatedHeights(const EvolutionFile& evolution);

// Whether rowHeights hold the whole computation for the evolution and the
// options as they are now.
bool interpolatedHeightsFresh(const EvolutionFile& evolution);

// The whole computation, unless the table is fresh; for what reads the
// heights before the layout pass of a frame computes them again.
void ensureInterpolatedHeights(const EvolutionFile& evolution);
