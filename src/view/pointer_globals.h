#pragma once
// State of the pointer handling on the evolution view that the window
// operations set as well.

// The colour scheme to return to when a held digit key is released.
extern int savedAttributeIndex;

// Where the main window goes back to when it leaves full-screen mode.
extern int savedWindowX;
extern int savedWindowY;
