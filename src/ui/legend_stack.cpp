#include "ui/legend_stack.h"

#include <FL/Fl_Button.H>

#include <cstdint>

#include "ui/colour_legend.h"

LegendStack* openLegendStack = nullptr;

namespace {

enum CycleDirection { cycleBack = 0, cycleForward = 1 };

void cycleLegends(Fl_Widget* button, void* direction)
{
    auto* stack = static_cast<LegendStack*>(button->parent());
    const int last = stack->children() - 1;
    if (last < LegendStack::firstLegendChild)
        return;
    // A legend deleted meanwhile may have taken the shown index with it.
    if (stack->shownIndex <= last)
        stack->child(stack->shownIndex)->hide();
    stack->shownIndex += reinterpret_cast<std::intptr_t>(direction) == cycleForward ? 1 : -1;
    if (stack->shownIndex < LegendStack::firstLegendChild)
        stack->shownIndex = last;
    if (stack->shownIndex > last)
        stack->shownIndex = LegendStack::firstLegendChild;
    stack->child(stack->shownIndex)->show();
}

}  // namespace

LegendStack::LegendStack(int x, int y, int w, int h, int orientation)
    : Fl_Group(x, y, w, h),
      orientation(orientation == stackFromShape ? (w < h ? stackVertical : stackHorizontal) : orientation)
{
    openLegendStack = this;
    // The group owns its children and deletes them with itself.
    Fl_Button* back;
    Fl_Button* forward;
    if (this->orientation == stackHorizontal) {
        back = new Fl_Button(x + w - 20, y, 20, h / 2, "@<");
        forward = new Fl_Button(x + w - 20, y + h / 2, 20, h / 2, "@>");
    } else {
        back = new Fl_Button(x, y + h - 20, w / 2, 20, "@<");
        forward = new Fl_Button(x + w / 2, y + h - 20, w / 2, 20, "@>");
    }
    back->callback(cycleLegends, reinterpret_cast<void*>(std::intptr_t{cycleBack}));
    forward->callback(cycleLegends, reinterpret_cast<void*>(std::intptr_t{cycleForward}));
    // Legends join by registering; any other widget made before `finish`
    // must land in the stack's parent's hands, not here.
    Fl_Group::current(nullptr);
}

LegendStack::~LegendStack()
{
    // The group deletes its children after this body; they must not reach
    // back into a stack whose list is already gone.
    for (ColourLegend* legend : legends)
        legend->ownerStack = nullptr;
    if (openLegendStack == this)
        openLegendStack = nullptr;
}

LegendStack* registerLegend(ColourLegend* legend)
{
    if (!openLegendStack)
        return nullptr;
    openLegendStack->legends.insert(legend);
    openLegendStack->add(legend);
    return openLegendStack;
}

void LegendStack::finish()
{
    openLegendStack = nullptr;
    end();
}

void LegendStack::removeLegend(ColourLegend* legend)
{
    legends.erase(legend);
}

void LegendStack::setOffsetAndScale(float offset, float scale)
{
    for (ColourLegend* legend : legends) {
        legend->offset = offset;
        legend->scale = scale;
    }
}

void LegendStack::redrawLegends()
{
    for (ColourLegend* legend : legends)
        legend->redraw();
}

void LegendStack::movePointer(int x, int y)
{
    for (ColourLegend* legend : legends)
        legend->movePointer(x, y);
}

void LegendStack::showCursor(bool flag)
{
    for (ColourLegend* legend : legends)
        legend->showCursor(flag);
}
