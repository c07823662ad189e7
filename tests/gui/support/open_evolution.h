#pragma once
// Opening a small evolution as the program's current one, for tests that
// draw it.

#include "support/temp_directory.h"

// Writes `sketch` into `directory` and opens it the way the program does:
// `currentEvolution` loaded (without a grammar: every cell plain), the view
// state released and reset to the evolution's size and marked loaded, the
// status colours at their defaults. False when the evolution does not load.
bool openTestEvolution(const TempDirectory& directory, const EvolutionSketch& sketch);

// Back to nothing loaded.
void closeTestEvolution();
