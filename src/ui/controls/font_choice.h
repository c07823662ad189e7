#pragma once
// What the three font sliders of the code view choose together. The reduced
// font of the absent-lines panel is "Font difference" pixels lower than the
// listing's, so the difference must stay below the height for that font to
// keep at least one pixel.

struct FontChoice {
    int height = 0;
    int width = 0;
    int difference = 0;
    // What the difference slider shows: its own value, or height - 1 when
    // that value reached the height.
    double differenceValue = 0;
    // The difference slider's range is 1 .. differenceMaximum.
    int differenceMaximum = 0;
};

// From the sliders' values; each setting is the value truncated to whole
// pixels.
FontChoice chooseFonts(double heightValue, double widthValue, double differenceValue);
