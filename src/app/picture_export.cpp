#include "app/picture_export.h"

#include <FL/Fl.H>
#include <FL/Fl_Window.H>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/globals.h"
#include "app/open_close.h"
#include "app/png_file.h"
#include "app/repository_opening.h"
#include "ui/colour_legend.h"
#include "ui/legend_stack.h"
#include "ui/main_window.h"
#include "ui/opening_choices.h"
#include "ui/widgets.h"
#include "view/evolution_view.h"
#include "view/offscreen_frame.h"

namespace {

// Every OpenGL widget that the picture holds: the canvas, and with legends
// the legend each stack shows beside it.
struct DrawnWidget {
    Fl_Gl_Window* widget;
    std::function<void()> draw;
};

std::vector<DrawnWidget> drawnWidgets(bool legends)
{
    std::vector<DrawnWidget> widgets{{evolutionView, [] { evolutionView->draw(); }}};
    if (legends)
        for (const LegendStack* stack : {lineLegendStack, revisionLegendStack})
            if (auto* legend = dynamic_cast<ColourLegend*>(stack->child(stack->shownIndex)))
                widgets.push_back({legend, [legend] { legend->draw(); }});
    return widgets;
}

// The widgets drawn one by one, each into its own buffer, and laid into one
// picture where the window places them, on the window's background.
bool drawPicture(const std::vector<DrawnWidget>& widgets, RgbPicture& picture, std::string& error)
{
    int left = evolutionView->x(), top = evolutionView->y();
    int right = left + evolutionView->w(), bottom = top + evolutionView->h();
    for (const DrawnWidget& drawn : widgets) {
        const Fl_Gl_Window* widget = drawn.widget;
        left = std::min(left, widget->x());
        top = std::min(top, widget->y());
        right = std::max(right, widget->x() + widget->w());
        bottom = std::max(bottom, widget->y() + widget->h());
    }
    unsigned char background[3];
    Fl::get_color(FL_BACKGROUND_COLOR, background[0], background[1], background[2]);
    picture.width = right - left;
    picture.height = bottom - top;
    picture.rgb.resize(static_cast<size_t>(picture.width) * static_cast<size_t>(picture.height) * 3);
    for (size_t i = 0; i < picture.rgb.size(); ++i)
        picture.rgb[i] = background[i % 3];

    for (const DrawnWidget& drawn : widgets) {
        const Fl_Gl_Window* widget = drawn.widget;
        RgbPicture part;
        if (widget->w() <= 0 || widget->h() <= 0)
            continue;
        if (!drawOffscreen(widget->w(), widget->h(), drawn.draw, part, error))
            return false;
        const size_t stride = static_cast<size_t>(part.width) * 3;
        for (int row = 0; row < part.height; ++row)
            std::memcpy(picture.rgb.data() +
                            (static_cast<size_t>(widget->y() - top + row) * picture.width + (widget->x() - left)) * 3,
                        part.rgb.data() + stride * row, stride);
    }
    return true;
}

}  // namespace

int exportPicture(const CommandLine& line)
{
    if (line.width < 1 || line.height < 1 || line.width > largestPictureSide || line.height > largestPictureSide) {
        std::fprintf(stderr, "quillon: a picture of %dx%d pixels cannot be made; each side must be 1 to %d.\n",
                     line.width, line.height, largestPictureSide);
        return 1;
    }
    std::string file, error;
    if (!evolutionFileFor(line, file, error)) {
        std::fprintf(stderr, "quillon: cannot open %s: %s.\n", line.path.c_str(), error.c_str());
        return 1;
    }
    createGlobalObjects();
    buildHiddenMainWindow(0, 0, line.width, line.height);
    openCommandLinePath(file);
    if (!viewState->loaded) {
        std::fprintf(stderr, "quillon: %s does not open as an evolution, so no picture was made.\n",
                     line.path.c_str());
        return 1;
    }
    applyOpeningChoices(line);
    RgbPicture picture;
    if (!drawPicture(drawnWidgets(line.legends), picture, error) || !writePng(line.exportPath, picture, error)) {
        std::fprintf(stderr, "quillon: %s.\n", error.c_str());
        return 1;
    }
    return 0;
}
