#include "ui/marked_slider.h"

#include <algorithm>
#include <memory>
#include <vector>

// Before the toolkit's headers, which bring X11's macro None.
#include <gtest/gtest.h>

#include <FL/Fl.H>
#include <FL/Fl_Nice_Slider.H>
#include <FL/Fl_Window.H>
#include <FL/fl_draw.H>

namespace {

constexpr int left = 10, top = 10, width = 200, height = 20;
constexpr int plainTop = 50;  // the unmarked twin, below

// A marked slider over an unmarked twin of the same settings, so that a
// test can tell the marks from what the toolkit draws.
class MarkedSliderDrawing : public ::testing::Test {
protected:
    void SetUp() override
    {
        window = std::make_unique<Fl_Window>(260, 90, "Marked slider");
        marked = new MarkedSlider(left, top, width, height);
        plain = new Fl_Nice_Slider(left, plainTop, width, height);
        window->end();
        for (Fl_Slider* slider : {static_cast<Fl_Slider*>(marked), static_cast<Fl_Slider*>(plain)}) {
            slider->type(FL_HOR_NICE_SLIDER);
            slider->bounds(1, 4);
            slider->step(1);
            slider->slider_size(0.25);
            slider->value(2);
        }
        window->show();
        // The toolkit draws nothing into a window before its first expose.
        window->wait_for_expose();
    }

    void TearDown() override
    {
        window->hide();
        window.reset();
        Fl::check();
    }

    void capture()
    {
        window->redraw();
        Fl::flush();
        window->make_current();
        pixels.assign(static_cast<size_t>(window->w()) * window->h() * 3, 0);
        fl_read_image(pixels.data(), 0, 0, window->w(), window->h());
        // The twin's dark groove runs along its middle: the picture is there.
        ASSERT_LT(at(left + width / 2, plainTop + height / 2)[0], 100);
    }

    const unsigned char* at(int x, int y) const { return &pixels[(static_cast<size_t>(y) * window->w() + x) * 3]; }
    bool black(int x, int y) const { return at(x, y)[0] == 0 && at(x, y)[1] == 0 && at(x, y)[2] == 0; }
    // Whether the marked slider's pixel equals its twin's.
    bool likeTwin(int x, int y) const
    {
        const unsigned char* a = at(x, y);
        const unsigned char* b = at(x, y - top + plainTop);
        return a[0] == b[0] && a[1] == b[1] && a[2] == b[2];
    }

    // Every pixel in rows first..last of the slider's box, plus the column
    // just right of it, is black on the marks and like the twin elsewhere.
    void expectMarks(const std::vector<int>& columns, int first, int last) const
    {
        for (int y = first; y <= last; ++y)
            for (int x = left; x <= left + width; ++x) {
                const bool mark = std::find(columns.begin(), columns.end(), x) != columns.end();
                if (mark)
                    ASSERT_TRUE(black(x, y)) << x << ", " << y;
                else
                    ASSERT_TRUE(likeTwin(x, y)) << x << ", " << y;
            }
    }

    void expectNoMarks(int first, int last) const { expectMarks({}, first, last); }

    std::unique_ptr<Fl_Window> window;
    MarkedSlider* marked = nullptr;  // owned by the window
    Fl_Nice_Slider* plain = nullptr;
    std::vector<unsigned char> pixels;
};

TEST_F(MarkedSliderDrawing, DefaultsToTenCellsOverTheFullHeight)
{
    EXPECT_EQ(marked->markPlacement, 2);
    EXPECT_EQ(marked->markCount, 10);
    capture();
    std::vector<int> columns;
    for (int k = 0; k <= 10; ++k)
        columns.push_back(left + k * 20);
    expectMarks(columns, top, top + height - 1);
}

TEST_F(MarkedSliderDrawing, MarksTheUpperHalfOnly)
{
    marked->markCount = 4;
    marked->markPlacement = 0;
    capture();
    const std::vector<int> columns = {10, 60, 110, 160, 210};
    expectMarks(columns, top, top + height / 2 - 1);
    expectNoMarks(top + height / 2 + 1, top + height - 1);
}

TEST_F(MarkedSliderDrawing, MarksTheLowerHalfOnly)
{
    marked->markCount = 4;
    marked->markPlacement = 1;
    capture();
    const std::vector<int> columns = {10, 60, 110, 160, 210};
    expectNoMarks(top, top + height / 2 - 1);
    expectMarks(columns, top + height / 2, top + height - 1);
}

TEST_F(MarkedSliderDrawing, WithoutCellsDrawsJustTheSlider)
{
    for (int count : {0, -3}) {
        marked->markCount = count;
        capture();
        SCOPED_TRACE(count);
        expectNoMarks(top, top + height - 1);
    }
}

}  // namespace
