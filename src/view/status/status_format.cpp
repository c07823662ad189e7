#include "view/status/status_format.h"

#include <cstdio>

#include "evolution/evolution_file.h"

namespace {

// Formats into a string exactly as long as the result, whatever the length
// of the texts substituted.
template <typename... Values>
std::string formatted(const char* format, Values... values)
{
    const int length = std::snprintf(nullptr, 0, format, values...);
    if (length <= 0)
        return {};
    std::string text(static_cast<size_t>(length), '\0');
    std::snprintf(text.data(), text.size() + 1, format, values...);
    return text;
}

}  // namespace

std::string cellStatusText(int lineNumber, int version, int block, const char* statusName)
{
    return formatted("Line: %5d; Version: %5d Block %5d  %s", lineNumber, version, block,
                     statusName ? statusName : "");
}

std::string authorStatusText(const EvolutionFile& evolution, int revision)
{
    if (revision < 0 || revision >= evolution.columnCount ||
        revision >= static_cast<int>(evolution.revisionAuthors.size()) || !evolution.revisionAuthors[revision])
        return {};
    return formatted(" Author : %s", evolution.revisionAuthors[revision]->authorName.c_str());
}

std::string revisionDetailsText(const EvolutionFile& evolution, int revision)
{
    if (revision < 0 || revision >= static_cast<int>(evolution.revisionAuthors.size()) ||
        !evolution.revisionAuthors[revision])
        return {};
    const RevisionInfo& info = *evolution.revisionAuthors[revision];
    std::string text;
    for (const std::string* part : {&info.id, &info.date, &info.subject})
        if (!part->empty())
            text += (text.empty() ? "  " : " ") + *part;
    return text;
}

int hoverKindOf(int status)
{
    switch (status) {
    case statusModified: return 3;
    case statusReplacedByAddition: return 4;
    case statusReplacedByDeletion: return 5;
    case statusAdded: return 2;
    case statusDeleted: return 1;
    default: return 0;
    }
}
