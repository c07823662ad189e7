#include "ui/colour_legend.h"

#include <FL/Fl.H>
#include <FL/Fl_Window.H>
#include <FL/gl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "colouring/attributes.h"
#include "colouring/colour_maps.h"

namespace {

constexpr int tolerance = 2;  // levels of 255
constexpr int background = 230;  // the strip's light grey, 0.9

// What a legend draws, read back from its framebuffer; rows counted from
// the top like the toolkit's coordinates.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;

    const unsigned char* at(int x, int yFromTop) const
    {
        return &rgb[(static_cast<size_t>(height - 1 - yFromTop) * width + x) * 3];
    }
    int darkest(int x, int yFromTop) const
    {
        const unsigned char* p = at(x, yFromTop);
        return std::min({p[0], p[1], p[2]});
    }
};

Picture render(ColourLegend& legend)
{
    legend.make_current();
    legend.draw();
    glFinish();
    Picture picture{legend.w(), legend.h(), {}};
    picture.rgb.resize(static_cast<size_t>(picture.width) * picture.height * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, picture.width, picture.height, GL_RGB, GL_UNSIGNED_BYTE, picture.rgb.data());
    return picture;
}

int level(float channel)
{
    return static_cast<int>(std::lround(channel * 255.0f));
}

::testing::AssertionResult hasColour(const Picture& picture, int x, int yFromTop, const Rgb& expected)
{
    const unsigned char* p = picture.at(x, yFromTop);
    for (int channel = 0; channel < 3; ++channel)
        if (std::abs(p[channel] - level(expected[channel])) > tolerance)
            return ::testing::AssertionFailure()
                   << "pixel (" << x << ", " << yFromTop << ") is " << int(p[0]) << " " << int(p[1]) << " "
                   << int(p[2]) << ", expected " << level(expected[0]) << " " << level(expected[1]) << " "
                   << level(expected[2]);
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult isBackground(const Picture& picture, int x, int yFromTop)
{
    return hasColour(picture, x, yFromTop, {0.9f, 0.9f, 0.9f});
}

// Records every index it is asked to describe, so that a test can see the
// legend never asks outside the series.
class RecordingAttribute : public Attribute {
public:
    explicit RecordingAttribute(std::vector<float> values) { valueList = std::move(values); }
    std::string describe(int index) const override
    {
        askedIndices.push_back(index);
        return Attribute::describe(index);
    }
    mutable std::vector<int> askedIndices;
};

// A window holding a horizontal strip like the one under the canvas and a
// vertical one like the one beside it, both shown on the display.
class ColourLegendTest : public ::testing::Test {
protected:
    ColourLegendTest()
    {
        window.begin();
        across = new ColourLegend(10, 10, 200, 20, nullptr, colourMapCells, recordInto(acrossTexts));
        down = new ColourLegend(10, 40, 20, 200, nullptr, colourMapCells, recordInto(downTexts));
        window.end();
        window.show();
        while (!across->shown() || !down->shown())
            Fl::wait(0.01);
        Fl::check();
    }

    static DescribeCallback recordInto(std::vector<std::string>& texts)
    {
        return [&texts](const char* text) { texts.emplace_back(text); };
    }

    // What each strip sent to the status bar, in order.
    std::vector<std::string> acrossTexts;
    std::vector<std::string> downTexts;
    Fl_Window window{300, 260};
    ColourLegend* across = nullptr;  // owned by the window
    ColourLegend* down = nullptr;
};

TEST_F(ColourLegendTest, TakesItsOrientationFromItsShapeAndStartsPlain)
{
    EXPECT_EQ(across->horizontal, 1);
    EXPECT_EQ(down->horizontal, 0);
    ColourLegend square(0, 0, 20, 20);
    EXPECT_EQ(square.horizontal, 0);
    EXPECT_EQ(square.ownerStack, nullptr);
    EXPECT_FALSE(square.cursorShown);
    EXPECT_FALSE(square.pointerInside);
    EXPECT_EQ(square.offset, 0.0f);
    EXPECT_EQ(square.scale, 1.0f);
}

TEST_F(ColourLegendTest, ColourMapCellsLieAlongBothAxesWithinAOnePixelMargin)
{
    Attribute values;
    values.valueList = {0.0f, 0.5f, 1.0f, 0.25f};

    across->attribute = &values;
    across->scale = 10.0f;
    const Picture row = render(*across);
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(hasColour(row, 10 * i + 5, 10, rainbowColour(values.valueList[i])));
    EXPECT_TRUE(isBackground(row, 45, 10));  // past the last cell
    // Cells span y 1 to h - 2 counted upwards: one free row at the bottom,
    // two at the top.
    EXPECT_TRUE(isBackground(row, 5, 19));
    EXPECT_TRUE(hasColour(row, 5, 18, rainbowColour(0.0f)));
    EXPECT_TRUE(hasColour(row, 5, 2, rainbowColour(0.0f)));
    EXPECT_TRUE(isBackground(row, 5, 1));
    EXPECT_TRUE(isBackground(row, 5, 0));

    // Rows run downwards from the top edge, shifted up by the scroll.
    down->attribute = &values;
    down->scale = 10.0f;
    down->offset = static_cast<float>(down->h()) + 15.0f;
    const Picture column = render(*down);
    EXPECT_TRUE(hasColour(column, 10, 2, rainbowColour(0.5f)));    // row 1, 10..20, shows 5..10 less the scroll
    EXPECT_TRUE(hasColour(column, 10, 10, rainbowColour(1.0f)));   // row 2
    EXPECT_TRUE(hasColour(column, 10, 20, rainbowColour(0.25f)));  // row 3
    EXPECT_TRUE(isBackground(column, 10, 30));
    EXPECT_TRUE(isBackground(column, 0, 10));
    EXPECT_TRUE(hasColour(column, 1, 10, rainbowColour(1.0f)));
    EXPECT_TRUE(hasColour(column, 17, 10, rainbowColour(1.0f)));
    EXPECT_TRUE(isBackground(column, 18, 10));
    EXPECT_TRUE(isBackground(column, 19, 10));
}

// After any scroll and zoom, the cell under each pixel is the row or column
// the canvas has under the same pixel: content position = pixel + scroll.
TEST_F(ColourLegendTest, ScrolledAndZoomedCellsStayBesideTheirRowsAndColumns)
{
    Attribute values;
    for (int i = 0; i < 60; ++i)
        values.valueList.push_back(static_cast<float>(i % 12) / 11.0f);
    across->attribute = &values;
    down->attribute = &values;

    struct View {
        float scroll;
        float cellSize;
    };
    for (const View view : {View{25.0f, 7.0f}, View{0.0f, 3.5f}, View{130.0f, 12.25f}}) {
        SCOPED_TRACE(testing::Message() << "scroll " << view.scroll << ", cell size " << view.cellSize);
        across->offset = view.scroll;
        across->scale = view.cellSize;
        down->offset = static_cast<float>(down->h()) + view.scroll;
        down->scale = view.cellSize;
        const Picture row = render(*across);
        const Picture column = render(*down);
        for (int pixel = 0; pixel < 200; ++pixel) {
            const float position = (static_cast<float>(pixel) + 0.5f + view.scroll) / view.cellSize;
            const float border = std::round(position);
            if (std::fabs(position - border) * view.cellSize < 0.6f)
                continue;  // a pixel centre too close to a border to call
            const int cell = static_cast<int>(position);
            const Rgb expected = cell < 60 ? rainbowColour(values.valueList[cell]) : Rgb{0.9f, 0.9f, 0.9f};
            EXPECT_TRUE(hasColour(row, pixel, 10, expected)) << "column cell " << cell;
            EXPECT_TRUE(hasColour(column, 10, pixel, expected)) << "row cell " << cell;
        }
    }
}

TEST_F(ColourLegendTest, BarsGrowFromTheEdgeNextToTheCanvas)
{
    Attribute values;
    values.valueList = {1.0f, 0.5f, 0.0f};
    across->attribute = &values;
    across->colouringMode = barCells;
    across->scale = 10.0f;
    down->attribute = &values;
    down->colouringMode = barCells;
    down->scale = 10.0f;
    down->offset = static_cast<float>(down->h());

    // The horizontal strip's bars hang from its upper edge.
    const Picture row = render(*across);
    EXPECT_TRUE(hasColour(row, 5, 2, rainbowColour(1.0f)));
    EXPECT_TRUE(hasColour(row, 5, 18, rainbowColour(1.0f)));
    EXPECT_TRUE(hasColour(row, 15, 3, rainbowColour(0.5f)));
    EXPECT_TRUE(hasColour(row, 15, 8, rainbowColour(0.5f)));
    EXPECT_TRUE(isBackground(row, 15, 11));
    EXPECT_TRUE(isBackground(row, 15, 17));
    EXPECT_TRUE(hasColour(row, 25, 1, rainbowColour(0.0f)));  // a one-pixel sliver
    EXPECT_TRUE(isBackground(row, 25, 3));
    EXPECT_TRUE(isBackground(row, 25, 17));

    // The vertical strip's bars grow from its right edge.
    const Picture column = render(*down);
    EXPECT_TRUE(hasColour(column, 1, 5, rainbowColour(1.0f)));
    EXPECT_TRUE(hasColour(column, 17, 5, rainbowColour(1.0f)));
    EXPECT_TRUE(isBackground(column, 2, 15));
    EXPECT_TRUE(isBackground(column, 8, 15));
    EXPECT_TRUE(hasColour(column, 11, 15, rainbowColour(0.5f)));
    EXPECT_TRUE(hasColour(column, 17, 15, rainbowColour(0.5f)));
    EXPECT_TRUE(hasColour(column, 18, 25, rainbowColour(0.0f)));
    EXPECT_TRUE(isBackground(column, 16, 25));
}

TEST_F(ColourLegendTest, IdentifierCellsTakeTheAuthorColours)
{
    Attribute authors;
    authors.valueList = {0.0f, 1.0f, 8.0f, 9.0f, 10.0f, -1.0f, 2.0f};
    across->attribute = &authors;
    across->colouringMode = identifierCells;
    across->scale = 10.0f;
    const Picture row = render(*across);
    EXPECT_TRUE(hasColour(row, 5, 10, identifierColours[0]));
    EXPECT_TRUE(hasColour(row, 15, 10, identifierColours[1]));
    EXPECT_TRUE(hasColour(row, 25, 10, identifierColours[8]));
    EXPECT_TRUE(hasColour(row, 35, 10, identifierColours[0]));  // numbers past the table wrap round
    EXPECT_TRUE(hasColour(row, 45, 10, identifierColours[1]));
    EXPECT_TRUE(hasColour(row, 55, 10, {0.5f, 0.5f, 0.5f}));    // unknown author
    EXPECT_TRUE(hasColour(row, 65, 10, identifierColours[2]));
    EXPECT_TRUE(isBackground(row, 75, 10));
}

TEST_F(ColourLegendTest, WithoutValuesOrAKnownModeTheStripIsPlainGrey)
{
    Attribute empty;
    Attribute some;
    some.valueList = {0.0f, 0.5f, 1.0f};
    struct Case {
        Attribute* attribute;
        int mode;
    };
    for (const Case c : {Case{nullptr, colourMapCells}, Case{&empty, colourMapCells}, Case{&empty, barCells},
                         Case{&empty, identifierCells}, Case{&some, 3}}) {
        across->attribute = c.attribute;
        across->colouringMode = c.mode;
        across->scale = 10.0f;
        const Picture row = render(*across);
        for (int x = 0; x < 200; x += 3)
            for (int y = 0; y < 20; y += 3)
                ASSERT_TRUE(isBackground(row, x, y)) << "mode " << c.mode;
    }
}

// The cursor is a black loop one cell long at the pointer, with a grey loop
// one pixel off; nowhere else is anything dark.
TEST_F(ColourLegendTest, CursorIsOneCellLongAtThePointerWhileThePointerIsNear)
{
    across->scale = 10.0f;
    down->scale = 8.0f;
    down->offset = static_cast<float>(down->h());

    auto darkColumns = [](const Picture& picture, int y) {
        std::vector<int> found;
        for (int x = 0; x < picture.width; ++x)
            if (picture.darkest(x, y) < 40)
                found.push_back(x);
        return found;
    };
    auto darkRows = [](const Picture& picture, int x) {
        std::vector<int> found;
        for (int y = 0; y < picture.height; ++y)
            if (picture.darkest(x, y) < 40)
                found.push_back(y);
        return found;
    };
    // A line along a pixel border may light the pixel on either side.
    auto beside = [](int at, int border) { return at == border - 1 || at == border; };
    auto near = [&](const std::vector<int>& found, int border) {
        for (int at : found)
            if (beside(at, border))
                return true;
        return false;
    };
    auto allNear = [&](const std::vector<int>& found, int first, int second) {
        for (int at : found)
            if (!beside(at, first) && !beside(at, second))
                return false;
        return near(found, first) && near(found, second);
    };

    across->movePointer(40, 0);
    EXPECT_TRUE(darkColumns(render(*across), 10).empty()) << "no cursor while the pointer is elsewhere";

    across->showCursor(true);
    down->showCursor(true);
    across->movePointer(40, 60);
    EXPECT_EQ(legendCursorX, 40);
    EXPECT_EQ(legendCursorY, 60);
    const Picture row = render(*across);
    EXPECT_TRUE(allNear(darkColumns(row, 10), 40, 50));
    EXPECT_TRUE(hasColour(row, 50, 10, {0.7f, 0.7f, 0.7f}) || hasColour(row, 51, 10, {0.7f, 0.7f, 0.7f}));
    EXPECT_TRUE(isBackground(row, 45, 10));
    EXPECT_TRUE(allNear(darkRows(row, 45), 2, 19));  // y 18 and 1 counted upwards

    // The pointer position is shared: the vertical strip shows the same
    // pointer at its own axis.
    const Picture column = render(*down);
    EXPECT_TRUE(allNear(darkRows(column, 10), 60, 68));
    EXPECT_TRUE(isBackground(column, 10, 64));
    EXPECT_TRUE(allNear(darkColumns(column, 64), 1, 18));

    // The pointer over the strip itself is enough, and the cursor does not
    // snap to cell borders.
    across->showCursor(false);
    across->handle(FL_ENTER);
    across->movePointer(113, 0);
    EXPECT_TRUE(allNear(darkColumns(render(*across), 10), 113, 123));
    across->handle(FL_LEAVE);
    EXPECT_TRUE(darkColumns(render(*across), 10).empty());

    // A strip with nothing to show still draws the cursor.
    Attribute empty;
    across->attribute = &empty;
    across->showCursor(true);
    EXPECT_TRUE(allNear(darkColumns(render(*across), 10), 113, 123));
}

TEST_F(ColourLegendTest, DescribesTheCellUnderThePointerOnlyWhileOverTheStrip)
{
    RecordingAttribute values({0.1f, 0.2f, 0.3f, 0.4f, 0.5f, 0.6f, 0.7f, 0.8f});
    across->attribute = &values;
    across->scale = 10.0f;
    across->offset = 20.0f;
    down->attribute = &values;
    down->scale = 8.0f;
    down->offset = static_cast<float>(down->h()) + 12.0f;

    // Over the canvas the cursor follows, but the status bar is left alone.
    across->showCursor(true);
    across->movePointer(32, 0);
    EXPECT_TRUE(acrossTexts.empty());

    // 37 pixels in, 20 scrolled: content position 57, column 5.
    across->handle(FL_ENTER);
    EXPECT_TRUE(across->pointerInside);
    Fl::e_x = 37;
    Fl::e_y = 5;
    across->handle(FL_MOVE);
    EXPECT_EQ(legendCursorX, 32);
    ASSERT_EQ(acrossTexts.size(), 1u);
    EXPECT_EQ(acrossTexts.back(), "Record no. 5");

    across->handle(FL_LEAVE);
    EXPECT_FALSE(across->pointerInside);
    ASSERT_EQ(acrossTexts.size(), 2u);
    EXPECT_EQ(acrossTexts.back(), "");

    // 30 pixels down, 12 scrolled: content position 42, row 5.
    down->handle(FL_FOCUS);
    EXPECT_TRUE(down->pointerInside);
    Fl::e_x = 10;
    Fl::e_y = 30;
    down->handle(FL_MOVE);
    EXPECT_EQ(legendCursorY, 26);
    EXPECT_EQ(downTexts.back(), "Record no. 5");
    Fl::e_y = 3;
    down->handle(FL_MOVE);
    EXPECT_EQ(downTexts.back(), "Record no. 1");
    down->handle(FL_UNFOCUS);
    EXPECT_EQ(downTexts.back(), "");
}

TEST_F(ColourLegendTest, NeverAsksForACellOutsideTheSeries)
{
    RecordingAttribute values({0.0f, 1.0f, 0.5f});
    across->attribute = &values;
    across->scale = 10.0f;
    across->handle(FL_ENTER);

    // Past the end, before the start, and at every pixel in between; the
    // cell index is truncated toward zero.
    for (int x = -40; x < 200; ++x) {
        across->movePointer(x - 5, 0);
        const bool overACell = x > -10 && x < 30;
        EXPECT_EQ(acrossTexts.back(), overACell ? "Record no. " + std::to_string(x / 10) : "") << "at " << x;
    }
    for (int index : values.askedIndices)
        ASSERT_TRUE(index >= 0 && index < 3) << index;

    // Cells of no size and an empty series have nothing under the pointer.
    across->scale = 0.0f;
    across->movePointer(10, 0);
    EXPECT_EQ(acrossTexts.back(), "");
    across->movePointer(-10, 0);
    EXPECT_EQ(acrossTexts.back(), "");
    across->scale = 10.0f;
    values.valueList.clear();
    across->movePointer(0, 0);
    EXPECT_EQ(acrossTexts.back(), "");
    across->attribute = nullptr;
    across->movePointer(0, 0);
    EXPECT_EQ(acrossTexts.back(), "");
    for (int index : values.askedIndices)
        ASSERT_TRUE(index >= 0 && index < 3) << index;
}

}  // namespace
