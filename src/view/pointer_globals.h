#pragma once
// State of the pointer handling on the evolution view that the window
// operations set as well.

// The pointer position of the last move that was not locked to a row or a
// revision; a lock measures its first move from here.
extern int lastPointerX;
extern int lastPointerY;

// The colour scheme to return to when a held digit key is released.
extern int savedAttributeIndex;
// False while a digit key holds a scheme, so that a second digit pressed
// meanwhile changes nothing.
extern bool attributeKeyReady;

extern bool shiftHeld;        // the left Shift key is down
extern bool pointerInCanvas;  // the pointer is over the evolution view
extern bool fullScreen;       // the main window covers the screen

// Where the main window goes back to when it leaves full-screen mode.
extern int savedWindowX;
extern int savedWindowY;
extern int savedWindowWidth;
extern int savedWindowHeight;
