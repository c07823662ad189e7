#include "ui/scrolling/scroll_arithmetic.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// The row or column under the middle of the view.
float centreCell(const AxisZoom& axis, int viewExtent)
{
    return (axis.scroll + viewExtent * 0.5f) / axis.cellSize;
}

}  // namespace

TEST(ScrollKnob, CoversTheVisibleShareOfTheContent)
{
    EXPECT_FLOAT_EQ(scrollKnobSize(100.0f, 400.0f), 0.25f);
    EXPECT_FLOAT_EQ(scrollKnobSize(400.0f, 400.0f), 1.0f);
    // Content shorter than the track: the knob fills it, no more.
    EXPECT_FLOAT_EQ(scrollKnobSize(400.0f, 100.0f), 1.0f);
    // Nothing to show.
    EXPECT_FLOAT_EQ(scrollKnobSize(400.0f, 0.0f), 1.0f);
    EXPECT_FLOAT_EQ(scrollKnobSize(0.0f, 0.0f), 1.0f);
}

TEST(ScrollValue, ContentAtMostTwoPixelsLongerShowsTheStart)
{
    // Line axis: a float excess must be above 2.
    EXPECT_FLOAT_EQ(lineScrollValue(50, 2.0f, 202.0f, 200), 0.0f);
    EXPECT_FLOAT_EQ(lineScrollValue(50, 1.0f, 201.5f, 200), 0.0f);
    EXPECT_FLOAT_EQ(lineScrollValue(50, 1.0f, 202.5f, 200), 50.0f * 1.0f / 2.5f);
    // Revision axis: a whole-pixel excess of 3 or more.
    EXPECT_FLOAT_EQ(revisionScrollValue(10, 2.0f, 102, 100), 0.0f);
    EXPECT_FLOAT_EQ(revisionScrollValue(10, 3.0f, 103, 100), 10.0f);
    // Content shorter than the slider, whatever the offset.
    EXPECT_FLOAT_EQ(lineScrollValue(50, 30.0f, 100.0f, 200), 0.0f);
    EXPECT_FLOAT_EQ(revisionScrollValue(10, 30.0f, 60, 100), 0.0f);
}

TEST(ScrollValue, CountsCellsFromFirstToLast)
{
    // 100 rows of 4 pixels in a 100-pixel slider: 300 pixels of scroll.
    EXPECT_FLOAT_EQ(lineScrollValue(100, 0.0f, 400.0f, 100), 0.0f);
    EXPECT_FLOAT_EQ(lineScrollValue(100, 150.0f, 400.0f, 100), 50.0f);
    EXPECT_FLOAT_EQ(lineScrollValue(100, 300.0f, 400.0f, 100), 100.0f);
    EXPECT_FLOAT_EQ(revisionScrollValue(20, 100.0f, 300, 100), 10.0f);
    EXPECT_FLOAT_EQ(revisionScrollValue(20, 200.0f, 300, 100), 20.0f);
}

TEST(ScrollFromSlider, InvertsTheSliderValue)
{
    // Slider at the start shows the first cell, at the end the last.
    EXPECT_FLOAT_EQ(scrollForSliderValue(100, 4.0f, 100, 0), 0.0f);
    EXPECT_FLOAT_EQ(scrollForSliderValue(100, 4.0f, 100, 100), 300.0f);
    for (int value : {1, 17, 50, 99}) {
        const float scroll = scrollForSliderValue(100, 4.0f, 100, value);
        EXPECT_NEAR(lineScrollValue(100, scroll, lineContentHeight(100, 4.0f), 100), value, 1e-3) << value;
    }
    // The revision axis does not truncate the product.
    EXPECT_FLOAT_EQ(scrollForSliderValue(3, 40.5f, 100, 3), 21.5f);
}

TEST(ScrollFromSlider, NoCellsScrollNowhere)
{
    EXPECT_FLOAT_EQ(scrollForSliderValue(0, 4.0f, 100, 0), 0.0f);
    EXPECT_FLOAT_EQ(scrollForSliderValue(0, 4.0f, 100, 1), 0.0f);
}

TEST(ScrollContent, RevisionAxisCountsWholePixels)
{
    EXPECT_FLOAT_EQ(lineContentHeight(3, 33.5f), 100.5f);
    EXPECT_EQ(revisionContentWidth(3, 33.5f), 100);
    EXPECT_EQ(revisionContentWidth(0, 8.0f), 0);
}

TEST(ScrollFit, FillsTheViewExactly)
{
    EXPECT_FLOAT_EQ(fittedCellSize(470, 47, 1.0f), 10.0f);
    EXPECT_FLOAT_EQ(fittedCellSize(400, 3, 8.0f), 400.0f / 3.0f);
    // No cells: the size stays.
    EXPECT_FLOAT_EQ(fittedCellSize(400, 0, 8.0f), 8.0f);
}

TEST(ScrollZoom, InKeepsTheCentreCellUnderTheCentre)
{
    // 100 rows of 10 pixels in a 200-pixel view, scrolled to row 30 at the top.
    const AxisZoom before{10.0f, 300.0f};
    for (float newSize : {12.0f, 20.0f, 37.5f}) {
        const AxisZoom after = zoomLineAxis(100, before.cellSize, newSize, before.scroll, 200);
        EXPECT_FLOAT_EQ(after.cellSize, newSize);
        EXPECT_NEAR(centreCell(after, 200), centreCell(before, 200), 1e-4) << newSize;
    }
    const AxisZoom wider = zoomRevisionAxis(40, 10.0f, 25.0f, 100.0f, 200);
    EXPECT_FLOAT_EQ(wider.cellSize, 25.0f);
    EXPECT_NEAR(centreCell(wider, 200), 20.0f, 1e-4);
}

TEST(ScrollZoom, ClampsTheScrollToTheContent)
{
    // At the top, zooming out would scroll above the first row.
    EXPECT_FLOAT_EQ(zoomLineAxis(100, 10.0f, 5.0f, 0.0f, 200).scroll, 0.0f);
    // At the bottom (800 of 1000 - 200), zooming out would pass the last row.
    EXPECT_FLOAT_EQ(zoomLineAxis(100, 10.0f, 5.0f, 800.0f, 200).scroll, 300.0f);
    // The same on the revision axis: 40 columns of 7.5 pixels leave 100.
    EXPECT_FLOAT_EQ(zoomRevisionAxis(40, 10.0f, 7.5f, 200.0f, 200).scroll, 100.0f);
}

TEST(ScrollZoom, OutUntilEverythingFitsFillsTheViewAndGoesToTheStart)
{
    const AxisZoom fitted = zoomLineAxis(100, 10.0f, 1.5f, 400.0f, 200);
    EXPECT_FLOAT_EQ(fitted.cellSize, 2.0f);
    EXPECT_FLOAT_EQ(fitted.scroll, 0.0f);
    // Content exactly as long as the view counts as fitting.
    EXPECT_FLOAT_EQ(zoomLineAxis(100, 10.0f, 2.0f, 400.0f, 200).scroll, 0.0f);
    // 3 x 33.5 is 100.5 pixels of rows but 100 whole pixels of columns.
    EXPECT_FLOAT_EQ(zoomLineAxis(3, 50.0f, 33.5f, 10.0f, 100).cellSize, 33.5f);
    const AxisZoom columns = zoomRevisionAxis(3, 50.0f, 33.5f, 10.0f, 100);
    EXPECT_FLOAT_EQ(columns.cellSize, 100.0f / 3.0f);
    EXPECT_FLOAT_EQ(columns.scroll, 0.0f);
}

TEST(ScrollZoom, ScrollStaysWithinTheContentForAnyStep)
{
    for (int rows : {1, 7, 100, 1000})
        for (float oldSize : {0.5f, 1.0f, 3.0f, 17.0f})
            for (float newSize : {0.0f, 0.25f, 1.0f, 2.5f, 40.0f})
                for (float scrollShare : {0.0f, 0.3f, 1.0f}) {
                    const int view = 470;
                    const float oldContent = lineContentHeight(rows, oldSize);
                    const float scroll = std::max(oldContent - view, 0.0f) * scrollShare;
                    const AxisZoom line = zoomLineAxis(rows, oldSize, newSize, scroll, view);
                    const float content = lineContentHeight(rows, line.cellSize);
                    EXPECT_GE(line.scroll, 0.0f);
                    EXPECT_LE(line.scroll, std::max(content - view, 0.0f) + 1e-3f);
                    // Never shorter than the view.
                    EXPECT_GE(content, view - 1e-3f);

                    const AxisZoom revision = zoomRevisionAxis(rows, oldSize, newSize, scroll, view);
                    const int width = revisionContentWidth(rows, revision.cellSize);
                    EXPECT_GE(revision.scroll, 0.0f);
                    EXPECT_LE(revision.scroll, std::max(width - view, 0));
                }
}

TEST(ScrollZoom, NoCellsOrNoSizeStayFinite)
{
    const AxisZoom empty = zoomLineAxis(0, 1.0f, 4.0f, 25.0f, 470);
    EXPECT_FLOAT_EQ(empty.cellSize, 4.0f);
    EXPECT_FLOAT_EQ(empty.scroll, 0.0f);
    const AxisZoom noColumns = zoomRevisionAxis(0, 8.0f, 12.0f, 25.0f, 400);
    EXPECT_FLOAT_EQ(noColumns.cellSize, 12.0f);
    EXPECT_FLOAT_EQ(noColumns.scroll, 0.0f);
    // An axis collapsed to nothing has no centre: it opens at the start.
    const AxisZoom opened = zoomLineAxis(100, 0.0f, 10.0f, 0.0f, 200);
    EXPECT_FLOAT_EQ(opened.cellSize, 10.0f);
    EXPECT_FLOAT_EQ(opened.scroll, 0.0f);
    // A canvas of no height still gets finite numbers.
    const AxisZoom flat = zoomLineAxis(100, 2.0f, 4.0f, 50.0f, 0);
    EXPECT_TRUE(std::isfinite(flat.scroll));
    EXPECT_FLOAT_EQ(flat.scroll, 100.0f);
}
