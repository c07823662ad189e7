#pragma once
// What the evolution view does with the pointer and the keyboard while an
// evolution is shown. Positions are canvas pixels, y downwards from the top.

class EvolutionView;

// Focuses the revision under x, or in the Normal and Horizontal layouts
// takes the focus off it when it has it already.
void handlePush(EvolutionView& canvas, int x, int y);
// The same for revision `revision` (from 0); a revision outside the grid
// changes nothing.
void focusRevisionOf(EvolutionView& canvas, int revision);

// Finds the cell under the pointer, follows a Ctrl lock, and tells the
// status bar and the code view about the cell.
void handlePointerMove(EvolutionView& canvas, int x, int y);

// A positive delta scrolls down, a negative one up, by `scrollSpeed` rows.
void handleWheel(EvolutionView& canvas, int delta);

// Keys are the toolkit's key symbols; (x, y) the pointer at the key event.
// False for a key the view has no use for, which then goes on to the menu's
// shortcuts.
bool handleKeyDown(EvolutionView& canvas, int key, int x, int y);
void handleKeyUp(EvolutionView& canvas, int key);

// Moves the system pointer onto canvas pixel (x, y).
void warpToCanvasPixel(const EvolutionView& canvas, int x, int y);

// Shows or hides the pointer's mark on the legends of both stacks.
void showLegendCursors(bool shown);

// Redraws the code view when there is one.
void redrawCodeView();
