#include "app/open_close.h"

#include <FL/Fl_File_Chooser.H>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <system_error>

#include "app/globals.h"
#include "app/repository_opening.h"
#include "config/colour_configuration.h"
#include "evolution/evolution_file.h"
#include "evolution/evolution_path.h"
#include "syntax/grammar.h"
#include "ui/range_tooltips.h"
#include "ui/scroll_sync.h"
#include "ui/widgets.h"
#include "ui/window_states.h"

void chooseAndOpen()
{
    const char* path = fl_file_chooser("Open File?", "Evolution files (*.*_cvs)", nullptr, 0);
    if (path)
        openEvolution(path);
}

void openEvolution(const std::string& path)
{
    const EvolutionPath parts = splitEvolutionPath(path);
    currentGrammar.reset();
    currentGrammar = std::make_unique<Grammar>(parts.directory);
    currentEvolution.reset();
    currentEvolution = std::make_unique<EvolutionFile>(parts.directory, parts.fileName, currentGrammar.get());
    if (!currentEvolution->loadEvolution()) {
        // The views must not draw from what the failed load left.
        closeEvolution();
        return;
    }

    const EvolutionFile& evolution = *currentEvolution;
    ViewState& view = *viewState;
    view.release();
    view.tableRows = evolution.rowCount;
    view.tableColumns = evolution.columnCount;
    view.reset();
    view.loaded = true;

    loadColourConfiguration(parts.directory);
    evolution.copyModuleName(currentModuleName);
    evolution.copyBranch(currentBranch);
    evolution.copyDirectory(currentDirectory);
    currentEvolution->buildBlocks(blockSortIndex);

    resetControls();
    configureForEvolution(currentModuleName);
    enableControls();
    fitToWindow();
    refreshRangeTooltips();
}

void openCommandLinePath(const std::string& argument)
{
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(argument, error);
    openEvolution(error ? argument : absolute.generic_string());
}

void closeEvolution()
{
    cancelExtraction();
    currentGrammar.reset();
    currentEvolution.reset();
    viewState->release();
    viewState->reset();
    resetControls();
    disableControls();
}

void exitProgram()
{
    closeEvolution();
    // Hidden now, while every global is still alive: hiding hands the
    // keyboard focus around and the canvases answer by reading the view
    // state, which the exit below destroys before the window it would
    // otherwise hide.
    if (mainWindow)
        mainWindow->hide();
    std::exit(0);
}
