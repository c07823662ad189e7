#pragma once
// The menu bar's items: "File" with opening, closing and leaving, and
// "Settings", whose items change nothing.

class Fl_Menu_Bar;

void fillMainMenu(Fl_Menu_Bar* bar);
