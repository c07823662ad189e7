#include "support/open_evolution.h"

#include <memory>

#include "app/globals.h"
#include "colouring/colour_maps.h"
#include "evolution/evolution_file.h"
#include "syntax/grammar.h"

bool openTestEvolution(const TempDirectory& directory, const EvolutionSketch& sketch)
{
    createGlobalObjects();
    closeTestEvolution();
    const std::string fileName = writeEvolution(directory, sketch);
    auto evolution = std::make_unique<EvolutionFile>(directory.path(), fileName, nullptr);
    if (!evolution->loadEvolution())
        return false;
    currentEvolution = std::move(evolution);
    statusColours = defaultStatusColours;
    viewState->release();
    viewState->tableRows = currentEvolution->rowCount;
    viewState->tableColumns = currentEvolution->columnCount;
    viewState->reset();
    viewState->loaded = true;
    return true;
}

void closeTestEvolution()
{
    currentEvolution.reset();
    currentGrammar.reset();
    if (viewState) {
        viewState->release();
        viewState->reset();
    }
}
