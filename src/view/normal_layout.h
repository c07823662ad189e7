#pragma once
// The Normal layout: each revision's present rows stacked from the top of
// its column without gaps, so that the outline traces the file's growth.

class EvolutionFile;

// Set, the cells are drawn by walking every cell, as the "Authors" scheme
// always draws them, rather than by looking only at those that reach a
// pixel centre. The picture is the same; the walk is the reference the
// other way is checked against.
extern bool walkEveryNormalCell;

void drawNormalFrame(const EvolutionFile& evolution);
// The cells of every column, coloured by the scheme `attributeIndex`.
void drawNormalCells(const EvolutionFile& evolution, int attributeIndex);
// The Ctrl navigation aids of the view state's pointer mode: the anchored
// revision darkened, the anchored row's path through the columns.
void drawNormalPointerOverlay(const EvolutionFile& evolution);
