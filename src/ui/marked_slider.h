#pragma once
// A slider whose track reads as a ruler: evenly spaced black tick marks, one
// more than the number of cells.

#include <FL/Fl_Nice_Slider.H>

class MarkedSlider : public Fl_Nice_Slider {
public:
    MarkedSlider(int x, int y, int w, int h, const char* label = nullptr);

    // 0: marks in the upper half; 1: in the lower half; otherwise over the
    // full height.
    int markPlacement = 2;
    // Number of cells; markCount + 1 marks, none when there is no cell.
    int markCount = 10;

protected:
    void draw() override;
};
