#include "ui/controls/fit_to_line.h"

CellSizes fitToLineSizes(int rows, int columns, int viewWidth, int viewHeight)
{
    CellSizes sizes;
    if (rows > 0 && rows < viewHeight)
        sizes.lineSize = static_cast<float>(viewHeight) / static_cast<float>(rows);
    if (columns > 0 && columns < viewWidth)
        sizes.versionSize = static_cast<float>(viewWidth) / static_cast<float>(columns);
    return sizes;
}
