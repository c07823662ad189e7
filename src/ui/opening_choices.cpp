#include "ui/opening_choices.h"

#include <FL/Fl_Choice.H>

#include <algorithm>
#include <cstdio>

#include "app/command_line.h"
#include "app/globals.h"
#include "evolution/evolution_file.h"
#include "ui/marked_slider.h"
#include "ui/widgets.h"
#include "view/canvas_input.h"
#include "view/evolution_view.h"

namespace {

void choose(Fl_Choice* choice, int item)
{
    choice->value(item);
    choice->do_callback();
}

}  // namespace

void applyOpeningChoices(const CommandLine& line)
{
    if (!viewState->loaded || !currentEvolution)
        return;
    if (line.layout >= 0)
        choose(viewModeChoice, line.layout);
    if (line.scheme >= 0)
        choose(attributeChoice, line.scheme);
    const int columns = currentEvolution->columnCount;
    if (line.rangeStart > 0) {
        rangeStartSlider->value(std::min(line.rangeStart, columns));
        rangeEndSlider->value(std::min(line.rangeEnd, columns));
        rangeEndSlider->do_callback();
    }
    if (line.focus > 0) {
        if (line.focus > columns)
            std::fprintf(stderr, "quillon: there is no revision %d to focus; the evolution has %d.\n", line.focus,
                         columns);
        else
            focusRevisionOf(*evolutionView, line.focus - 1);
    }
}
