#pragma once
// The arithmetic that keeps the scroll sliders, the zoom and the legends in
// step with the evolution canvas: plain numbers in, plain numbers out, so
// that it holds for any count of rows or columns, none included.

// The picture's extent along each axis. The revision axis counts whole
// pixels, the row axis does not.
float lineContentHeight(int rows, float lineSize);
int revisionContentWidth(int columns, float versionSize);

// The share of a scroll slider's track that its knob covers: the visible
// part of the content, the whole track when everything is visible.
float scrollKnobSize(float sliderExtent, float contentExtent);

// Scroll slider positions, counted in rows and columns. Content that
// overshoots the slider by a pixel or two is treated as fitting, and shows
// the slider at its start.
float lineScrollValue(int rows, float scrollY, float contentHeight, int sliderHeight);
float revisionScrollValue(int columns, float scrollX, int contentWidth, int sliderWidth);

// The scroll offset in pixels for a scroll slider moved to `value` (whole
// rows or columns): 0 shows the first cell at the start edge, `count` the
// last cell at the end edge.
float scrollForSliderValue(int count, float cellSize, int sliderExtent, int value);

// The cell size at which `count` cells fill `viewExtent` exactly; with no
// cells there is nothing to fit and `unchanged` is kept.
float fittedCellSize(int viewExtent, int count, float unchanged);

struct AxisZoom {
    float cellSize = 0;
    float scroll = 0;
};

// Zooms one axis from `oldSize` to `newSize` pixels per cell about the
// view's centre, keeping the scroll within the content; content that would
// end up no longer than the view is fitted to it and scrolled to its start.
AxisZoom zoomLineAxis(int rows, float oldSize, float newSize, float scrollY, int viewHeight);
AxisZoom zoomRevisionAxis(int columns, float oldSize, float newSize, float scrollX, int viewWidth);
