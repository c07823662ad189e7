#include "extract/rcs_history.h"

#include <memory>
#include <unordered_map>

#include "extract/rcs_edits.h"

namespace {

using Lines = std::vector<std::string_view>;

struct RevisionLines {
    const RcsDelta* delta;
    Lines lines;
};
using Chain = std::vector<RevisionLines>;

// The branch's texts, written out in order: the revision being read and the
// one before it, which its hunks are diffed from.
struct RevisionTexts {
    std::shared_ptr<Chain> chain;
    std::string previous;
    std::string current;
};

// Whether `number` is a revision directly on the branch `prefix`.
bool isOnBranch(const std::string& number, const std::string& prefix)
{
    if (number.size() <= prefix.size() || number.compare(0, prefix.size(), prefix) != 0)
        return false;
    return number.find('.', prefix.size()) == std::string::npos;
}

std::string branchPrefixOf(const std::string& number)
{
    return number.substr(0, number.rfind('.') + 1);
}

// "1.2.4." sprouts at "1.2"; the trunk "1." at nothing.
std::string branchPointOf(const std::string& prefix)
{
    const size_t last = prefix.rfind('.', prefix.size() - 2);
    return last == std::string::npos ? std::string() : prefix.substr(0, last);
}

bool applyDelta(const RcsDelta& delta, const Lines& source, Lines& result, std::string& error)
{
    if (!applyEditScript(source, delta.text, result, error)) {
        error = "revision " + delta.number + ": " + error;
        return false;
    }
    return true;
}

// The texts of the whole trunk from the head down, newest first.
bool walkTrunk(const RcsFile& file, Chain& chain, std::string& error)
{
    const RcsDelta* delta = findDelta(file, file.head);
    if (!delta) {
        error = "the file has no revisions";
        return false;
    }
    chain.push_back({delta, splitTextLines(delta->text)});
    while (!chain.back().delta->next.empty()) {
        const RcsDelta* older = findDelta(file, chain.back().delta->next);
        if (!older || chain.size() > file.deltas.size()) {
            error = "revision " + chain.back().delta->number + " names a missing next revision";
            return false;
        }
        Lines lines;
        if (!applyDelta(*older, chain.back().lines, lines, error))
            return false;
        chain.push_back({older, std::move(lines)});
    }
    return true;
}

// The texts of the branch `prefix`, oldest first: the trunk from the head
// down, or a branch forward from the text of the revision it sprouts at.
bool branchChain(const RcsFile& file, const std::string& prefix,
                 Chain& chain, std::string& error);

bool revisionLines(const RcsFile& file, const std::string& number, Lines& lines, std::string& error)
{
    Chain chain;
    if (!branchChain(file, branchPrefixOf(number), chain, error))
        return false;
    for (RevisionLines& revision : chain) {
        if (revision.delta->number == number) {
            lines = std::move(revision.lines);
            return true;
        }
    }
    error = "revision " + number + " is missing";
    return false;
}

bool branchChain(const RcsFile& file, const std::string& prefix,
                 Chain& chain, std::string& error)
{
    chain.clear();
    const std::string branchPoint = branchPointOf(prefix);
    if (branchPoint.empty()) {
        Chain trunk;
        if (!walkTrunk(file, trunk, error))
            return false;
        for (auto it = trunk.rbegin(); it != trunk.rend(); ++it)
            if (isOnBranch(it->delta->number, prefix))
                chain.push_back(std::move(*it));
        return true;
    }
    const RcsDelta* root = findDelta(file, branchPoint);
    if (!root)
        return true;
    std::string start;
    for (const std::string& first : root->branches)
        if (isOnBranch(first, prefix))
            start = first;
    if (start.empty())
        return true;
    Lines base;
    if (!revisionLines(file, branchPoint, base, error))
        return false;
    for (std::string number = start; !number.empty();) {
        const RcsDelta* delta = findDelta(file, number);
        if (!delta || chain.size() > file.deltas.size()) {
            error = "branch " + prefix + " names a missing revision " + number;
            return false;
        }
        Lines lines;
        if (!applyDelta(*delta, chain.empty() ? base : chain.back().lines, lines, error))
            return false;
        chain.push_back({delta, std::move(lines)});
        number = delta->next;
    }
    return true;
}

// What a revision's text holds: nothing for a dead revision.
const Lines& presentLines(const RevisionLines& revision)
{
    static const Lines none;
    return revision.delta->state == "dead" ? none : revision.lines;
}

// An edit script copies the lines it keeps by reference, so a line that
// lives on from one revision to the next is the very same bytes in both:
// the hunks between them come from that identity, as cvs annotate sees
// it, rather than from a new diff that may pair recurring lines ("{", "}")
// otherwise. Kept lines keep their order, since scripts copy in order.
// False when a line without a line feed stands before others, which the
// text would join into one line; a diff of the texts then decides.
bool keptLineHunks(const Lines& before, const Lines& after, std::vector<LineHunk>& hunks)
{
    for (const Lines* lines : {&before, &after})
        for (size_t i = 0; i + 1 < lines->size(); ++i)
            if (!(*lines)[i].ends_with('\n'))
                return false;
    std::unordered_map<const char*, int> place;
    for (size_t i = 0; i < before.size(); ++i)
        place.emplace(before[i].data(), static_cast<int>(i));
    int oldNext = 0, newNext = 0;
    const auto gapUntil = [&](int oldEnd, int newEnd) {
        if (oldEnd > oldNext || newEnd > newNext)
            hunks.push_back({oldNext, oldEnd - oldNext, newNext, newEnd - newNext});
    };
    for (size_t j = 0; j < after.size(); ++j) {
        const auto kept = place.find(after[j].data());
        if (kept == place.end() || kept->second < oldNext)
            continue;
        gapUntil(kept->second, static_cast<int>(j));
        oldNext = kept->second + 1;
        newNext = static_cast<int>(j) + 1;
    }
    gapUntil(static_cast<int>(before.size()), static_cast<int>(after.size()));
    return true;
}

std::string firstLine(const std::string& text)
{
    std::string line = text.substr(0, text.find('\n'));
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return line;
}

}  // namespace

std::string rcsDateToIso(const std::string& date)
{
    std::vector<std::string> parts;
    size_t start = 0;
    for (size_t dot; (dot = date.find('.', start)) != std::string::npos; start = dot + 1)
        parts.push_back(date.substr(start, dot - start));
    parts.push_back(date.substr(start));
    if (parts.size() != 6)
        return date;
    if (parts[0].size() == 2)
        parts[0] = "19" + parts[0];
    return parts[0] + "-" + parts[1] + "-" + parts[2] + "T" + parts[3] + ":" + parts[4] + ":" + parts[5] + "Z";
}

bool rcsBranchHistory(const RcsFile& file, const std::string& branch, SourceHistory& history, std::string& error)
{
    auto chain = std::make_shared<Chain>();
    if (!branchChain(file, branch, *chain, error))
        return false;
    if (chain->empty()) {
        error = "no revisions on branch " + branch;
        return false;
    }
    history = SourceHistory{};
    history.branch = branch;
    for (size_t i = 0; i < chain->size(); ++i) {
        const RcsDelta& delta = *(*chain)[i].delta;
        if (delta.number != branch + std::to_string(i + 1)) {
            error = "the revisions of branch " + branch + " do not run from " + branch + "1 without a gap (" +
                    delta.number + " is revision " + std::to_string(i + 1) + ")";
            return false;
        }
        history.revisions.push_back({delta.author, rcsDateToIso(delta.date), firstLine(delta.log), delta.number});
    }
    auto texts = std::make_shared<RevisionTexts>();
    texts->chain = std::move(chain);
    history.readRevision = [texts](int index, std::string_view& text, std::vector<LineHunk>& hunks,
                                   std::string& readError) {
        RevisionTexts& t = *texts;
        t.previous.swap(t.current);
        t.current.clear();
        const Lines& lines = presentLines((*t.chain)[index]);
        for (std::string_view line : lines)
            t.current.append(line);
        text = t.current;
        hunks.clear();
        return index == 0 || keptLineHunks(presentLines((*t.chain)[index - 1]), lines, hunks) ||
               diffLines(t.previous, t.current, hunks, readError);
    };
    return true;
}
