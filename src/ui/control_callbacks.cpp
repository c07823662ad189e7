#include "ui/control_callbacks.h"

#include "ui/scroll_sync.h"

void fitToWindowCallback(Fl_Widget*, void*)
{
    fitToWindow();
}

void versionDrawingCallback(Fl_Widget*, void*) {}
void fitToLineCallback(Fl_Widget*, void*) {}
void reshuffleCallback(Fl_Widget*, void*) {}
void scrollSpeedCallback(Fl_Widget*, void*) {}
void revisionBlendingCallback(Fl_Widget*, void*) {}
void blockBlendingCallback(Fl_Widget*, void*) {}
void blendingRatioCallback(Fl_Widget*, void*) {}
void fontCallback(Fl_Widget*, void*) {}

void blockSortingCallback(Fl_Widget*, void*) {}
void displayBlocksCallback(Fl_Widget*, void*) {}
void blocksAboveCallback(Fl_Widget*, void*) {}

void viewModeCallback(Fl_Widget*, void*) {}
void attributeCallback(Fl_Widget*, void*) {}
void balanceImageCallback(Fl_Widget*, void*) {}
void redistributeCallback(Fl_Widget*, void*) {}
void antiAliasingCallback(Fl_Widget*, void*) {}
void focusPositionCallback(Fl_Widget*, void*) {}
void syntaxHighlightingCallback(Fl_Widget*, void*) {}
void geometryCushionsCallback(Fl_Widget*, void*) {}
void curvatureCallback(Fl_Widget*, void*) {}
void steepnessCallback(Fl_Widget*, void*) {}
void mixerCallback(Fl_Widget*, void*) {}

void revisionRangeCallback(Fl_Widget*, void*) {}
