#pragma once
// Writing an evolution into its directory all at once or not at all: the
// files are written into a staging directory inside it and moved into place
// only when every one of them is complete.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

struct OutputDirectory {
    std::filesystem::path directory;
    std::filesystem::path staging;
    std::string name;               // the source file's name, which the evolution's files carry
    bool createdDirectory = false;  // made by us, so removed again on failure
    bool committed = false;
    bool keepOlder = false;  // an update: the files of earlier revisions stay as they are
    std::vector<std::string> staged;  // paths relative to the directory

    OutputDirectory() = default;
    OutputDirectory(const OutputDirectory&) = delete;
    OutputDirectory& operator=(const OutputDirectory&) = delete;
    // Leaves nothing half-written behind when the evolution was not committed.
    ~OutputDirectory();
};

// Whether `relativePath` is one of the files of the evolution of `name`:
// NAME_cvs, NAME.rev, grammar.dat, config.cfg, or a revision text
// revisions/NAME.v<revision number>.
bool isEvolutionFile(const std::string& relativePath, const std::string& name);

// Makes the directory when it is missing and a staging directory in it.
// Without `force`, refuses a directory that already holds any file of the
// evolution of `name`. False, with `error` set, on failure.
bool prepareOutput(OutputDirectory& out, const std::string& directory, const std::string& name, bool force,
                   std::string& error);

// Writes one file of the evolution into the staging directory.
bool stageFile(OutputDirectory& out, const std::string& relativePath, std::string_view content, std::string& error);

// Removes the directory's older files of the evolution and moves the staged
// ones into place.
bool commitOutput(OutputDirectory& out, std::string& error);

// Removes the staging directory, and the directory itself when it was made
// for this evolution.
void discardOutput(OutputDirectory& out);
