#pragma once
// The columns of the Interpolated layout. A row of a range column is a
// quadrilateral that joins the row's extent at the column's left edge (the
// layout of the column before) to its extent at the right edge (the layout
// of this column), so that rows widen and narrow smoothly.

#include <vector>

#include "colouring/colour_maps.h"
#include "view/geometry/interpolated_heights.h"

class EvolutionFile;
class ColumnQuads;

// One range column in row units, one quadrilateral a row.
void drawColumnPlain(const EvolutionFile& evolution, std::vector<int>& rowAuthors, int attributeIndex,
                     const InterpolatedColumn& column, ColumnQuads& quads);
// One range column in pixels, rows thinner than a pixel merged into
// pixel-aligned quadrilaterals of their area-averaged colour.
void drawColumnSmooth(const EvolutionFile& evolution, std::vector<int>& rowAuthors, int attributeIndex,
                      const InterpolatedColumn& column, ColumnQuads& quads);

// A column outside the revision range: every row at full height, `rowSize`
// units high, in the grey of its status.
void drawOutOfRangeColumn(const EvolutionFile& evolution, int c, float rowSize, ColumnQuads& quads);
