#include "ui/main_menu.h"

#include <FL/Fl_Menu_Bar.H>

#include "app/open_close.h"

void fillMainMenu(Fl_Menu_Bar* bar)
{
    // The settings are not kept between runs; their items are there to be
    // seen and do nothing.
    const Fl_Menu_Item items[] = {
        {"File", 0, nullptr, nullptr, FL_SUBMENU, 0, 0, 0, 0},
        {"&Open ...", FL_CTRL + 'o', [](Fl_Widget*, void*) { chooseAndOpen(); }, nullptr, 0, 0, 0, 0, 0},
        {"Close", FL_CTRL + 'n', [](Fl_Widget*, void*) { closeEvolution(); }, nullptr, 0, 0, 0, 0, 0},
        {"E&xit", FL_CTRL + 'q', [](Fl_Widget*, void*) { exitProgram(); }, nullptr, 0, 0, 0, 0, 0},
        {nullptr, 0, nullptr, nullptr, 0, 0, 0, 0, 0},
        {"Settings", 0, nullptr, nullptr, FL_SUBMENU, 0, 0, 0, 0},
        {"Load ...", 0, nullptr, nullptr, 0, 0, 0, 0, 0},
        {"Reset", 0, nullptr, nullptr, 0, 0, 0, 0, 0},
        {"Save", 0, nullptr, nullptr, 0, 0, 0, 0, 0},
        {nullptr, 0, nullptr, nullptr, 0, 0, 0, 0, 0},
        {nullptr, 0, nullptr, nullptr, 0, 0, 0, 0, 0},
    };
    bar->copy(items);
}
