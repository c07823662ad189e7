#include "view/row_colours.h"

#include "evolution/evolution_file.h"
#include "view/colour_scheme.h"

void RowColours::beginRow(int i)
{
    row = i;
    if (scheme == schemeLinePosition)
        linePosition = rainbowColour(static_cast<float>(i) / static_cast<float>(evolution.rowCount));
}

Rgb RowColours::present(int c, const Rgb& otherwise) const
{
    switch (scheme) {
    case schemeContent:
        return contentColour(evolution.rowClasses[row][c]);
    case schemeAuthors:
        return authorColour(rowAuthors[row]);
    case schemeLinePosition:
        return linePosition;
    default:
        return otherwise;
    }
}
