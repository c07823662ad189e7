#pragma once
// The arithmetic of moving the pointer on the evolution view: where a row
// locked by Ctrl lies under the pointer, which way the first move locks, and
// where the arrow keys take the pointer. Positions are canvas pixels, y
// downwards from the top edge.

// ViewState::pointerMode values.
enum PointerMode : int {
    pointerFree = 0,
    pointerLockPending = 1,  // Ctrl is down, the first move decides
    pointerRowLocked = 2,
    pointerRevisionLocked = 3,
};

// The lock the first move after Ctrl chooses from its distances: mostly
// sideways follows the row, anything else (a tie too) walks the revision.
int lockModeForFirstMove(int dx, int dy);

// The y of a locked row at pointer x, between its top y0 at x0 and y1 at x1
// (the column's two edges), in integers with truncating division. A column
// narrower than a pixel (x1 = x0) has the row at y0. With rows higher than
// two pixels the pointer goes to the middle of the row.
int lockedRowY(int x, int x0, int y0, int x1, int y1, float lineSize);

enum ArrowKey : int { arrowLeft, arrowRight, arrowUp, arrowDown };

struct PointerStep {
    bool move = false;
    int x = 0;
    int y = 0;
};

// Where an arrow key moves the pointer at (x, y), one column or one row
// over, on a canvas of width × height; no move when the step would leave the
// canvas or the pointer is not on it.
PointerStep arrowKeyStep(ArrowKey key, int x, int y, int width, int height, float versionSize, float lineSize);
