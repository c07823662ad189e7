#pragma once
// The status of one line in one revision, as the evolution file spells it.

#include <array>
#include <cstdint>

enum LineStatus : int {
    statusConstant = 0,
    statusModified = 1,
    statusReplacedByDeletion = 2,
    statusReplacedByAddition = 3,
    statusAdded = 4,
    statusDeleted = 5,
};

constexpr int lineStatusCount = 6;

inline int decodeStatus(char c)
{
    switch (c) {
    case 'X': return statusConstant;
    case '-': return statusModified;
    case 'n': return statusReplacedByDeletion;
    case '|': return statusReplacedByAddition;
    case '>': return statusAdded;
    default: return statusDeleted;
    }
}

// Added and deleted lines are not part of the revision's text.
inline bool isPresentStatus(int status) { return status != statusAdded && status != statusDeleted; }
// The characters compared all at once rather than in turn, and the
// comparisons added rather than or-ed, which the compiler would turn into a
// bit test on a mask: so the loops over a row of statuses take many at a
// time.
inline bool isPresentChar(char c)
{
    const auto x = static_cast<uint8_t>(c);
    return (x == 'X') + (x == '-') + (x == 'n') + (x == '|');
}

extern const std::array<const char*, lineStatusCount> lineStatusNames;
