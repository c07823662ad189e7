// The three layouts as the user meets them: chosen on the control, drawn, and named under the pointer.

#include "support/pointer_on_screen.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "view/colour_scheme.h"
#include "view/geometry/hit_tests.h"

namespace {

struct PointedCell { bool found = false; int row = 0, revision = 0; Pixel at; };

// A pixel surely inside a cell where the layouts differ: below absent rows, inside edges that may slope.
PointedCell cellToPoint(const EvolutionFile& e, int layout)
{
    const ViewState& v = *viewState;
    for (int i = 0; i < e.columnCount && v.versionSize >= 4.0f; ++i) {
        const int c = (e.columnCount / 2 + 1 + i) % e.columnCount;
        const int x = static_cast<int>((static_cast<float>(c) + 0.5f) * v.versionSize - v.scrollX);
        const int rightEdge = layout == modeInterpolated ? c + 1 : c;
        int absentAbove = 0;
        for (int row = 0; row < e.rowCount && x >= 0 && x < v.viewWidth; ++row) {
            int below = row + 1;  // a Normal column stacks only its present rows
            while (layout == modeNormal && below < e.rowCount && !e.rowPresent(below, c))
                ++below;
            const bool present = e.rowPresent(row, c);
            absentAbove += present ? 0 : 1;
            if (!present || absentAbove == 0 || row < e.rowCount / 2 || below >= e.rowCount)
                continue;
            const CellPixel edges[] = {pixelOfCell(e, row, c, layout), pixelOfCell(e, row, rightEdge, layout),
                                       pixelOfCell(e, below, c, layout), pixelOfCell(e, below, rightEdge, layout)};
            if (!std::all_of(std::begin(edges), std::end(edges), [](const CellPixel& p) { return p.ok; }))
                continue;
            const int top = std::max(edges[0].y, edges[1].y) + 1, bottom = std::min(edges[2].y, edges[3].y) - 1;
            if (bottom >= top && top >= 0 && bottom < v.viewHeight)
                return {true, row, c, {x, (top + bottom) / 2}};
        }
    }
    return {};
}

// The canvas tests check the layouts' pixels; here the focus marker shows which layout is drawn.
TEST_F(ExampleUnderPointerTest, EachViewModeDrawsItsLayoutAndNamesTheCellUnderThePointer)
{
    choose(attributeChoice, schemeEvolution);
    settleWindow();
    ASSERT_EQ(viewState->attributeIndex, schemeEvolution);
    const EvolutionFile& e = *currentEvolution;
    struct Layout { int mode, focus; };
    for (const Layout& l : {Layout{modeHorizontal, -1}, Layout{modeInterpolated, e.columnCount / 2}, Layout{modeNormal, -1}}) {
        SCOPED_TRACE(testing::Message() << "layout " << l.mode);
        choose(viewModeChoice, l.mode);
        settleWindow();
        ASSERT_EQ(evolutionView->layoutMode, l.mode);
        ASSERT_TRUE(waitUntil([] { return evolutionView->visible() && evolutionView->valid(); }));
        EXPECT_EQ(e.focusRevision, l.focus);
        const int markerX = static_cast<int>(static_cast<float>(e.columnCount / 2) * viewState->versionSize - viewState->scrollX);
        ASSERT_TRUE(markerX >= 0 && markerX < viewState->viewWidth) << markerX;
        const Frame frame = drawCanvas();
        for (int y : {frame.height / 4, frame.height / 2, frame.height * 3 / 4}) {
            const Rgba p = frame.fromTop(markerX, y);
            EXPECT_EQ(std::abs(p.red - 204) <= 2 && std::abs(p.green - 204) <= 2 && std::abs(p.blue - 255) <= 2,
                      l.focus >= 0)
                << "at " << markerX << ", " << y;
        }

        // Every line is a row here, so a row's line number in a revision is its place among the present rows.
        ASSERT_EQ(e.rowCount, e.lineCount);
        const PointedCell cell = cellToPoint(e, l.mode);
        ASSERT_TRUE(cell.found) << "no present cell two pixels high, rows " << viewState->lineSize << " pixels high";
        int line = 1;
        for (int r = 0; r < cell.row; ++r)
            line += e.rowPresent(r, cell.revision) ? 1 : 0;
        char expected[64];
        std::snprintf(expected, sizeof expected, "Line: %5d; Version: %5d ", line, cell.revision + 1);
        parkPointer();
        movePointerOverCanvas(cell.at);
        EXPECT_TRUE(waitUntil([&] { return statusText().rfind(expected, 0) == 0; }))
            << "row " << cell.row << ", revision " << cell.revision << ": \"" << statusText() << "\" instead of \""
            << expected << "...\"";
    }
}

}  // namespace
