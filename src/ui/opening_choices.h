#pragma once
// What the command line asks opening to show: layout, colour scheme,
// revision range and focus, applied through the very controls a user would
// set, so that everything that follows a control follows them too.

struct CommandLine;

// Does nothing when no evolution is open. A range past the last revision is
// cut at it; a focus outside the evolution is refused on standard error and
// the rest still applied.
void applyOpeningChoices(const CommandLine& line);
