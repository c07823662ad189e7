#pragma once
// The extraction's own record of the evolution lines after its last
// revision, kept beside the evolution as NAME.state, so that an update
// goes on from there with the new revisions only instead of diffing the
// whole history again.

#include <string>
#include <string_view>

#include "extract/evolution_lines.h"

std::string formatEvolutionState(const EvolutionLines& lines);

// False, with `error` set, for a record that is not one or does not hold
// together: every number within the revisions and lines it counts, the
// order one chain through every line, the present lines those alive at the
// end.
bool parseEvolutionState(std::string_view text, EvolutionLines& lines, std::string& error);
