#pragma once
// What the code view shows, prepared on every pointer move over the
// evolution view: the lines of the hovered revision around the hovered line,
// or the author of the hovered revision. The per-line tables go into the view
// state; the texts into the two strings below.

#include <string>

// The listing of the hovered revision and the listing of absent lines: lines
// separated by line feeds, the first being line 0.
extern std::string codeListingText;
extern std::string absentListingText;

// The line of the evolution shown in `row` in the given layout of the
// evolution view; -1 when no evolution is open.
int rowToLine(int row, int layoutMode);

// How many lines a listing shows above and below its centre line in a view
// `viewHeight` pixels high with lines `lineHeight` pixels apart. Bounded so
// that a listing never has more slots than the view state's tables, however
// small the lines; a line height below 1 counts as 1.
int listingHalfHeight(int viewHeight, int lineHeight);

// The listing of `hoveredRevision` (counted from 1) centred on `hoveredRow`,
// or on the nearest present row above it when that row is absent there.
void refreshRevisionListing(int layoutMode);

// Over no cell: the author who committed revision `hoveredRevision`
// (counted from 0 in this case).
void refreshAuthorLine();
