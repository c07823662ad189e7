#include "program_window.h"

#include <filesystem>
#include <system_error>

#include <FL/Fl.H>
#include <FL/Fl_Window.H>

#include "app/globals.h"
#include "ui/main_window.h"
#include "ui/widgets.h"
#include "ui/window_states.h"

void showMainWindow(int canvasWidth, int canvasHeight)
{
    if (mainWindow)
        return;
    createGlobalObjects();
    buildMainWindow(50, 30, canvasWidth, canvasHeight);
    disableControls();
    hoveredRevision = 1;
    hoveredRow = 0;
    for (int i = 0; i < 200 && !mainWindow->visible(); ++i)
        Fl::wait(0.01);
    for (int i = 0; i < 10; ++i)
        Fl::check();
}

std::string syntheticEvolutionPath(const SyntheticParameters& parameters)
{
    const SyntheticEvolution& made = syntheticEvolution(parameters);
    if (!made.complete)
        return {};
    std::error_code error;
    std::filesystem::copy_file(QUILLON_SOURCE_DIR "/config/config.cfg", made.directory + "config.cfg",
                               std::filesystem::copy_options::overwrite_existing, error);
    return error ? std::string() : made.directory + made.fileName;
}

std::vector<std::pair<int, int>> pointerPath(int width, int height)
{
    std::vector<std::pair<int, int>> path;
    for (int i = 0; i < 64; ++i)
        path.emplace_back((i * 37) % width, (i * 101 + height / 7) % height);
    return path;
}
