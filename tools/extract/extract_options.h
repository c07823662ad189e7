#pragma once
// The command line of quillon-extract.

#include <string>
#include <vector>

enum class SourceKind { git, cvs };

struct ExtractOptions {
    SourceKind kind = SourceKind::git;
    std::string repository;       // git: the repository
    std::string path;             // git: the file in it; cvs: the RCS file
    std::string outputDirectory;
    std::string ref = "HEAD";     // git
    std::string branch = "1.";    // cvs
    std::string grammar = "auto"; // auto, none or a grammar file
    bool force = false;
    bool update = false;          // append the revisions OUTDIR lacks
    bool help = false;
    bool version = false;
};

// Reads the arguments after the program's name. False, with `error` set,
// when they do not make a command.
bool parseExtractArguments(const std::vector<std::string>& arguments, ExtractOptions& options, std::string& error);

// Whether `prefix` names a branch of RCS revision numbers: "1." for the
// trunk, "1.2.4." for a branch, an odd number of numbers each ending in '.'.
bool isBranchPrefix(const std::string& prefix);

extern const char* const extractUsage;
