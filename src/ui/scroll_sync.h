#pragma once
// Keeps the scroll sliders, the zoom sliders, the range sliders and the
// legend stacks in step with the evolution canvas. The view state's zoom and
// scroll fields are the truth: whoever changes them calls the operations
// here, which derive every widget's position from them. Widgets that do not
// exist (yet) are skipped; with nothing loaded there are no rows or columns.

class Fl_Slider;
class Fl_Widget;
class LegendStack;

// The rows the current layout stacks: the longest revision in the Normal
// layout, every shown row in the others.
int layoutRowCount();

void syncLineScroll(Fl_Slider* slider);
void syncRevisionScroll(Fl_Slider* slider);

// Hand the legends of a stack the canvas's offset and cell size along the
// stack's axis, and redraw them.
void pushLineScale(LegendStack* stack);
void pushRevisionScale(LegendStack* stack);

// Shows every row and every revision, unscrolled, with the range sliders.
void fitToWindow();

// Rebuilds the blocks for the current sorting and bounds the "Show blocks
// above" slider by the highest block level; the threshold itself stays as
// the user chose it until the slider is moved.
void refreshBlockThreshold();

void lineScrollCallback(Fl_Widget* widget, void* data);
void revisionScrollCallback(Fl_Widget* widget, void* data);
// Zoom about the centre of the view ("Version size", "Line size").
void versionSizeCallback(Fl_Widget* widget, void* data);
void lineSizeCallback(Fl_Widget* widget, void* data);
