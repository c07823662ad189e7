#include "evolution/text_fields.h"

#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <string>

std::string_view skipBlanks(std::string_view text)
{
    size_t i = 0;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    return text.substr(i);
}

bool takeWord(std::string_view& text, std::string_view& word)
{
    text = skipBlanks(text);
    size_t n = 0;
    while (n < text.size() && !isBlank(text[n]))
        ++n;
    if (n == 0)
        return false;
    word = text.substr(0, n);
    text.remove_prefix(n);
    return true;
}

bool takeInt(std::string_view& text, int& value)
{
    std::string_view rest = skipBlanks(text);
    size_t start = (!rest.empty() && rest[0] == '+') ? 1 : 0;
    if (start == 1 && rest.size() > 1 && rest[1] == '-')
        return false;
    const char* first = rest.data() + start;
    const char* last = rest.data() + rest.size();
    auto [end, error] = std::from_chars(first, last, value);
    if (error != std::errc() || end == first)
        return false;
    text = std::string_view(end, static_cast<size_t>(last - end));
    return true;
}

bool takeFloat(std::string_view& text, float& value)
{
    std::string_view rest = skipBlanks(text);
    size_t n = 0;
    while (n < rest.size() && !isBlank(rest[n]))
        ++n;
    if (n == 0)
        return false;
    // strtof needs a terminated string; the word is short-lived.
    const std::string word(rest.substr(0, n));
    char* end = nullptr;
    errno = 0;
    const float parsed = std::strtof(word.c_str(), &end);
    if (end == word.c_str())
        return false;
    value = parsed;
    const size_t used = static_cast<size_t>(end - word.c_str());
    text = rest.substr(used);
    return true;
}

bool parseCount(std::string_view text, int& value)
{
    if (text.empty() || text.size() > 9)
        return false;
    int result = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
        result = result * 10 + (c - '0');
    }
    value = result;
    return true;
}
