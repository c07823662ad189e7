#pragma once
// Bounded readers for the small fields of the program's text files: words,
// whole numbers and floating-point numbers, taken from the front of a line
// the way the files' formats describe them. Nothing is copied into a fixed
// buffer, so a field of any length is read whole or refused.

#include <string_view>

inline bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\r' || c == '\n'; }

// Drops leading white space.
std::string_view skipBlanks(std::string_view text);

// Takes the next run of non-blank characters; false when there is none.
bool takeWord(std::string_view& text, std::string_view& word);

// Takes a decimal integer with an optional sign after optional white space;
// false when there is none or it does not fit into an int.
bool takeInt(std::string_view& text, int& value);

// Takes a floating-point number after optional white space, in any form the
// C library reads; false when there is none.
bool takeFloat(std::string_view& text, float& value);

// Reads a whole decimal number of at most nine digits with nothing else.
bool parseCount(std::string_view text, int& value);
