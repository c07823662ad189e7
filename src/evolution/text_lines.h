#pragma once
// Reading text files line by line, whole lines of any length.
//
// Every input of the program is read through this one reader so that all of
// them agree on what a line is: the bytes up to a line feed, with the line
// feed and a carriage return before it dropped. A last line without a line
// feed still counts; an empty file has no lines. Lines are never cut, so a
// long line can never be mistaken for two.

#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class TextLines {
public:
    explicit TextLines(const std::string& path);
    ~TextLines();
    TextLines(const TextLines&) = delete;
    TextLines& operator=(const TextLines&) = delete;

    bool isOpen() const { return file != nullptr; }
    // The file's size when it was opened, which bounds what its lines hold.
    size_t byteCount() const { return size; }

    // The next line without its line end, valid until the next call.
    // Returns false at the end of the file.
    bool next(std::string_view& line);

    // Start again from the first line.
    void rewind();

private:
    void fill();

    std::FILE* file = nullptr;
    size_t size = 0;
    // Bytes read but not yet handed out lie in buffer[begin, end); the
    // part before `searched` is known to hold no line feed.
    std::vector<char> buffer;
    size_t begin = 0;
    size_t end = 0;
    size_t searched = 0;
    bool atEnd = false;
};

// The messages every reader gives for a file it cannot open, on standard
// output with the flushes the console expects.
void reportOpenFailure(const std::string& path);     // "... : path"
void reportReadFailure(const std::string& path);     // "... path for reading"
void reportError(const std::string& message);        // "ERROR: message"
