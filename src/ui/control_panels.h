#pragma once
// The controls of the three tab panels, each made into its tab with its
// label, range, step, style and callback. Their values are set afterwards,
// by the window's reset.

class Fl_Group;

void buildDisplayControls(Fl_Group* tab);
void buildBlocksControls(Fl_Group* tab);
void buildEnginesControls(Fl_Group* tab);
