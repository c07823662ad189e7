// quillon-extract: makes the evolution of one source file from its git or
// CVS history.

#include <cstdio>

#include "evolution/text_lines.h"
#include "extract/extraction_run.h"
#include "extract/interruption.h"

namespace {

constexpr int exitDone = 0;
constexpr int exitFailed = 1;
constexpr int exitUsage = 2;

void printWritten(const ExtractionResult& result)
{
    const std::string& directory = result.directory;
    const std::string& name = result.name;
    const ExtractionSummary& summary = result.summary;
    std::printf("Wrote the evolution of %s into %s (%d new revisions):\n", name.c_str(), directory.c_str(),
                result.newRevisions);
    std::printf("  %s_cvs: %d lines, %d revisions\n", name.c_str(), summary.lineCount, summary.revisionCount);
    std::printf("  %s.rev: author, date and subject of each revision (authors: %d)\n", name.c_str(),
                summary.authorCount);
    std::printf("  revisions/%s.v%s1 to %s.v%s%d\n", name.c_str(), result.branch.c_str(), name.c_str(),
                result.branch.c_str(), summary.revisionCount);
    std::printf("  grammar.dat: %s\n", result.grammar.language.c_str());
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

    Progress progress = progressOnStandardError();
    catchInterruptions();
    ExtractionResult result;
    bool done = runExtraction(options, progress, result, error);
    if (!done && result.rewritten) {
        std::fprintf(stderr, "quillon-extract: %s; extracting the whole history afresh.\n", error.c_str());
        options.update = false;
        options.force = true;
        done = runExtraction(options, progress, result, error);
    }
    if (!done) {
        reportError(error);
        return exitFailed;
    }
    printWritten(result);
    return exitDone;
}
