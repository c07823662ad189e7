#include "evolution/evolution_file.h"

EvolutionFile::EvolutionFile(std::string directory_, std::string fileName_, Grammar* grammar_)
    : grammar(grammar_), fileName(std::move(fileName_)), directory(std::move(directory_))
{
}

int EvolutionFile::presentLineIndex(int k, int first, int last) const
{
    if (k < 0)
        return -1;
    int count = 0;
    for (int line = 0; line < lineCount; ++line) {
        if (lineStatusAt(line, first) != statusDeleted && lineStatusAt(line, last) != statusAdded) {
            if (count == k)
                return line;
            ++count;
        }
    }
    // The text and the evolution file disagree: there is no such line.
    return -1;
}

int EvolutionFile::lineNumberIn(int line, int revision) const
{
    if (line < 0)
        return -1;
    int count = 0;
    for (int i = 0; i <= line && i < lineCount; ++i)
        if (isPresentChar(lineStatus[i][revision]))
            ++count;
    return count - 1;
}

int EvolutionFile::revisionAuthorIndex(int revision) const
{
    if (revision < 0 || revision >= static_cast<int>(revisionAuthors.size()) || !revisionAuthors[revision])
        return -1;
    return revisionAuthors[revision]->authorIndex;
}

const char* EvolutionFile::revisionAuthorName(int revision) const
{
    if (revision < 0 || revision >= static_cast<int>(revisionAuthors.size()) || !revisionAuthors[revision])
        return "unknown";
    return revisionAuthors[revision]->authorName.c_str();
}

int EvolutionFile::lineAuthor(int line, int revision) const
{
    const char* s = lineStatus[line];
    const int target = decodeStatus(s[revision]);
    if (target == statusAdded)
        return -1;
    int author = revisionAuthorIndex(0);
    for (int r = 0; r < revision; ++r) {
        const int a = decodeStatus(s[r]);
        const int b = decodeStatus(s[r + 1]);
        const bool modifiedTwice = a == statusModified && b == statusModified;
        const bool changedHere = a != target &&
            (a == statusAdded || b == statusReplacedByDeletion || a == statusReplacedByAddition);
        if (modifiedTwice || changedHere)
            author = revisionAuthorIndex(r + 1);
    }
    return author;
}

std::string evolutionFilePath(const std::string& directory, const std::string& fileName)
{
    return directory + fileName;
}

std::string revisionListPath(const std::string& directory, const std::string& moduleName)
{
    return directory + moduleName + ".rev";
}

std::string revisionTextPath(const std::string& directory, const std::string& moduleName,
                             const std::string& branch, int revisionNumber)
{
    return directory + "revisions/" + moduleName + ".v" + branch + std::to_string(revisionNumber);
}
