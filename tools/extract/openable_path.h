#pragma once
// What a PATH given to the program names, and where the evolution of a
// repository path is kept: an evolution file (or a directory holding exactly
// one), an RCS file, a file of a CVS checkout, or a file of a git work tree.
// Repository paths are extracted into the per-user cache, never into the
// repository, and opened from there while their history stays as it was.

#include <string>

#include "extract/extract_options.h"
#include "extract/progress.h"

enum class PathKind { evolution, git, rcs };

struct OpenablePath {
    PathKind kind = PathKind::evolution;
    std::string evolutionFile;   // evolution: the file to open
    ExtractOptions extract;      // git, rcs: the extraction that makes it
    std::string cacheDirectory;  // git, rcs: where it is kept, ending in '/'
    // git, rcs: what the history is now (the commit the ref names, the RCS
    // file's size and time), which a cache entry must have been made from.
    std::string version;
};

// `ref` is the git revision whose first-parent chain is read, `branch` the
// RCS branch prefix. False, with `error` one sentence, when PATH is none of
// the above.
bool resolvePath(const std::string& path, const std::string& ref, const std::string& branch, OpenablePath& result,
                 std::string& error);

// The evolution file of the cache entry, when one was made from the history
// as it is now; empty otherwise.
std::string cachedEvolution(const OpenablePath& path);

// Extracts into a temporary folder beside the cache entry and renames it
// into place only when complete, so that a failed or interrupted
// extraction leaves no entry. Sets the evolution file to open.
bool extractIntoCache(const OpenablePath& path, Progress& progress, std::string& evolutionFile, std::string& error);
