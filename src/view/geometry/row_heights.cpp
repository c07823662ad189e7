#include "view/geometry/row_heights.h"

#include <algorithm>
#include <cstddef>

#include "app/globals.h"
#include "evolution/evolution_file.h"

void resetRowHeights(const EvolutionFile& evolution)
{
    auto& heights = viewState->rowHeights;
    // The layouts that reset the table every frame leave it holding no
    // Interpolated computation.
    const RowHeightsBasis rest{.atRest = true, .evolution = &evolution, .rows = evolution.rowCount,
                               .columns = evolution.columnCount};
    if (viewState->rowHeightsBasis == rest)
        return;
    viewState->rowHeightsBasis = rest;
    if (heights.empty())
        return;
    const size_t rows = std::min(static_cast<size_t>(std::max(evolution.rowCount, 0)), heights.size() - 1);
    for (size_t i = 0; i <= rows; ++i) {
        auto& row = heights[i];
        const size_t columns = std::min(static_cast<size_t>(std::max(evolution.columnCount, 0)), row.size());
        std::fill(row.begin(), row.begin() + static_cast<std::ptrdiff_t>(columns), i < rows ? 1.0f : 0.0f);
    }
}
