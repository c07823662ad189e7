#include "ui/widgets.h"

EvolutionView* evolutionView = nullptr;
CodeView* codeView = nullptr;
Fl_Text_Buffer* statusBuffer = nullptr;

LegendStack* lineLegendStack = nullptr;
LegendStack* revisionLegendStack = nullptr;
ColourLegend* lineLegend = nullptr;
ColourLegend* lineBarLegend = nullptr;
ColourLegend* revisionLegend = nullptr;
ColourLegend* revisionBarLegend = nullptr;
ColourLegend* authorLegend = nullptr;
