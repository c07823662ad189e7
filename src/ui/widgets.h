#pragma once
// The widgets every part of the window reaches by name. Each is made once
// by the window's construction and never deleted; null until then.

class EvolutionView;
class CodeView;
class Fl_Text_Buffer;
class LegendStack;
class ColourLegend;

extern EvolutionView* evolutionView;
extern CodeView* codeView;
extern Fl_Text_Buffer* statusBuffer;

extern LegendStack* lineLegendStack;
extern LegendStack* revisionLegendStack;
extern ColourLegend* lineLegend;
extern ColourLegend* lineBarLegend;
extern ColourLegend* revisionLegend;
extern ColourLegend* revisionBarLegend;
extern ColourLegend* authorLegend;
