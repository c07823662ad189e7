#include "view/geometry/row_top.h"

#include <algorithm>
#include <cstddef>

#include "app/globals.h"
#include "evolution/evolution_file.h"

bool rowHeightsHold(const EvolutionFile& evolution)
{
    if (!viewState || evolution.rowCount < 0 || evolution.columnCount < 0)
        return false;
    const auto& table = viewState->rowHeights;
    return static_cast<size_t>(evolution.rowCount) < table.size() &&
           static_cast<size_t>(evolution.columnCount) <= table[0].size();
}

bool columnsBalanced()
{
    return viewState && viewState->redistributeSpace != 1 && viewState->balanceImage == 1;
}

float columnTopOffset(const EvolutionFile& evolution, int column)
{
    if (!columnsBalanced() || !rowHeightsHold(evolution) || column < 0 || column >= evolution.columnCount)
        return 0.0f;
    return viewState->rowHeights[static_cast<size_t>(evolution.rowCount)][static_cast<size_t>(column)];
}

float rowTopAt(const EvolutionFile& evolution, int boundary, int row)
{
    const int column = boundary - 1;
    if (column < 0 || column >= evolution.columnCount || !rowHeightsHold(evolution))
        return static_cast<float>(row);
    // Rows before the first or past the last continue at full height, so
    // that positions outside the table stay in line with the rows inside.
    const int summed = std::clamp(row, 0, evolution.rowCount);
    float top = columnTopOffset(evolution, column);
    const auto& table = viewState->rowHeights;
    for (int k = 0; k < summed; ++k)
        top += table[static_cast<size_t>(k)][static_cast<size_t>(column)];
    return top + static_cast<float>(row - summed);
}
