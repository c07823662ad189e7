#include "evolution/consistency.h"

#include "evolution/evolution_file.h"
#include "evolution/text_lines.h"

bool statusesMarkChange(char before, char now)
{
    const int a = decodeStatus(before);
    const int b = decodeStatus(now);
    return (a == statusModified && b == statusModified) || b == statusReplacedByDeletion ||
           a == statusReplacedByAddition;
}

namespace {

bool readAllLines(const std::string& path, std::vector<std::string>& lines)
{
    lines.clear();
    TextLines file(path);
    if (!file.isOpen())
        return false;
    std::string_view line;
    while (file.next(line))
        lines.emplace_back(line);
    return true;
}

}  // namespace

std::vector<std::string> checkConsistency(const EvolutionFile& e)
{
    std::vector<std::string> problems;
    std::vector<std::string> previousText, text;
    // Only a text whose line count agrees can be compared line by line.
    bool previousUsable = false;
    for (int r = 0; r < e.revisionCount; ++r) {
        const std::string revision = "revision " + std::to_string(r + 1) + ": ";
        const std::string path = revisionTextPath(e.directory, e.moduleName, e.branch, r + 1);
        bool usable = false;
        if (!readAllLines(path, text)) {
            problems.push_back(revision + "cannot read " + path);
        } else {
            int present = 0;
            for (int line = 0; line < e.lineCount; ++line)
                present += isPresentChar(e.lineStatus[line][r]) ? 1 : 0;
            if (present != static_cast<int>(text.size())) {
                problems.push_back(revision + "the evolution marks " + std::to_string(present) +
                                   " lines present, the text has " + std::to_string(text.size()));
            } else {
                usable = true;
            }
            if (usable && r > 0 && previousUsable) {
                // Positions of each line in the two texts, walked together.
                int before = 0, now = 0;
                for (int line = 0; line < e.lineCount; ++line) {
                    const char a = e.lineStatus[line][r - 1];
                    const char b = e.lineStatus[line][r];
                    const bool inBefore = isPresentChar(a);
                    const bool inNow = isPresentChar(b);
                    if (inBefore && inNow && !statusesMarkChange(a, b) && previousText[before] != text[now])
                        problems.push_back(revision + "evolution line " + std::to_string(line + 1) +
                                           " changed its text without a change mark (text line " +
                                           std::to_string(now + 1) + ")");
                    before += inBefore ? 1 : 0;
                    now += inNow ? 1 : 0;
                }
            }
        }
        previousUsable = usable;
        std::swap(previousText, text);
    }
    return problems;
}
