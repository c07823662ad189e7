#pragma once
// The second panel of the code view over an absent cell: the run of lines
// absent there around the hovered row, as they read in the nearest revision
// where each exists, with the stretch of revisions each lives.

// Fills `absentListingText` and the view state's absent-line tables for the
// hovered absent cell (`hoveredRow`, `hoveredRevision` counted from 1). A
// cell that is not absent, or outside the grid, gives a listing of empty
// slots.
void refreshAbsentListing(int layoutMode);
