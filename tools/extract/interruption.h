#pragma once
// Ctrl+C or a termination request while an extraction runs: the signal only
// raises a flag, which the extraction reads between revisions, so that it
// stops through its ordinary failure path and removes what it staged.

// Catches SIGINT and SIGTERM from now on.
void catchInterruptions();
// The same from the program itself (a window's Cancel), from any thread;
// and taken back before the next extraction starts.
void requestInterruption();
void clearInterruption();

// Whether one of them has arrived since.
bool interrupted();
