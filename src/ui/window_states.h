#pragma once
// The window's two looks: one with nothing loaded (inactive canvases,
// panels and status bar; no range sliders, scroll sliders or legends) and
// one for an open evolution.

#include <string>

// Puts every control back to its first value and the window title and
// status text to those of nothing loaded. The parameters that only the
// controls set go back to their defaults with them, and the view state is
// reset before each call, so afterwards every control shows the value that
// its parameter has. The block sorting is kept, and its choice shows it.
void resetControls();

void disableControls();
void enableControls();

// Fits the controls to the open evolution: range sliders over its
// revisions, scroll ranges, block threshold, the title with `name`; then
// recomputes the attributes and fits the view to the window.
void configureForEvolution(const std::string& name);
