#include "ui/controls/control_tooltips.h"

#include <array>

namespace {

constexpr std::array tooltips = {
    // Display
    ControlTooltip{"Version drawing", "Separate the revision columns by cushions, by lines, or not at all"},
    ControlTooltip{"Fit to window", "Show every row and every revision in the view, unscrolled"},
    ControlTooltip{"Fit to line", "One pixel per row and per revision, stretched to fill the view if they are fewer"},
    ControlTooltip{"Reshuffle ID colors", "Give every author the next colour of the nine author colours"},
    ControlTooltip{"Version size", "Pixels per revision column: zooms the revision axis about the view's centre"},
    ControlTooltip{"Line size", "Pixels per row: zooms the row axis about the view's centre"},
    ControlTooltip{"Vertical scroll speed", "Rows scrolled per wheel step"},
    ControlTooltip{"Revision blending", "Brightness of the revision cushions at their edges (1: flat)"},
    ControlTooltip{"Block blending", "Brightness of the block cushions at their edges (1: flat)"},
    ControlTooltip{"Blending ratio", "Share of the shading given to the revision cushions rather than the blocks"},
    ControlTooltip{"Font height", "Line height of the code view's text, in pixels"},
    ControlTooltip{"Font width", "Character width of the code view's text, in pixels"},
    ControlTooltip{"Font difference", "How many pixels lower the text of the absent lines is than the listing's"},
    // Blocks
    ControlTooltip{"Block sorting", "Blocks of rows present together (Lines) or of lines alive together (Revisions)"},
    ControlTooltip{"Display blocks", "Lay the blocks over the Horizontal and Interpolated layouts"},
    ControlTooltip{"Show blocks above", "Draw only the blocks whose level is at least this"},
    // Engines
    ControlTooltip{"View mode", "Normal: lines stacked from the top; Horizontal: a row per line; "
                                "Interpolated: rows shrink to the focus"},
    ControlTooltip{"Attributes", "What colours the cells: syntax content, evolution status, author or line position"},
    ControlTooltip{"Balance Image", "Interpolated: centre every column vertically in the space its shrunk rows free"},
    ControlTooltip{"Redistribute space", "Interpolated: give the space that shrunk rows free to the full rows"},
    ControlTooltip{"Anti aliasing", "Interpolated: draw the columns pixel row by pixel row, blending thin rows"},
    ControlTooltip{"Focus position", "Mark the hovered revision across the lifetimes of the absent lines"},
    ControlTooltip{"Syntax highlighting", "Colour comments, strings, references and blocks behind the code text"},
    ControlTooltip{"Geometry cushions", "Shade the revision columns as ridges lit from the side"},
    ControlTooltip{"Curvature", "Interpolated: how the power curve of the shrinking bends"},
    ControlTooltip{"Steepness", "Interpolated: width of the step of the sigmoid shrinking"},
    ControlTooltip{"Mixer", "Interpolated: shrinking from sigmoid only (0) to power curve only (6)"},
    // Around the canvas
    ControlTooltip{"Range start", "First revision shown"},
    ControlTooltip{"Range end", "Last revision shown"},
    ControlTooltip{"Line scroll", "Scroll through the rows"},
    ControlTooltip{"Revision scroll", "Scroll through the revisions"},
};

}  // namespace

std::span<const ControlTooltip> controlTooltips()
{
    return tooltips;
}

const char* controlTooltip(std::string_view control)
{
    for (const ControlTooltip& tooltip : tooltips)
        if (tooltip.control == control)
            return tooltip.text;
    return nullptr;
}
