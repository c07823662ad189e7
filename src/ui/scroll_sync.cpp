#include "ui/scroll_sync.h"

#include <FL/Fl_Slider.H>
#include <FL/Fl_Value_Slider.H>

#include "app/globals.h"
#include "evolution/evolution_file.h"
#include "ui/legend_stack.h"
#include "ui/marked_slider.h"
#include "ui/scrolling/scroll_arithmetic.h"
#include "ui/widgets.h"
#include "view/evolution_view.h"

namespace {

// The evolution the views draw from; none while nothing is loaded, even if
// a failed open left an object behind.
EvolutionFile* shownEvolution()
{
    return viewState->loaded ? currentEvolution.get() : nullptr;
}

int layoutColumnCount()
{
    const EvolutionFile* e = shownEvolution();
    return e ? e->columnCount : 0;
}

// The range sliders' cells line up with the columns only while the
// revisions are fitted to the canvas's width.
void showRangeSliders(bool shown)
{
    for (MarkedSlider* slider : {rangeStartSlider, rangeEndSlider}) {
        if (!slider)
            continue;
        if (shown)
            slider->show();
        else
            slider->hide();
    }
}

void redrawCanvas()
{
    if (evolutionView)
        evolutionView->redraw();
}

float chosenValue(Fl_Widget* widget)
{
    return static_cast<float>(static_cast<Fl_Valuator*>(widget)->value());
}

// Slider values count whole rows or columns.
int chosenCell(Fl_Widget* widget)
{
    return static_cast<int>(static_cast<Fl_Valuator*>(widget)->value());
}

}  // namespace

int layoutRowCount()
{
    const EvolutionFile* e = shownEvolution();
    if (!e)
        return 0;
    const int mode = evolutionView ? evolutionView->layoutMode : modeNormal;
    return mode == modeNormal ? e->maxRevisionLength : e->rowCount;
}

void syncLineScroll(Fl_Slider* slider)
{
    if (slider) {
        const ViewState& v = *viewState;
        const int rows = layoutRowCount();
        const float content = lineContentHeight(rows, v.lineSize);
        slider->bounds(0.0, rows);
        slider->slider_size(scrollKnobSize(static_cast<float>(slider->h()), content));
        slider->value(lineScrollValue(rows, v.scrollY, content, slider->h()));
    }
    pushLineScale(lineLegendStack);
}

void syncRevisionScroll(Fl_Slider* slider)
{
    if (slider) {
        const ViewState& v = *viewState;
        const int columns = layoutColumnCount();
        const int content = revisionContentWidth(columns, v.versionSize);
        slider->slider_size(scrollKnobSize(static_cast<float>(slider->w()), static_cast<float>(content)));
        slider->value(revisionScrollValue(columns, v.scrollX, content, slider->w()));
    }
    pushRevisionScale(revisionLegendStack);
}

void pushLineScale(LegendStack* stack)
{
    if (!stack)
        return;
    // The vertical legends count upwards from their bottom edge.
    stack->setOffsetAndScale(static_cast<float>(viewState->viewHeight) + viewState->scrollY, viewState->lineSize);
    stack->redrawLegends();
}

void pushRevisionScale(LegendStack* stack)
{
    if (!stack)
        return;
    stack->setOffsetAndScale(viewState->scrollX, viewState->versionSize);
    stack->redrawLegends();
}

void fitToWindow()
{
    ViewState& v = *viewState;
    v.lineSize = fittedCellSize(v.viewHeight, layoutRowCount(), v.lineSize);
    if (lineSizeSlider)
        lineSizeSlider->value(v.lineSize);
    v.versionSize = fittedCellSize(v.viewWidth, layoutColumnCount(), v.versionSize);
    if (versionSizeSlider)
        versionSizeSlider->value(v.versionSize);
    v.scrollY = 0;
    v.scrollX = 0;
    syncLineScroll(lineScrollSlider);
    syncRevisionScroll(revisionScrollSlider);
    showRangeSliders(true);
    redrawCanvas();
}

void refreshBlockThreshold()
{
    EvolutionFile* e = shownEvolution();
    if (!e)
        return;
    e->buildBlocks(blockSortIndex);
    if (!blocksAboveSlider)
        return;
    blocksAboveSlider->bounds(0.0, e->maxBlockLevel);
    if (blocksAboveSlider->value() > e->maxBlockLevel)
        blocksAboveSlider->value(e->maxBlockLevel);
    blocksAboveSlider->redraw();
}

void lineScrollCallback(Fl_Widget* widget, void*)
{
    viewState->scrollY = scrollForSliderValue(layoutRowCount(), viewState->lineSize, widget->h(), chosenCell(widget));
    pushLineScale(lineLegendStack);
    redrawCanvas();
}

void revisionScrollCallback(Fl_Widget* widget, void*)
{
    viewState->scrollX =
        scrollForSliderValue(layoutColumnCount(), viewState->versionSize, widget->w(), chosenCell(widget));
    pushRevisionScale(revisionLegendStack);
    redrawCanvas();
}

// The zoom slider keeps showing the size the user chose even when the
// content is fitted to the view instead.
void versionSizeCallback(Fl_Widget* widget, void*)
{
    ViewState& v = *viewState;
    const AxisZoom zoom = zoomRevisionAxis(layoutColumnCount(), v.versionSize, chosenValue(widget), v.scrollX, v.viewWidth);
    v.versionSize = zoom.cellSize;
    v.scrollX = zoom.scroll;
    syncRevisionScroll(revisionScrollSlider);
    showRangeSliders(false);
    redrawCanvas();
}

void lineSizeCallback(Fl_Widget* widget, void*)
{
    ViewState& v = *viewState;
    const AxisZoom zoom = zoomLineAxis(layoutRowCount(), v.lineSize, chosenValue(widget), v.scrollY, v.viewHeight);
    v.lineSize = zoom.cellSize;
    v.scrollY = zoom.scroll;
    syncLineScroll(lineScrollSlider);
    redrawCanvas();
}
