#include "extract/rcs_file.h"

#include <algorithm>

namespace {

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

bool isSpecial(char c)
{
    return c == ';' || c == ':' || c == '@' || c == ',' || c == '$';
}

bool isRevisionNumber(std::string_view word)
{
    return !word.empty() && std::all_of(word.begin(), word.end(), [](char c) {
        return (c >= '0' && c <= '9') || c == '.';
    });
}

struct RcsReader {
    std::string_view content;
    size_t at = 0;
    std::string error;

    void skipSpace()
    {
        while (at < content.size() && isSpace(content[at]))
            ++at;
    }

    bool fail(const std::string& what)
    {
        if (error.empty()) {
            const long line = 1 + std::count(content.begin(), content.begin() + std::min(at, content.size()), '\n');
            error = what + " at line " + std::to_string(line);
        }
        return false;
    }

    // The next word (an id or a number) without consuming it; empty when a
    // special character or the end comes first.
    std::string_view peekWord()
    {
        skipSpace();
        size_t end = at;
        while (end < content.size() && !isSpace(content[end]) && !isSpecial(content[end]))
            ++end;
        return content.substr(at, end - at);
    }

    std::string_view word()
    {
        const std::string_view w = peekWord();
        at += w.size();
        return w;
    }

    bool expectWord(std::string_view expected)
    {
        if (word() != expected)
            return fail("expected \"" + std::string(expected) + "\"");
        return true;
    }

    bool symbol(char c)
    {
        skipSpace();
        if (at < content.size() && content[at] == c) {
            ++at;
            return true;
        }
        return false;
    }

    bool expectSymbol(char c)
    {
        if (!symbol(c))
            return fail(std::string("expected '") + c + "'");
        return true;
    }

    // An @-quoted string, with each doubled @ read as one.
    bool string(std::string& out)
    {
        out.clear();
        if (!expectSymbol('@'))
            return false;
        for (;;) {
            const size_t quote = content.find('@', at);
            if (quote == std::string_view::npos)
                return fail("unterminated string");
            out.append(content.substr(at, quote - at));
            at = quote + 1;
            if (at < content.size() && content[at] == '@') {
                out += '@';
                ++at;
            } else {
                return true;
            }
        }
    }

    // The values of a phrase up to its ';': words, strings and colons. The
    // words are kept; strings and colons are only stepped over.
    bool phraseValues(std::vector<std::string>& values)
    {
        values.clear();
        std::string ignored;
        for (;;) {
            skipSpace();
            if (at >= content.size())
                return fail("unexpected end of file");
            const char c = content[at];
            if (c == ';') {
                ++at;
                return true;
            }
            if (c == '@') {
                if (!string(ignored))
                    return false;
            } else if (c == ':' || c == ',' || c == '$') {
                ++at;
            } else {
                values.emplace_back(word());
            }
        }
    }
};

bool readAdmin(RcsReader& in, RcsFile& file)
{
    if (in.peekWord() != "head")
        return in.fail("no \"head\"");
    std::vector<std::string> values;
    for (;;) {
        const std::string_view key = in.peekWord();
        if (key.empty() || key == "desc" || isRevisionNumber(key))
            break;
        in.word();
        if (!in.phraseValues(values))
            return false;
        if (key == "head")
            file.head = values.empty() ? std::string() : values[0];
    }
    return true;
}

bool readDeltas(RcsReader& in, RcsFile& file)
{
    std::vector<std::string> values;
    while (isRevisionNumber(in.peekWord())) {
        RcsDelta delta;
        delta.number = in.word();
        for (;;) {
            const std::string_view key = in.peekWord();
            if (key.empty())
                return in.fail("unexpected text in the delta of " + delta.number);
            if (key == "desc" || isRevisionNumber(key))
                break;
            in.word();
            if (!in.phraseValues(values))
                return false;
            const std::string first = values.empty() ? std::string() : values[0];
            if (key == "date")
                delta.date = first;
            else if (key == "author")
                delta.author = first;
            else if (key == "state")
                delta.state = first;
            else if (key == "next")
                delta.next = first;
            else if (key == "branches")
                delta.branches = values;
        }
        if (delta.date.empty())
            return in.fail("no date for revision " + delta.number);
        if (!file.deltaIndex.emplace(delta.number, file.deltas.size()).second)
            return in.fail("a second delta for revision " + delta.number);
        file.deltas.push_back(std::move(delta));
    }
    return true;
}

bool readDeltaTexts(RcsReader& in, RcsFile& file)
{
    std::vector<std::string> values;
    for (;;) {
        in.skipSpace();
        if (in.at >= in.content.size())
            return true;
        const std::string number(in.word());
        if (!isRevisionNumber(number))
            return in.fail("expected a revision number");
        const auto found = file.deltaIndex.find(number);
        if (found == file.deltaIndex.end())
            return in.fail("text for revision " + number + ", which has no delta");
        RcsDelta* delta = &file.deltas[found->second];
        if (!in.expectWord("log") || !in.string(delta->log))
            return false;
        // Phrases that later versions of the format may put before the text.
        while (in.peekWord() != "text") {
            if (in.peekWord().empty())
                return in.fail("expected \"text\"");
            in.word();
            if (!in.phraseValues(values))
                return false;
        }
        in.word();
        if (!in.string(delta->text))
            return false;
    }
}

}  // namespace

bool parseRcsFile(std::string_view content, RcsFile& file, std::string& error)
{
    file = RcsFile{};
    RcsReader in;
    in.content = content;
    std::string description;
    const bool ok = readAdmin(in, file) && readDeltas(in, file) && in.expectWord("desc") &&
                    in.string(description) && readDeltaTexts(in, file);
    if (!ok) {
        error = in.error;
        return false;
    }
    if (!file.head.empty() && !findDelta(file, file.head)) {
        error = "the head revision " + file.head + " has no delta";
        return false;
    }
    return true;
}

const RcsDelta* findDelta(const RcsFile& file, std::string_view number)
{
    const auto found = file.deltaIndex.find(std::string(number));
    return found == file.deltaIndex.end() ? nullptr : &file.deltas[found->second];
}
