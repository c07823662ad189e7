#pragma once
// The program's one window: the menu, the revision range sliders, the
// control panels, the scroll sliders and legends around the evolution
// canvas, the code view and the status bar.

// Builds and shows the window around an evolution canvas of canvasWidth x
// canvasHeight pixels, never smaller than that, with its controls reset and
// the keyboard focus on the canvas. savedX and savedY are where the window
// returns when it leaves full-screen mode.
void buildMainWindow(int savedX, int savedY, int canvasWidth, int canvasHeight);

// The same window, built but never shown: its canvas and legends draw into
// whatever OpenGL context is current, which needs no display.
void buildHiddenMainWindow(int savedX, int savedY, int canvasWidth, int canvasHeight);
