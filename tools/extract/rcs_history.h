#pragma once
// The history of one branch of an RCS file.

#include <string>

#include "extract/rcs_file.h"
#include "extract/source_history.h"

// The revisions of the branch with the prefix `branch` ("1." for the trunk,
// "1.2.4." for a branch sprouting at 1.2), numbered as in the file, which
// must run from 1 without a gap. A dead revision has an empty text; the
// texts are the stored ones, keywords unexpanded. `file` must outlive the
// history. False, with `error` set, when the branch has no revisions or its
// texts cannot be rebuilt.
bool rcsBranchHistory(const RcsFile& file, const std::string& branch, SourceHistory& history, std::string& error);

// "2024.01.02.03.04.05" (or a two-digit year of the last century) as ISO 8601.
std::string rcsDateToIso(const std::string& date);
