#pragma once
// Several colour legends lying on top of each other, one shown at a time,
// with two arrow buttons to step through them. The rest of the window talks
// to its legends only through their stack.

#include <FL/Fl_Group.H>

#include <set>

class ColourLegend;

enum LegendStackOrientation { stackHorizontal = 0, stackVertical = 1, stackFromShape = 2 };

class LegendStack : public Fl_Group {
public:
    // Leaves the stack open for registration: every legend made until
    // `finish` joins it, and nothing else does.
    LegendStack(int x, int y, int w, int h, int orientation = stackFromShape);
    ~LegendStack() override;

    void finish();
    void removeLegend(ColourLegend* legend);

    // Broadcasts to every registered legend, shown or hidden, so that a
    // legend lines up with the canvas the moment it is shown.
    void setOffsetAndScale(float offset, float scale);
    void redrawLegends();
    void movePointer(int x, int y);
    void showCursor(bool flag);

    int shownIndex = firstLegendChild;  // among the children
    int orientation = stackHorizontal;
    std::set<ColourLegend*> legends;

    // Children 0 and 1 are the two arrow buttons.
    static constexpr int firstLegendChild = 2;
};

extern LegendStack* openLegendStack;

// Adds a legend under construction to the open stack; null when none is open.
LegendStack* registerLegend(ColourLegend* legend);
