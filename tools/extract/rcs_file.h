#pragma once
// The contents of an RCS file (the ,v file that CVS keeps for each source
// file), as its documented format lays them out.

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

struct RcsDelta {
    std::string number;
    std::string date;    // as the file writes it: [YY]YY.MM.DD.hh.mm.ss, UTC
    std::string author;
    std::string state;   // "dead" for a revision in which the file was removed
    std::vector<std::string> branches;  // the first revision of each branch sprouting here
    std::string next;    // the revision whose text this one's edit script is made from
    std::string log;
    std::string text;    // the whole text for the head, an edit script for the others
};

struct RcsFile {
    std::string head;
    std::vector<RcsDelta> deltas;
    std::unordered_map<std::string, size_t> deltaIndex;  // revision number to its place in `deltas`
};

// Parses the bytes of an RCS file. False, with `error` naming what is wrong
// and its line, when they are not one.
bool parseRcsFile(std::string_view content, RcsFile& file, std::string& error);

// The delta of a revision number, null when the file has none.
const RcsDelta* findDelta(const RcsFile& file, std::string_view number);
