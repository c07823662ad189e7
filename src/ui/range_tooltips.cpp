#include "ui/range_tooltips.h"

#include <string>

#include "app/globals.h"
#include "evolution/evolution_file.h"
#include "ui/controls/control_tooltips.h"
#include "ui/marked_slider.h"
#include "ui/widgets.h"
#include "view/status/status_format.h"

void refreshRangeTooltips()
{
    for (auto [slider, control] : {std::pair{rangeStartSlider, "Range start"}, std::pair{rangeEndSlider, "Range end"}}) {
        if (!slider)
            continue;
        std::string text = controlTooltip(control);
        const int revision = static_cast<int>(slider->value());
        if (currentEvolution && revision >= 1 && revision <= currentEvolution->columnCount)
            text += " (revision " + std::to_string(revision) + revisionDetailsText(*currentEvolution, revision - 1) + ")";
        slider->copy_tooltip(text.c_str());
    }
}
