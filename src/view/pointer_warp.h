#pragma once
// Moving the system pointer, for the pointer locks and the arrow keys of the
// evolution view. The window system then reports a pointer move at the new
// position like any other, and the canvas handles it there.

// Moves the pointer to (x, y) on the screen, in pixels from its top left.
void warpPointer(int screenX, int screenY);
