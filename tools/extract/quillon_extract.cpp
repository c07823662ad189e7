// quillon-extract: makes the evolution of one source file from its git or
// CVS history.

#include <cstdio>
#include <fstream>
#include <sstream>

#include "evolution/text_lines.h"
#include "extract/evolution_extraction.h"
#include "extract/extract_options.h"
#include "extract/git_history.h"
#include "extract/interruption.h"
#include "extract/rcs_file.h"
#include "extract/rcs_history.h"

namespace {

constexpr int exitDone = 0;
constexpr int exitFailed = 1;
constexpr int exitUsage = 2;

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

void printWritten(const OutputDirectory& out, const SourceHistory& history, const LanguageGrammar& grammar,
                  const ExtractionSummary& summary)
{
    const std::string directory = out.directory.string() + (out.directory.string().back() == '/' ? "" : "/");
    const std::string& name = out.name;
    std::printf("Wrote the evolution of %s into %s:\n", name.c_str(), directory.c_str());
    std::printf("  %s_cvs: %d lines, %d revisions\n", name.c_str(), summary.lineCount, summary.revisionCount);
    std::printf("  %s.rev: author, date and subject of each revision (authors: %d)\n", name.c_str(),
                summary.authorCount);
    std::printf("  revisions/%s.v%s1 to %s.v%s%d\n", name.c_str(), history.branch.c_str(), name.c_str(),
                history.branch.c_str(), summary.revisionCount);
    std::printf("  grammar.dat: %s\n", grammar.language.c_str());
    std::printf("  config.cfg: the default status colours\n");
    std::printf("Open %s%s_cvs in Quillon.\n", directory.c_str(), name.c_str());
}

}  // namespace

int main(int argc, char** argv)
{
    ExtractOptions options;
    std::string error;
    if (!parseExtractArguments(std::vector<std::string>(argv + 1, argv + argc), options, error)) {
        std::fprintf(stderr, "quillon-extract: %s\n%s", error.c_str(), extractUsage);
        return exitUsage;
    }
    if (options.help) {
        std::fputs(extractUsage, stdout);
        return exitDone;
    }
    if (options.version) {
        std::printf("quillon-extract %s\n", QUILLON_VERSION);
        return exitDone;
    }

    const std::string name = evolutionName(options);
    LanguageGrammar grammar;
    RcsFile rcs;
    SourceHistory history;
    OutputDirectory out;
    ExtractionSummary summary;
    Progress progress = progressOnStandardError();
    catchInterruptions();
    if (name.empty()) {
        reportError(options.path + " names no file");
        return exitFailed;
    }
    const bool done = chooseGrammar(options, name, grammar, error) && readHistory(options, rcs, history, error) &&
                      prepareOutput(out, options.outputDirectory, name, options.force, error) &&
                      stageEvolution(history, grammar, out, progress, summary, error) && commitOutput(out, error);
    if (!done) {
        reportError(error);
        return exitFailed;
    }
    printWritten(out, history, grammar, summary);
    return exitDone;
}
