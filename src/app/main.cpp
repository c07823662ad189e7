// quillon [options] [PATH]: shows how one source file evolved across the
// revisions of a branch, in a window or, with --export, in a picture.

#include <FL/Fl.H>
#include <FL/Fl_Window.H>

#include <malloc.h>

#include <cstdio>
#include <string>

#include "app/command_line.h"
#include "app/globals.h"
#include "app/picture_export.h"
#include "app/repository_opening.h"
#include "extract/extract_options.h"
#include "ui/main_window.h"
#include "ui/widgets.h"
#include "ui/window_states.h"

int main(int argc, char** argv)
{
    // Every frame asks for an image of the canvas and the renderer for a
    // texture of it, megabytes each, and gives them back. Left to itself the
    // allocator raises its threshold for mapping such blocks to the largest
    // one freed and serves the next from the heap, where freed blocks stay
    // with the process; a fixed threshold gives them back to the system.
    mallopt(M_MMAP_THRESHOLD, 1 << 20);
    // Everything about the command line is settled before the toolkit runs,
    // so that help, version and mistakes need no display.
    CommandLine line;
    std::string error;
    if (parseCommandLine(argc, argv, line, error) && !line.help && !line.version && !line.exportPath.empty() &&
        line.path.empty())
        error = "--export needs a PATH to draw";
    else if (error.empty() && !isBranchPrefix(line.branch))
        error = "bad value \"" + line.branch + "\" for option --branch";
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
    mainWindow->callback([](Fl_Widget* window, void*) {
        // Escape stops a running extraction rather than the program.
        if (Fl::event() == FL_SHORTCUT && Fl::event_key() == FL_Escape && extractionRunning())
            cancelExtraction();
        else
            window->hide();
    });
    disableControls();
    hoveredRevision = 1;
    hoveredRow = 0;
    if (!line.path.empty())
        openInWindow(line);
    const int status = Fl::run();
    cancelExtraction();
    return status;
}
