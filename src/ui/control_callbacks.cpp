#include "ui/control_callbacks.h"

#include <FL/Fl_Button.H>
#include <FL/Fl_Choice.H>
#include <FL/Fl_Slider.H>
#include <FL/Fl_Value_Slider.H>

#include "app/globals.h"
#include "codeview/code_fonts.h"
#include "codeview/code_view.h"
#include "colouring/attributes.h"
#include "colouring/colour_maps.h"
#include "colouring/colour_textures.h"
#include "evolution/evolution_file.h"
#include "ui/controls/fit_to_line.h"
#include "ui/controls/font_choice.h"
#include "ui/controls/revision_range.h"
#include "ui/controls/view_mode_focus.h"
#include "ui/legend_stack.h"
#include "ui/marked_slider.h"
#include "ui/range_tooltips.h"
#include "ui/scroll_sync.h"
#include "ui/widgets.h"
#include "view/evolution_view.h"
#include "view/geometry/interpolated_heights.h"

namespace {

// The controls that act on the evolution are inactive while none is
// loaded; a failed open may still have left an object behind.
EvolutionFile* shownEvolution()
{
    return viewState->loaded ? currentEvolution.get() : nullptr;
}

double valueOf(Fl_Widget* widget)
{
    return static_cast<Fl_Valuator*>(widget)->value();
}

float floatValueOf(Fl_Widget* widget)
{
    return static_cast<float>(valueOf(widget));
}

// Whole-numbered settings take the slider's value truncated.
int wholeValueOf(Fl_Widget* widget)
{
    return static_cast<int>(valueOf(widget));
}

int chosenItem(Fl_Widget* widget)
{
    return static_cast<Fl_Choice*>(widget)->value();
}

int checked(Fl_Widget* widget)
{
    return static_cast<Fl_Button*>(widget)->value() ? 1 : 0;
}

void redrawEvolutionView()
{
    evolutionView->redraw();
}

// The cushion textures are baked from the three blending parameters; the
// canvas bakes them again at its next draw, in its own context.
void rebuildCushions()
{
    scheduleColourTextureRebuild();
    redrawEvolutionView();
}

// After the rows or the range changed: the legends' statistics, the blocks
// and the zoom all follow the new rows.
void followNewRows()
{
    recomputeAttributes(evolutionView->layoutMode);
    refreshBlockThreshold();
    fitToWindow();
}

}  // namespace

void versionDrawingCallback(Fl_Widget* widget, void*)
{
    viewState->versionDrawing = chosenItem(widget);
    redrawEvolutionView();
}

void fitToWindowCallback(Fl_Widget*, void*)
{
    fitToWindow();
}

void fitToLineCallback(Fl_Widget*, void*)
{
    ViewState& v = *viewState;
    const EvolutionFile* evolution = shownEvolution();
    const CellSizes sizes =
        fitToLineSizes(layoutRowCount(), evolution ? evolution->columnCount : 0, v.viewWidth, v.viewHeight);
    v.lineSize = sizes.lineSize;
    v.scrollY = 0;
    lineSizeSlider->value(v.lineSize);
    v.versionSize = sizes.versionSize;
    v.scrollX = 0;
    versionSizeSlider->value(v.versionSize);
    syncLineScroll(lineScrollSlider);
    syncRevisionScroll(revisionScrollSlider);
    redrawEvolutionView();
}

void reshuffleCallback(Fl_Widget*, void*)
{
    reshuffleIdentifierColours();
    redrawEvolutionView();
    codeView->redraw();
    revisionLegendStack->redrawLegends();
}

// Read at the next wheel step; nothing on screen changes.
void scrollSpeedCallback(Fl_Widget* widget, void*)
{
    scrollSpeed = wholeValueOf(widget);
}

void revisionBlendingCallback(Fl_Widget* widget, void*)
{
    revisionBlending = floatValueOf(widget);
    rebuildCushions();
}

void blockBlendingCallback(Fl_Widget* widget, void*)
{
    blockBlending = floatValueOf(widget);
    rebuildCushions();
}

void blendingRatioCallback(Fl_Widget* widget, void*)
{
    viewState->blendingRatio = floatValueOf(widget);
    rebuildCushions();
}

void fontCallback(Fl_Widget*, void*)
{
    const FontChoice choice =
        chooseFonts(fontHeightSlider->value(), fontWidthSlider->value(), fontDifferenceSlider->value());
    ViewState& v = *viewState;
    v.fontHeight = choice.height;
    v.fontWidth = choice.width;
    fontDifferenceSlider->value(choice.differenceValue);
    fontDifferenceSlider->bounds(1, choice.differenceMaximum);
    fontDifferenceSlider->redraw();
    v.fontDifference = choice.difference;
    buildCodeFonts();
    codeView->redraw();
}

void blockSortingCallback(Fl_Widget* widget, void*)
{
    blockSortIndex = chosenItem(widget);
    refreshBlockThreshold();
    redrawEvolutionView();
}

void displayBlocksCallback(Fl_Widget* widget, void*)
{
    viewState->displayBlocks = checked(widget);
    redrawEvolutionView();
}

void blocksAboveCallback(Fl_Widget* widget, void*)
{
    viewState->blocksAbove = wholeValueOf(widget);
    redrawEvolutionView();
}

void viewModeCallback(Fl_Widget* widget, void*)
{
    const int mode = chosenItem(widget);
    evolutionView->layoutMode = mode;
    EvolutionFile* evolution = shownEvolution();
    if (!evolution)
        return;
    const ViewModeFocus focus = focusForViewMode(mode, evolution->focusRevision, evolution->columnCount);
    evolution->focusRevision = focus.focusRevision;
    lineStatistic->kind = focus.lineStatisticKind;
    evolution->applyViewMode(mode);
    followNewRows();
}

void attributeCallback(Fl_Widget* widget, void*)
{
    viewState->attributeIndex = chosenItem(widget);
    redrawEvolutionView();
}

void balanceImageCallback(Fl_Widget* widget, void*)
{
    viewState->balanceImage = checked(widget);
    redrawEvolutionView();
}

// The block overlay reads the row heights before the next frame lays the
// columns out again, so they are brought up to date at once.
void redistributeCallback(Fl_Widget* widget, void*)
{
    viewState->redistributeSpace = checked(widget);
    if (const EvolutionFile* evolution = shownEvolution())
        computeInterpolatedHeights(*evolution);
    redrawEvolutionView();
}

void antiAliasingCallback(Fl_Widget* widget, void*)
{
    viewState->antiAliasing = checked(widget);
    redrawEvolutionView();
}

void focusPositionCallback(Fl_Widget* widget, void*)
{
    viewState->focusPosition = checked(widget);
    codeView->redraw();
}

void syntaxHighlightingCallback(Fl_Widget* widget, void*)
{
    viewState->syntaxHighlighting = checked(widget);
    codeView->redraw();
}

// The lit cushion texture sits at index 2, the flat one at 0.
void geometryCushionsCallback(Fl_Widget* widget, void*)
{
    viewState->cushionStrength = checked(widget) ? revisionShadedTexture : revisionCushionTexture;
    redrawEvolutionView();
}

void curvatureCallback(Fl_Widget* widget, void*)
{
    viewState->curvature = floatValueOf(widget);
    redrawEvolutionView();
}

void steepnessCallback(Fl_Widget* widget, void*)
{
    viewState->steepness = floatValueOf(widget);
    redrawEvolutionView();
}

void mixerCallback(Fl_Widget* widget, void*)
{
    viewState->mixer = floatValueOf(widget);
    redrawEvolutionView();
}

void revisionRangeCallback(Fl_Widget* widget, void*)
{
    const int start = static_cast<int>(rangeStartSlider->value());
    const int end = static_cast<int>(rangeEndSlider->value());
    const bool startMoved = widget == rangeStartSlider;
    const RevisionRange range = clampRevisionRange(start, end, startMoved ? RangeEnd::start : RangeEnd::end);
    if (startMoved && range.start != start)
        rangeStartSlider->value(range.start);
    if (!startMoved && range.end != end)
        rangeEndSlider->value(range.end);

    EvolutionFile* evolution = shownEvolution();
    if (!evolution)
        return;
    const int mode = evolutionView->layoutMode;
    if (mode == modeInterpolated)
        evolution->focusRevision = clampInterpolatedFocus(evolution->focusRevision, range.start, range.end);
    evolution->setRevisionRange(mode, range.start, range.end);
    followNewRows();
    refreshRangeTooltips();
}
