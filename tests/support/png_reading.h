#pragma once
// PNG files read back for the tests of pictures the program writes.

#include <string>

#include "app/png_file.h"

// False when `path` is not a readable PNG.
bool readPng(const std::string& path, RgbPicture& picture);

// The share of pixels whose channels differ by more than `levels` in any
// channel; 1 when the sizes differ.
double differingShare(const RgbPicture& a, const RgbPicture& b, int levels = 8);
