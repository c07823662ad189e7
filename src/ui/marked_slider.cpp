#include "ui/marked_slider.h"

#include <FL/fl_draw.H>

namespace {

constexpr int marksInUpperHalf = 0;
constexpr int marksInLowerHalf = 1;

}  // namespace

MarkedSlider::MarkedSlider(int x, int y, int w, int h, const char* label) : Fl_Nice_Slider(x, y, w, h, label) {}

void MarkedSlider::draw()
{
    Fl_Nice_Slider::draw();
    if (markCount <= 0)
        return;
    fl_color(FL_BLACK);
    int top = y(), bottom = y() + h();
    if (markPlacement == marksInUpperHalf)
        bottom = y() + h() / 2;
    else if (markPlacement == marksInLowerHalf)
        top = y() + h() / 2;
    // The position accumulates in single precision, mark after mark.
    const float step = static_cast<float>(w()) / static_cast<float>(markCount);
    float position = static_cast<float>(x());
    for (int k = 0; k <= markCount; ++k) {
        fl_yxline(static_cast<int>(position), top, bottom);
        position += step;
    }
}
