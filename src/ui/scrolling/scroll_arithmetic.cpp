#include "ui/scrolling/scroll_arithmetic.h"

#include <algorithm>

namespace {

// `content` is the extent at the new size, as the axis measures it.
AxisZoom zoomAboutCentre(int count, float content, float oldSize, float newSize, float scroll, int viewExtent)
{
    if (content <= static_cast<float>(viewExtent))
        return {fittedCellSize(viewExtent, count, newSize), 0.0f};
    const float half = static_cast<float>(viewExtent) * 0.5f;
    // A collapsed axis has no centre to keep; it opens at its start.
    const float centred = oldSize > 0.0f ? (scroll + half) * newSize / oldSize - half : 0.0f;
    return {newSize, std::clamp(centred, 0.0f, content - static_cast<float>(viewExtent))};
}

}  // namespace

float lineContentHeight(int rows, float lineSize)
{
    return static_cast<float>(rows) * lineSize;
}

int revisionContentWidth(int columns, float versionSize)
{
    return static_cast<int>(static_cast<float>(columns) * versionSize);
}

float scrollKnobSize(float sliderExtent, float contentExtent)
{
    if (contentExtent <= 0.0f)
        return 1.0f;
    return std::min(sliderExtent / contentExtent, 1.0f);
}

float lineScrollValue(int rows, float scrollY, float contentHeight, int sliderHeight)
{
    const float excess = contentHeight - static_cast<float>(sliderHeight);
    return excess > 2.0f ? static_cast<float>(rows) * scrollY / excess : 0.0f;
}

float revisionScrollValue(int columns, float scrollX, int contentWidth, int sliderWidth)
{
    const int excess = contentWidth - sliderWidth;
    return excess >= 3 ? static_cast<float>(columns) * scrollX / static_cast<float>(excess) : 0.0f;
}

float scrollForSliderValue(int count, float cellSize, int sliderExtent, int value)
{
    if (count <= 0)
        return 0.0f;
    const float excess = static_cast<float>(count) * cellSize - static_cast<float>(sliderExtent);
    return excess * static_cast<float>(value) / static_cast<float>(count);
}

float fittedCellSize(int viewExtent, int count, float unchanged)
{
    return count > 0 ? static_cast<float>(viewExtent) / static_cast<float>(count) : unchanged;
}

AxisZoom zoomLineAxis(int rows, float oldSize, float newSize, float scrollY, int viewHeight)
{
    return zoomAboutCentre(rows, lineContentHeight(rows, newSize), oldSize, newSize, scrollY, viewHeight);
}

AxisZoom zoomRevisionAxis(int columns, float oldSize, float newSize, float scrollX, int viewWidth)
{
    return zoomAboutCentre(columns, static_cast<float>(revisionContentWidth(columns, newSize)), oldSize, newSize,
                           scrollX, viewWidth);
}
