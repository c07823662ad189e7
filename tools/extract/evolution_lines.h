#pragma once
// The evolution lines of a history, built revision by revision from the
// line diffs between consecutive texts.

#include <string>
#include <vector>

#include "extract/change_marking.h"
#include "extract/line_diff.h"

struct EvolutionLines {
    int revisionCount = 0;
    // Every evolution line by the number it was made with; a line still
    // present in the latest revision has end == revisionCount.
    std::vector<LineLife> lives;
    // The order of the evolution file as a chain of line numbers: `first`
    // leads, after[i] follows line i, -1 ends the chain.
    std::vector<int> after;
    int first = -1;
    // The lines of the latest revision, in its text's order.
    std::vector<int> present;
};

// Starts with the first revision, whose text has `lineCount` lines.
void startEvolution(EvolutionLines& lines, int lineCount);

// Adds the next revision, reached from the latest one by `hunks`, with
// `lineCount` lines. A hunk pairs its old and new lines in order as changed
// lines; its surplus old lines end, its surplus new lines begin after the
// last old line of the hunk (or the line before it), so that every
// revision's lines keep their order. False, with `error` set, when the
// hunks do not fit the texts.
bool addRevision(EvolutionLines& lines, const std::vector<LineHunk>& hunks, int lineCount, std::string& error);

// The evolution lines in the order of the evolution file.
std::vector<int> evolutionOrder(const EvolutionLines& lines);
