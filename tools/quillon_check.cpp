// quillon-check: loads an evolution as the program does, prints a summary
// and holds every revision's text against the evolution file.

#include <cstdio>
#include <set>
#include <string>

#include "evolution/consistency.h"
#include "evolution/evolution_file.h"
#include "evolution/evolution_path.h"
#include "syntax/grammar.h"

namespace {

constexpr int exitSound = 0;
constexpr int exitUnsound = 1;
constexpr int exitUsage = 2;

void printUsage(std::FILE* out)
{
    std::fputs("usage: quillon-check PATH_cvs\n"
               "Loads the evolution, prints a summary and checks that every revision's text\n"
               "agrees with the evolution file. Exit status 0 when sound, 1 when not.\n",
               out);
}

int countAuthors(const EvolutionFile& e)
{
    std::set<int> authors;
    for (int r = 0; r < e.revisionCount; ++r)
        if (e.revisionAuthors[r])
            authors.insert(e.revisionAuthors[r]->authorIndex);
    return static_cast<int>(authors.size());
}

void printBlocks(EvolutionFile& e, int sorting, const char* name)
{
    e.buildBlocks(sorting);
    std::printf("Blocks (%s): %zu, maximum level %d\n", name, e.blocks.size(), e.maxBlockLevel);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        printUsage(stderr);
        return exitUsage;
    }
    const std::string argument = argv[1];
    if (argument == "--help" || argument == "-h") {
        printUsage(stdout);
        return exitSound;
    }

    const EvolutionPath path = splitEvolutionPath(argument);
    Grammar grammar(path.directory);
    EvolutionFile evolution(path.directory, path.fileName, &grammar);
    if (!evolution.loadEvolution()) {
        std::printf("The evolution could not be loaded.\n");
        return exitUnsound;
    }

    std::printf("Source file: %s\n", evolution.moduleName.c_str());
    std::printf("Branch: %s\n", evolution.branch.c_str());
    std::printf("Lines: %d\n", evolution.lineCount);
    std::printf("Revisions: %d\n", evolution.revisionCount);
    std::printf("Authors: %d\n", countAuthors(evolution));
    printBlocks(evolution, 0, "Lines");
    printBlocks(evolution, 1, "Revisions");

    const std::vector<std::string> problems = checkConsistency(evolution);
    for (const std::string& problem : problems)
        std::printf("DISAGREEMENT: %s\n", problem.c_str());
    if (!problems.empty()) {
        std::printf("Consistency: %zu disagreements\n", problems.size());
        return exitUnsound;
    }
    std::printf("Consistency: sound\n");
    return exitSound;
}
