#pragma once
// The one-line help that every control shows under the pointer, all in one
// table so that the wording stays consistent.

#include <span>
#include <string_view>

struct ControlTooltip {
    // The control's label. The sliders around the canvas carry no label and
    // go by the names "Range start", "Range end", "Line scroll" and
    // "Revision scroll".
    std::string_view control;
    const char* text;
};

std::span<const ControlTooltip> controlTooltips();

// The help of the control `control`; null for a control the table lacks.
const char* controlTooltip(std::string_view control);
