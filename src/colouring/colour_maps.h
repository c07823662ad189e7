#pragma once
// The colour tables and maps every picture of the program shares.

#include <array>

using Rgb = std::array<float, 3>;

extern std::array<Rgb, 6> statusColours;        // by LineStatus
extern const std::array<Rgb, 15> contentColours; // by syntax class
extern std::array<Rgb, 9> identifierColours;    // by author number

// Moves every author colour one place towards the front, the first to the
// back, so that authors whose colours were hard to tell apart get others;
// nine of these give the first order again.
void reshuffleIdentifierColours();

// The built-in status colours, before any configuration file is read.
extern const std::array<Rgb, 6> defaultStatusColours;

// Blue through cyan, green and yellow to red for a value in 0..1.
Rgb rainbowColour(float v);
// The weighted mean of the status colours; `total` is the caller's sum.
Rgb mixStatusColours(const float weights[6], float total);
// The grey of a cell of a revision outside the shown range.
float outOfRangeGrey(int status);
// The colour of an author number: the nine identifier colours in turn, and
// a neutral grey for an unknown author (-1).
Rgb authorColour(int author);
// The content colour of a syntax class; classes outside the table are black.
Rgb contentColour(int syntaxClass);

// The row-author rule that a layout applies while it walks the revisions in
// order: row `row` of the current evolution takes the author of revision c
// when its status says the line changed there.
void updateRowAuthor(int rowAuthors[], int row, int c);
