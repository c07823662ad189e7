// The single pass over a revision's text that finds its syntax regions.

#include <array>
#include <vector>

#include "evolution/text_lines.h"
#include "syntax/grammar.h"

namespace {

constexpr int tabWidth = 8;

struct Position {
    int32_t line;
    int32_t column;
};

// A token is "at" a position when the text there begins with it; an empty
// token means the construct does not exist and is never found.
bool tokenAt(std::string_view text, size_t p, const std::string& token)
{
    return !token.empty() && text[p] == token[0] && text.compare(p, token.size(), token) == 0;
}

// The characters at which some rule can match are the first character of a
// token, the quote and the backslash. Any other character only moves the
// column, ends a pending escape and, unless it is blank, the line's start;
// most characters of a text are of that kind, and the scan takes them fast.
struct CharacterKinds {
    std::array<bool, 256> rule{};
    std::array<bool, 256> plain{};  // neither a rule character nor a tab: moves the column by one
};
// Tokens never hold a blank or a tab (they separate the grammar's fields),
// so neither is ever a rule character.

CharacterKinds characterKinds(const Grammar& grammar)
{
    CharacterKinds kinds;
    for (const std::string* token : {&grammar.commentLine, &grammar.commentBlockOpen, &grammar.commentBlockClose,
                                     &grammar.commentLineFragment, &grammar.blockOpen, &grammar.blockClose,
                                     &grammar.reference})
        if (!token->empty())
            kinds.rule[static_cast<unsigned char>((*token)[0])] = true;
    kinds.rule[static_cast<unsigned char>('"')] = true;
    kinds.rule[static_cast<unsigned char>('\\')] = true;
    for (size_t c = 0; c < kinds.plain.size(); ++c)
        kinds.plain[c] = !kinds.rule[c] && c != '\t';
    return kinds;
}

}  // namespace

bool Grammar::scan(const std::string& path)
{
    TextLines file(path);
    if (!file.isOpen()) {
        reportReadFailure(path);
        return false;
    }
    if (!target)
        return false;
    std::vector<SyntaxRegion>& out = *target;
    out.clear();

    bool inComment = false;
    bool inString = false;
    Position openedAt{0, 0};
    std::vector<Position> blockStack;
    const CharacterKinds kinds = characterKinds(*this);

    auto skipToken = [](size_t& p, int& column, const std::string& token) {
        p += token.size() - 1;
        column += static_cast<int>(token.size()) - 1;
    };

    std::string_view text;
    for (int32_t line = 0; file.next(text); ++line) {
        bool atLineStart = true;
        bool escapePending = false;
        int column = -1;
        for (size_t p = 0; p < text.size(); ++p) {
            const char c = text[p];
            column += c == '\t' ? tabWidth : 1;
            if (!kinds.rule[static_cast<unsigned char>(c)]) {
                escapePending = false;
                if (c != ' ' && c != '\t')
                    atLineStart = false;
                // A run of blanks at the line's start, or of plain characters
                // after it, changes nothing but the column.
                size_t end = p + 1;
                if (atLineStart) {
                    for (; end < text.size() && (text[end] == ' ' || text[end] == '\t'); ++end)
                        column += text[end] == '\t' ? tabWidth : 1;
                } else {
                    while (end < text.size() && kinds.plain[static_cast<unsigned char>(text[end])])
                        ++end;
                    column += static_cast<int>(end - p - 1);
                }
                p = end - 1;
                continue;
            }
            const bool inCode = !inComment && !inString;

            if (!inComment && atLineStart && tokenAt(text, p, commentLine)) {
                out.push_back({line, 0, line, wholeLineEndColumn, regionComment, commentWholeLine, 0});
                break;
            }
            if (inComment && tokenAt(text, p, commentBlockClose)) {
                inComment = false;
                out.push_back({openedAt.line, openedAt.column, line, column, regionComment, commentMultiLine, 0});
                skipToken(p, column, commentBlockClose);
                continue;
            }
            if (inCode && tokenAt(text, p, commentBlockOpen)) {
                openedAt = {line, column};
                inComment = true;
                skipToken(p, column, commentBlockOpen);
                continue;
            }
            if (inCode && tokenAt(text, p, commentLineFragment)) {
                // The comment ends where the line does, in the same columns
                // as its start: a count of characters would end it before its
                // start on a line with tabs.
                int end = column + 1;
                for (size_t q = p + 1; q < text.size(); ++q)
                    end += text[q] == '\t' ? tabWidth : 1;
                out.push_back({line, column, line, end, regionComment, commentRestOfLine, 0});
                break;
            }
            if (inCode && c == '"') {
                openedAt = {line, column};
                inString = true;
                continue;
            }
            if (inString && !escapePending && c == '"') {
                out.push_back({openedAt.line, openedAt.column, line, column, regionString, 0, 0});
                inString = false;
                continue;
            }
            if (inCode && tokenAt(text, p, blockOpen)) {
                blockStack.push_back({line, column});
                skipToken(p, column, blockOpen);
                continue;
            }
            if (inCode && tokenAt(text, p, blockClose)) {
                // A closing token with no open block has nothing to close:
                // it is passed over without a region.
                if (!blockStack.empty()) {
                    const Position start = blockStack.back();
                    blockStack.pop_back();
                    const int32_t depth = static_cast<int32_t>(blockStack.size());
                    out.push_back({start.line, start.column, line, column, regionBlock, 0, depth});
                }
                skipToken(p, column, blockClose);
                continue;
            }
            if (!inComment && atLineStart && tokenAt(text, p, reference)) {
                out.push_back({line, 0, line, wholeLineEndColumn, regionReference, 0, 0});
                break;
            }
            if (escapePending) {
                escapePending = false;
            } else if (inString && c == '\\') {
                escapePending = true;
                continue;
            }
            if (c != ' ' && c != '\t')
                atLineStart = false;
        }
    }
    return true;
}
