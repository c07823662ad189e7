#pragma once
// The colour of a present row under the schemes that colour a row by what
// it holds, who wrote it or where it lies rather than by its status:
// "Content", "Authors" and "Line position". Every layout colours present
// rows this way; they differ only in the other schemes.

#include <vector>

#include "colouring/colour_maps.h"

class EvolutionFile;

// Walks one row at a time: the line position colour stays the same along a
// row, and a layout that walks rows in order works it out once per row.
struct RowColours {
    RowColours(const EvolutionFile& evolution, int scheme, const std::vector<int>& rowAuthors)
        : evolution(evolution), scheme(scheme), rowAuthors(rowAuthors)
    {
    }

    void beginRow(int i);
    // The current row's colour at revision c, its author in rowAuthors
    // already advanced to c; a scheme other than those three gives
    // `otherwise`.
    Rgb present(int c, const Rgb& otherwise) const;

    const EvolutionFile& evolution;
    int scheme;
    const std::vector<int>& rowAuthors;
    int row = 0;
    Rgb linePosition{};
};
