#include "config/colour_configuration.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

#include "colouring/colour_maps.h"
#include "evolution/text_fields.h"
#include "evolution/text_lines.h"

namespace {

struct ColourKey {
    const char* key;
    int status;
};

// In the order the file's keys are compared.
constexpr std::array<ColourKey, 6> colourKeys = {{
    {"COLOR_DEL", 5},
    {"COLOR_ADD", 4},
    {"COLOR_CON", 0},
    {"COLOR_MOD", 1},
    {"COLOR_RDEL", 2},
    {"COLOR_RADD", 3},
}};

std::string programDirectory()
{
    std::array<char, 4096> buffer{};
    const ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
    if (n <= 0)
        return {};
    std::string path(buffer.data(), static_cast<size_t>(n));
    return path.substr(0, path.rfind('/') + 1);
}

}  // namespace

std::string configurationFilePath(const std::string& directory)
{
    return directory + "config.cfg";
}

std::vector<std::string> defaultConfigurationPaths()
{
    std::vector<std::string> paths = {"config.cfg"};
    const std::string beside = programDirectory();
    if (!beside.empty())
        paths.push_back(beside + "config.cfg");
#ifdef QUILLON_DATA_DIR
    paths.push_back(std::string(QUILLON_DATA_DIR) + "/config.cfg");
#endif
    return paths;
}

bool readColourConfiguration(const std::string& path)
{
    TextLines file(path);
    if (!file.isOpen())
        return false;
    std::string_view line;
    while (file.next(line)) {
        std::string_view rest = line, key;
        if (!takeWord(rest, key))
            continue;
        // Components the line does not give are stored as -1.
        Rgb colour = {-1.0f, -1.0f, -1.0f};
        for (float& component : colour)
            if (!takeFloat(rest, component))
                break;
        for (const ColourKey& entry : colourKeys) {
            if (key == entry.key) {
                statusColours[entry.status] = colour;
                break;
            }
        }
    }
    return true;
}

void loadColourConfiguration(const std::string& directory)
{
    if (readColourConfiguration(configurationFilePath(directory)))
        return;
    std::fputs("\n", stdout);
    std::fflush(stdout);
    std::fputs("No configuration file found. Using defaults. \n", stdout);
    std::fflush(stdout);
    for (const std::string& path : defaultConfigurationPaths())
        if (readColourConfiguration(path))
            return;
    std::fputs("\n", stdout);
    std::fflush(stdout);
    std::fputs("ERROR: Default configuration file not found.\n", stdout);
    std::fflush(stdout);
    std::exit(2);
}
