#pragma once
// Turning a source file's history into the files of its evolution.

#include <string>

#include "extract/evolution_lines.h"
#include "extract/grammar_table.h"
#include "extract/output_directory.h"
#include "extract/progress.h"
#include "extract/source_history.h"

struct ExtractionSummary {
    int lineCount = 0;
    int revisionCount = 0;
    int authorCount = 0;
};

// Reads every revision's text, diffs it with the one before and stages the
// revision texts, the evolution file, the revision list, `grammar` and the
// default colours into `out`. False, with `error` set, on failure.
// With `start`, the lines after the evolution's first revisions, only the
// revisions after those are read and their texts staged.
bool stageEvolution(const SourceHistory& history, const LanguageGrammar& grammar, OutputDirectory& out,
                    Progress& progress, ExtractionSummary& summary, std::string& error,
                    const EvolutionLines* start = nullptr);
