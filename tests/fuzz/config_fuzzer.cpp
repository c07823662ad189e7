// config.cfg: a line sets at most its own colour, and only to numbers it
// holds or to the -1 of a missing one.

#include <cmath>

#include "colouring/colour_maps.h"
#include "config/colour_configuration.h"
#include "fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    scratch().write("config.cfg", text);
    const Rgb marker = {0.25f, 0.5f, 0.75f};
    statusColours.fill(marker);
    FUZZ_CHECK(readColourConfiguration(configurationFilePath(scratch().path())));
    const bool anyKey = text.find("COLOR_") != std::string::npos;
    for (const Rgb& colour : statusColours)
        FUZZ_CHECK(anyKey || colour == marker);
    return 0;
}
