#include "extract/extraction_run.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "evolution/evolution_file.h"
#include "extract/evolution_state.h"
#include "extract/git_history.h"
#include "extract/rcs_file.h"
#include "extract/rcs_history.h"

namespace {

// The source file's name as the evolution's files carry it; a blank would
// end it early where the evolution file names it, so blanks become '_'.
std::string evolutionName(const ExtractOptions& options)
{
    std::string name = options.path.substr(options.path.rfind('/') + 1);
    if (options.kind == SourceKind::cvs && name.size() > 2 && name.compare(name.size() - 2, 2, ",v") == 0)
        name.resize(name.size() - 2);
    for (char& c : name)
        if (c == ' ' || c == '\t')
            c = '_';
    return name;
}

bool readWholeFile(const std::string& path, std::string& content)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::ostringstream buffer;
    buffer << in.rdbuf();
    content = buffer.str();
    return !in.bad();
}

bool chooseGrammar(const ExtractOptions& options, const std::string& name, LanguageGrammar& grammar,
                   std::string& error)
{
    if (options.grammar == "auto") {
        grammar = grammarForFile(name);
    } else if (options.grammar == "none") {
        grammar = {"no tokens", ""};
    } else {
        grammar.language = "from " + options.grammar;
        if (!readWholeFile(options.grammar, grammar.text)) {
            error = "cannot read the grammar file " + options.grammar;
            return false;
        }
    }
    return true;
}

bool readHistory(const ExtractOptions& options, RcsFile& rcs, SourceHistory& history, std::string& error)
{
    if (options.kind == SourceKind::git)
        return gitFileHistory(options.repository, options.path, options.ref, history, error);
    std::string content;
    if (!readWholeFile(options.path, content)) {
        error = "cannot read " + options.path;
        return false;
    }
    if (!parseRcsFile(content, rcs, error)) {
        error = options.path + " is not an RCS file: " + error;
        return false;
    }
    if (!rcsBranchHistory(rcs, options.branch, history, error)) {
        error = options.path + ": " + error;
        return false;
    }
    return true;
}

// The lines after the evolution's last revision, when its revisions are the
// history's first ones: each names the same commit (or RCS revision).
bool continuableFrom(const ExtractOptions& options, const std::string& name, const SourceHistory& history,
                     EvolutionLines& start)
{
    const std::string directory = options.outputDirectory + "/";
    std::string state, list, ignored;
    if (!readWholeFile(directory + name + ".state", state) || !parseEvolutionState(state, start, ignored) ||
        start.revisionCount > static_cast<int>(history.revisions.size()) ||
        !readWholeFile(directory + name + ".rev", list))
        return false;
    std::vector<bool> matched(static_cast<size_t>(start.revisionCount), false);
    std::istringstream lines(list);
    for (std::string line; std::getline(lines, line);) {
        const size_t first = line.find('%'), second = line.find('%', first + 1);
        if (second == std::string::npos || line.compare(0, history.branch.size(), history.branch) != 0)
            continue;
        const int revision = std::atoi(line.c_str() + history.branch.size());
        RevisionInfo info;
        readRevisionDetails(std::string_view(line).substr(second + 1), info);
        if (revision >= 1 && revision <= start.revisionCount && !info.id.empty())
            matched[revision - 1] = info.id == history.revisions[revision - 1].id;
    }
    return std::find(matched.begin(), matched.end(), false) == matched.end();
}

}  // namespace

bool runExtraction(const ExtractOptions& options, Progress& progress, ExtractionResult& result, std::string& error)
{
    result = ExtractionResult{};
    result.name = evolutionName(options);
    if (result.name.empty()) {
        error = options.path + " names no file";
        return false;
    }
    // The history's texts point into the RCS file's, which must outlive it.
    RcsFile rcs;
    SourceHistory history;
    OutputDirectory out;
    EvolutionLines start;
    if (!chooseGrammar(options, result.name, result.grammar, error) || !readHistory(options, rcs, history, error))
        return false;
    if (options.update && !continuableFrom(options, result.name, history, start)) {
        result.rewritten = true;
        error = options.outputDirectory + " holds no evolution whose revisions begin this history";
        return false;
    }
    out.keepOlder = options.update;
    if (!prepareOutput(out, options.outputDirectory, result.name, options.force || options.update, error) ||
        !stageEvolution(history, result.grammar, out, progress, result.summary, error,
                        options.update ? &start : nullptr) ||
        !commitOutput(out, error))
        return false;
    result.newRevisions = static_cast<int>(history.revisions.size()) - (options.update ? start.revisionCount : 0);
    result.directory = out.directory.string();
    if (result.directory.empty() || result.directory.back() != '/')
        result.directory += '/';
    result.branch = history.branch;
    return true;
}
