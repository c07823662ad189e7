#include "view/navigation/pointer_steps.h"

int lockModeForFirstMove(int dx, int dy)
{
    return dy < dx ? pointerRowLocked : pointerRevisionLocked;
}

int lockedRowY(int x, int x0, int y0, int x1, int y1, float lineSize)
{
    int y = y0;
    if (x1 != x0) {
        if (y0 > y1)
            y = (y0 - y1) * (x1 - x) / (x1 - x0) + y1;
        else
            y = (y1 - y0) * (x - x0) / (x1 - x0) + y0;
    }
    if (lineSize > 2.0f)
        y = static_cast<int>(static_cast<float>(y) + lineSize * 0.5f);
    return y;
}

PointerStep arrowKeyStep(ArrowKey key, int x, int y, int width, int height, float versionSize, float lineSize)
{
    const float fx = static_cast<float>(x), fy = static_cast<float>(y);
    const float w = static_cast<float>(width), h = static_cast<float>(height);
    switch (key) {
    case arrowLeft:
        if (fx >= versionSize && x < width && y >= 0 && y < height)
            return {true, static_cast<int>(fx - versionSize), y};
        break;
    case arrowRight:
        // Unlike Left, Right also refuses the bottom row of cells, as Down
        // does.
        if (x >= 0 && fx < w - versionSize && y >= 0 && fy < h - lineSize)
            return {true, static_cast<int>(fx + versionSize), y};
        break;
    case arrowUp:
        if (x >= 0 && x < width && fy >= lineSize && y < height)
            return {true, x, static_cast<int>(fy - lineSize)};
        break;
    case arrowDown:
        if (x >= 0 && x < width && y >= 0 && fy < h - lineSize)
            return {true, x, static_cast<int>(fy + lineSize)};
        break;
    }
    return {};
}
