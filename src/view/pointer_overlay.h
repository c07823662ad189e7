#pragma once
// What the layouts' pointer overlays share: the Ctrl navigation modes and
// the overlay they draw by them.

#include <vector>

class EvolutionFile;

// The view state's pointerMode.
enum PointerMode : int {
    pointerOff = 0,
    pointerAnchored = 1,    // row and revision held
    pointerOnRow = 2,       // the row held
    pointerOnRevision = 3,  // the revision held
};

// Darkens the anchored revision's column over the full height of the view,
// in window pixels, with the blend function the caller set; the band reaches
// `overhang` pixels past the column's right edge.
void shadeAnchoredRevision(float overhang = 0.0f);

// A corner of a path through the columns: x in revisions, y in rows counted
// down from the top.
struct PathPoint {
    float x = 0.0f;
    float y = 0.0f;
};

// The path of the anchored row through the columns, as a line as wide as a
// row and at least two pixels, so that it stays visible on thin rows, in
// black of `alpha` with the blend function the caller set.
void drawRowPath(const std::vector<PathPoint>& path, float alpha);

// The overlay by the pointer mode, blended over the frame: the anchored
// revision's column shaded, with `overhang`, unless only the row is held,
// and `drawRowPart`, the layout's own mark of the anchored row, unless only
// the revision is held. With the pointer off it draws nothing.
void drawPointerOverlay(const EvolutionFile& evolution, void (*drawRowPart)(const EvolutionFile&),
                        float overhang = 0.0f);
