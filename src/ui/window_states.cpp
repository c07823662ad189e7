#include "ui/window_states.h"

#include <FL/Fl_Check_Button.H>
#include <FL/Fl_Choice.H>
#include <FL/Fl_Pack.H>
#include <FL/Fl_Slider.H>
#include <FL/Fl_Tabs.H>
#include <FL/Fl_Text_Buffer.H>
#include <FL/Fl_Text_Display.H>
#include <FL/Fl_Value_Slider.H>
#include <FL/Fl_Window.H>

#include <initializer_list>

#include "app/globals.h"
#include "codeview/code_view.h"
#include "colouring/attributes.h"
#include "colouring/colour_textures.h"
#include "evolution/evolution_file.h"
#include "ui/controls/view_mode_focus.h"
#include "ui/legend_stack.h"
#include "ui/marked_slider.h"
#include "ui/scroll_sync.h"
#include "ui/widgets.h"
#include "view/evolution_view.h"
#include "view/pointer_globals.h"

namespace {

// The parameters that no reset of the view state covers, at their first
// values.
constexpr int defaultScrollSpeed = 3;
constexpr float defaultRevisionBlending = 0.6f;
constexpr float defaultBlockBlending = 0.3f;

// Both range sliders span revisions 1 to `count` with one mark per
// revision, the start slider at the first and the end slider at the last.
void spanRevisions(int count)
{
    const int last = count > 1 ? count : 1;
    const float knob = 1.0f / static_cast<float>(last);
    rangeStartSlider->markCount = count;
    rangeStartSlider->slider_size(knob);
    rangeStartSlider->bounds(1, last);
    rangeStartSlider->value(1);
    rangeEndSlider->bounds(1, last);
    rangeEndSlider->markCount = count;
    rangeEndSlider->slider_size(knob);
    rangeEndSlider->value(last);
    rangeStartSlider->redraw();
    rangeEndSlider->redraw();
}

// Every control shows the current value of the parameter it sets.
void showParameters()
{
    const ViewState& v = *viewState;
    versionDrawingChoice->value(v.versionDrawing);
    versionSizeSlider->value(v.versionSize);
    lineSizeSlider->value(v.lineSize);
    scrollSpeedSlider->value(scrollSpeed);
    revisionBlendingSlider->value(revisionBlending);
    blockBlendingSlider->value(blockBlending);
    blendingRatioSlider->value(v.blendingRatio);
    fontHeightSlider->value(v.fontHeight);
    fontWidthSlider->value(v.fontWidth);
    fontDifferenceSlider->value(v.fontDifference);

    blockSortingChoice->value(blockSortIndex);
    displayBlocksCheck->value(v.displayBlocks);
    blocksAboveSlider->value(v.blocksAbove);

    viewModeChoice->value(evolutionView->layoutMode);
    attributeChoice->value(v.attributeIndex);
    balanceImageCheck->value(v.balanceImage);
    redistributeCheck->value(v.redistributeSpace);
    antiAliasingCheck->value(v.antiAliasing);
    focusPositionCheck->value(v.focusPosition);
    syntaxHighlightingCheck->value(v.syntaxHighlighting);
    geometryCushionsCheck->value(v.cushionStrength == 2 ? 1 : 0);
    curvatureSlider->value(v.curvature);
    steepnessSlider->value(v.steepness);
    mixerSlider->value(v.mixer);
}

void setActive(std::initializer_list<Fl_Widget*> widgets, bool active)
{
    for (Fl_Widget* widget : widgets) {
        if (active)
            widget->activate();
        else
            widget->deactivate();
    }
}

void setShown(std::initializer_list<Fl_Widget*> widgets, bool shown)
{
    for (Fl_Widget* widget : widgets) {
        if (shown)
            widget->show();
        else
            widget->hide();
    }
}

// What needs an evolution: disabled while nothing is loaded.
void showEvolutionControls(bool enabled)
{
    setActive({evolutionView, codeView, displayTab, enginesTab, blocksTab}, enabled);
    setShown({lineLegendStack, revisionLegendStack, rangePack, lineScrollSlider, revisionScrollSlider}, enabled);
    setActive({statusDisplay}, enabled);
}

}  // namespace

void resetControls()
{
    spanRevisions(2);
    evolutionView->layoutMode = modeNormal;
    // The line legends follow the layout; left as a Horizontal view set
    // them, the next evolution's would open with a value per line.
    lineStatistic->kind = focusForViewMode(modeNormal, -1, 0).lineStatisticKind;
    revisionScrollSlider->bounds(0, 1);
    lineScrollSlider->bounds(0, 1);

    scrollSpeed = defaultScrollSpeed;
    revisionBlending = defaultRevisionBlending;
    blockBlending = defaultBlockBlending;
    // The textures were made from the blending values just reset.
    scheduleColourTextureRebuild();
    // The threshold slider spans 0 to 1 until an evolution gives it its
    // highest block level.
    blocksAboveSlider->bounds(0, 1);
    viewState->blocksAbove = 1;
    showParameters();

    statusBuffer->text("Status bar");
    mainWindow->copy_label("Quillon");
    savedAttributeIndex = 1;
}

void disableControls()
{
    showEvolutionControls(false);
}

void enableControls()
{
    showEvolutionControls(true);
}

void configureForEvolution(const std::string& name)
{
    const EvolutionFile& evolution = *currentEvolution;
    spanRevisions(evolution.columnCount);
    lineScrollSlider->bounds(0, evolution.maxRevisionLength);
    revisionScrollSlider->bounds(0, evolution.columnCount);
    blocksAboveSlider->bounds(0, evolution.maxBlockLevel);
    blocksAboveSlider->value(evolution.maxBlockLevel);
    viewState->blocksAbove = evolution.maxBlockLevel;
    mainWindow->copy_label(("Quillon : " + name).c_str());
    recomputeAttributes(evolutionView->layoutMode);
    fitToWindow();
}
