#pragma once
// Scratch directories and small evolutions written on the fly for tests.

#include <memory>
#include <string>
#include <vector>

class EvolutionFile;
class Grammar;

// The lines of a text without their line ends, as the evolution reads them:
// a carriage return before a line feed goes with it.
std::vector<std::string> textLines(const std::string& text);

// A fresh directory under the system's temporary directory, removed with
// everything in it when the object goes.
class TempDirectory {
public:
    TempDirectory();
    ~TempDirectory();
    TempDirectory(const TempDirectory&) = delete;
    TempDirectory& operator=(const TempDirectory&) = delete;

    // The directory with its trailing '/', as an evolution's directory is kept.
    const std::string& path() const { return directory; }
    // Writes `content` to a file below the directory, making its folders.
    void write(const std::string& relativePath, const std::string& content) const;

private:
    std::string directory;
};

// A small evolution: the statuses of each line as one character per
// revision ("XX>D"), the revision list's authors (one per revision, empty
// for none), and optionally the text of each revision.
struct EvolutionSketch {
    std::string module = "demo.c";
    std::string branch = "1.";
    std::vector<std::string> statuses;
    std::vector<std::string> authors;
    std::vector<std::string> texts;   // texts[r] is revision r + 1's text
    std::string grammar;              // grammar.dat, written when not empty
};

// Writes the evolution file "<module>_cvs", the revision list, the texts and
// the grammar into the directory; returns the evolution file's name.
std::string writeEvolution(const TempDirectory& directory, const EvolutionSketch& sketch);

// The evolution file's text for the given statuses, in the file's format.
std::string evolutionFileText(const EvolutionSketch& sketch);

// Writes the evolution and loads it as opening one does; null when the load
// fails.
std::unique_ptr<EvolutionFile> loadWrittenEvolution(const TempDirectory& directory, const EvolutionSketch& sketch,
                                                    Grammar* grammar = nullptr);

// A random status matrix shaped like a real history: each line is "added"
// before its life, present (constant, modified or replaced) during it, and
// "deleted" after it; about one line in eight is never present.
std::vector<std::string> randomStatuses(unsigned seed, int lines, int revisions);
