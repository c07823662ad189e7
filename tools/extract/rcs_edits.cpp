#include "extract/rcs_edits.h"

#include <charconv>

std::vector<std::string_view> splitTextLines(std::string_view text)
{
    std::vector<std::string_view> lines;
    size_t start = 0;
    while (start < text.size()) {
        const size_t feed = text.find('\n', start);
        const size_t end = feed == std::string_view::npos ? text.size() : feed + 1;
        lines.push_back(text.substr(start, end - start));
        start = end;
    }
    return lines;
}

namespace {

struct EditCommand {
    char kind = 0;  // 'a' or 'd'
    long line = 0;
    long count = 0;
};

bool parseNumber(std::string_view text, long& value)
{
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && end == text.data() + text.size();
}

bool parseCommand(std::string_view text, EditCommand& command)
{
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
        text.remove_suffix(1);
    const size_t blank = text.find(' ');
    if (text.size() < 2 || (text[0] != 'a' && text[0] != 'd') || blank == std::string_view::npos)
        return false;
    command.kind = text[0];
    return parseNumber(text.substr(1, blank - 1), command.line) && parseNumber(text.substr(blank + 1), command.count) &&
           command.line >= 0 && command.count > 0;
}

}  // namespace

bool applyEditScript(const std::vector<std::string_view>& source, std::string_view script,
                     std::vector<std::string_view>& result, std::string& error)
{
    result.clear();
    const std::vector<std::string_view> commands = splitTextLines(script);
    const long sourceCount = static_cast<long>(source.size());
    long taken = 0;  // source lines copied or deleted so far
    for (size_t i = 0; i < commands.size(); ++i) {
        EditCommand command;
        if (!parseCommand(commands[i], command)) {
            error = "bad edit command \"" + std::string(commands[i].substr(0, 40)) + "\"";
            return false;
        }
        // Deleting starts at the named line, appending after it.
        const long keepUntil = command.kind == 'd' ? command.line - 1 : command.line;
        // The count is compared with what is left rather than added to the
        // line, which a count near the largest long would overflow.
        if (keepUntil < taken || keepUntil > sourceCount ||
            (command.kind == 'd' && command.count > sourceCount - keepUntil)) {
            error = "edit command \"" + std::string(commands[i].substr(0, 40)) + "\" does not fit the text";
            return false;
        }
        result.insert(result.end(), source.begin() + taken, source.begin() + keepUntil);
        taken = keepUntil;
        if (command.kind == 'd') {
            taken += command.count;
        } else {
            if (static_cast<long>(commands.size() - i - 1) < command.count) {
                error = "edit command \"" + std::string(commands[i].substr(0, 40)) + "\" lacks its lines";
                return false;
            }
            result.insert(result.end(), commands.begin() + i + 1, commands.begin() + i + 1 + command.count);
            i += command.count;
        }
    }
    result.insert(result.end(), source.begin() + taken, source.end());
    return true;
}
