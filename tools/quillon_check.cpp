// quillon-check: loads an evolution as the program does, prints a summary
// and holds every revision's text against the evolution file; or prints who
// the program holds responsible for each line of one revision.

#include <charconv>
#include <cstdio>
#include <set>
#include <string>

#include "evolution/consistency.h"
#include "evolution/evolution_file.h"
#include "evolution/evolution_path.h"
#include "evolution/text_lines.h"
#include "syntax/grammar.h"

namespace {

constexpr int exitSound = 0;
constexpr int exitUnsound = 1;
constexpr int exitUsage = 2;

void printUsage(std::FILE* out)
{
    std::fputs("usage: quillon-check PATH_cvs\n"
               "       quillon-check --blame N PATH_cvs\n"
               "Loads the evolution, prints a summary and checks that every revision's text\n"
               "agrees with the evolution file. Exit status 0 when sound, 1 when not.\n"
               "With --blame, prints each line of revision N (from 1) as the name of the\n"
               "author the program attributes it to, a tab and the line's text.\n",
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

// The name that goes with an author number.
std::string authorName(const EvolutionFile& e, int author)
{
    for (int r = 0; r < e.revisionCount; ++r)
        if (author >= 0 && e.revisionAuthorIndex(r) == author)
            return e.revisionAuthorName(r);
    return "unknown";
}

bool parseRevision(const std::string& text, int& revision)
{
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), revision);
    return ec == std::errc() && end == text.data() + text.size();
}

int printBlame(const std::string& revisionArgument, const std::string& evolutionPath)
{
    const EvolutionPath path = splitEvolutionPath(evolutionPath);
    EvolutionFile evolution(path.directory, path.fileName, nullptr);
    if (!evolution.loadEvolution()) {
        std::printf("The evolution could not be loaded.\n");
        return exitUnsound;
    }
    int number = 0;
    if (!parseRevision(revisionArgument, number) || number < 1 || number > evolution.revisionCount) {
        reportError("no revision " + revisionArgument + ": the evolution has revisions 1 to " +
                    std::to_string(evolution.revisionCount));
        return exitUsage;
    }
    const int revision = number - 1;
    const std::string textPath =
        revisionTextPath(evolution.directory, evolution.moduleName, evolution.branch, number);
    TextLines text(textPath);
    if (!text.isOpen()) {
        reportReadFailure(textPath);
        return exitUnsound;
    }
    std::string_view line;
    int k = 0;
    for (; text.next(line); ++k) {
        const int evolutionLine = evolution.presentLineIndex(k, revision, revision);
        if (evolutionLine < 0) {
            reportError(textPath + ": line " + std::to_string(k + 1) + " has no line in the evolution");
            return exitUnsound;
        }
        const std::string author = authorName(evolution, evolution.lineAuthor(evolutionLine, revision));
        std::printf("%s\t", author.c_str());
        std::fwrite(line.data(), 1, line.size(), stdout);
        std::putchar('\n');
    }
    if (evolution.presentLineIndex(k, revision, revision) >= 0) {
        reportError(textPath + " has " + std::to_string(k) + " lines, fewer than the evolution marks present");
        return exitUnsound;
    }
    return exitSound;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 4 && std::string(argv[1]) == "--blame")
        return printBlame(argv[2], argv[3]);
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
