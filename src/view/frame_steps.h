#pragma once
// The steps that every layout's frame shares, and the shading model they
// set up: the background leaves 1 - blendingRatio in the alpha channel,
// cushions add their profile to it, and cells are then drawn with blend
// function (destination alpha, zero), so that each shows its colour times
// the factor beneath it.

class EvolutionFile;

// The frame of a canvas with nothing loaded: light grey.
void drawNoDataFrame();
void clearFrame();
void drawFrameBackground();
// Adds the revision cushion of texture `textureIndex` to every column, or
// the blending ratio everywhere when version drawing is not "Cushions".
void drawRevisionCushions(int columns, int textureIndex);
// The left edge of every column, for version drawing "Lines".
void drawRevisionLines(int columns);
// Frames the focus revision with two bars and two arrowheads.
void drawFocusMarker(const EvolutionFile& evolution);

// Fills a rectangle given in the current model coordinates.
void fillRect(float x0, float y0, float x1, float y1);
