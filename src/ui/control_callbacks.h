#pragma once
// The callbacks of the controls in the three tab panels and of the range
// sliders, one per control (the three font sliders and the two range
// sliders share one). Each receives the widget that fired, copies its value
// into the parameter it sets and redraws what shows that parameter; the
// zoom and scroll sliders' callbacks are with the synchronisation.

class Fl_Widget;

void versionDrawingCallback(Fl_Widget* widget, void* data);
void fitToWindowCallback(Fl_Widget* widget, void* data);
void fitToLineCallback(Fl_Widget* widget, void* data);
void reshuffleCallback(Fl_Widget* widget, void* data);
void scrollSpeedCallback(Fl_Widget* widget, void* data);
void revisionBlendingCallback(Fl_Widget* widget, void* data);
void blockBlendingCallback(Fl_Widget* widget, void* data);
void blendingRatioCallback(Fl_Widget* widget, void* data);
void fontCallback(Fl_Widget* widget, void* data);

void blockSortingCallback(Fl_Widget* widget, void* data);
void displayBlocksCallback(Fl_Widget* widget, void* data);
void blocksAboveCallback(Fl_Widget* widget, void* data);

void viewModeCallback(Fl_Widget* widget, void* data);
void attributeCallback(Fl_Widget* widget, void* data);
void balanceImageCallback(Fl_Widget* widget, void* data);
void redistributeCallback(Fl_Widget* widget, void* data);
void antiAliasingCallback(Fl_Widget* widget, void* data);
void focusPositionCallback(Fl_Widget* widget, void* data);
void syntaxHighlightingCallback(Fl_Widget* widget, void* data);
void geometryCushionsCallback(Fl_Widget* widget, void* data);
void curvatureCallback(Fl_Widget* widget, void* data);
void steepnessCallback(Fl_Widget* widget, void* data);
void mixerCallback(Fl_Widget* widget, void* data);

void revisionRangeCallback(Fl_Widget* widget, void* data);
