// The three layouts as the user meets them in the real window: the view
// mode chosen on its control draws that layout, and the pointer moved over
// one of the layout's cells names the cell's line and revision.

#include <gtest/gtest.h>

#include <FL/Fl_Choice.H>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/globals.h"
#include "evolution/evolution_file.h"
#include "support/canvas_pixels.h"
#include "support/main_window_fixture.h"
#include "support/pointer_on_screen.h"
#include "ui/widgets.h"
#include "view/colour_scheme.h"
#include "view/evolution_view.h"
#include "view/geometry/hit_tests.h"

namespace {

void chooseItem(Fl_Choice* choice, int item)
{
    choice->value(item);
    choice->do_callback();
    settleWindow();
}

bool showsExactly(const Rgba& pixel, int red, int green, int blue)
{
    return std::abs(pixel.red - red) <= 2 && std::abs(pixel.green - green) <= 2 && std::abs(pixel.blue - blue) <= 2;
}

// A pixel inside the cell of a present row in the current layout: in the
// middle of its column, and wholly between the row's top edge and the top
// edge of the row below it, all across the column (an Interpolated row's
// edges slope from one column boundary to the next). The pixel rows the
// edges fall in are left out, since an edge lies somewhere inside them.
// The row has absent rows above it, where the layouts place it apart, and
// the search starts in the middle of the grid, away from the first rows
// and columns that every layout draws alike.
struct PointedCell {
    bool found = false;
    int row = 0;
    int revision = 0;
    Pixel at;
};

// The row whose top edge is row `row`'s bottom edge in column c: a Normal
// column stacks only the rows present in it.
int rowBelow(const EvolutionFile& e, int row, int c, int layout)
{
    int below = row + 1;
    if (layout == modeNormal)
        while (below < e.rowCount && !e.rowPresent(below, c))
            ++below;
    return below;
}

PointedCell cellToPoint(const EvolutionFile& e, int layout)
{
    const ViewState& v = *viewState;
    if (v.versionSize < 4.0f)
        return {};
    for (int i = 0; i < e.columnCount; ++i) {
        const int c = (e.columnCount / 2 + 1 + i) % e.columnCount;
        const int x = static_cast<int>((static_cast<float>(c) + 0.5f) * v.versionSize - v.scrollX);
        if (x < 0 || x >= v.viewWidth)
            continue;
        // Only Interpolated rows differ at the column's two edges.
        const int rightEdge = layout == modeInterpolated ? c + 1 : c;
        int absentAbove = 0;
        for (int row = 0; row < e.rowCount; ++row) {
            const int below = rowBelow(e, row, c, layout);
            const bool present = e.rowPresent(row, c);
            absentAbove += present ? 0 : 1;
            if (!present || absentAbove == 0 || row < e.rowCount / 2 || below >= e.rowCount)
                continue;
            const CellPixel topLeft = pixelOfCell(e, row, c, layout);
            const CellPixel topRight = pixelOfCell(e, row, rightEdge, layout);
            const CellPixel bottomLeft = pixelOfCell(e, below, c, layout);
            const CellPixel bottomRight = pixelOfCell(e, below, rightEdge, layout);
            if (!topLeft.ok || !topRight.ok || !bottomLeft.ok || !bottomRight.ok)
                continue;
            const int top = std::max(topLeft.y, topRight.y) + 1;
            const int bottom = std::min(bottomLeft.y, bottomRight.y) - 1;
            if (bottom >= top && top >= 0 && bottom < v.viewHeight)
                return {true, row, c, {x, (top + bottom) / 2}};
        }
    }
    return {};
}

// The status bar's start for a cell: the row's line number in the
// revision's text, counted as the present rows down to it, and the
// revision counted from 1.
std::string cellStatusStart(const EvolutionFile& e, const PointedCell& cell)
{
    int line = 1;
    for (int r = 0; r < cell.row; ++r)
        line += e.rowPresent(r, cell.revision) ? 1 : 0;
    char text[64];
    std::snprintf(text, sizeof text, "Line: %5d; Version: %5d ", line, cell.revision + 1);
    return text;
}

class LayoutsTest : public ExampleUnderPointerTest {
protected:
    void SetUp() override
    {
        ExampleUnderPointerTest::SetUp();
        chooseItem(attributeChoice, schemeEvolution);
        ASSERT_EQ(viewState->attributeIndex, schemeEvolution);
    }

    // Chooses the view mode as the user does, then checks that the pointer
    // over one of the layout's cells makes the status bar name it.
    void chooseLayoutAndPoint(int mode)
    {
        chooseItem(viewModeChoice, mode);
        ASSERT_EQ(evolutionView->layoutMode, mode);
        ASSERT_TRUE(waitUntil([] { return evolutionView->visible() && evolutionView->valid(); }));

        const EvolutionFile& e = *currentEvolution;
        // Every line of the example is a row in each layout here, so a
        // row's line number in a revision is its place among the present
        // rows.
        ASSERT_EQ(e.rowCount, e.lineCount);
        const PointedCell cell = cellToPoint(e, mode);
        ASSERT_TRUE(cell.found) << "no present cell two pixels high in layout " << mode << ", rows "
                                << viewState->lineSize << " pixels high";
        parkPointer();
        movePointerOverCanvas(cell.at);
        const std::string expected = cellStatusStart(e, cell);
        EXPECT_TRUE(waitUntil([&] { return statusText().rfind(expected, 0) == 0; }))
            << "layout " << mode << ", row " << cell.row << ", revision " << cell.revision << ": \"" << statusText()
            << "\" instead of \"" << expected << "...\"";
    }
};

// The layouts' pixels are checked against a model in the canvas tests; here
// the focus marker tells that the window draws the layout the control chose.
TEST_F(LayoutsTest, EachViewModeDrawsItsLayoutAndNamesTheCellUnderThePointer)
{
    const EvolutionFile& e = *currentEvolution;
    chooseLayoutAndPoint(modeHorizontal);
    // Interpolated focuses the middle revision and marks its column's
    // edges over the full height in light blue.
    chooseLayoutAndPoint(modeInterpolated);
    ASSERT_EQ(e.focusRevision, e.columnCount / 2);
    const ViewState& v = *viewState;
    const int markerX = static_cast<int>(static_cast<float>(e.focusRevision) * v.versionSize - v.scrollX);
    ASSERT_GE(markerX, 0);
    ASSERT_LT(markerX, v.viewWidth);
    const Frame interpolated = drawCanvas();
    for (int y : {interpolated.height / 4, interpolated.height / 2, interpolated.height * 3 / 4})
        EXPECT_TRUE(showsExactly(interpolated.fromTop(markerX, y), 204, 204, 255)) << "at " << markerX << ", " << y;

    // Back to Normal: the focus and its marker go.
    chooseLayoutAndPoint(modeNormal);
    EXPECT_EQ(e.focusRevision, -1);
    const Frame normal = drawCanvas();
    EXPECT_FALSE(showsExactly(normal.fromTop(markerX, normal.height / 2), 204, 204, 255));
}

}  // namespace
