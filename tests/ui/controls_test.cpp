// The numbers behind the controls: what fitting, the font sliders, the range
// sliders and a change of view mode make of what the user chose.

#include <gtest/gtest.h>

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

TEST(Controls, TooltipsAreOneLineEachAndFoundByLabel)
{
    std::set<std::string_view> controls;
    for (const ControlTooltip& tooltip : controlTooltips()) {
        ASSERT_NE(tooltip.text, nullptr);
        const std::string_view text = tooltip.text;
        EXPECT_TRUE(!text.empty() && text.size() <= 110 && text.find('\n') == std::string_view::npos) << text;
        EXPECT_TRUE(controls.insert(tooltip.control).second) << tooltip.control << " listed twice";
        EXPECT_EQ(controlTooltip(tooltip.control), tooltip.text);
    }
    EXPECT_STREQ(controlTooltip("Vertical scroll speed"), "Rows scrolled per wheel step");
    EXPECT_NE(controlTooltip("Range start"), controlTooltip("Range end"));
    EXPECT_EQ(controlTooltip("Vertical scroll"), nullptr);
    EXPECT_EQ(controlTooltip(""), nullptr);
}

TEST(Controls, FitToLineStretchesOnlyAnAxisShorterThanTheView)
{
    struct Case { int rows, columns; float lineSize, versionSize; };
    // The view is 400 wide and 470 high.
    for (const Case& c : {Case{2000, 900, 1, 1}, {470, 400, 1, 1}, {94, 20, 5, 20}, {3, 3, 470.0f / 3, 400.0f / 3},
                          {1000, 8, 1, 50}, {47, 1000, 10, 1}, {0, 0, 1, 1}}) {
        const CellSizes sizes = fitToLineSizes(c.rows, c.columns, 400, 470);
        EXPECT_FLOAT_EQ(sizes.lineSize, c.lineSize) << c.rows;
        EXPECT_FLOAT_EQ(sizes.versionSize, c.versionSize) << c.columns;
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
    // Focus counted from 0, the range from 1: a column must lie before the
    // focus, except in a range of one revision.
    struct Focus { int focus, start, end, want; };
    for (const Focus& f : {Focus{5, 3, 9, 5}, {3, 3, 9, 3}, {8, 3, 9, 8}, {2, 3, 9, 3}, {0, 3, 9, 3}, {9, 3, 9, 8},
                           {19, 3, 9, 8}, {-1, 1, 20, 1}, {-1, 4, 6, 4}, {-1, 7, 7, 6}, {2, 7, 7, 6}, {15, 7, 7, 6},
                           {-1, 1, 1, 0}})
        EXPECT_EQ(clampInterpolatedFocus(f.focus, f.start, f.end), f.want) << f.focus << " " << f.start << "-" << f.end;
}

TEST(Controls, ViewModeTakesOrDropsOnlyTheMiddleFocus)
{
    constexpr int unchangedRevisionsPerRow = 1, uniformRows = 2;
    struct Case { int mode, focus, columns, want, statistic = 0; };
    for (const Case& c : {Case{modeInterpolated, -1, 20, 10, unchangedRevisionsPerRow}, {modeInterpolated, -1, 7, 3},
                          {modeInterpolated, -1, 1, 0}, {modeInterpolated, 4, 20, 4}, {modeInterpolated, 0, 20, 0},
                          {modeNormal, 10, 20, -1, uniformRows}, {modeNormal, 3, 7, -1}, {modeNormal, 11, 20, 11},
                          {modeHorizontal, 10, 20, -1, unchangedRevisionsPerRow}, {modeHorizontal, 9, 20, 9},
                          {modeHorizontal, -1, 20, -1}}) {
        const ViewModeFocus result = focusForViewMode(c.mode, c.focus, c.columns);
        EXPECT_EQ(result.focusRevision, c.want) << c.mode << " " << c.focus << " " << c.columns;
        EXPECT_TRUE(c.statistic == 0 || result.lineStatisticKind == c.statistic) << c.mode;
    }
}

TEST(Controls, ReshuffleTurnsTheAuthorColoursOnePlaceRound)
{
    const std::array<Rgb, 9> original = identifierColours;
    reshuffleIdentifierColours();
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(identifierColours[i], original[(i + 1) % 9]) << i;
    EXPECT_EQ(authorColour(2), original[3]);
    EXPECT_EQ(authorColour(-1), (Rgb{0.5f, 0.5f, 0.5f}));
    for (int press = 2; press <= 9; ++press)
        reshuffleIdentifierColours();
    EXPECT_EQ(identifierColours, original);
}
