#pragma once
// What the layouts' pointer overlays share: the Ctrl navigation modes and
// the shading of the anchored revision's column.

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
