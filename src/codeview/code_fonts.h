#pragma once
// The code view's two fonts, normal and reduced, as display lists at the
// view state's `fontListBase` and `smallFontListBase`, with the baselines
// that place their lines in the view.

// Reserves the two blocks of display lists in the current context, which
// is the code view's new one, and notes that they hold no font yet.
void createCodeFontLists();

// Brings the fonts up to date with the font settings and the view's height.
// The baselines are computed at once. The display lists belong to the code
// view's context, so they are compiled only while it is current (the view's
// draw calls this again), and only when a setting changed since the last
// build or the lists are new: an unchanged font compiles to the same lists.
void buildCodeFonts();

// The reduced font's line height, `fontHeight` - `fontDifference`, at least
// one pixel whatever the settings.
int reducedFontHeight();
