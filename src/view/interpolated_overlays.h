#pragma once
// The overlays of the Interpolated frame, which follow the varying row
// heights from column to column.

class EvolutionFile;

// The blocks whose level reaches `threshold`, each a cushion of the 2D
// texture `texture` stretched once over the block, its top and bottom edges
// following its first and last row. They leave black and the cushion's
// alpha behind, so that the rows drawn over them later take their shading.
void drawInterpolatedBlocks(const EvolutionFile& evolution, int texture, int threshold);
// By the pointer mode: the pointed revision's column darkened, the pointed
// row traced through the columns, both, or nothing.
void drawInterpolatedHighlight(const EvolutionFile& evolution);
