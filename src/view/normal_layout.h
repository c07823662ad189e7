#pragma once
// The Normal layout: each revision's present rows stacked from the top of
// its column without gaps, so that the outline traces the file's growth.

class EvolutionFile;

void drawNormalFrame(const EvolutionFile& evolution);
// The cells of every column, coloured by the scheme `attributeIndex`.
void drawNormalCells(const EvolutionFile& evolution, int attributeIndex);
// The Ctrl navigation aids of the view state's pointer mode: the anchored
// revision darkened, the anchored row's path through the columns.
void drawNormalPointerOverlay(const EvolutionFile& evolution);
