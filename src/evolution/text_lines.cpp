#include "evolution/text_lines.h"

#include <cstdlib>
#include <sys/stat.h>

// Only regular files count as readable: a directory opens without complaint
// on this platform and a named pipe could block the program forever.
TextLines::TextLines(const std::string& path)
{
    struct stat info;
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return;
    file = std::fopen(path.c_str(), "rb");
}

TextLines::~TextLines()
{
    if (file)
        std::fclose(file);
    std::free(buffer);  // getline's own allocation
}

bool TextLines::next(std::string_view& line)
{
    if (!file)
        return false;
    ssize_t length = ::getline(&buffer, &capacity, file);
    if (length < 0)
        return false;
    size_t n = static_cast<size_t>(length);
    if (n > 0 && buffer[n - 1] == '\n')
        --n;
    if (n > 0 && buffer[n - 1] == '\r')
        --n;
    line = std::string_view(buffer, n);
    return true;
}

void TextLines::rewind()
{
    if (file)
        std::rewind(file);
}

static void printFlushed(const std::string& text)
{
    std::fputs("\n", stdout);
    std::fflush(stdout);
    std::fputs(text.c_str(), stdout);
    std::fputs("\n", stdout);
    std::fflush(stdout);
}

void reportOpenFailure(const std::string& path)
{
    printFlushed("ERROR: Could not open file : " + path);
}

void reportReadFailure(const std::string& path)
{
    printFlushed("ERROR: Could not open file " + path + " for reading");
}

void reportError(const std::string& message)
{
    printFlushed("ERROR: " + message);
}
