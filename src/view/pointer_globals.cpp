#include "view/pointer_globals.h"

int lastPointerX = 0;
int lastPointerY = 0;
int savedAttributeIndex = 1;
bool attributeKeyReady = true;
bool shiftHeld = false;
bool pointerInCanvas = false;
bool fullScreen = false;
int savedWindowX = 0;
int savedWindowY = 0;
int savedWindowWidth = 0;
int savedWindowHeight = 0;
