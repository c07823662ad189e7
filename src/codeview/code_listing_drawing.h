#pragma once
// The code view's picture while an evolution is loaded, in the view's
// window pixels (origin bottom left), drawn from the listings that the
// pointer handling prepared.

#include <string_view>

// The listing of the hovered revision with its author swatches, syntax
// spans and the bracket around its centre line; over an absent cell with
// the absent panel beside it; over no cell the author line; outside the
// evolution view nothing but white.
void drawCodeListing(std::string_view listingText, std::string_view absentText);
