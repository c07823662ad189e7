#pragma once
// The lines of the revision texts that the code view lists, read afresh
// from the files on every listing so that it always shows what is on disk.

#include <string>
#include <vector>

// What a listing shows in place of a line whose revision file cannot be read.
extern const char* const unreadableLineText;

// Reads line `lineNumber` (counted from 1) of the text of revision number
// `revisionNumber` (counted from 1) into `destination`, whole and without its
// line end. A number beyond the end of the text gives its last line, a number
// below 1 an empty line. A file that cannot be opened is reported and gives
// false.
bool readRevisionLine(std::string& destination, int revisionNumber, int lineNumber);

// One slot of a listing: the line to show and where it comes from. Slots
// with revision number 0 stay empty lines.
struct ListedLine {
    int revisionNumber = 0;
    int lineNumber = 0;
    std::string text;
};

// Reads the text of every slot, with one pass over each revision file the
// slots name; the slots of a file that cannot be opened read
// `unreadableLineText`.
void readListedLines(std::vector<ListedLine>& lines);

// The slots' texts one after the other, each ended by a line feed.
std::string joinListedLines(const std::vector<ListedLine>& lines);
