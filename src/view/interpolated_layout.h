#pragma once
// The Interpolated layout: rows absent from the focus revision shrink as the
// columns approach it, so that the focus column shows a compact listing of
// its own lines, while the ends of the revision range keep the full rows.

class EvolutionFile;

void drawInterpolatedFrame(const EvolutionFile& evolution);
// Computes the row heights and draws every column, coloured by the scheme
// `attributeIndex`: range columns with their interpolated rows, the others
// as grey rows of full height.
void drawInterpolatedLayout(const EvolutionFile& evolution, int attributeIndex);
