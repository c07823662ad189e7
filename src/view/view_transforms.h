#pragma once
// The modelview transforms that map the grid, pixel rows and the code
// view's text lines onto the canvases' window pixels (origin bottom left,
// y upwards).

enum ViewTransform : int {
    rowUnitTransform = 0,        // x in revisions, y in rows counted down from the top
    columnStripTransform = 1,    // x in revisions, y 0..1 over the full view height
    pixelRowTransform = 2,       // x in revisions, y in pixels counted down from the top
    codeTextTransform = 3,       // the code view's text, normal font
    smallCodeTextTransform = 4,  // the code view's text, reduced font
    noTransform = 5,
    popTransform = 6,
};

// Kinds 0 to 4 push the modelview matrix and multiply their transform onto
// it, kind 5 does nothing, 6 and above pop what the matching push pushed.
void pushViewTransform(int kind);
