#pragma once
// The texts the status bar shows while the pointer moves over the evolution
// view, and the hover kind the code view marks the pointed line with.

#include <string>

class EvolutionFile;

// "Line: %5d; Version: %5d Block %5d  %s": the line's number in the
// revision's text and the revision's number, both counted from 1, the block
// over the cell (-1 for none) and the name of the cell's status.
std::string cellStatusText(int lineNumber, int version, int block, const char* statusName);

// " Author : %s" with the author of `revision` (counted from 0); empty when
// the revision lies outside the grid or the revision list has no entry for
// it, so that nothing is named that the evolution does not know.
std::string authorStatusText(const EvolutionFile& evolution, int revision);

// How the code view marks a present cell's line, by its LineStatus:
// 0 constant, 3 modified, 4 replaced by addition, 5 replaced by deletion;
// an absent cell gives 2 when added, 1 when deleted.
int hoverKindOf(int status);

// "  id date subject" of `revision` (counted from 0), as far as the revision
// list gives them, to follow the texts above; empty where it gives none.
std::string revisionDetailsText(const EvolutionFile& evolution, int revision);
