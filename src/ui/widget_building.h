#pragma once
// Making widgets whose parent is named rather than implied: the toolkit
// adds every new widget to the group that is "open", and groups open
// themselves when made, so the window's construction keeps no group open
// and adds each widget to its parent itself.

#include <FL/Fl_Group.H>

#include <memory>
#include <utility>

// Makes a widget and hands it to `parent`, which owns it from then on.
template <class Widget, class... Arguments>
Widget* addWidget(Fl_Group* parent, Arguments&&... arguments)
{
    auto widget = std::make_unique<Widget>(std::forward<Arguments>(arguments)...);
    Fl_Group::current(nullptr);
    parent->add(widget.get());
    return widget.release();
}
