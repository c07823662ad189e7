#pragma once
// Holding an evolution against the text of its revisions.

#include <string>
#include <vector>

class EvolutionFile;

// Whether the statuses say that a line present at r - 1 and r changed its
// text at r: the same marks from which a line's author is told.
bool statusesMarkChange(char before, char now);

// Every disagreement between a loaded evolution and its revision texts: a
// text that cannot be read, a revision whose text has another number of
// lines than the evolution marks present, and a line whose text changed
// between two revisions where the statuses say it did not.
std::vector<std::string> checkConsistency(const EvolutionFile& evolution);
