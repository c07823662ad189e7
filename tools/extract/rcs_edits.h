#pragma once
// RCS edit scripts: the "dL N" and "aL N" commands that turn one revision's
// text into another's.

#include <string>
#include <string_view>
#include <vector>

// The lines of a text, each with its line feed; a last line without one
// still counts.
std::vector<std::string_view> splitTextLines(std::string_view text);

// Applies an edit script to the lines of `source`; the result's lines refer
// into `source`'s texts and into `script`. False, with `error` set, when
// the script does not fit the source.
bool applyEditScript(const std::vector<std::string_view>& source, std::string_view script,
                     std::vector<std::string_view>& result, std::string& error);
