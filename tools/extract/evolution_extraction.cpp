#include "extract/evolution_extraction.h"

#include <set>

#include "extract/evolution_lines.h"
#include "extract/evolution_state.h"
#include "extract/evolution_text.h"
#include "extract/interruption.h"
#include "extract/revision_prefetch.h"

namespace {

bool stopRequested(std::string& error)
{
    if (!interrupted())
        return false;
    error = "interrupted";
    return true;
}

}  // namespace

bool stageEvolution(const SourceHistory& history, const LanguageGrammar& grammar, OutputDirectory& out,
                    Progress& progress, ExtractionSummary& summary, std::string& error,
                    const EvolutionLines* start)
{
    const std::string& name = out.name;
    const int count = static_cast<int>(history.revisions.size());
    const int first = start ? start->revisionCount : 0;
    EvolutionLines lines = start ? *start : EvolutionLines{};
    RevisionPrefetch prefetch;
    // The last revision already in the evolution is read again, so that the
    // first new one is diffed from it.
    startPrefetch(prefetch, history, first > 0 ? first - 1 : 0);
    if (first > 0 && !takeRevision(prefetch).ok) {
        error = "revision " + history.branch + std::to_string(first) + " cannot be read again";
        return false;
    }
    startProgress(progress, "Reading revisions", count - first);
    for (int i = first; i < count; ++i) {
        if (stopRequested(error))
            return false;
        const std::string number = history.branch + std::to_string(i + 1);
        const ReadRevision revision = takeRevision(prefetch);
        if (!revision.ok) {
            error = "revision " + number + ": " + revision.error;
            return false;
        }
        if (!stageFile(out, "revisions/" + name + ".v" + number, revision.text, error))
            return false;
        const int lineCount = countLines(revision.text);
        if (i == 0) {
            startEvolution(lines, lineCount);
        } else if (!addRevision(lines, revision.hunks, lineCount, error)) {
            error = "revision " + number + ": " + error;
            return false;
        }
        showProgress(progress, i + 1 - first);
    }
    endProgress(progress);
    // Checked once more here, the last moment before the evolution can be
    // moved into place.
    if (stopRequested(error))
        return false;

    std::set<std::string> authors;
    for (const SourceRevision& revision : history.revisions)
        authors.insert(revision.author);
    summary = {static_cast<int>(lines.lives.size()), lines.revisionCount, static_cast<int>(authors.size())};
    return stageFile(out, name + "_cvs", formatEvolutionFile(name, history.branch, lines), error) &&
           stageFile(out, name + ".rev", formatRevisionList(history), error) &&
           stageFile(out, "grammar.dat", grammar.text, error) &&
           stageFile(out, "config.cfg", formatColourConfiguration(), error) &&
           stageFile(out, name + ".state", formatEvolutionState(lines), error);
}
