#pragma once
// An evolution written to a scratch directory and opened the way the program
// opens one, with the globals that the code view's listings read; everything
// is put back when the object goes.

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/globals.h"
#include "evolution/evolution_file.h"
#include "evolution/line_status.h"
#include "support/temp_directory.h"
#include "syntax/grammar.h"

// The text of every revision that the statuses imply: the lines present in
// the revision, in file order, line i reading "line i".
inline std::vector<std::string> presentLineTexts(const std::vector<std::string>& statuses)
{
    const size_t revisions = statuses.empty() ? 0 : statuses[0].size();
    std::vector<std::string> texts(revisions);
    for (size_t r = 0; r < revisions; ++r)
        for (size_t line = 0; line < statuses.size(); ++line)
            if (isPresentChar(statuses[line][r]))
                texts[r] += "line " + std::to_string(line) + "\n";
    return texts;
}

class OpenEvolution {
public:
    explicit OpenEvolution(const EvolutionSketch& sketch)
    {
        createGlobalObjects();
        const std::string fileName = writeEvolution(directory, sketch);
        if (!sketch.grammar.empty())
            currentGrammar = std::make_unique<Grammar>(directory.path());
        currentEvolution = std::make_unique<EvolutionFile>(directory.path(), fileName, currentGrammar.get());
        loaded = currentEvolution->loadEvolution();
        currentDirectory = directory.path();
        currentModuleName = currentEvolution->moduleName;
        currentBranch = currentEvolution->branch;
        viewState->release();
        viewState->tableRows = currentEvolution->rowCount;
        viewState->tableColumns = currentEvolution->columnCount;
        viewState->reset();
        viewState->loaded = loaded;
        // The code view of the window as it opens: nine lines of the
        // normal font, eleven of the reduced one.
        viewState->codeViewHeight = 145;
        viewState->codeViewWidth = 650;
    }

    ~OpenEvolution()
    {
        currentEvolution.reset();
        currentGrammar.reset();
        viewState->release();
        viewState->tableRows = 0;
        viewState->tableColumns = 0;
        viewState->reset();
        hoveredRow = 0;
        hoveredRevision = 1;
    }

    OpenEvolution(const OpenEvolution&) = delete;
    OpenEvolution& operator=(const OpenEvolution&) = delete;

    EvolutionFile& evolution() const { return *currentEvolution; }

    TempDirectory directory;
    bool loaded = false;
};
