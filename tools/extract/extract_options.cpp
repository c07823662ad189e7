#include "extract/extract_options.h"

const char* const extractUsage =
    "usage: quillon-extract git REPOSITORY PATH OUTDIR [--ref REF] [options]\n"
    "       quillon-extract cvs FILE,v OUTDIR [--branch PREFIX] [options]\n"
    "Writes the evolution of one source file into OUTDIR: NAME_cvs, NAME.rev,\n"
    "revisions/, grammar.dat and config.cfg, NAME being the file's name.\n"
    "  git: the commits of the first-parent chain of REF (default HEAD) that\n"
    "       change the file, numbered 1.1, 1.2, ...\n"
    "  cvs: the revisions of one branch of the RCS file, the trunk (--branch 1.,\n"
    "       the default) or a branch such as 1.2.4.\n"
    "options:\n"
    "  --grammar auto|none|FILE  the tokens of grammar.dat: chosen by the file's\n"
    "                            extension (default), none, or copied from FILE\n"
    "  --force                   replace the evolution already in OUTDIR\n"
    "  --update                  append only the revisions OUTDIR lacks; a history\n"
    "                            rewritten since is extracted afresh\n"
    "  --help                    show this text\n"
    "  --version                 show the version\n";

namespace {

bool isDigits(const std::string& text)
{
    return !text.empty() && text.find_first_not_of("0123456789") == std::string::npos;
}

}  // namespace

bool isBranchPrefix(const std::string& prefix)
{
    if (prefix.empty() || prefix.back() != '.')
        return false;
    int numbers = 0;
    size_t start = 0;
    for (size_t dot; (dot = prefix.find('.', start)) != std::string::npos; start = dot + 1) {
        if (!isDigits(prefix.substr(start, dot - start)))
            return false;
        ++numbers;
    }
    return numbers % 2 == 1;
}

bool parseExtractArguments(const std::vector<std::string>& arguments, ExtractOptions& options, std::string& error)
{
    options = ExtractOptions{};
    std::vector<std::string> positional;
    bool refGiven = false;
    bool branchGiven = false;
    for (size_t i = 0; i < arguments.size(); ++i) {
        std::string argument = arguments[i];
        std::string value;
        const bool takesValue = argument == "--ref" || argument == "--branch" || argument == "--grammar";
        const size_t equals = argument.find('=');
        if (argument.compare(0, 2, "--") == 0 && equals != std::string::npos) {
            value = argument.substr(equals + 1);
            argument.erase(equals);
        } else if (takesValue) {
            if (i + 1 == arguments.size()) {
                error = argument + " needs a value";
                return false;
            }
            value = arguments[++i];
        }
        if (argument == "--help" || argument == "-h") {
            options.help = true;
        } else if (argument == "--version") {
            options.version = true;
        } else if (argument == "--force") {
            options.force = true;
        } else if (argument == "--update") {
            options.update = true;
        } else if (argument == "--ref") {
            options.ref = value;
            refGiven = true;
        } else if (argument == "--branch") {
            options.branch = value;
            branchGiven = true;
        } else if (argument == "--grammar") {
            options.grammar = value;
        } else if (argument.compare(0, 2, "--") == 0 && argument.size() > 2) {
            error = "unknown option " + argument;
            return false;
        } else {
            positional.push_back(arguments[i]);
        }
    }
    if (options.help || options.version)
        return true;
    if (positional.empty()) {
        error = "no command: git or cvs";
        return false;
    }
    const std::string& command = positional[0];
    if (command == "git") {
        if (positional.size() != 4) {
            error = "git needs REPOSITORY, PATH and OUTDIR";
            return false;
        }
        if (branchGiven) {
            error = "--branch is for cvs; git takes --ref";
            return false;
        }
        options.kind = SourceKind::git;
        options.repository = positional[1];
        options.path = positional[2];
        options.outputDirectory = positional[3];
    } else if (command == "cvs") {
        if (positional.size() != 3) {
            error = "cvs needs FILE,v and OUTDIR";
            return false;
        }
        if (refGiven) {
            error = "--ref is for git; cvs takes --branch";
            return false;
        }
        options.kind = SourceKind::cvs;
        options.path = positional[1];
        options.outputDirectory = positional[2];
    } else {
        error = "unknown command " + command + ": git or cvs";
        return false;
    }
    if (options.ref.empty()) {
        error = "--ref needs a revision";
        return false;
    }
    if (!isBranchPrefix(options.branch)) {
        error = "--branch " + options.branch + " is no branch prefix such as 1. or 1.2.4.";
        return false;
    }
    if (options.grammar.empty()) {
        error = "--grammar needs auto, none or a file";
        return false;
    }
    return true;
}
