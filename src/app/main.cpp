// quillon [PATH_cvs]: shows how one source file evolved across the
// revisions of a branch; opens the evolution file at PATH_cvs at start.

#include <FL/Fl.H>

#include <cstdio>

#include "app/globals.h"
#include "app/open_close.h"
#include "ui/main_window.h"
#include "ui/window_states.h"

int main(int argc, char** argv)
{
    if (argc > 2) {
        std::printf("Usage: quillon [PATH_cvs]\n");
        std::fflush(stdout);
        return 1;
    }
    createGlobalObjects();
    buildMainWindow(50, 30, 400, 470);
    disableControls();
    hoveredRevision = 1;
    hoveredRow = 0;
    if (argc == 2)
        openCommandLinePath(argv[1]);
    return Fl::run();
}
