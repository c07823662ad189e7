#pragma once
// Work that falls into independent parts, such as the pixel columns of an
// image, shared between this thread and a second one on a machine with more
// than one core. The parts must touch no widget and no renderer, and write
// nothing the other half writes.

#include <functional>

// Calls part(0, first, middle - 1) here and part(1, middle, last) on a
// second thread, and returns once both are done; with fewer than
// `smallest` items, a single core or no thread to be had, this thread does
// part(0, first, last) alone.
void inTwoHalves(int first, int last, int smallest, const std::function<void(int half, int from, int to)>& part);
