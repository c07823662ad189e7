#include "app/command_line.h"

#include <charconv>
#include <string_view>

const char* const usageText =
    "usage: quillon [options] [PATH]\n"
    "  PATH                an evolution file (NAME_cvs) or a directory holding one, a file\n"
    "                      of a git work tree or CVS checkout, or an RCS file (NAME,v)\n"
    "  --ref REF           the git revision whose first-parent history is read (HEAD)\n"
    "  --branch PREFIX     the RCS branch read (1. for the trunk, 1.2.4. for a branch)\n"
    "  --layout MODE       normal, horizontal or interpolated\n"
    "  --scheme SCHEME     content, evolution, authors or position\n"
    "  --focus N           focus revision N (from 1)\n"
    "  --range A:B         show revisions A to B (from 1)\n"
    "  --export FILE.png   draw the evolution into FILE.png and exit, without a display\n"
    "  --size WxH          the exported picture's size (default 1200x900)\n"
    "  --legends           export the legend strips around the canvas too\n"
    "  --help              show this help and exit\n"
    "  --version           show the version and exit\n"
    "  --                  end of options\n";

namespace {

bool parseInt(std::string_view text, int& value)
{
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return !text.empty() && ec == std::errc() && end == text.data() + text.size();
}

// Two numbers joined by `separator`, as in "1200x900" or "3:9".
bool parsePair(std::string_view text, char separator, int& first, int& second)
{
    const size_t at = text.find(separator);
    return at != std::string_view::npos && parseInt(text.substr(0, at), first) &&
           parseInt(text.substr(at + 1), second);
}

int indexOf(std::string_view word, std::initializer_list<std::string_view> words)
{
    int index = 0;
    for (std::string_view candidate : words) {
        if (candidate == word)
            return index;
        ++index;
    }
    return -1;
}

bool parseValue(std::string_view option, std::string_view value, CommandLine& line)
{
    if (option == "--export") {
        line.exportPath = value;
        return !value.empty();
    }
    if (option == "--ref" || option == "--branch") {
        (option == "--ref" ? line.ref : line.branch) = value;
        return !value.empty();
    }
    if (option == "--size")
        return parsePair(value, 'x', line.width, line.height);
    if (option == "--layout")
        return (line.layout = indexOf(value, {"normal", "horizontal", "interpolated"})) >= 0;
    if (option == "--scheme")
        return (line.scheme = indexOf(value, {"content", "evolution", "authors", "position"})) >= 0;
    if (option == "--focus")
        return parseInt(value, line.focus) && line.focus >= 1;
    return parsePair(value, ':', line.rangeStart, line.rangeEnd) && line.rangeStart >= 1 &&
           line.rangeStart <= line.rangeEnd;
}

}  // namespace

bool parseCommandLine(int argc, const char* const* argv, CommandLine& line, std::string& error)
{
    line = CommandLine{};
    bool optionsEnded = false;
    for (int i = 1; i < argc; ++i) {
        std::string_view argument = argv[i];
        if (optionsEnded || argument.size() < 2 || argument[0] != '-') {
            if (!line.path.empty()) {
                error = "only one PATH can be opened, but \"" + std::string(argument) + "\" follows \"" + line.path + "\"";
                return false;
            }
            line.path = argument;
        } else if (argument == "--") {
            optionsEnded = true;
        } else if (argument == "--help" || argument == "-h") {
            line.help = true;
        } else if (argument == "--version") {
            line.version = true;
        } else if (argument == "--legends") {
            line.legends = true;
        } else if (indexOf(argument.substr(0, argument.find('=')),
                           {"--export", "--size", "--layout", "--scheme", "--focus", "--range", "--ref", "--branch"}) >= 0) {
            // Both "--size 800x600" and "--size=800x600", as git takes them.
            const size_t equals = argument.find('=');
            const std::string_view option = argument.substr(0, equals);
            std::string_view value;
            if (equals != std::string_view::npos)
                value = argument.substr(equals + 1);
            else if (i + 1 < argc)
                value = argv[++i];
            else {
                error = "option " + std::string(option) + " needs a value";
                return false;
            }
            if (!parseValue(option, value, line)) {
                error = "bad value \"" + std::string(value) + "\" for option " + std::string(option);
                return false;
            }
        } else {
            error = "unknown option " + std::string(argument);
            return false;
        }
    }
    return true;
}
