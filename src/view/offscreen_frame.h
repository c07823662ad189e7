#pragma once
// Drawing without a display: an OpenGL context of Mesa's surfaceless EGL
// platform, rendering into a buffer of its own. Calls go through the same
// dispatch as the window's GLX contexts, so the canvases' own drawing code
// runs unchanged in it.

#include <functional>
#include <string>

struct RgbPicture;

// Makes a width x height buffer current, runs `draw` and reads what it drew
// into `picture`. False, with `error` a sentence, when no such context or
// buffer can be made.
bool drawOffscreen(int width, int height, const std::function<void()>& draw, RgbPicture& picture,
                   std::string& error);
