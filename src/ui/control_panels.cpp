#include "ui/control_panels.h"

#include <FL/Fl_Button.H>
#include <FL/Fl_Check_Button.H>
#include <FL/Fl_Choice.H>
#include <FL/Fl_Value_Slider.H>

#include <initializer_list>

#include "ui/control_callbacks.h"
#include "ui/controls/control_tooltips.h"
#include "ui/marked_slider.h"
#include "ui/scroll_sync.h"
#include "ui/widget_building.h"
#include "ui/widgets.h"

namespace {

constexpr int columnX = 10;
constexpr int columnWidth = 180;
constexpr int labelSize = 12;
constexpr int sliderHeight = 15;
constexpr int choiceHeight = 30;
// A valuator's step when none is given: any value of the range.
constexpr double anyValue = 0.0;

// The controls of a tab stand in one column, each `gap` pixels below the
// one before; the first 35 pixels below the tab's top.
struct ControlColumn {
    explicit ControlColumn(Fl_Group* tab) : tab(tab), bottom(tab->y() + 35) {}

    // The y of a control of `height` pixels placed `gap` below the last.
    int place(int gap, int height)
    {
        const int y = bottom + gap;
        bottom = y + height;
        return y;
    }

    Fl_Group* tab;
    int bottom;
};

// Every control explains itself under the pointer, from the one table of
// help texts.
void describe(Fl_Widget* widget, const char* control)
{
    widget->tooltip(controlTooltip(control));
}

// The sliders around the canvas are made before the panels.
void describeCanvasSliders()
{
    describe(rangeStartSlider, "Range start");
    describe(rangeEndSlider, "Range end");
    describe(lineScrollSlider, "Line scroll");
    describe(revisionScrollSlider, "Revision scroll");
}

Fl_Choice* choice(ControlColumn& column, int gap, const char* label, std::initializer_list<const char*> items,
                  Fl_Callback* callback)
{
    auto* widget = addWidget<Fl_Choice>(column.tab, columnX, column.place(gap, choiceHeight), columnWidth,
                                        choiceHeight, label);
    for (const char* item : items)
        widget->add(item);
    widget->align(FL_ALIGN_TOP | FL_ALIGN_LEFT);
    widget->labelsize(labelSize);
    widget->callback(callback);
    describe(widget, label);
    return widget;
}

Fl_Value_Slider* valueSlider(ControlColumn& column, int gap, const char* label, double minimum, double maximum,
                             double step, Fl_Callback* callback)
{
    auto* widget = addWidget<Fl_Value_Slider>(column.tab, columnX, column.place(gap, sliderHeight), columnWidth,
                                              sliderHeight, label);
    widget->type(FL_HOR_SLIDER);
    widget->bounds(minimum, maximum);
    widget->step(step);
    widget->align(FL_ALIGN_TOP | FL_ALIGN_LEFT);
    widget->labelsize(labelSize);
    widget->callback(callback);
    describe(widget, label);
    return widget;
}

Fl_Check_Button* checkButton(ControlColumn& column, int gap, int height, const char* label, Fl_Callback* callback)
{
    auto* widget =
        addWidget<Fl_Check_Button>(column.tab, columnX, column.place(gap, height), columnWidth, height, label);
    widget->labelsize(labelSize);
    widget->callback(callback);
    describe(widget, label);
    return widget;
}

Fl_Button* button(ControlColumn& column, int gap, const char* label, Fl_Callback* callback)
{
    auto* widget = addWidget<Fl_Button>(column.tab, columnX, column.place(gap, 20), columnWidth, 20, label);
    widget->callback(callback);
    describe(widget, label);
    return widget;
}

}  // namespace

void buildDisplayControls(Fl_Group* tab)
{
    ControlColumn column(tab);
    versionDrawingChoice = choice(column, 0, "Version drawing", {"Cushions", "Lines", "None"}, versionDrawingCallback);
    fitToWindowButton = button(column, 5, "Fit to window", fitToWindowCallback);
    fitToWindowButton->labelsize(labelSize);
    fitToLineButton = button(column, 5, "Fit to line", fitToLineCallback);
    reshuffleButton = button(column, 5, "Reshuffle ID colors", reshuffleCallback);

    versionSizeSlider = valueSlider(column, 35, "Version size", 0, 40, anyValue, versionSizeCallback);
    lineSizeSlider = valueSlider(column, 15, "Line size", 0, 40, anyValue, lineSizeCallback);
    scrollSpeedSlider = valueSlider(column, 15, "Vertical scroll speed", 1, 20, 1, scrollSpeedCallback);

    revisionBlendingSlider = valueSlider(column, 35, "Revision blending", 0, 1, 0.1, revisionBlendingCallback);
    blockBlendingSlider = valueSlider(column, 15, "Block blending", 0, 1, 0.1, blockBlendingCallback);
    blendingRatioSlider = valueSlider(column, 15, "Blending ratio", 0, 1, 0.1, blendingRatioCallback);

    fontHeightSlider = valueSlider(column, 35, "Font height", 8, 30, 1, fontCallback);
    fontWidthSlider = valueSlider(column, 15, "Font width", 4, 20, 1, fontCallback);
    fontDifferenceSlider = valueSlider(column, 15, "Font difference", 1, 14, 1, fontCallback);
}

void buildBlocksControls(Fl_Group* tab)
{
    ControlColumn column(tab);
    blockSortingChoice = choice(column, 0, "Block sorting", {"Lines", "Revisions"}, blockSortingCallback);
    displayBlocksCheck = checkButton(column, 5, 30, "Display blocks", displayBlocksCallback);
    blocksAboveSlider = valueSlider(column, 15, "Show blocks above", 0, 1, 1, blocksAboveCallback);
}

void buildEnginesControls(Fl_Group* tab)
{
    ControlColumn column(tab);
    viewModeChoice = choice(column, 0, "View mode", {"Normal", "Horizontal", "Interpolated"}, viewModeCallback);
    attributeChoice =
        choice(column, 15, "Attributes", {"Content", "Evolution", "Authors", "Line position"}, attributeCallback);

    balanceImageCheck = checkButton(column, 35, 20, "Balance Image", balanceImageCallback);
    redistributeCheck = checkButton(column, 5, 20, "Redistribute space", redistributeCallback);
    antiAliasingCheck = checkButton(column, 5, 20, "Anti aliasing", antiAliasingCallback);
    focusPositionCheck = checkButton(column, 5, 20, "Focus position", focusPositionCallback);
    syntaxHighlightingCheck = checkButton(column, 5, 20, "Syntax highlighting", syntaxHighlightingCallback);
    geometryCushionsCheck = checkButton(column, 5, 20, "Geometry cushions", geometryCushionsCallback);

    curvatureSlider = valueSlider(column, 35, "Curvature", 1, 20, anyValue, curvatureCallback);
    steepnessSlider = valueSlider(column, 15, "Steepness", 0.02, 0.2, anyValue, steepnessCallback);
    mixerSlider = valueSlider(column, 15, "Mixer", 0, 6, anyValue, mixerCallback);
    describeCanvasSliders();
}
