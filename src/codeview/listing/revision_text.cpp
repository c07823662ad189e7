#include "codeview/listing/revision_text.h"

#include <algorithm>
#include <map>

#include "app/globals.h"
#include "evolution/evolution_file.h"
#include "evolution/text_lines.h"

const char* const unreadableLineText = "Line could not be read !";

namespace {

// Fills the slots, all of one revision, in a single pass over its text.
bool readLinesOfRevision(int revisionNumber, std::vector<ListedLine*>& slots)
{
    const std::string path = revisionTextPath(currentDirectory, currentModuleName, currentBranch, revisionNumber);
    TextLines file(path);
    if (!file.isOpen()) {
        reportError("Could not open file " + path);
        return false;
    }
    std::stable_sort(slots.begin(), slots.end(),
                     [](const ListedLine* a, const ListedLine* b) { return a->lineNumber < b->lineNumber; });

    std::string_view line;
    int number = 0;
    auto next = slots.begin();
    for (; next != slots.end() && (*next)->lineNumber < 1; ++next)
        (*next)->text.clear();
    while (next != slots.end() && file.next(line)) {
        ++number;
        for (; next != slots.end() && (*next)->lineNumber == number; ++next)
            (*next)->text.assign(line);
    }
    if (next == slots.end())
        return true;
    // Past the end of the text its last line stands for the rest. Going back
    // for it is rare; keeping a copy of every line read on the way is not.
    file.rewind();
    std::string_view last;
    for (int i = 0; i < number && file.next(line); ++i)
        last = line;
    const std::string lastLine(last);
    for (; next != slots.end(); ++next)
        (*next)->text = lastLine;
    return true;
}

}  // namespace

bool readRevisionLine(std::string& destination, int revisionNumber, int lineNumber)
{
    ListedLine slot{revisionNumber, lineNumber, {}};
    std::vector<ListedLine*> slots{&slot};
    if (!readLinesOfRevision(revisionNumber, slots))
        return false;
    destination = std::move(slot.text);
    return true;
}

void readListedLines(std::vector<ListedLine>& lines)
{
    std::map<int, std::vector<ListedLine*>> byRevision;
    for (ListedLine& slot : lines) {
        if (slot.revisionNumber != 0)
            byRevision[slot.revisionNumber].push_back(&slot);
        else
            slot.text.clear();
    }
    for (auto& [revisionNumber, slots] : byRevision) {
        if (readLinesOfRevision(revisionNumber, slots))
            continue;
        for (ListedLine* slot : slots)
            slot->text = unreadableLineText;
    }
}

std::string joinListedLines(const std::vector<ListedLine>& lines)
{
    std::string text;
    for (const ListedLine& slot : lines) {
        text += slot.text;
        text += '\n';
    }
    return text;
}
