// The numbers behind the controls: fitting, the font and range sliders, a change of view mode, the colour
// reshuffle, the scroll sliders and the zoom, each against what the user chose.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <string>
#include <tuple>

#include "colouring/colour_maps.h"
#include "evolution/evolution_file.h"
#include "ui/controls/control_tooltips.h"
#include "ui/controls/fit_to_line.h"
#include "ui/controls/font_choice.h"
#include "ui/controls/revision_range.h"
#include "ui/controls/view_mode_focus.h"
#include "ui/scrolling/scroll_arithmetic.h"

TEST(Controls, TooltipsAreOneLineEachDistinctAndFoundByLabel)
{
    std::set<std::string_view> controls, texts;
    for (const ControlTooltip& tooltip : controlTooltips()) {
        ASSERT_NE(tooltip.text, nullptr);
        const std::string_view text = tooltip.text;
        EXPECT_TRUE(!text.empty() && text.size() <= 110 && text.find('\n') == std::string_view::npos) << text;
        EXPECT_TRUE(controls.insert(tooltip.control).second && texts.insert(text).second) << tooltip.control;
        EXPECT_EQ(controlTooltip(tooltip.control), tooltip.text);
    }
    EXPECT_EQ(controlTooltip("Vertical scroll"), nullptr);  // a label's prefix is no label
    EXPECT_EQ(controlTooltip(""), nullptr);
}

TEST(Controls, FitToLineStretchesOnlyAnAxisShorterThanTheView)
{
    struct Case { int rows, columns; float lineSize, versionSize; };
    // The view is 400 wide and 470 high.
    for (const Case& c : {Case{2000, 900, 1, 1}, {470, 400, 1, 1}, {94, 20, 5, 20}, {3, 3, 470.0f / 3, 400.0f / 3},
                          {1000, 8, 1, 50}, {47, 1000, 10, 1}, {0, 0, 1, 1}}) {
        const CellSizes sizes = fitToLineSizes(c.rows, c.columns, 400, 470);
        EXPECT_EQ(std::pair(sizes.lineSize, sizes.versionSize), std::pair(c.lineSize, c.versionSize)) << c.rows;
    }
}

TEST(Controls, FontDifferenceStaysBelowTheHeight)
{
    struct Case { double height, width, difference; int h, w, d, maximum; };
    for (const Case& c : {Case{15, 8, 2, 15, 8, 2, 14}, {12.9, 6.7, 3.99, 12, 6, 3, 11}, {10, 8, 10, 10, 8, 9, 9},
                          {9, 5, 14, 9, 5, 8, 8}, {10, 8, 9, 10, 8, 9, 9}, {8, 4, 12, 8, 4, 7, 7}}) {
        const FontChoice choice = chooseFonts(c.height, c.width, c.difference);
        EXPECT_EQ(std::tie(choice.height, choice.width, choice.difference, choice.differenceMaximum),
                  std::tie(c.h, c.w, c.d, c.maximum)) << c.height << " " << c.difference;
    }
    for (int height = 8; height <= 30; ++height)
        for (int difference = 1; difference <= 30; ++difference) {
            const FontChoice choice = chooseFonts(height, 8, difference);
            EXPECT_TRUE(choice.difference >= 1 && choice.difference <= choice.differenceMaximum &&
                        choice.height - choice.difference >= 1 && choice.difference == choice.differenceValue)
                << height << " " << difference;
        }
}

TEST(Controls, RangeSlidersNeverCrossAndTheInterpolatedFocusStaysInside)
{
    struct Range { int start, end; RangeEnd moved; int wantStart, wantEnd; };
    for (const Range& r : {Range{3, 9, RangeEnd::start, 3, 9}, {3, 9, RangeEnd::end, 3, 9}, {5, 5, RangeEnd::end, 5, 5},
                           {8, 4, RangeEnd::start, 4, 4}, {12, 1, RangeEnd::start, 1, 1},
                           {8, 4, RangeEnd::end, 8, 8}, {12, 1, RangeEnd::end, 12, 12}}) {
        const RevisionRange range = clampRevisionRange(r.start, r.end, r.moved);
        EXPECT_EQ(std::pair(range.start, range.end), std::pair(r.wantStart, r.wantEnd)) << r.start << " " << r.end;
    }
    // Focus counted from 0, the range from 1: a column must lie before the focus, except in a range of one.
    struct Focus { int focus, start, end, want; };
    for (const Focus& f : {Focus{5, 3, 9, 5}, {3, 3, 9, 3}, {8, 3, 9, 8}, {2, 3, 9, 3}, {0, 3, 9, 3}, {9, 3, 9, 8},
                           {19, 3, 9, 8}, {-1, 1, 20, 1}, {-1, 4, 6, 4}, {-1, 7, 7, 6}, {2, 7, 7, 6}, {15, 7, 7, 6},
                           {-1, 1, 1, 0}})
        EXPECT_EQ(clampInterpolatedFocus(f.focus, f.start, f.end), f.want) << f.focus << " " << f.start << "-" << f.end;
}

TEST(Controls, ViewModeTakesOrDropsOnlyTheMiddleFocusAndPicksTheLegendStatistic)
{
    struct Case { int mode, focus, columns, want; };
    const int i = modeInterpolated, n = modeNormal, h = modeHorizontal;
    for (const Case& c : {Case{i, -1, 20, 10}, {i, -1, 7, 3}, {i, -1, 1, 0}, {i, 4, 20, 4}, {i, 0, 20, 0},
                          {n, 10, 20, -1}, {n, 3, 7, -1}, {n, 11, 20, 11}, {h, 10, 20, -1}, {h, 9, 20, 9},
                          {h, -1, 20, -1}}) {
        const ViewModeFocus result = focusForViewMode(c.mode, c.focus, c.columns);
        // Rows are lines, counted by unchanged revisions (1), except in Normal's uniform rows (2).
        const int statistic = c.mode == modeNormal ? 2 : 1;
        EXPECT_EQ(std::pair(result.focusRevision, result.lineStatisticKind), std::pair(c.want, statistic))
            << c.mode << " " << c.focus << " " << c.columns;
    }
}

TEST(Controls, ReshuffleTurnsTheAuthorColoursOnePlaceRound)
{
    const std::array<Rgb, 9> original = identifierColours;
    reshuffleIdentifierColours();
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(identifierColours[i], original[(i + 1) % 9]) << i;
    EXPECT_EQ(std::pair(authorColour(2), authorColour(-1)), std::pair(original[3], Rgb{0.5f, 0.5f, 0.5f}));
    for (int press = 2; press <= 9; ++press)
        reshuffleIdentifierColours();
    EXPECT_EQ(identifierColours, original);
}

TEST(ScrollArithmetic, KnobsSliderValuesAndTheirInverse)
{
    struct Knob { float slider, content, want; };
    for (const Knob& k : {Knob{100, 400, 0.25f}, {400, 400, 1}, {400, 100, 1}, {400, 0, 1}, {0, 0, 1}})
        EXPECT_FLOAT_EQ(scrollKnobSize(k.slider, k.content), k.want) << k.slider << " " << k.content;
    // Content up to two pixels longer than the slider fits: above 2 on the row axis, from 3 whole pixels on the other.
    struct Value { int cells; float scroll, content; int slider; float want; };
    for (const Value& v : {Value{50, 2, 202, 200, 0}, {50, 1, 201.5f, 200, 0}, {50, 1, 202.5f, 200, 50 / 2.5f},
                           {50, 30, 100, 200, 0}, {100, 0, 400, 100, 0}, {100, 150, 400, 100, 50}, {100, 300, 400, 100, 100}})
        EXPECT_FLOAT_EQ(lineScrollValue(v.cells, v.scroll, v.content, v.slider), v.want) << v.content << " " << v.scroll;
    for (const Value& v : {Value{10, 2, 102, 100, 0}, {10, 3, 103, 100, 10}, {10, 30, 60, 100, 0}, {20, 100, 300, 100, 10},
                           {20, 200, 300, 100, 20}})
        EXPECT_FLOAT_EQ(revisionScrollValue(v.cells, v.scroll, static_cast<int>(v.content), v.slider), v.want)
            << v.content << " " << v.scroll;
    EXPECT_EQ(std::pair(lineContentHeight(3, 33.5f), revisionContentWidth(3, 33.5f)), std::pair(100.5f, 100));
    // Slider positions not truncated to whole pixels, and nowhere to go without cells.
    struct Slider { int count; float cellSize; int value; float scroll; };
    for (const Slider& s : {Slider{100, 4, 0, 0}, {100, 4, 100, 300}, {3, 40.5f, 3, 21.5f}, {0, 4, 1, 0}})
        EXPECT_FLOAT_EQ(scrollForSliderValue(s.count, s.cellSize, 100, s.value), s.scroll) << s.count << " " << s.value;
    for (int value : {1, 17, 50, 99})
        EXPECT_NEAR(lineScrollValue(100, scrollForSliderValue(100, 4.0f, 100, value), lineContentHeight(100, 4.0f), 100),
                    value, 1e-3) << value;
    EXPECT_EQ(std::pair(fittedCellSize(400, 3, 8.0f), fittedCellSize(400, 0, 8.0f)), std::pair(400.0f / 3.0f, 8.0f));
}

TEST(ScrollArithmetic, ZoomKeepsTheCentreOrFitsAndStaysWithinTheContent)
{
    const auto centreCell = [](const AxisZoom& axis, int view) { return (axis.scroll + view * 0.5f) / axis.cellSize; };
    for (float newSize : {12.0f, 20.0f, 37.5f}) {
        const AxisZoom after = zoomLineAxis(100, 10.0f, newSize, 300.0f, 200);
        EXPECT_FLOAT_EQ(after.cellSize, newSize);
        EXPECT_NEAR(centreCell(after, 200), centreCell({10.0f, 300.0f}, 200), 1e-4) << newSize;
    }
    EXPECT_NEAR(centreCell(zoomRevisionAxis(40, 10.0f, 25.0f, 100.0f, 200), 200), 20.0f, 1e-4);
    // Clamped at either end; fitted to the view, from its start, once the content would be no longer than the
    // view; nothing to scroll without cells, on a collapsed axis or in a view of no height. NAN: not held.
    struct Zoom { bool rows; int cells; float from, to, scroll; int view; float size, wantScroll; };
    for (const Zoom& z : {Zoom{true, 100, 10, 5, 0, 200, 5, 0}, {true, 100, 10, 5, 800, 200, 5, 300},
                          {false, 40, 10, 7.5f, 200, 200, 7.5f, 100}, {true, 100, 10, 1.5f, 400, 200, 2, 0},
                          {true, 100, 10, 2, 400, 200, 2, 0}, {true, 3, 50, 33.5f, 10, 100, 33.5f, NAN},
                          {false, 3, 50, 33.5f, 10, 100, 100.0f / 3.0f, NAN}, {true, 0, 1, 4, 25, 470, NAN, 0},
                          {false, 0, 8, 12, 25, 400, NAN, 0}, {true, 100, 0, 10, 0, 200, NAN, 0},
                          {true, 100, 2, 4, 50, 0, NAN, 100}}) {
        const AxisZoom a = z.rows ? zoomLineAxis(z.cells, z.from, z.to, z.scroll, z.view)
                                  : zoomRevisionAxis(z.cells, z.from, z.to, z.scroll, z.view);
        EXPECT_TRUE(std::isnan(z.size) || a.cellSize == z.size) << z.cells << " " << z.to << ": " << a.cellSize;
        EXPECT_TRUE(std::isnan(z.wantScroll) || a.scroll == z.wantScroll) << z.cells << " " << z.to << ": " << a.scroll;
    }
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
