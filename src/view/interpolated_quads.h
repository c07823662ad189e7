#pragma once
// The quadrilaterals of the Interpolated layout's columns, collected and
// drawn together.
//
// Every quadrilateral spans one column, x = c .. c + 1, between a top edge
// and a bottom edge that may slope. Without antialiasing a polygon colours
// exactly the pixels whose centres it covers, so one that covers no pixel
// centre of the canvas draws nothing and is dropped here: at a fitted zoom
// most columns fall between two pixel centres, and most rows of the rest are
// thinner than a pixel. The test keeps a margin around every centre for the
// rounding of the transform, so that only quadrilaterals that would not have
// drawn are ever dropped.
//
// A column's quadrilaterals follow one another down the column, each top
// edge the bottom edge of the one before, so a run of them is the one
// quadrilateral from the first top to the last bottom. Runs are merged while
// their colours come to the same 8-bit levels, across dropped ones: the
// merged quadrilateral covers the same pixel centres, and each shows within
// one level of its own colour. Quadrilaterals of one column never overlap,
// so the order in which they reach the framebuffer does not change the
// picture.
//
// Columns a few pixels wide hold a few pixel centres across, and there
// nearly every quadrilateral that shows covers only a pixel or two: a fitted
// view of a large evolution has about one per pixel of the layout. Those
// pixels are painted into an image of the canvas instead, each with the
// colour of the quadrilateral whose edges enclose its centre, and the image
// goes to the framebuffer in one piece, through the same blending; pixels
// no quadrilateral covers are left out of it by the alpha test.

#include <cstdint>
#include <vector>

#include "colouring/colour_maps.h"
#include "view/cell_image.h"

class ViewState;

class ColumnQuads {
public:
    // Takes the transform from the view state: x in revisions, y counted
    // down from the top in units of `rowScale` pixels (the line size for the
    // row-unit transform, 1 for the pixel-row transform). With an image, the
    // columns are painted into it (see paintsColumns), and the caller draws
    // it; columns painted by two batches at once must be different ones.
    ColumnQuads(const ViewState& view, float rowScale, CellImage* image);

    // Whether anything was painted into the image.
    bool painted() const { return paintedAny; }

    // Starts column c; false when no pixel centre lies across it, and then
    // nothing added to it is drawn.
    bool beginColumn(int c);
    // Whether the quadrilateral (c, topLeft), (c + 1, topRight), (c + 1,
    // bottomRight), (c, bottomLeft) of the current column, with bottoms at
    // or below their tops, reaches a pixel centre.
    bool shows(float topLeft, float topRight, float bottomRight, float bottomLeft) const;
    // Whether a quadrilateral with these top edges lies wholly below the
    // canvas, and with it every one further down the column, whose tops lie
    // no higher.
    bool below(float topLeft, float topRight) const;
    // Queues a quadrilateral that shows; one that does not goes to `skip`,
    // so that callers need not find its colour.
    void add(float topLeft, float topRight, float bottomRight, float bottomLeft, const Rgb& colour);
    // Tells the batch of a quadrilateral that does not show, so that the
    // ones above and below it may merge.
    void skip(float topLeft, float topRight, float bottomRight, float bottomLeft);
    // Draws every quadrilateral queued with the current blend function and
    // transform.
    void flush();

private:
    // Quadrilaterals of the current column waiting to be merged with the
    // next.
    struct Run {
        float topLeft = 0, topRight = 0, bottomRight = 0, bottomLeft = 0;
        Rgb colour{};
        uint32_t levels = 0;
        bool open = false;
    };

    // The window pixel rows whose centres the quadrilateral encloses at one
    // pixel column, first to last (none when first > last).
    struct PixelRows {
        int first = 0, last = -1;
    };
    // A pixel column of a painted column, and where its centre lies across
    // the column (0 at its left edge, 1 at its right edge).
    struct PixelColumn {
        int x = 0;
        double across = 0.0;
    };

    PixelRows enclosedRows(float topLeft, float topRight, float bottomRight, float bottomLeft,
                           double across) const;
    bool follows(float topLeft, float topRight) const;
    void close();

    float scrollX, versionSize;
    float top, rowScale;
    int width, height;
    double rowMargin;
    CellImage* image;
    bool painting;

    // The current column, and where its first and last pixel centres lie
    // across it (0 at its left edge, 1 at its right edge); a painted column
    // has its pixel columns listed.
    int column = 0;
    bool columnShows = false;
    double firstCentre = 0.0, lastCentre = 0.0;
    std::vector<PixelColumn> pixelColumns;
    Run run;

    std::vector<float> vertices;
    std::vector<float> colours;
    bool paintedAny = false;
};

// Whether the columns of the view are narrow enough to be painted into an
// image, and the canvas small enough for one.
bool paintsColumns(const ViewState& view);
