#pragma once
// Pictures as PNG files.

#include <string>
#include <vector>

// Rows from the top, three bytes a pixel.
struct RgbPicture {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;
};

// Writes the picture to a temporary name beside `path` and renames it into
// place only when complete, so that a failure leaves no file behind. False,
// with `error` a sentence, when it cannot be written.
bool writePng(const std::string& path, const RgbPicture& picture, std::string& error);
