#pragma once
// The face the code view's text is drawn in, found through fontconfig.

#include <string>

struct FontFile {
    std::string path;  // empty when the system has no usable face
    int index = 0;     // the face within a collection file
};

// A monospaced "Courier New" as the system maps it (Liberation Mono is its
// metric twin), else the system's preferred monospaced face. Looked up once;
// the fonts installed do not change while the program runs.
const FontFile& monospacedFontFile();
