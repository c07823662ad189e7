#include "view/pointer_globals.h"

int savedAttributeIndex = 1;
int savedWindowX = 0;
int savedWindowY = 0;
