#pragma once
// The program's own window for the benchmarks that drive it: built as
// start-up builds it, opened on made-up evolutions with the bundled colours.

#include <string>
#include <utility>
#include <vector>

#include "synthetic_evolution.h"

// Builds and shows the main window around a canvas of the given size, once
// per process, and waits until the toolkit has it on screen.
void showMainWindow(int canvasWidth, int canvasHeight);

// The made-up evolution with the bundled configuration beside it, as a path
// for openEvolution; empty when it could not be written.
std::string syntheticEvolutionPath(const SyntheticParameters& parameters);

// Points spread over a canvas, so that every move lands on another cell and
// the listing is read afresh.
std::vector<std::pair<int, int>> pointerPath(int width, int height);
