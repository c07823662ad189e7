#pragma once
// Opening what the command line names: an evolution at once, a repository
// path from its cache entry, or after reading its history into the cache.

#include <string>

struct CommandLine;

// The evolution file for the command line's PATH, extracted on this thread
// with progress on standard error when the cache holds none for the
// history as it is now. False, with `error` one sentence, when it cannot
// be had.
bool evolutionFileFor(const CommandLine& line, std::string& file, std::string& error);

// In the window: the extraction runs on a worker thread while the status
// bar's place shows "Reading revisions: k/n", and the window stays
// responsive; the evolution opens with the command line's choices when it
// is done. Errors go to the status bar and standard output.
void openInWindow(const CommandLine& line);

// Whether an extraction is running, and stopping it: nothing is left in the
// cache, and the window returns to nothing loaded. Harmless when none runs.
bool extractionRunning();
void cancelExtraction();
