// The canvas's companions: colour legend strips, scroll and zoom in step.

#include <FL/Fl.H>
#include <FL/Fl_Value_Slider.H>
#include <FL/Fl_Window.H>

#include <cmath>

#include "app/globals.h"
#include "colouring/attributes.h"
#include "evolution/evolution_file.h"
#include "support/gl_harness.h"
#include "ui/colour_legend.h"
#include "ui/legend_stack.h"
#include "ui/scroll_sync.h"
#include "ui/widgets.h"
#include "view/evolution_view.h"

namespace {

const Rgb paper = {0.9f, 0.9f, 0.9f};

// A strip across like the one under the canvas and one down beside it.
class Legends : public ::testing::Test {
protected:
    Legends()
    {
        across = new ColourLegend(10, 10, 200, 20, nullptr, 0, [this](const char* t) { texts.emplace_back(t); });
        down = new ColourLegend(10, 40, 20, 200, nullptr, 0, [this](const char* t) { downTexts.emplace_back(t); });
        window.end();
        window.show();
        while (!across->shown() || !down->shown())
            Fl::wait(0.01);
    }
    static Frame render(ColourLegend& legend) { return legend.make_current(), legend.draw(), readBackBuffer(legend); }
    void show(Attribute* values, int mode, float scale, float offset)
    {
        for (ColourLegend* legend : {across, down})
            legend->attribute = values, legend->colouringMode = mode, legend->scale = scale;
        across->offset = offset;
        down->offset = down->h() + offset;
    }
    // The cells, from x / 2, holding a black pixel along one line of the frame.
    static std::vector<int> dark(const Frame& f, bool alongX, int at)
    {
        std::vector<int> found;
        for (int i = 0; i < (alongX ? f.width : f.height); ++i)
            if (const Rgba p = alongX ? f.fromTop(i, at) : f.fromTop(at, i); std::max({p.red, p.green, p.blue}) < 40)
                found.push_back((i + 1) / 2);  // a line on a border may light either side
        found.erase(std::unique(found.begin(), found.end()), found.end());
        return found;
    }
    std::vector<std::string> texts, downTexts;
    Fl_Window window{300, 260};
    ColourLegend *across, *down;  // owned by the window
};

TEST_F(Legends, CellsAndBarsLieAlongTheStripWithinAOnePixelMargin)
{
    Attribute values, authors;
    values.valueList = {1.0f, 0.5f, 0.0f, 0.25f};
    authors.valueList = {0.0f, 1.0f, 8.0f, 9.0f, 10.0f, -1.0f, 2.0f};
    struct Probe { Attribute* values; int mode; bool acrossStrip; int x, y; Rgb expected; };  // y from the top
    const auto r = rainbowColour;
    const auto& id = identifierColours;
    const Probe probes[] = {
        {&values, 0, true, 5, 2, r(1)},      {&values, 0, true, 5, 1, paper},       {&values, 0, true, 35, 10, r(0.25f)},
        {&values, 0, true, 45, 10, paper},   {&values, 0, false, 17, 15, r(0.5f)},  {&values, 0, false, 18, 15, paper},
        {&values, 1, true, 15, 8, r(0.5f)},  {&values, 1, true, 15, 11, paper},     {&values, 1, true, 25, 1, r(0)},
        {&values, 1, false, 11, 15, r(0.5f)}, {&values, 1, false, 8, 15, paper},    {&authors, 2, true, 35, 10, id[0]},
        {&authors, 2, true, 45, 10, id[1]},  {&authors, 2, true, 55, 10, greyOf(0.5f)}, {&values, 3, true, 5, 10, paper},
    };
    for (const Probe& p : probes) {
        show(p.values, p.mode, 10.0f, 0.0f);
        EXPECT_TRUE(showsColour(render(p.acrossStrip ? *across : *down).fromTop(p.x, p.y), p.expected)) << &p - probes;
    }
    // After any scroll and zoom each pixel shows the canvas's row or column.
    values.valueList.clear();
    for (int i = 0; i < 60; ++i)
        values.valueList.push_back(static_cast<float>(i % 12) / 11.0f);
    // Thinner than a pixel, as fitted to a long history, a pixel shows the cell at its centre.
    for (int i = 60; i < 3000; ++i)
        values.valueList.push_back(static_cast<float>(i * 7 % 12) / 11.0f);
    for (auto [scroll, size] : {std::pair{25.0f, 7.0f}, {0.0f, 3.5f}, {130.0f, 12.25f}, {0.0f, 0.37f}, {13.0f, 0.061f}}) {
        show(&values, 0, size, scroll);
        const Frame row = render(*across), column = render(*down);
        const int count = static_cast<int>(values.valueList.size());
        for (int pixel = 0; pixel < 200; ++pixel) {
            const float position = (pixel + 0.5f + scroll) / size;
            if (std::fabs(position - std::round(position)) * size < std::min(0.6f, size / 8))
                continue;
            const Rgb expected = position < count ? rainbowColour(values.valueList[static_cast<int>(position)]) : paper;
            EXPECT_TRUE(showsColour(row.fromTop(pixel, 10), expected) && showsColour(column.fromTop(10, pixel), expected))
                << scroll << ", " << size << ", " << pixel;
        }
    }
}

// A black loop one cell long at the pointer, while asked for or pointed at.
TEST_F(Legends, TheCursorAndTheDescriptionFollowThePointer)
{
    Attribute values;
    show(&values, 0, 10.0f, 0.0f);
    down->scale = 8.0f;
    across->movePointer(40, 0);
    EXPECT_TRUE(dark(render(*across), true, 10).empty());
    across->showCursor(true);
    down->showCursor(true);
    across->movePointer(40, 60);
    EXPECT_EQ(dark(render(*across), true, 10), (std::vector<int>{20, 25}));
    EXPECT_EQ(dark(render(*down), false, 10), (std::vector<int>{30, 34}));
    across->showCursor(false);
    across->handle(FL_ENTER);
    across->movePointer(113, 0);
    EXPECT_EQ(dark(render(*across), true, 10), (std::vector<int>{56, 61}));
    across->handle(FL_LEAVE);
    EXPECT_TRUE(dark(render(*across), true, 10).empty());
    values.valueList = {0.1f, 0.2f, 0.3f};
    show(&values, 0, 10.0f, 20.0f);
    texts.clear();
    across->movePointer(32, 0);
    EXPECT_TRUE(texts.empty());  // over the canvas the status bar is left alone
    down->handle(FL_FOCUS);
    Fl::e_y = 5;  // 20 scrolled at 10 a row: row 2
    down->handle(FL_MOVE);
    EXPECT_TRUE(legendCursorY == 0 && downTexts.back() == "Record no. 2");
    // Past either end nothing is described; indexes truncate toward zero.
    across->offset = 0.0f;
    across->handle(FL_ENTER);
    for (int x = -40; x < 200; ++x) {
        across->movePointer(x - 5, 0);
        EXPECT_EQ(texts.back(), x > -10 && x < 30 ? "Record no. " + std::to_string(x / 10) : "") << "at " << x;
    }
}

void move(Fl_Valuator* slider, double value, Fl_Callback* callback) { slider->value(value), callback(slider, nullptr); }

// Twelve revisions of 40 lines, 60 rows, with the companions laid out as in the main window.
TEST(ScrollSync, FitZoomAndScrollKeepTheCompanionsInStep)
{
    constexpr int width = 400, height = 470, lines = 40, allRows = 60, revisions = 12;
    auto canvas = std::make_unique<EvolutionViewHarness>(width, height);
    Fl_Group::current(nullptr);
    Fl_Window companions(width + 250, height + 256);
    lineScrollSlider = new Fl_Slider(200, 50, 10, height);
    lineLegendStack = new LegendStack(210, 50, 20, height + 20);
    new ColourLegend(210, 50, 20, height);
    new ColourLegend(210, 50, 20, height);
    lineLegendStack->finish();
    revisionLegendStack = new LegendStack(230, height + 50, width + 20, 20);
    new ColourLegend(230, height + 50, width, 20);
    revisionLegendStack->finish();
    revisionScrollSlider = new Fl_Slider(230, height + 70, width, 10);
    revisionScrollSlider->type(FL_HOR_SLIDER);
    versionSizeSlider = new Fl_Value_Slider(10, 235, 180, 15);
    lineSizeSlider = new Fl_Value_Slider(10, 265, 180, 15);
    companions.end();
    EvolutionSketch turnover;
    turnover.statuses.assign(20, "XXXXXXXXXXXX");
    turnover.statuses.insert(turnover.statuses.end(), 20, "XXXXXXDDDDDD");
    turnover.statuses.insert(turnover.statuses.end(), 20, ">>>>>>XXXXXX");
    auto opened = std::make_unique<OpenEvolution>(turnover);
    ViewState& v = *viewState;
    fitToWindow();
    EXPECT_FLOAT_EQ(v.lineSize, static_cast<float>(height) / lines);
    EXPECT_FLOAT_EQ(v.versionSize, static_cast<float>(width) / revisions);
    EXPECT_TRUE(lineSizeSlider->value() == v.lineSize && lineScrollSlider->maximum() == lines);
    for (int mode : {modeNormal, modeHorizontal})
        for (double size : {40.0, 13.0, 11.9, 2.0})
            for (double position : {0.0, 0.5, 1.0}) {
                evolutionView->layoutMode = mode;
                move(lineScrollSlider, lineScrollSlider->maximum() * position, lineScrollCallback);
                move(revisionScrollSlider, revisions * position, revisionScrollCallback);
                move(lineSizeSlider, size, lineSizeCallback);
                move(versionSizeSlider, size, versionSizeCallback);
                SCOPED_TRACE(testing::Message() << mode << ": " << size << " at " << position);
                // Legends agree with the canvas, values are finite, no scroll past the content.
                for (auto [stack, offset, scale] : {std::tuple{lineLegendStack, v.viewHeight + v.scrollY, v.lineSize},
                                                    std::tuple{revisionLegendStack, v.scrollX, v.versionSize}})
                    for (const ColourLegend* legend : stack->legends)
                        EXPECT_TRUE(legend->offset == offset && legend->scale == scale) << legend->offset << " " << legend->scale;
                for (double value : {double(lineScrollSlider->slider_size()), lineScrollSlider->value(),
                                     revisionScrollSlider->value(), double(v.lineSize), double(v.versionSize)})
                    EXPECT_TRUE(std::isfinite(value));
                EXPECT_LE(lineScrollSlider->value(), layoutRowCount() + 1e-3);
                EXPECT_GE(std::min(v.scrollX, v.scrollY), 0.0f);
                EXPECT_LE(v.scrollY, std::max(0.0f, layoutRowCount() * v.lineSize - v.viewHeight + 1e-3f));
                EXPECT_LE(v.scrollX, std::max(static_cast<int>(revisions * v.versionSize) - width, 0));
            }
    move(lineScrollSlider, lineScrollSlider->maximum(), lineScrollCallback);
    EXPECT_FLOAT_EQ(allRows * v.lineSize - v.scrollY, height);  // the Horizontal layout's last row
    lineScrollSlider = revisionScrollSlider = nullptr, versionSizeSlider = lineSizeSlider = nullptr;
    lineLegendStack = revisionLegendStack = nullptr;
}

}  // namespace
