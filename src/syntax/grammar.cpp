#include "syntax/grammar.h"

#include <array>

#include "evolution/text_lines.h"

namespace {

bool isSeparator(char c) { return c == ' ' || c == ',' || c == '\t' || c == '\n'; }

std::vector<std::string_view> splitTokens(std::string_view line)
{
    std::vector<std::string_view> tokens;
    size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && isSeparator(line[i]))
            ++i;
        size_t start = i;
        while (i < line.size() && !isSeparator(line[i]))
            ++i;
        if (i > start)
            tokens.push_back(line.substr(start, i - start));
    }
    return tokens;
}

}  // namespace

std::string grammarFilePath(const std::string& directory)
{
    return directory + "grammar.dat";
}

Grammar::Grammar(const std::string& directory)
{
    load(directory);
}

bool Grammar::load(const std::string& directory)
{
    const std::string path = grammarFilePath(directory);
    TextLines file(path);
    if (!file.isOpen()) {
        reportReadFailure(path);
        return false;
    }

    struct Rule {
        const char* keyword;
        std::string* first;
        std::string* second;  // null for one-value keywords
    };
    const std::array<Rule, 9> rules = {{
        {"BLOCK", &blockOpen, &blockClose},
        {"COMMENT_BLOCK", &commentBlockOpen, &commentBlockClose},
        {"COMMENT_LINE", &commentLine, nullptr},
        {"COMMENT_LINE_FRAGMENT", &commentLineFragment, nullptr},
        {"REFERENCE", &reference, nullptr},
        {"KEYWORD_IF", &keywordIf, nullptr},
        {"KEYWORD_FOR", &keywordFor, nullptr},
        {"KEYWORD_WHILE", &keywordWhile, nullptr},
        {"KEYWORD_DO", &keywordDo, nullptr},
    }};

    std::string_view line;
    while (file.next(line)) {
        const std::vector<std::string_view> tokens = splitTokens(line);
        if (tokens.empty())
            continue;
        for (const Rule& rule : rules) {
            if (tokens[0] != rule.keyword)
                continue;
            const size_t needed = rule.second ? 3 : 2;
            if (tokens.size() >= needed) {
                *rule.first = std::string(tokens[1]);
                if (rule.second)
                    *rule.second = std::string(tokens[2]);
            }
            break;
        }
    }
    return true;
}
