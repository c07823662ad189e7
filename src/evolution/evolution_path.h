#pragma once
// Splitting the path of an evolution file into the directory (with its
// trailing '/') and the file name, as opening an evolution does.

#include <string>

struct EvolutionPath {
    std::string directory;
    std::string fileName;
};

// A path without any '/' names a file in the working directory.
EvolutionPath splitEvolutionPath(const std::string& path);
