#pragma once
// One construct the scanner found in a revision's text.

#include <cstdint>

enum SyntaxRegionKind : int32_t {
    regionComment = 1,
    regionBlock = 2,
    regionReference = 3,
    regionString = 5,
};

enum CommentKind : int32_t {
    commentMultiLine = 1,
    commentWholeLine = 2,
    commentRestOfLine = 3,
};

// Whole-line regions end at this column, meaning "to the end of the line".
constexpr int32_t wholeLineEndColumn = 512;

struct SyntaxRegion {
    int32_t startLine = 0;
    int32_t startColumn = 0;
    int32_t endLine = 0;
    int32_t endColumn = 0;
    int32_t kind = 0;
    int32_t commentKind = 0;  // comments only
    int32_t depth = 0;        // blocks only: 0 for a block inside no other
};
