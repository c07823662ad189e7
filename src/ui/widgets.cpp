#include "ui/widgets.h"

EvolutionView* evolutionView = nullptr;
CodeView* codeView = nullptr;
Fl_Text_Buffer* statusBuffer = nullptr;
