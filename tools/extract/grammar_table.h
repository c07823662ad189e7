#pragma once
// The grammar.dat of a source file's language, chosen by its name.

#include <string>

struct LanguageGrammar {
    std::string language;  // for the tool's report, "plain text" for none
    std::string text;      // the grammar file; empty for plain text
};

// By the file name's extension, or the whole name for files such as
// Makefile that have none; plain text for anything not in the table.
LanguageGrammar grammarForFile(const std::string& fileName);
