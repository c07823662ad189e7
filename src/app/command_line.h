#pragma once
// The program's command line: what to open, how opening shows it, and
// whether to draw it into a picture instead of a window.

#include <string>

struct CommandLine {
    std::string path;        // empty: open nothing
    std::string exportPath;  // a PNG to draw into, without any window
    std::string ref = "HEAD";  // of a git work tree's file
    std::string branch = "1.";  // of an RCS file or a CVS checkout's file
    int width = 1200;        // of the exported picture
    int height = 900;
    // As opening sets them when not given: -1 layout and scheme, 0 focus and
    // range (revisions count from 1, as the range sliders show them).
    int layout = -1;
    int scheme = -1;
    int focus = 0;
    int rangeStart = 0;
    int rangeEnd = 0;
    bool legends = false;
    bool help = false;
    bool version = false;
};

// The largest side of an exported picture, a bound that keeps its buffers
// within what the off-screen renderer allocates.
constexpr int largestPictureSide = 16384;

extern const char* const usageText;

// Reads argv[1..argc-1]. False, with `error` a sentence naming the fault,
// for an unknown option, a missing or bad value, or a second PATH.
bool parseCommandLine(int argc, const char* const* argv, CommandLine& line, std::string& error);
