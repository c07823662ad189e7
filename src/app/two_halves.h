#pragma once
// Work that falls into two independent parts, such as the pixel columns of
// an image or the rows of a table, shared between this thread and a second
// one on a machine with more than one core. The parts must touch no widget
// and no renderer, and write nothing the other half writes.

#include <functional>

// first .. middle - 1 and middle .. last.
struct Halves {
    int first = 0, middle = 0, last = -1;
};

// The halves of first .. last; the second is empty when the range holds
// fewer than `smallest` items or the machine has a single core.
Halves halvesOf(int first, int last, int smallest);

// Calls part(0, first, middle - 1) here and part(1, middle, last) on a
// second thread, or here after the first when no thread can be had, and
// returns once both are done. An empty second half is not called.
void inTwoHalves(const Halves& halves, const std::function<void(int half, int from, int to)>& part);
