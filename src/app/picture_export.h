#pragma once
// `quillon --export FILE.png PATH`: the evolution at PATH drawn into a PNG
// by the canvas's own frame, in a window that is built but never shown, so
// that no display is needed.

struct CommandLine;

// The process's exit status: 0 when the picture was written, 1 with one
// sentence on standard error when the size is out of bounds, PATH does not
// open or the picture cannot be drawn or written; no file is left behind
// then.
int exportPicture(const CommandLine& line);
