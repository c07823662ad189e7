#pragma once
// The panel of absent lines that the code view shows beside the listing
// when the hovered cell is absent.

#include <string_view>

#include "colouring/colour_maps.h"

// The panel on the right half of the view in `k`, the status colour of the
// lines' absence: each absent line with the bar of its lifetime and the
// swatch of its author, the hovered revision's place in the history, and a
// wedge joining the panel's centre line to the listing's. In window pixels.
void drawAbsentPanel(const Rgb& k, std::string_view absentText);
