#include "support/temp_directory.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <algorithm>
#include <random>
#include <stdexcept>

#include "evolution/evolution_file.h"

namespace fs = std::filesystem;

TempDirectory::TempDirectory()
{
    std::string pattern = (fs::temp_directory_path() / "quillon-test-XXXXXX").string();
    if (!::mkdtemp(pattern.data()))
        throw std::runtime_error("cannot make a temporary directory");
    directory = pattern + "/";
}

TempDirectory::~TempDirectory()
{
    std::error_code ignored;
    fs::remove_all(directory, ignored);
}

void TempDirectory::write(const std::string& relativePath, const std::string& content) const
{
    const fs::path target = fs::path(directory) / relativePath;
    fs::create_directories(target.parent_path());
    std::ofstream out(target, std::ios::binary);
    out << content;
}

std::string evolutionFileText(const EvolutionSketch& sketch)
{
    const size_t revisions = sketch.statuses.empty() ? sketch.authors.size() : sketch.statuses[0].size();
    std::string text = sketch.module + "\nBranch: " + sketch.branch + "\nLines: " +
                       std::to_string(sketch.statuses.size()) + "\nRevisions: " + std::to_string(revisions) + "\n";
    for (size_t i = 0; i < sketch.statuses.size(); ++i) {
        text += "  " + std::to_string(i + 1) + ":";
        for (char c : sketch.statuses[i]) {
            text += c;
            text += ' ';
        }
        text += "\n";
    }
    return text;
}

std::string writeEvolution(const TempDirectory& directory, const EvolutionSketch& sketch)
{
    const std::string fileName = sketch.module + "_cvs";
    directory.write(fileName, evolutionFileText(sketch));
    std::string list;
    for (size_t r = 0; r < sketch.authors.size(); ++r)
        if (!sketch.authors[r].empty())
            list += sketch.branch + std::to_string(r + 1) + "%" + sketch.authors[r] + "%2024-01-01%change\n";
    directory.write(sketch.module + ".rev", list);
    for (size_t r = 0; r < sketch.texts.size(); ++r)
        directory.write("revisions/" + sketch.module + ".v" + sketch.branch + std::to_string(r + 1), sketch.texts[r]);
    if (!sketch.grammar.empty())
        directory.write("grammar.dat", sketch.grammar);
    return fileName;
}

std::unique_ptr<EvolutionFile> loadWrittenEvolution(const TempDirectory& directory, const EvolutionSketch& sketch,
                                                    Grammar* grammar)
{
    auto evolution = std::make_unique<EvolutionFile>(directory.path(), writeEvolution(directory, sketch), grammar);
    if (!evolution->loadEvolution())
        return nullptr;
    return evolution;
}

std::vector<std::string> randomStatuses(unsigned seed, int lines, int revisions)
{
    std::mt19937 random(seed);
    auto below = [&](int n) { return n <= 0 ? 0 : static_cast<int>(random() % static_cast<unsigned>(n)); };
    std::vector<std::string> statuses;
    for (int line = 0; line < lines; ++line) {
        const int birth = below(revisions);
        const int death = below(8) == 0 ? birth : birth + 1 + below(revisions - birth);
        std::string row;
        for (int r = 0; r < revisions; ++r)
            row += r < birth ? '>' : r >= death ? 'D' : "XXXX-n|"[below(7)];
        statuses.push_back(row);
    }
    return statuses;
}

std::vector<std::string> textLines(const std::string& text)
{
    std::vector<std::string> lines;
    for (size_t start = 0; start < text.size();) {
        const size_t end = std::min(text.find('\n', start), text.size());
        std::string& line = lines.emplace_back(text.substr(start, end - start));
        if (line.ends_with('\r'))
            line.pop_back();
        start = end + 1;
    }
    return lines;
}
