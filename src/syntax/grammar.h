#pragma once
// The language tokens of grammar.dat, and the scanner that uses them to find
// comments, strings, reference lines and nesting blocks in a revision's text.

#include <string>
#include <vector>

#include "syntax/syntax_region.h"

class Grammar {
public:
    // Reads the grammar file of the directory (which ends with '/'); a
    // missing file leaves every token empty.
    explicit Grammar(const std::string& directory);

    std::vector<SyntaxRegion>* target = nullptr;
    std::string blockOpen;
    std::string blockClose;
    std::string commentBlockOpen;
    std::string commentBlockClose;
    std::string commentLine;
    std::string commentLineFragment;
    std::string reference;
    std::string keywordIf;
    std::string keywordFor;
    std::string keywordWhile;
    std::string keywordDo;

    bool load(const std::string& directory);
    void setTarget(std::vector<SyntaxRegion>* list) { target = list; }
    // Fills the target with the regions of the text file at `path`.
    bool scan(const std::string& path);
};

std::string grammarFilePath(const std::string& directory);
