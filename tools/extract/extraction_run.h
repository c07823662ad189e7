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
    int newRevisions = 0;    // of an update, or all of them
    bool rewritten = false;  // an update refused: OUTDIR's revisions are not the history's first ones

    std::string evolutionFile() const { return directory + name + "_cvs"; }
};

// False, with `error` one sentence, when the history cannot be read or the
// evolution cannot be written; an interruption (see interruption.h) between
// revisions is such a failure. An update goes on from the evolution in the
// output directory when its revisions, by their ids, are the first ones of
// the history, and writes only the new revisions' texts; otherwise it sets
// `rewritten` and writes nothing.
bool runExtraction(const ExtractOptions& options, Progress& progress, ExtractionResult& result, std::string& error);
