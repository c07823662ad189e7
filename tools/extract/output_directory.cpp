#include "extract/output_directory.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace fs = std::filesystem;

namespace {

std::string failure(const fs::path& path, const std::error_code& code)
{
    return "cannot write " + path.string() + ": " + code.message();
}

bool isRevisionNumber(std::string_view text)
{
    return !text.empty() && text.find_first_not_of("0123456789.") == std::string_view::npos;
}

// The files of the evolution already in the directory, relative to it.
std::vector<std::string> existingEvolutionFiles(const fs::path& directory, const std::string& name)
{
    std::vector<std::string> found;
    std::error_code code;
    for (const char* folder : {"", "revisions"}) {
        for (fs::directory_iterator it(directory / folder, code), end; !code && it != end; it.increment(code)) {
            const std::string relative = (fs::path(folder) / it->path().filename()).string();
            if (isEvolutionFile(relative, name))
                found.push_back(relative);
        }
        code.clear();
    }
    return found;
}

}  // namespace

OutputDirectory::~OutputDirectory()
{
    if (!committed)
        discardOutput(*this);
}

bool isEvolutionFile(const std::string& relativePath, const std::string& name)
{
    if (relativePath == name + "_cvs" || relativePath == name + ".rev" || relativePath == name + ".state" ||
        relativePath == "grammar.dat" ||
        relativePath == "config.cfg")
        return true;
    const std::string revisionPrefix = "revisions/" + name + ".v";
    return relativePath.compare(0, revisionPrefix.size(), revisionPrefix) == 0 &&
           isRevisionNumber(std::string_view(relativePath).substr(revisionPrefix.size()));
}

bool prepareOutput(OutputDirectory& out, const std::string& directory, const std::string& name, bool force,
                   std::string& error)
{
    out.directory = directory;
    out.name = name;
    std::error_code code;
    const fs::file_status status = fs::status(out.directory, code);
    if (fs::exists(status)) {
        if (!fs::is_directory(status)) {
            error = directory + " exists and is not a directory";
            return false;
        }
        const std::vector<std::string> existing = existingEvolutionFiles(out.directory, name);
        if (!force && !existing.empty()) {
            error = directory + " already holds " + existing.front() + "; use --force to replace the evolution";
            return false;
        }
    } else {
        if (!fs::create_directories(out.directory, code)) {
            error = failure(out.directory, code);
            return false;
        }
        out.createdDirectory = true;
    }
    std::string pattern = (out.directory / ".quillon-extract-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) {
        error = "cannot write in " + directory + ": " + std::strerror(errno);
        return false;
    }
    out.staging = pattern;
    return true;
}

bool stageFile(OutputDirectory& out, const std::string& relativePath, std::string_view content, std::string& error)
{
    const fs::path target = out.staging / relativePath;
    std::error_code code;
    fs::create_directories(target.parent_path(), code);
    if (code) {
        error = failure(target.parent_path(), code);
        return false;
    }
    struct Closer {
        void operator()(std::FILE* f) const { std::fclose(f); }
    };
    std::unique_ptr<std::FILE, Closer> file(std::fopen(target.c_str(), "wb"));
    const bool written = file && std::fwrite(content.data(), 1, content.size(), file.get()) == content.size() &&
                         std::fclose(file.release()) == 0;
    if (!written) {
        error = "cannot write " + target.string() + ": " + std::strerror(errno);
        return false;
    }
    out.staged.push_back(relativePath);
    return true;
}

bool commitOutput(OutputDirectory& out, std::string& error)
{
    std::error_code code;
    for (const std::string& old : out.keepOlder ? std::vector<std::string>() : existingEvolutionFiles(out.directory, out.name)) {
        if (!fs::remove(out.directory / old, code) && code) {
            error = "cannot replace " + (out.directory / old).string() + ": " + code.message();
            return false;
        }
    }
    fs::create_directories(out.directory / "revisions", code);
    if (code) {
        error = failure(out.directory / "revisions", code);
        return false;
    }
    for (const std::string& relative : out.staged) {
        fs::rename(out.staging / relative, out.directory / relative, code);
        if (code) {
            error = failure(out.directory / relative, code);
            return false;
        }
    }
    out.committed = true;
    fs::remove_all(out.staging, code);
    return true;
}

void discardOutput(OutputDirectory& out)
{
    std::error_code ignored;
    if (!out.staging.empty())
        fs::remove_all(out.staging, ignored);
    if (out.createdDirectory)
        fs::remove_all(out.directory, ignored);
    out.staging.clear();
    out.createdDirectory = false;
}
