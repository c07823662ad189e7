#include "evolution/text_lines.h"

#include <algorithm>
#include <cstring>
#include <sys/stat.h>

// Only regular files count as readable: a directory opens without complaint
// on this platform and a named pipe could block the program forever.
TextLines::TextLines(const std::string& path)
{
    struct stat info;
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return;
    file = std::fopen(path.c_str(), "rb");
    if (file)
        size = static_cast<size_t>(info.st_size);
}

TextLines::~TextLines()
{
    if (file)
        std::fclose(file);
}

// Reads more of the file behind what is still unread, first moving that to
// the front of the buffer and growing the buffer only when one line fills it.
void TextLines::fill()
{
    constexpr size_t chunk = 1 << 16;
    if (begin > 0) {
        std::copy(buffer.begin() + static_cast<std::ptrdiff_t>(begin),
                  buffer.begin() + static_cast<std::ptrdiff_t>(end), buffer.begin());
        end -= begin;
        searched -= begin;
        begin = 0;
    }
    if (buffer.size() - end < chunk)
        buffer.resize(std::max(buffer.size() * 2, end + chunk));
    const size_t n = std::fread(buffer.data() + end, 1, buffer.size() - end, file);
    end += n;
    if (n == 0)
        atEnd = true;
}

bool TextLines::next(std::string_view& line)
{
    if (!file)
        return false;
    for (;;) {
        const char* found = searched < end ? static_cast<const char*>(std::memchr(
                                                 buffer.data() + searched, '\n', end - searched))
                                           : nullptr;
        size_t lineEnd;
        if (found) {
            lineEnd = static_cast<size_t>(found - buffer.data());
            searched = lineEnd + 1;
        } else if (!atEnd) {
            searched = end;
            fill();
            continue;
        } else if (begin < end) {
            lineEnd = end;  // a last line without a line feed
            searched = end;
        } else {
            return false;
        }
        size_t n = lineEnd - begin;
        if (n > 0 && buffer[begin + n - 1] == '\r')
            --n;
        line = std::string_view(buffer.data() + begin, n);
        begin = searched;
        return true;
    }
}

void TextLines::rewind()
{
    if (!file)
        return;
    std::rewind(file);
    begin = end = searched = 0;
    atEnd = false;
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
