#include "app/view_state.h"

#include <cstddef>

ViewState::ViewState(int rows, int columns) : tableRows(rows), tableColumns(columns)
{
    reset();
}

void ViewState::reset()
{
    // Negative sizes cannot come from an evolution; they make empty tables.
    const size_t rows = tableRows > 0 ? static_cast<size_t>(tableRows) : 0;
    const size_t columns = tableColumns > 0 ? static_cast<size_t>(tableColumns) : 0;
    rowHeights.assign(rows + 1, std::vector<float>(columns, 0.0f));
    rowHeightsBasis = {};

    loaded = false;
    pointerMode = 0;
    pointerRow = 0;
    pointerRevision = 0;
    versionSize = 8.0f;
    lineSize = 1.0f;
    blocksAbove = 10;
    cushionStrength = 0;
    versionDrawing = 0;
    balanceImage = 1;
    redistributeSpace = 1;
    antiAliasing = 1;
    displayBlocks = 0;
    blendingRatio = 0.2f;
    curvature = 10.0f;
    steepness = 0.1f;
    mixer = 3.0f;
    fontHeight = 15;
    fontWidth = 8;
    fontDifference = 2;
    fontBaseline = 0.0f;
    smallFontBaseline = 0.0f;
    hoverKind = 0;
    codeLineCount = 0;
    hoverPosition = 0.0f;
    focusPosition = 1;
    syntaxHighlighting = 1;
    textLineCount = 0;
    attributeIndex = 1;
    hoverState = 10;
    for (auto& spans : codeLineRegions)
        spans.clear();
}

void ViewState::release()
{
    for (auto& spans : codeLineRegions)
        spans.clear();
    rowHeights.clear();
    rowHeights.shrink_to_fit();
    rowHeightsBasis = {};
}
