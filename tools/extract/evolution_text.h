#pragma once
// The texts of the evolution file and the revision list.

#include <string>

#include "extract/evolution_lines.h"
#include "extract/source_history.h"

// The evolution file of the source file `name`: its name, branch and
// counts, then each evolution line's number, a colon and its statuses
// separated by blanks.
std::string formatEvolutionFile(const std::string& name, const std::string& branch, const EvolutionLines& lines);

// One entry per revision: number, author, date and subject, joined by '%'.
// A '%' or line end in the author's name, which would end the field early,
// is written as '_'.
std::string formatRevisionList(const SourceHistory& history);

// The status colours every evolution starts with, in the form of config.cfg.
std::string formatColourConfiguration();
