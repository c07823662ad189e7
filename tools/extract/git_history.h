#pragma once
// The history of one file along the first-parent chain of a git revision.

#include <string>

#include "extract/source_history.h"

// The commits on the first-parent chain of `ref`, oldest first, in which the
// file at `path` (relative to the repository's top) differs from the commit
// before: the one that creates it, every one that changes its content and
// every one that removes it (with an empty text) or brings it back. Branch
// "1.", numbered from 1. False, with `error` set, when the repository, the
// revision or the file cannot be found.
bool gitFileHistory(const std::string& repositoryPath, const std::string& path, const std::string& ref,
                    SourceHistory& history, std::string& error);
