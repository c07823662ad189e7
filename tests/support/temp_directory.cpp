#include "support/temp_directory.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
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

std::string evolutionFileText(const EvolutionSpec& spec)
{
    const size_t revisions = spec.statuses.empty() ? spec.authors.size() : spec.statuses[0].size();
    std::string text = spec.module + "\nBranch: " + spec.branch + "\nLines: " +
                       std::to_string(spec.statuses.size()) + "\nRevisions: " + std::to_string(revisions) + "\n";
    for (size_t i = 0; i < spec.statuses.size(); ++i) {
        text += "  " + std::to_string(i + 1) + ":";
        for (char c : spec.statuses[i]) {
            text += c;
            text += ' ';
        }
        text += "\n";
    }
    return text;
}

std::string writeEvolution(const TempDirectory& directory, const EvolutionSpec& spec)
{
    const std::string fileName = spec.module + "_cvs";
    directory.write(fileName, evolutionFileText(spec));
    std::string list;
    for (size_t r = 0; r < spec.authors.size(); ++r)
        if (!spec.authors[r].empty())
            list += spec.branch + std::to_string(r + 1) + "%" + spec.authors[r] + "%2024-01-01%change\n";
    directory.write(spec.module + ".rev", list);
    for (size_t r = 0; r < spec.texts.size(); ++r)
        directory.write("revisions/" + spec.module + ".v" + spec.branch + std::to_string(r + 1), spec.texts[r]);
    if (!spec.grammar.empty())
        directory.write("grammar.dat", spec.grammar);
    return fileName;
}

std::unique_ptr<EvolutionFile> loadWrittenEvolution(const TempDirectory& directory, const EvolutionSpec& spec,
                                                    Grammar* grammar)
{
    auto evolution = std::make_unique<EvolutionFile>(directory.path(), writeEvolution(directory, spec), grammar);
    if (!evolution->loadEvolution())
        return nullptr;
    return evolution;
}
