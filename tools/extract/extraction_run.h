#pragma once
// One whole extraction, as quillon-extract runs it and as the program runs
// it for a repository path: the history read, the evolution staged and
// committed into the output directory, or nothing left there.

#include <string>

#include "extract/evolution_extraction.h"
#include "extract/extract_options.h"
#include "extract/grammar_table.h"
#include "extract/progress.h"

struct ExtractionResult {
    std::string name;       // the source file's name as the evolution's files carry it
    std::string directory;  // where they were written, ending in '/'
    std::string branch;     // revision n is branch + n
    LanguageGrammar grammar;
    ExtractionSummary summary;

    std::string evolutionFile() const { return directory + name + "_cvs"; }
};

// False, with `error` one sentence, when the history cannot be read or the
// evolution cannot be written; an interruption (see interruption.h) between
// revisions is such a failure.
bool runExtraction(const ExtractOptions& options, Progress& progress, ExtractionResult& result, std::string& error);
