#pragma once
// The in-memory evolution: every line that ever existed in one source file,
// by every revision of one branch, with the derived rows, spans, runs and
// blocks that the views draw.

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "evolution/line_status.h"
#include "syntax/syntax_region.h"

class Grammar;

struct RevisionInfo {
    std::string authorName;
    int32_t authorIndex = -1;
    // The fields after the author, where the revision list has them:
    // "date%id%subject", or "date%subject" in lists written before ids.
    std::string date;
    std::string id;
    std::string subject;
};

// Fills the date, id and subject of `info` from the revision list's fields
// after the author.
void readRevisionDetails(std::string_view fields, RevisionInfo& info);

struct LineSpan {
    int32_t row = 0;
    int32_t length = 0;
    int32_t firstRevision = 0;
};

struct RevisionRun {
    int32_t firstRow = 0;
    int32_t revision = 0;
    int32_t length = 0;
};

struct EvolutionBlock {
    int32_t firstRow = 0;
    int32_t firstRevision = 0;
    int32_t lastRow = 0;
    int32_t lastRevision = 0;
    float level = 0;
};

// Syntax classes of a cell, one byte each: the class table has a cell for
// every line and revision.
enum SyntaxClass : uint8_t {
    classPlain = 0,
    classComment = 1,
    classString = 2,
    classReference = 3,
    classBlock = 10,      // outermost block; one more per level
    classDeepestBlock = 14,
};

// View modes, the index of the "View mode" choice.
enum ViewMode : int { modeNormal = 0, modeHorizontal = 1, modeInterpolated = 2 };

class EvolutionFile {
public:
    EvolutionFile(std::string directory, std::string fileName, Grammar* grammar);

    // The row counts and range; see the loader for their initial values.
    int32_t rowCount = 0;
    int32_t columnCount = 0;
    int32_t firstRevision = 0;
    int32_t lastRevision = -1;
    int32_t focusRevision = -1;
    int32_t maxRevisionLength = 0;

    // Row to the status and class rows of its line; the first rowCount
    // entries are meaningful.
    std::vector<char*> rowStatus;
    std::vector<uint8_t*> rowClasses;
    std::vector<RevisionInfo*> revisionAuthors;  // null where the revision list is silent
    Grammar* grammar = nullptr;

    int32_t lineCount = 0;
    int32_t revisionCount = 0;
    std::vector<char*> lineStatus;       // per line, revisionCount status characters
    std::vector<uint8_t*> lineClasses;   // per line, revisionCount syntax classes
    std::vector<std::unique_ptr<RevisionInfo>> revisionInfo;
    std::vector<std::vector<SyntaxRegion>> revisionRegions;

    std::string fileName;
    std::string moduleName;
    std::string branch;
    std::string directory;  // keeps its trailing '/'

    std::vector<LineSpan> lineSpans;
    std::vector<RevisionRun> runs;
    std::vector<int32_t> presentRows;    // per revision, how many rows are present in it
    std::vector<int32_t> constantRevisions;  // per row, in how many revisions it is constant
    std::vector<EvolutionBlock> blocks;
    int32_t maxBlockLevel = 1;

    bool loadEvolution();

    int status(int row, int revision) const { return decodeStatus(rowStatus[row][revision]); }
    const char* statusName(int row, int revision) const { return lineStatusNames[status(row, revision)]; }
    int lineStatusAt(int line, int revision) const { return decodeStatus(lineStatus[line][revision]); }
    bool rowPresent(int row, int revision) const { return isPresentChar(rowStatus[row][revision]); }

    // The block covering the cell of `row` at `revision`, -1 for none or
    // while the blocks are older than the rows.
    int blockAt(int row, int revision) const;

    // The runs of present rows of a revision of the range, from the top;
    // none for a revision outside it.
    std::span<const RevisionRun> revisionRuns(int revision) const;

    int presentLineIndex(int k, int first, int last) const;
    int lineNumberIn(int line, int revision) const;
    int lineAuthor(int line, int revision) const;
    // The author number of a revision, -1 when the revision list has no entry.
    int revisionAuthorIndex(int revision) const;
    // The author's name for printing, "unknown" when there is none.
    const char* revisionAuthorName(int revision) const;

    void copyModuleName(std::string& out) const { out = moduleName; }
    void copyBranch(std::string& out) const { out = branch; }
    void copyDirectory(std::string& out) const { out = directory; }

    // Shown rows, spans, runs and blocks.
    void applyViewMode(int mode);
    void setFocusRevision(int mode, int revision);
    void setRevisionRange(int mode, int first, int last);
    void buildLineLayout();
    // How many times the rows were laid out; what was derived from the rows
    // is stale once this has moved on.
    uint64_t layoutBuildCount() const { return layoutBuilds; }
    void buildBlocks(int sorting);
    // Appends one block and gives its number.
    int addBlock(int firstRow, int firstRevision, int lastRow, int lastRevision, int level);

private:
    bool readEvolutionFile();
    bool readRevisionList();
    void scanRevisionTexts();
    void assignSyntaxClasses();
    void applyRangeFilter(int first, int last);
    void applyFocusFilter(int revision);

    // The tables the pointers above refer into, one allocation each.
    std::vector<char> statusCells;
    std::vector<uint8_t> classCells;

    // Where each revision's runs begin in `runs`, from the range's first
    // revision, with the end of the last.
    std::vector<size_t> rangeRunStarts;
    // The blocks of one build never overlap: each run (sorting by lines) or
    // each span (by revisions) lies in exactly one. The block of a cell is
    // that of the run or span holding it, which takes a number a run or a
    // row instead of one a cell.
    std::vector<int32_t> runBlocks;
    std::vector<int32_t> spanBlocks;

    // Whether the rows are those the range filter kept, with no focus
    // filter after it; the rows as loaded are every line.
    bool rowsFromRangeAlone = false;

    // Blocks follow from the spans and runs and the sorting alone, so a
    // build for the same layout build and sorting would give them again:
    // a click or a range change that leaves the rows as they were must not
    // pay for sorting millions of runs once more.
    uint64_t layoutBuilds = 0;
    uint64_t blocksLayoutBuild = 0;
    int blocksSorting = -1;
};

// Paths of the files beside an evolution; the directory ends with '/'.
std::string evolutionFilePath(const std::string& directory, const std::string& fileName);
std::string revisionListPath(const std::string& directory, const std::string& moduleName);
std::string revisionTextPath(const std::string& directory, const std::string& moduleName,
                             const std::string& branch, int revisionNumber);
