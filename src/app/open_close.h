#pragma once
// Moving the program between nothing loaded and an open evolution.

#include <string>

// Asks for an evolution file with the toolkit's file chooser and opens it;
// cancelling changes nothing.
void chooseAndOpen();

// Opens the evolution file at `path` (directories separated by '/') with
// its grammar, revision list, revision texts and colours, in place of the
// open one, and shows it fitted to the window. When the file does not load,
// the load's messages stay on standard output and the program is left with
// nothing loaded, as after a close.
void openEvolution(const std::string& path);

// Opens the evolution named on the command line, relative to the working
// directory unless absolute.
void openCommandLinePath(const std::string& argument);

// Releases the open evolution, if any, and returns the window to its look
// with nothing loaded. Harmless when nothing is loaded.
void closeEvolution();

// Closes and ends the process with status 0.
[[noreturn]] void exitProgram();
