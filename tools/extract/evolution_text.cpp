#include "extract/evolution_text.h"

#include <array>
#include <cstdio>

#include "colouring/colour_maps.h"
#include "evolution/line_status.h"

std::string formatEvolutionFile(const std::string& name, const std::string& branch, const EvolutionLines& lines)
{
    const std::vector<int> order = evolutionOrder(lines);
    const int count = static_cast<int>(order.size());
    std::string text = name + "\nBranch: " + branch + "\nLines: " + std::to_string(count) +
                       "\nRevisions: " + std::to_string(lines.revisionCount) + "\n";
    const size_t width = std::to_string(count).size();
    const size_t statusWidth = lines.revisionCount > 0 ? 2 * static_cast<size_t>(lines.revisionCount) - 1 : 0;
    const size_t lineWidth = width + 1 + statusWidth + 1;
    size_t at = text.size();
    text.resize(at + order.size() * lineWidth, ' ');
    for (int i = 0; i < count; ++i) {
        const std::string number = std::to_string(i + 1);
        number.copy(&text[at + width - number.size()], number.size());
        text[at + width] = ':';
        const std::string statuses = lineStatuses(lines.lives[order[i]], lines.revisionCount);
        char* cells = &text[at + width + 1];
        for (size_t r = 0; r < statuses.size(); ++r)
            cells[2 * r] = statuses[r];
        text[at + lineWidth - 1] = '\n';
        at += lineWidth;
    }
    return text;
}

std::string formatRevisionList(const SourceHistory& history)
{
    std::string text;
    for (size_t i = 0; i < history.revisions.size(); ++i) {
        const SourceRevision& revision = history.revisions[i];
        std::string author = revision.author;
        for (char& c : author)
            if (c == '%' || c == '\n' || c == '\r')
                c = '_';
        std::string subject = revision.subject;
        for (char& c : subject)
            if (c == '\n' || c == '\r')
                c = ' ';
        // The id stands between the date and the subject, which may hold a
        // '%' of its own and so comes last.
        text += history.branch + std::to_string(i + 1) + "%" + author + "%" + revision.date + "%" + revision.id + "%" +
                subject + "\n";
    }
    return text;
}

std::string formatColourConfiguration()
{
    // The keys by status value.
    constexpr std::array<const char*, lineStatusCount> keys = {"COLOR_CON", "COLOR_MOD", "COLOR_RDEL",
                                                               "COLOR_RADD", "COLOR_ADD", "COLOR_DEL"};
    std::string text;
    for (int status = 0; status < lineStatusCount; ++status) {
        char line[96];
        const Rgb& c = defaultStatusColours[status];
        std::snprintf(line, sizeof line, "%s %g %g %g\n", keys[status], c[0], c[1], c[2]);
        text += line;
    }
    return text;
}
