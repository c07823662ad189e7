// quillon [options] [PATH]: shows how one source file evolved across the
// revisions of a branch, in a window or, with --export, in a picture.

#include <FL/Fl.H>

#include <cstdio>
#include <string>

#include "app/command_line.h"
#include "app/globals.h"
#include "app/open_close.h"
#include "app/picture_export.h"
#include "ui/main_window.h"
#include "ui/opening_choices.h"
#include "ui/window_states.h"

int main(int argc, char** argv)
{
    // Everything about the command line is settled before the toolkit runs,
    // so that help, version and mistakes need no display.
    CommandLine line;
    std::string error;
    if (parseCommandLine(argc, argv, line, error) && !line.help && !line.version && !line.exportPath.empty() &&
        line.path.empty())
        error = "--export needs a PATH to draw";
    if (!error.empty()) {
        std::fprintf(stderr, "quillon: %s\n%s", error.c_str(), usageText);
        return 2;
    }
    if (line.help) {
        std::fputs(usageText, stdout);
        return 0;
    }
    if (line.version) {
        std::printf("quillon %s\n", QUILLON_VERSION);
        return 0;
    }
    if (!line.exportPath.empty())
        return exportPicture(line);

    createGlobalObjects();
    buildMainWindow(50, 30, 400, 470);
    disableControls();
    hoveredRevision = 1;
    hoveredRow = 0;
    if (!line.path.empty()) {
        openCommandLinePath(line.path);
        applyOpeningChoices(line);
    }
    return Fl::run();
}
