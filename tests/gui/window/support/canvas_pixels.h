#pragma once
// The main window's canvas drawn once more and read back from its back
// buffer, as the toolkit would draw it on its next redraw.

#include "gui/support/frame_readback.h"

Frame drawCanvas();
