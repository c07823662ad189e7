#pragma once
// The one record of view parameters that the views, the controls and the
// pointer handling share.

#include <array>
#include <cstdint>
#include <vector>

// A coloured stretch behind a line of the code view; end column 10000 means
// the end of the line.
struct CodeSpan {
    float red = 0, green = 0, blue = 0;
    int startColumn = 0;
    int endColumn = 0;
};

// The code view lists at most this many lines, however small its font.
constexpr int codeListingSlots = 100;
constexpr int endOfLineColumn = 10000;

// What the row heights were last computed for: the evolution, its grid, range
// and focus, and the options that shape the shrinking. A frame can then tell
// whether the table still describes what it is about to draw. Whatever
// rewrites the table other than the whole computation clears `valid`.
struct RowHeightsBasis {
    bool valid = false;
    // Set instead of `valid` while the table holds what a reset leaves for
    // the evolution's rows and columns, which the Horizontal layout asks
    // for every frame: a table already at rest is not filled again.
    bool atRest = false;
    const void* evolution = nullptr;
    // The evolution's count of row layouts: rows laid out again may be
    // other rows, even where their count, range and focus are the same.
    uint64_t layoutBuild = 0;
    int rows = 0;
    int columns = 0;
    int focus = -1;
    int first = 0;
    int last = -1;
    int balanceImage = 0;
    int redistributeSpace = 0;
    float curvature = 0.0f;
    float steepness = 0.0f;
    float mixer = 0.0f;

    bool operator==(const RowHeightsBasis&) const = default;
};

class ViewState {
public:
    ViewState(int rows, int columns);

    bool loaded = false;
    int pointerMode = 0;
    int pointerRow = 0;
    int pointerRevision = 0;
    int viewWidth = 0;
    int viewHeight = 0;
    float versionSize = 8.0f;
    float lineSize = 1.0f;
    float scrollY = 0;
    float scrollX = 0;
    int blocksAbove = 10;
    int cushionStrength = 0;
    int versionDrawing = 0;
    // Per shown row and revision, the row's height factor in the
    // Interpolated layout, plus a last row for the space freed per column.
    std::vector<std::vector<float>> rowHeights;
    RowHeightsBasis rowHeightsBasis;
    int balanceImage = 1;
    int redistributeSpace = 1;
    int antiAliasing = 1;
    int displayBlocks = 0;
    float blendingRatio = 0.2f;
    float curvature = 10.0f;
    float steepness = 0.1f;
    float mixer = 3.0f;
    int codeViewHeight = 0;
    int codeViewWidth = 0;
    int fontHeight = 15;
    int fontWidth = 8;
    int fontDifference = 2;
    float fontBaseline = 0;
    float smallFontBaseline = 0;
    int hoverKind = 0;
    std::array<std::array<float, 2>, codeListingSlots> codeLineLifetimes{};
    int codeLineCount = 0;
    float hoverPosition = 0;
    int focusPosition = 1;
    int syntaxHighlighting = 1;
    std::array<int, codeListingSlots> textLineAuthors{};
    std::array<std::vector<CodeSpan>, codeListingSlots> codeLineRegions;
    int textLineCount = 0;
    std::array<int, 2 * codeListingSlots> codeLineAuthors{};
    int attributeIndex = 1;
    int hoverState = 10;
    int tableRows = 0;
    int tableColumns = 0;

    // Makes new row-height tables for tableRows and tableColumns and puts
    // every parameter back to its default.
    void reset();
    // Releases the row-height tables and the code view's spans.
    void release();
};
