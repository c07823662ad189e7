// Filling an EvolutionFile from the evolution file, the revision list and
// the text of every revision.

#include <algorithm>
#include <cstdint>
#include <string>
#include <sys/mman.h>
#include <thread>
#include <unistd.h>
#include <unordered_map>
#include <vector>

#include "evolution/evolution_file.h"
#include "evolution/text_fields.h"
#include "evolution/text_lines.h"
#include "syntax/grammar.h"

namespace {

constexpr int headerLineCount = 4;

// The data lines bound the revision count of an evolution that has lines;
// one without lines would otherwise make tables for any count its header
// claims. No branch comes near this many revisions.
constexpr int maximumRevisionCount = 1000000;

// A header line "Keyword: value", the keyword matched at the very start of
// the line and the value after optional blanks.
bool headerValue(std::string_view line, std::string_view keyword, std::string_view& rest)
{
    if (line.substr(0, keyword.size()) != keyword)
        return false;
    rest = line.substr(keyword.size());
    return true;
}

// Reserves room for `count` entries and asks for it in large pages. The
// tables of a large evolution run to hundreds of megabytes, and filling them
// in small pages spends longer in page faults than in writing; large pages
// take 512 times fewer. A hint only: the system may decline it.
template <typename T>
void reserveInLargePages(std::vector<T>& table, size_t count)
{
    table.reserve(count);
    constexpr uintptr_t largePage = uintptr_t{1} << 21;
    const uintptr_t begin = (reinterpret_cast<uintptr_t>(table.data()) + largePage - 1) & ~(largePage - 1);
    const uintptr_t end = reinterpret_cast<uintptr_t>(table.data() + count) & ~(largePage - 1);
    if (begin < end)
        ::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
}

class LoadError {
public:
    explicit LoadError(std::string path_) : path(std::move(path_)) {}
    bool fail(int lineNumber, const std::string& reason) const
    {
        reportError(path + ": line " + std::to_string(lineNumber) + ": " + reason);
        return false;
    }

private:
    std::string path;
};

}  // namespace

bool EvolutionFile::loadEvolution()
{
    if (!readEvolutionFile())
        return false;
    buildLineLayout();
    if (!readRevisionList())
        return false;
    if (!grammar)
        return true;
    scanRevisionTexts();
    assignSyntaxClasses();
    return true;
}

bool EvolutionFile::readEvolutionFile()
{
    const std::string path = evolutionFilePath(directory, fileName);
    TextLines file(path);
    if (!file.isOpen()) {
        reportOpenFailure(path);
        return false;
    }
    const LoadError error(path);

    std::string_view line, rest, word;
    if (!file.next(line))
        return error.fail(1, "the file is empty");
    if (rest = line; !takeWord(rest, word))
        return error.fail(1, "expected the name of the source file");
    std::string module(word);

    if (!file.next(line) || !headerValue(line, "Branch:", rest) || !takeWord(rest, word))
        return error.fail(2, "expected \"Branch: <prefix>\"");
    std::string branchPrefix(word);

    int lines = 0, revisions = 0;
    if (!file.next(line) || !headerValue(line, "Lines:", rest) || !takeInt(rest, lines))
        return error.fail(3, "expected \"Lines: <count>\"");
    if (lines < 0)
        return error.fail(3, "the line count is negative");
    if (!file.next(line) || !headerValue(line, "Revisions:", rest) || !takeInt(rest, revisions))
        return error.fail(4, "expected \"Revisions: <count>\"");
    if (revisions < 0)
        return error.fail(4, "the revision count is negative");
    if (revisions > maximumRevisionCount)
        return error.fail(4, "the revision count is larger than " + std::to_string(maximumRevisionCount));

    // The data lines are checked one by one before they are stored, and the
    // tables sized by the counts are made only once every line has been
    // read: a header may claim far more than the file holds. The status
    // table alone is reserved at once, for no more lines than the file can
    // hold: a data line takes at least two bytes a column, its ':' and its
    // statuses with the blanks between them.
    const size_t columns = static_cast<size_t>(revisions);
    const size_t minimumLength = columns == 0 ? 0 : 2 * columns - 1;
    std::vector<char> cells;
    if (columns > 0)
        reserveInLargePages(cells, std::min(static_cast<size_t>(lines), file.byteCount() / (2 * columns)) * columns);
    for (int i = 0; i < lines; ++i) {
        const int lineNumber = headerLineCount + 1 + i;
        if (!file.next(line))
            return error.fail(lineNumber, "the file ends after " + std::to_string(i) + " of " +
                                              std::to_string(lines) + " data lines");
        const size_t colon = line.find(':');
        if (colon == std::string_view::npos)
            return error.fail(lineNumber, "the data line has no ':'");
        const std::string_view statuses = line.substr(colon + 1);
        if (statuses.size() < minimumLength)
            return error.fail(lineNumber, "the data line is shorter than its " + std::to_string(revisions) +
                                              " status columns");
        const size_t stored = cells.size();
        cells.resize(stored + columns);
        char* row = cells.data() + stored;
        for (size_t j = 0; j < columns; ++j)
            row[j] = statuses[2 * j];
    }

    moduleName = std::move(module);
    branch = std::move(branchPrefix);
    lineCount = lines;
    revisionCount = revisions;
    rowCount = lineCount;
    columnCount = revisionCount;
    firstRevision = 0;
    lastRevision = revisionCount - 1;
    focusRevision = -1;
    maxRevisionLength = 0;

    const size_t cellCount = cells.size();
    statusCells = std::move(cells);
    reserveInLargePages(classCells, cellCount);
    classCells.assign(cellCount, classPlain);
    lineStatus.resize(lines);
    lineClasses.resize(lines);
    for (int i = 0; i < lines; ++i) {
        const size_t offset = static_cast<size_t>(i) * columns;
        lineStatus[i] = statusCells.data() + offset;
        lineClasses[i] = classCells.data() + offset;
    }
    rowStatus = lineStatus;
    rowClasses = lineClasses;
    revisionRegions.assign(columns, {});
    revisionInfo.clear();
    revisionInfo.resize(columns);
    revisionAuthors.assign(columns, nullptr);
    return true;
}

bool EvolutionFile::readRevisionList()
{
    const std::string path = revisionListPath(directory, moduleName);
    TextLines file(path);
    if (!file.isOpen()) {
        reportOpenFailure(path);
        return false;
    }

    // Equal names share one author number, numbered in order of first
    // appearance. An entry that replaces another for the same revision can
    // leave a name held by no revision; such a name counts as new when it
    // comes back, so each name keeps the number of revisions holding it.
    struct Holders {
        int32_t index;
        int count;
    };
    std::unordered_map<std::string, Holders> authors;
    int32_t authorCounter = 0;

    std::string_view line;
    while (file.next(line)) {
        const size_t first = line.find('%');
        if (first == std::string_view::npos)
            continue;
        const size_t second = line.find('%', first + 1);
        if (second == std::string_view::npos)
            continue;
        const std::string_view number = line.substr(0, first);
        const size_t dot = number.rfind('.');
        if (dot == std::string_view::npos)
            continue;
        int revisionNumber = 0;
        if (!parseCount(number.substr(dot + 1), revisionNumber))
            continue;
        if (number.substr(0, dot + 1) != branch)
            continue;
        const int column = revisionNumber - 1;
        if (column < 0 || column >= revisionCount)
            continue;

        if (RevisionInfo* old = revisionInfo[column].get()) {
            auto held = authors.find(old->authorName);
            if (held != authors.end() && --held->second.count == 0)
                authors.erase(held);
        }
        auto info = std::make_unique<RevisionInfo>();
        info->authorName = std::string(line.substr(first + 1, second - first - 1));
        readRevisionDetails(line.substr(second + 1), *info);
        auto [held, isNew] = authors.try_emplace(info->authorName, Holders{authorCounter, 0});
        if (isNew)
            ++authorCounter;
        ++held->second.count;
        info->authorIndex = held->second.index;
        revisionInfo[column] = std::move(info);
    }

    for (int j = 0; j < revisionCount; ++j)
        revisionAuthors[j] = revisionInfo[j].get();
    return true;
}

void readRevisionDetails(std::string_view fields, RevisionInfo& info)
{
    const size_t dateEnd = fields.find('%');
    info.date = std::string(fields.substr(0, dateEnd));
    if (dateEnd == std::string_view::npos)
        return;
    std::string_view rest = fields.substr(dateEnd + 1);
    // An id is a commit's hex digits or a dotted revision number; anything
    // else before a '%' is a subject that holds one.
    const size_t idEnd = rest.find('%');
    const std::string_view id = rest.substr(0, idEnd);
    if (idEnd != std::string_view::npos &&
        id.find_first_not_of("0123456789abcdef.") == std::string_view::npos) {
        info.id = std::string(id);
        rest.remove_prefix(idEnd + 1);
    }
    info.subject = std::string(rest);
}

// The texts are scanned on two cores: a second thread takes the later half
// with its own copy of the grammar, whose only state is the list it fills,
// and each revision's regions go to their own list. A text that cannot be
// read is left to this thread, which scans it after its own half and so
// reports the missing files in the order of the revisions.
void EvolutionFile::scanRevisionTexts()
{
    const int half = revisionCount / 2;
    std::vector<char> scanned(static_cast<size_t>(std::max(revisionCount, 0)), 0);
    Grammar copy = *grammar;
    std::thread laterHalf([&] {
        for (int r = half; r < revisionCount; ++r) {
            const std::string path = revisionTextPath(directory, moduleName, branch, r + 1);
            if (access(path.c_str(), R_OK) != 0)
                continue;
            copy.setTarget(&revisionRegions[r]);
            scanned[r] = copy.scan(path) ? 1 : 0;
        }
    });
    const auto scanHere = [this](int r) {
        grammar->setTarget(&revisionRegions[r]);
        grammar->scan(revisionTextPath(directory, moduleName, branch, r + 1));
    };
    for (int r = 0; r < half; ++r)
        scanHere(r);
    laterHalf.join();
    for (int r = half; r < revisionCount; ++r)
        if (!scanned[r])
            scanHere(r);
}

static uint8_t regionClass(const SyntaxRegion& region)
{
    switch (region.kind) {
    case regionComment: return classComment;
    case regionString: return classString;
    case regionReference: return classReference;
    case regionBlock:
        return static_cast<uint8_t>(region.depth >= classDeepestBlock - classBlock ? classDeepestBlock
                                                                                  : classBlock + region.depth);
    default: return classPlain;
    }
}

// The class of every text line of one revision, up to the last line a
// region reaches.
static void textLineClasses(const std::vector<SyntaxRegion>& regions, std::vector<uint8_t>& classes)
{
    int lastLine = -1;
    for (const SyntaxRegion& region : regions)
        lastLine = std::max(lastLine, region.endLine);
    classes.assign(static_cast<size_t>(lastLine + 1), classPlain);
    // Backwards, so that a region listed earlier wins on the lines it shares
    // with a later one: inner blocks and the comments inside a block come
    // before the block itself.
    for (auto region = regions.rbegin(); region != regions.rend(); ++region) {
        const uint8_t cls = regionClass(*region);
        for (int k = std::max(region->startLine, 0); k <= region->endLine; ++k)
            classes[k] = cls;
    }
}

void EvolutionFile::assignSyntaxClasses()
{
    // The k-th text line of revision r is the k-th line present at r. The
    // classes of the text lines are worked out per revision first, then
    // written line by line for a batch of revisions at a time, so that the
    // status and class tables are walked in the order they lie in memory.
    constexpr int batchSize = 64;
    std::vector<std::vector<uint8_t>> textClasses(batchSize);
    std::vector<size_t> nextTextLine(batchSize);
    for (int batch = 0; batch < columnCount; batch += batchSize) {
        const int batchEnd = std::min(batch + batchSize, columnCount);
        for (int r = batch; r < batchEnd; ++r)
            textLineClasses(revisionRegions[r], textClasses[r - batch]);
        std::fill(nextTextLine.begin(), nextTextLine.end(), 0);
        for (int line = 0; line < lineCount; ++line) {
            const char* statuses = lineStatus[line];
            uint8_t* classes = lineClasses[line];
            for (int r = batch; r < batchEnd; ++r) {
                uint8_t cls = classPlain;
                if (isPresentChar(statuses[r])) {
                    const std::vector<uint8_t>& text = textClasses[r - batch];
                    const size_t k = nextTextLine[r - batch]++;
                    if (k < text.size())
                        cls = text[k];
                }
                classes[r] = cls;
            }
        }
    }
}
