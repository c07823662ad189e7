#pragma once
// The view state's versionDrawing: what marks the revision columns.

enum VersionDrawing : int {
    versionDrawingCushions = 0,
    versionDrawingLines = 1,
    versionDrawingNone = 2,
};
