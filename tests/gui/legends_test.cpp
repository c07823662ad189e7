// The colour legend strips beside the canvas, the stacks that show them one
// at a time, and the marked range sliders.

#include <gtest/gtest.h>

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Nice_Slider.H>
#include <FL/Fl_Window.H>
#include <FL/fl_draw.H>

#include <algorithm>
#include <cmath>

#include "colouring/attributes.h"
#include "support/gl_harness.h"
#include "ui/colour_legend.h"
#include "ui/legend_stack.h"
#include "ui/marked_slider.h"

namespace {

const Rgb background = {0.9f, 0.9f, 0.9f};

// Records every index it is asked to describe.
class RecordingAttribute : public Attribute {
public:
    explicit RecordingAttribute(std::vector<float> values) { valueList = std::move(values); }
    std::string describe(int index) const override
    {
        asked.push_back(index);
        return Attribute::describe(index);
    }
    mutable std::vector<int> asked;
};

// A strip across like the one under the canvas and one down like the one
// beside it, shown.
class Legends : public ::testing::Test {
protected:
    Legends()
    {
        across = new ColourLegend(10, 10, 200, 20, nullptr, colourMapCells, [this](const char* t) { texts.emplace_back(t); });
        down = new ColourLegend(10, 40, 20, 200, nullptr, colourMapCells, [this](const char* t) { downTexts.emplace_back(t); });
        window.end();
        window.show();
        while (!across->shown() || !down->shown())
            Fl::wait(0.01);
    }
    static Frame render(ColourLegend& legend)
    {
        legend.make_current();
        legend.draw();
        return readBackBuffer(legend);
    }
    void show(Attribute* values, int mode, float scale, float offset)
    {
        for (ColourLegend* legend : {across, down}) {
            legend->attribute = values;
            legend->colouringMode = mode;
            legend->scale = scale;
            legend->offset = legend == down ? static_cast<float>(down->h()) + offset : offset;
        }
    }

    std::vector<std::string> texts, downTexts;
    Fl_Window window{300, 260};
    ColourLegend* across;  // owned by the window
    ColourLegend* down;
};

TEST_F(Legends, CellsAndBarsLieAlongTheStripWithinAOnePixelMargin)
{
    Attribute values;
    values.valueList = {1.0f, 0.5f, 0.0f, 0.25f};
    Attribute authors;
    authors.valueList = {0.0f, 1.0f, 8.0f, 9.0f, 10.0f, -1.0f, 2.0f};
    struct Probe {
        Attribute* values;
        int mode;
        bool acrossStrip;
        int x, y;  // y from the top
        Rgb expected;
    };
    const auto r = rainbowColour;
    const auto& id = identifierColours;
    const Probe probes[] = {
        // Cells span y 1 to h - 2 counted upwards; bars hang from the edge
        // next to the canvas.
        {&values, colourMapCells, true, 5, 2, r(1.0f)},   {&values, colourMapCells, true, 5, 18, r(1.0f)},
        {&values, colourMapCells, true, 5, 1, background}, {&values, colourMapCells, true, 5, 19, background},
        {&values, colourMapCells, true, 35, 10, r(0.25f)}, {&values, colourMapCells, true, 45, 10, background},
        {&values, colourMapCells, false, 1, 15, r(0.5f)}, {&values, colourMapCells, false, 17, 15, r(0.5f)},
        {&values, colourMapCells, false, 0, 15, background}, {&values, colourMapCells, false, 18, 15, background},
        {&values, barCells, true, 15, 3, r(0.5f)},        {&values, barCells, true, 15, 8, r(0.5f)},
        {&values, barCells, true, 15, 11, background},    {&values, barCells, true, 25, 1, r(0.0f)},
        {&values, barCells, true, 25, 3, background},     {&values, barCells, false, 11, 15, r(0.5f)},
        {&values, barCells, false, 8, 15, background},    {&values, barCells, false, 18, 25, r(0.0f)},
        {&values, barCells, false, 16, 25, background},   {&authors, identifierCells, true, 25, 10, id[8]},
        {&authors, identifierCells, true, 35, 10, id[0]}, {&authors, identifierCells, true, 45, 10, id[1]},
        {&authors, identifierCells, true, 55, 10, greyOf(0.5f)}, {&authors, identifierCells, true, 75, 10, background},
        {nullptr, colourMapCells, true, 5, 10, background}, {&values, 3, true, 5, 10, background},
    };
    for (const Probe& p : probes) {
        show(p.values, p.mode, 10.0f, 0.0f);
        EXPECT_TRUE(showsColour(render(p.acrossStrip ? *across : *down).fromTop(p.x, p.y), p.expected))
            << "probe " << &p - probes;
    }
}

// After any scroll and zoom the cell under each pixel is the row or column
// the canvas has under the same pixel.
TEST_F(Legends, ScrolledAndZoomedCellsStayBesideTheirRowsAndColumns)
{
    Attribute values;
    for (int i = 0; i < 60; ++i)
        values.valueList.push_back(static_cast<float>(i % 12) / 11.0f);
    for (auto [scroll, size] : {std::pair{25.0f, 7.0f}, {0.0f, 3.5f}, {130.0f, 12.25f}}) {
        show(&values, colourMapCells, size, scroll);
        const Frame row = render(*across);
        const Frame column = render(*down);
        for (int pixel = 0; pixel < 200; ++pixel) {
            const float position = (pixel + 0.5f + scroll) / size;
            if (std::fabs(position - std::round(position)) * size < 0.6f)
                continue;
            const int cell = static_cast<int>(position);
            const Rgb expected = cell < 60 ? rainbowColour(values.valueList[cell]) : background;
            EXPECT_TRUE(showsColour(row.fromTop(pixel, 10), expected)) << scroll << ", " << size << ", " << pixel;
            EXPECT_TRUE(showsColour(column.fromTop(10, pixel), expected)) << scroll << ", " << size << ", " << pixel;
        }
    }
}

// The cursor: a black loop one cell long at the pointer, shared by both
// strips, while the canvas asks for it or the pointer is over the strip.
TEST_F(Legends, TheCursorIsOneCellLongAtThePointer)
{
    Attribute empty;
    show(&empty, colourMapCells, 10.0f, 0.0f);
    down->scale = 8.0f;
    const auto dark = [](const Frame& f, bool alongX, int at) {
        std::vector<int> found;
        for (int i = 0; i < (alongX ? f.width : f.height); ++i) {
            const Rgba p = alongX ? f.fromTop(i, at) : f.fromTop(at, i);
            if (std::min({p.red, p.green, p.blue}) < 40)
                found.push_back(i);
        }
        return found;
    };
    // A line along a pixel border may light the pixel on either side.
    const auto at = [](const std::vector<int>& found, int first, int second) {
        const auto beside = [](int i, int border) { return i == border - 1 || i == border; };
        return !found.empty() && std::all_of(found.begin(), found.end(), [&](int i) {
            return beside(i, first) || beside(i, second);
        }) && std::any_of(found.begin(), found.end(), [&](int i) { return beside(i, first); });
    };
    across->movePointer(40, 0);
    EXPECT_TRUE(dark(render(*across), true, 10).empty());
    across->showCursor(true);
    down->showCursor(true);
    across->movePointer(40, 60);
    EXPECT_TRUE(at(dark(render(*across), true, 10), 40, 50));
    EXPECT_TRUE(at(dark(render(*across), false, 45), 2, 19));
    EXPECT_TRUE(at(dark(render(*down), false, 10), 60, 68));
    EXPECT_TRUE(at(dark(render(*down), true, 64), 1, 18));
    across->showCursor(false);
    across->handle(FL_ENTER);
    across->movePointer(113, 0);
    EXPECT_TRUE(at(dark(render(*across), true, 10), 113, 123));
    across->handle(FL_LEAVE);
    EXPECT_TRUE(dark(render(*across), true, 10).empty());
}

TEST_F(Legends, DescribeOnlyCellsOfTheSeriesUnderThePointerWhileOverTheStrip)
{
    RecordingAttribute values({0.1f, 0.2f, 0.3f, 0.4f, 0.5f, 0.6f, 0.7f, 0.8f});
    show(&values, colourMapCells, 10.0f, 20.0f);
    across->showCursor(true);
    across->movePointer(32, 0);
    EXPECT_TRUE(texts.empty());
    // 37 pixels in, 20 scrolled: column 5.
    across->handle(FL_ENTER);
    Fl::e_x = 37;
    Fl::e_y = 5;
    across->handle(FL_MOVE);
    EXPECT_EQ(legendCursorX, 32);
    EXPECT_EQ(texts, (std::vector<std::string>{"Record no. 5"}));
    across->handle(FL_LEAVE);
    EXPECT_EQ(texts.back(), "");
    // 30 pixels down, 12 scrolled at 8 a row: row 5.
    down->scale = 8.0f;
    down->offset = down->h() + 12.0f;
    down->handle(FL_FOCUS);
    Fl::e_x = 10;
    Fl::e_y = 30;
    down->handle(FL_MOVE);
    EXPECT_EQ(legendCursorY, 26);
    EXPECT_EQ(downTexts.back(), "Record no. 5");
    down->handle(FL_UNFOCUS);
    EXPECT_EQ(downTexts.back(), "");
    // Past the end, before the start and everywhere between: the cell index
    // truncates toward zero.
    values.valueList.resize(3);
    values.asked.clear();
    across->offset = 0.0f;
    across->handle(FL_ENTER);
    for (int x = -40; x < 200; ++x) {
        across->movePointer(x - 5, 0);
        EXPECT_EQ(texts.back(), x > -10 && x < 30 ? "Record no. " + std::to_string(x / 10) : "") << "at " << x;
    }
    across->scale = 0.0f;
    across->movePointer(10, 0);
    EXPECT_EQ(texts.back(), "");
    across->attribute = nullptr;
    across->movePointer(10, 0);
    EXPECT_EQ(texts.back(), "");
    for (int index : values.asked)
        ASSERT_TRUE(index >= 0 && index < 3) << index;
}

// A stack made as the window's builder makes one, only its first legend
// shown.
struct Stack {
    Stack(int count, int x, int y, int w, int h)
    {
        window->begin();
        stack = new LegendStack(x, y, w, h);
        for (int i = 0; i < count; ++i)
            legends.push_back(new ColourLegend(x, y, w, h));
        stack->finish();
        window->end();
        for (size_t i = 1; i < legends.size(); ++i)
            legends[i]->hide();
        window->show();
        Fl::check();
    }
    void press(const char* arrow)
    {
        for (int i = 0; i < 2; ++i)
            if (std::string(stack->child(i)->label()) == arrow)
                stack->child(i)->do_callback();
    }
    std::vector<int> visible() const
    {
        std::vector<int> shown;
        for (size_t i = 0; i < legends.size(); ++i)
            if (legends[i]->visible())
                shown.push_back(static_cast<int>(i));
        return shown;
    }
    std::unique_ptr<Fl_Window> window = std::make_unique<Fl_Window>(700, 600);
    LegendStack* stack;
    std::vector<ColourLegend*> legends;
};

TEST(LegendStack, PlacesItsArrowsByItsShapeAndGathersTheLegendsMadeWhileOpen)
{
    struct Case {
        int x, y, w, h, forced;
        int orientation, button0[4], button1[4];
    };
    const Case cases[] = {
        {210, 50, 21, 490, stackFromShape, stackVertical, {210, 520, 10, 20}, {220, 520, 10, 20}},
        {230, 520, 420, 21, stackFromShape, stackHorizontal, {630, 520, 20, 10}, {630, 530, 20, 10}},
        {0, 0, 40, 40, stackFromShape, stackHorizontal, {20, 0, 20, 20}, {20, 20, 20, 20}},
        {0, 0, 40, 200, stackHorizontal, stackHorizontal, {20, 0, 20, 100}, {20, 100, 20, 100}},
    };
    for (const Case& c : cases) {
        Fl_Group::current(nullptr);
        LegendStack stack(c.x, c.y, c.w, c.h, c.forced);
        stack.finish();
        EXPECT_EQ(stack.orientation, c.orientation);
        EXPECT_STREQ(stack.child(0)->label(), "@<");
        for (int b = 0; b < 2; ++b) {
            const int* g = b ? c.button1 : c.button0;
            const Fl_Widget* w = stack.child(b);
            EXPECT_EQ((std::vector<int>{w->x(), w->y(), w->w(), w->h()}), (std::vector<int>(g, g + 4))) << c.w;
        }
    }
    auto window = std::make_unique<Fl_Window>(300, 300);
    auto* stack = new LegendStack(10, 10, 200, 20);
    auto* first = new ColourLegend(10, 10, 180, 20);
    auto stray = std::make_unique<Fl_Box>(0, 0, 10, 10);
    stack->finish();
    EXPECT_EQ(openLegendStack, nullptr);
    EXPECT_EQ(Fl_Group::current(), window.get());
    auto* after = new ColourLegend(10, 40, 180, 20);
    window->end();
    EXPECT_EQ(stack->legends, (std::set<ColourLegend*>{first}));
    EXPECT_EQ(first->ownerStack, stack);
    EXPECT_NE(stray->parent(), stack);
    EXPECT_EQ(after->ownerStack, nullptr);
}

TEST(LegendStack, ArrowsCycleThroughTheLegendsAndBroadcastsReachHiddenOnes)
{
    for (int count : {0, 1, 2, 3}) {
        Stack s(count, 230, 520, 420, 20);
        int expected = 0;
        for (const char* arrow : {"@>", "@>", "@>", "@<", "@>", "@<", "@<", "@<"}) {
            s.press(arrow);
            expected = count ? (expected + (arrow[1] == '>' ? 1 : count - 1)) % count : 0;
            EXPECT_EQ(s.visible(), count ? std::vector<int>{expected} : std::vector<int>{}) << count << arrow;
            EXPECT_EQ(s.stack->shownIndex, expected + LegendStack::firstLegendChild);
        }
    }
    Stack s(3, 230, 520, 420, 20);
    s.stack->setOffsetAndScale(37.5f, 6.25f);
    s.stack->showCursor(true);
    s.stack->movePointer(12, 34);
    for (ColourLegend* legend : s.legends) {
        EXPECT_EQ(legend->offset, 37.5f);
        EXPECT_EQ(legend->scale, 6.25f);
        EXPECT_TRUE(legend->cursorShown);
    }
    EXPECT_EQ(legendCursorX, 12);
    EXPECT_EQ(legendCursorY, 34);
    s.stack->showCursor(false);
    EXPECT_FALSE(s.legends[2]->cursorShown);
    for (int tries = 0; tries < 100 && s.legends[0]->damage(); ++tries)
        Fl::wait(0.01);
    ASSERT_EQ(s.legends[0]->damage(), 0);
    s.stack->redrawLegends();
    EXPECT_NE(s.legends[0]->damage(), 0);
    // The shown legend may go first; cycling carries on among the rest.
    delete s.legends[0];
    s.legends.erase(s.legends.begin());
    EXPECT_EQ(s.stack->legends.size(), 2u);
    s.press("@>");
    EXPECT_EQ(s.visible(), std::vector<int>{1});
    s.press("@>");
    EXPECT_EQ(s.visible(), std::vector<int>{0});
    // A stack going first leaves its legends nothing to reach back into.
    auto lone = std::make_unique<LegendStack>(0, 0, 100, 20);
    auto legend = std::make_unique<ColourLegend>(0, 0, 80, 20);
    lone->finish();
    lone->remove(legend.get());
    lone.reset();
    EXPECT_EQ(legend->ownerStack, nullptr);
}

// A marked slider over an unmarked twin: the marks are black columns, and
// every other pixel is the twin's.
TEST(MarkedSlider, MarksCellBordersOverTheChosenHalf)
{
    struct Case {
        int count, placement, step, first, last;
    };
    const Case cases[] = {{10, 2, 20, 0, 19}, {4, 0, 50, 0, 9}, {4, 1, 50, 10, 19}, {0, 2, 0, 0, -1}, {-3, 2, 0, 0, -1}};
    for (const Case& c : cases) {
        Fl_Window window(260, 90);
        auto* marked = new MarkedSlider(10, 10, 200, 20);
        auto* plain = new Fl_Nice_Slider(10, 50, 200, 20);
        window.end();
        for (Fl_Slider* slider : {static_cast<Fl_Slider*>(marked), static_cast<Fl_Slider*>(plain)}) {
            slider->type(FL_HOR_NICE_SLIDER);
            slider->bounds(1, 4);
            slider->step(1);
            slider->slider_size(0.25);
            slider->value(2);
        }
        marked->markCount = c.count;
        marked->markPlacement = c.placement;
        window.show();
        window.wait_for_expose();
        window.redraw();
        Fl::flush();
        window.make_current();
        std::vector<unsigned char> pixels(260 * 90 * 3);
        fl_read_image(pixels.data(), 0, 0, 260, 90);
        const auto at = [&](int x, int y) { return &pixels[(y * 260 + x) * 3]; };
        ASSERT_LT(at(110, 60)[0], 100);  // the twin's groove: the picture is there
        for (int y = 10; y < 30; ++y)
            for (int x = 10; x <= 210; ++x) {
                const bool mark = y - 10 >= c.first && y - 10 <= c.last && c.step && (x - 10) % c.step == 0;
                const unsigned char *p = at(x, y), *twin = at(x, y + 40);
                if (mark)
                    ASSERT_TRUE(p[0] == 0 && p[1] == 0 && p[2] == 0) << "case " << &c - cases << ": " << x << ", " << y;
                else if (y - 10 != c.last + 1 && y - 10 != c.first - 1)
                    ASSERT_TRUE(std::equal(p, p + 3, twin)) << "case " << &c - cases << ": " << x << ", " << y;
            }
    }
    EXPECT_EQ(MarkedSlider(0, 0, 10, 10).markCount, 10);
}

}  // namespace
