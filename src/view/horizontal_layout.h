#pragma once
// The Horizontal layout: every shown row keeps one band across all
// revisions, and the revisions in which a line does not exist show the
// colours of "added" (not there yet) and "deleted" (gone), so that lines
// that belong together stay aligned over the whole history.

class EvolutionFile;

void drawHorizontalFrame(const EvolutionFile& evolution);
// Lays the block cushion of texture `textureIndex` over every block whose
// level reaches `threshold`: black, with the cushion in the alpha channel
// that the cells are multiplied by.
void drawHorizontalBlocks(const EvolutionFile& evolution, int textureIndex, int threshold);
// One cell per row and revision, for rows of a pixel or more.
void drawHorizontalCells(const EvolutionFile& evolution, int attributeIndex);
// For rows thinner than a pixel: each pixel row of a column shows the
// weighted mean colour of the rows that fall into it.
void drawHorizontalCellsMerged(const EvolutionFile& evolution, int attributeIndex);
// The Ctrl navigation aids of the view state's pointer mode: the anchored
// revision's column and the anchored row's band darkened.
void drawHorizontalPointerOverlay(const EvolutionFile& evolution);
