#pragma once
// The status colours of config.cfg.

#include <string>
#include <vector>

// Reads config.cfg from the evolution's directory (ending with '/') into the
// status colours, falling back to the default file; ends the process with
// status 2 when no configuration can be found at all.
void loadColourConfiguration(const std::string& directory);

// Applies one configuration file to the status colours; false when it
// cannot be opened.
bool readColourConfiguration(const std::string& path);

// Where the default configuration is looked for, in order: the working
// directory, beside the program, and the installed data directory.
std::vector<std::string> defaultConfigurationPaths();

std::string configurationFilePath(const std::string& directory);
