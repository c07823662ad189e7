#pragma once
// Progress on standard error: a bar redrawn in place on a terminal, a line
// at every tenth of the way otherwise.

#include <cstdio>
#include <functional>
#include <string>

struct Progress {
    std::FILE* stream = stderr;
    bool terminal = false;
    std::string label;
    int total = 0;
    int shown = -1;  // the last step drawn: a percentage on a terminal, a tenth otherwise
    // When set, told of every step instead of the stream: a window shows the
    // progress its own way.
    std::function<void(const std::string& label, int done, int total)> observer;
};

// A progress report on standard error, drawn as a bar when it is a terminal.
Progress progressOnStandardError();

void startProgress(Progress& progress, const std::string& label, int total);
void showProgress(Progress& progress, int done);
// Completes the bar or the lines.
void endProgress(Progress& progress);
