#include "extract/evolution_state.h"

#include <charconv>

namespace {

constexpr std::string_view header = "quillon evolution state 1\n";

void appendNumbers(std::string& text, const char* label, const std::vector<int>& numbers)
{
    text += label;
    for (int n : numbers)
        text += " " + std::to_string(n);
    text += "\n";
}

// Reads the words of one line, after its label, as numbers.
bool takeLine(std::string_view& text, std::string_view label, std::vector<int>& numbers)
{
    const size_t end = text.find('\n');
    if (end == std::string_view::npos || text.substr(0, label.size()) != label)
        return false;
    std::string_view line = text.substr(label.size(), end - label.size());
    text.remove_prefix(end + 1);
    numbers.clear();
    while (!line.empty()) {
        if (line[0] != ' ')
            return false;
        line.remove_prefix(1);
        int value = 0;
        const auto [next, ec] = std::from_chars(line.data(), line.data() + line.size(), value);
        if (ec != std::errc() || value < -1)
            return false;
        numbers.push_back(value);
        line.remove_prefix(static_cast<size_t>(next - line.data()));
    }
    return true;
}

bool holdsTogether(const EvolutionLines& lines)
{
    const int count = static_cast<int>(lines.lives.size());
    if (lines.revisionCount < 1 || static_cast<int>(lines.after.size()) != count ||
        (count == 0) != (lines.first == -1) || lines.first >= count)
        return false;
    for (const LineLife& life : lines.lives) {
        if (life.begin < 0 || life.begin >= life.end || life.end > lines.revisionCount)
            return false;
        int previous = life.begin;
        for (int change : life.changes) {
            if (change <= previous || change >= life.end)
                return false;
            previous = change;
        }
    }
    // The order visits every line once.
    std::vector<char> seen(static_cast<size_t>(count), 0);
    int visited = 0;
    for (int line = lines.first; line != -1; line = lines.after[line]) {
        if (line < 0 || line >= count || seen[line])
            return false;
        seen[line] = 1;
        ++visited;
    }
    if (visited != count)
        return false;
    std::vector<char> present(static_cast<size_t>(count), 0);
    for (int line : lines.present) {
        if (line < 0 || line >= count || present[line] || lines.lives[line].end != lines.revisionCount)
            return false;
        present[line] = 1;
    }
    int alive = 0;
    for (const LineLife& life : lines.lives)
        alive += life.end == lines.revisionCount;
    return alive == static_cast<int>(lines.present.size());
}

}  // namespace

std::string formatEvolutionState(const EvolutionLines& lines)
{
    std::string text(header);
    text += "revisions " + std::to_string(lines.revisionCount) + "\nfirst " + std::to_string(lines.first) +
            "\nlines " + std::to_string(lines.lives.size()) + "\n";
    for (const LineLife& life : lines.lives) {
        std::vector<int> numbers{life.begin, life.end};
        numbers.insert(numbers.end(), life.changes.begin(), life.changes.end());
        appendNumbers(text, "life", numbers);
    }
    appendNumbers(text, "after", lines.after);
    appendNumbers(text, "present", lines.present);
    return text;
}

bool parseEvolutionState(std::string_view text, EvolutionLines& lines, std::string& error)
{
    lines = EvolutionLines{};
    std::vector<int> numbers;
    error = "not an evolution state";
    if (text.substr(0, header.size()) != header)
        return false;
    text.remove_prefix(header.size());
    if (!takeLine(text, "revisions", numbers) || numbers.size() != 1)
        return false;
    lines.revisionCount = numbers[0];
    if (!takeLine(text, "first", numbers) || numbers.size() != 1)
        return false;
    lines.first = numbers[0];
    if (!takeLine(text, "lines", numbers) || numbers.size() != 1)
        return false;
    // Each life takes a line of its own, so the text bounds what is made.
    const int count = numbers[0];
    if (count < 0 || static_cast<size_t>(count) > text.size() / 6)
        return false;
    lines.lives.resize(static_cast<size_t>(count));
    for (LineLife& life : lines.lives) {
        if (!takeLine(text, "life", numbers) || numbers.size() < 2)
            return false;
        life.begin = numbers[0];
        life.end = numbers[1];
        life.changes.assign(numbers.begin() + 2, numbers.end());
    }
    if (!takeLine(text, "after", lines.after) || !takeLine(text, "present", lines.present) || !text.empty() ||
        !holdsTogether(lines))
        return false;
    error.clear();
    return true;
}
