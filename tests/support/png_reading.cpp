#include "support/png_reading.h"

#include <png.h>

#include <cstdlib>

bool readPng(const std::string& path, RgbPicture& picture)
{
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str()))
        return false;
    image.format = PNG_FORMAT_RGB;
    picture.width = static_cast<int>(image.width);
    picture.height = static_cast<int>(image.height);
    picture.rgb.resize(PNG_IMAGE_SIZE(image));
    return png_image_finish_read(&image, nullptr, picture.rgb.data(), 0, nullptr) != 0;
}

double differingShare(const RgbPicture& a, const RgbPicture& b, int levels)
{
    if (a.width != b.width || a.height != b.height || a.rgb.size() != b.rgb.size() || a.rgb.empty())
        return 1.0;
    size_t differing = 0;
    for (size_t i = 0; i < a.rgb.size(); i += 3)
        for (size_t c = i; c < i + 3; ++c)
            if (std::abs(a.rgb[c] - b.rgb[c]) > levels) {
                ++differing;
                break;
            }
    return static_cast<double>(differing) / static_cast<double>(a.rgb.size() / 3);
}
