// Scroll sliders and zoom against their defining properties: the slider
// counts cells from the first to the last, zooming keeps the centre cell
// under the centre, and no step scrolls outside the content.

#include "ui/scrolling/scroll_arithmetic.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

float centreCell(const AxisZoom& axis, int viewExtent)
{
    return (axis.scroll + viewExtent * 0.5f) / axis.cellSize;
}

}  // namespace

TEST(ScrollArithmetic, KnobsAndSliderValues)
{
    struct Knob { float slider, content, want; };
    for (const Knob& k : {Knob{100, 400, 0.25f}, {400, 400, 1}, {400, 100, 1}, {400, 0, 1}, {0, 0, 1}})
        EXPECT_FLOAT_EQ(scrollKnobSize(k.slider, k.content), k.want) << k.slider << " " << k.content;
    // Content at most two pixels longer than the slider counts as fitting:
    // above 2 on the row axis, 3 whole pixels or more on the revision axis.
    struct Value { int cells; float scroll, content; int slider; float want; };
    for (const Value& v : {Value{50, 2, 202, 200, 0}, {50, 1, 201.5f, 200, 0}, {50, 1, 202.5f, 200, 50 / 2.5f},
                           {50, 30, 100, 200, 0}, {100, 0, 400, 100, 0}, {100, 150, 400, 100, 50}, {100, 300, 400, 100, 100}})
        EXPECT_FLOAT_EQ(lineScrollValue(v.cells, v.scroll, v.content, v.slider), v.want) << v.content << " " << v.scroll;
    for (const Value& v : {Value{10, 2, 102, 100, 0}, {10, 3, 103, 100, 10}, {10, 30, 60, 100, 0}, {20, 100, 300, 100, 10},
                           {20, 200, 300, 100, 20}})
        EXPECT_FLOAT_EQ(revisionScrollValue(v.cells, v.scroll, static_cast<int>(v.content), v.slider), v.want)
            << v.content << " " << v.scroll;
    EXPECT_FLOAT_EQ(lineContentHeight(3, 33.5f), 100.5f);
    EXPECT_EQ(revisionContentWidth(3, 33.5f), 100);
}

TEST(ScrollArithmetic, TheSliderPositionInvertsTheScrollValue)
{
    EXPECT_FLOAT_EQ(scrollForSliderValue(100, 4.0f, 100, 0), 0.0f);
    EXPECT_FLOAT_EQ(scrollForSliderValue(100, 4.0f, 100, 100), 300.0f);
    for (int value : {1, 17, 50, 99}) {
        const float scroll = scrollForSliderValue(100, 4.0f, 100, value);
        EXPECT_NEAR(lineScrollValue(100, scroll, lineContentHeight(100, 4.0f), 100), value, 1e-3) << value;
    }
    // Not truncated to whole pixels, and nowhere to go without cells.
    EXPECT_FLOAT_EQ(scrollForSliderValue(3, 40.5f, 100, 3), 21.5f);
    EXPECT_FLOAT_EQ(scrollForSliderValue(0, 4.0f, 100, 1), 0.0f);
    EXPECT_FLOAT_EQ(fittedCellSize(400, 3, 8.0f), 400.0f / 3.0f);
    EXPECT_FLOAT_EQ(fittedCellSize(400, 0, 8.0f), 8.0f);
}

TEST(ScrollArithmetic, ZoomKeepsTheCentreOrFitsAndStaysWithinTheContent)
{
    for (float newSize : {12.0f, 20.0f, 37.5f}) {
        const AxisZoom before{10.0f, 300.0f};
        const AxisZoom after = zoomLineAxis(100, before.cellSize, newSize, before.scroll, 200);
        EXPECT_FLOAT_EQ(after.cellSize, newSize);
        EXPECT_NEAR(centreCell(after, 200), centreCell(before, 200), 1e-4) << newSize;
    }
    EXPECT_NEAR(centreCell(zoomRevisionAxis(40, 10.0f, 25.0f, 100.0f, 200), 200), 20.0f, 1e-4);
    // Clamped at either end; fitted to the view, from its start, once the
    // content would be no longer than the view.
    EXPECT_FLOAT_EQ(zoomLineAxis(100, 10.0f, 5.0f, 0.0f, 200).scroll, 0.0f);
    EXPECT_FLOAT_EQ(zoomLineAxis(100, 10.0f, 5.0f, 800.0f, 200).scroll, 300.0f);
    EXPECT_FLOAT_EQ(zoomRevisionAxis(40, 10.0f, 7.5f, 200.0f, 200).scroll, 100.0f);
    const AxisZoom fitted = zoomLineAxis(100, 10.0f, 1.5f, 400.0f, 200);
    EXPECT_EQ(std::pair(fitted.cellSize, fitted.scroll), std::pair(2.0f, 0.0f));
    EXPECT_FLOAT_EQ(zoomLineAxis(100, 10.0f, 2.0f, 400.0f, 200).scroll, 0.0f);
    EXPECT_FLOAT_EQ(zoomLineAxis(3, 50.0f, 33.5f, 10.0f, 100).cellSize, 33.5f);
    EXPECT_FLOAT_EQ(zoomRevisionAxis(3, 50.0f, 33.5f, 10.0f, 100).cellSize, 100.0f / 3.0f);
    // No cells, a collapsed axis, a view of no height.
    EXPECT_EQ(std::pair(zoomLineAxis(0, 1.0f, 4.0f, 25.0f, 470).scroll, zoomRevisionAxis(0, 8, 12, 25, 400).scroll),
              std::pair(0.0f, 0.0f));
    EXPECT_FLOAT_EQ(zoomLineAxis(100, 0.0f, 10.0f, 0.0f, 200).scroll, 0.0f);
    EXPECT_FLOAT_EQ(zoomLineAxis(100, 2.0f, 4.0f, 50.0f, 0).scroll, 100.0f);

    for (int cells : {1, 7, 100, 1000})
        for (float oldSize : {0.5f, 1.0f, 3.0f, 17.0f})
            for (float newSize : {0.0f, 0.25f, 1.0f, 2.5f, 40.0f})
                for (float share : {0.0f, 0.3f, 1.0f}) {
                    const int view = 470;
                    const float scroll = std::max(lineContentHeight(cells, oldSize) - view, 0.0f) * share;
                    const AxisZoom line = zoomLineAxis(cells, oldSize, newSize, scroll, view);
                    const float height = lineContentHeight(cells, line.cellSize);
                    EXPECT_TRUE(line.scroll >= 0 && line.scroll <= std::max(height - view, 0.0f) + 1e-3f &&
                                height >= view - 1e-3f)
                        << cells << " " << oldSize << " " << newSize << " " << share;
                    const AxisZoom column = zoomRevisionAxis(cells, oldSize, newSize, scroll, view);
                    const int width = revisionContentWidth(cells, column.cellSize);
                    EXPECT_TRUE(std::isfinite(column.scroll) && column.scroll >= 0 &&
                                column.scroll <= std::max(width - view, 0))
                        << cells << " " << oldSize << " " << newSize << " " << share;
                }
}
