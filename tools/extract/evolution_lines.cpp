#include "extract/evolution_lines.h"

#include <algorithm>

namespace {

constexpr int none = -1;

int newLine(EvolutionLines& lines, int begin)
{
    lines.lives.push_back({begin, lines.revisionCount, {}});
    lines.after.push_back(none);
    return static_cast<int>(lines.lives.size()) - 1;
}

// Puts `line` into the chain right after `anchor`, or first for none.
void linkAfter(EvolutionLines& lines, int anchor, int line)
{
    int& slot = anchor == none ? lines.first : lines.after[anchor];
    lines.after[line] = slot;
    slot = line;
}

}  // namespace

void startEvolution(EvolutionLines& lines, int lineCount)
{
    lines = EvolutionLines{};
    lines.revisionCount = 1;
    int previous = none;
    for (int i = 0; i < lineCount; ++i) {
        const int line = newLine(lines, 0);
        linkAfter(lines, previous, line);
        lines.present.push_back(line);
        previous = line;
    }
}

bool addRevision(EvolutionLines& lines, const std::vector<LineHunk>& hunks, int lineCount, std::string& error)
{
    const int r = lines.revisionCount;
    const int oldCount = static_cast<int>(lines.present.size());
    std::vector<int> now;
    now.reserve(lineCount);
    int oldNext = 0;
    for (const LineHunk& h : hunks) {
        if (h.oldFirst < oldNext || h.oldCount < 0 || h.newCount < 0 || h.oldFirst + h.oldCount > oldCount ||
            h.newFirst != static_cast<int>(now.size()) + (h.oldFirst - oldNext)) {
            error = "the line diff does not fit the texts";
            return false;
        }
        now.insert(now.end(), lines.present.begin() + oldNext, lines.present.begin() + h.oldFirst);
        const int paired = std::min(h.oldCount, h.newCount);
        for (int i = 0; i < paired; ++i) {
            const int line = lines.present[h.oldFirst + i];
            lines.lives[line].changes.push_back(r);
            now.push_back(line);
        }
        for (int i = paired; i < h.oldCount; ++i)
            lines.lives[lines.present[h.oldFirst + i]].end = r;
        int anchor = h.oldCount > 0 ? lines.present[h.oldFirst + h.oldCount - 1]
                     : h.oldFirst > 0 ? lines.present[h.oldFirst - 1]
                                      : none;
        for (int i = paired; i < h.newCount; ++i) {
            const int line = newLine(lines, r);
            linkAfter(lines, anchor, line);
            now.push_back(line);
            anchor = line;
        }
        oldNext = h.oldFirst + h.oldCount;
    }
    now.insert(now.end(), lines.present.begin() + oldNext, lines.present.end());
    if (static_cast<int>(now.size()) != lineCount) {
        error = "the line diff does not fit the texts";
        return false;
    }
    lines.present = std::move(now);
    lines.revisionCount = r + 1;
    for (int line : lines.present)
        lines.lives[line].end = r + 1;
    return true;
}

std::vector<int> evolutionOrder(const EvolutionLines& lines)
{
    std::vector<int> order;
    order.reserve(lines.lives.size());
    for (int line = lines.first; line != none; line = lines.after[line])
        order.push_back(line);
    return order;
}
