#pragma once
// The coloured stretches that syntax regions put behind a line of the code
// view's listing.

#include <vector>

#include "app/view_state.h"
#include "syntax/syntax_region.h"

class Grammar;

// Appends to `spans` one stretch for every region of `regions` that touches
// line `textLine` of the revision's text. The scanner lists inner regions
// before the ones around them, so the regions are taken from the last to the
// first: the inner ones come later and are painted over the outer ones. The
// grammar gives the lengths of the closing tokens; without one they count 0.
void appendRegionSpans(std::vector<CodeSpan>& spans, const std::vector<SyntaxRegion>& regions,
                       int textLine, const Grammar* grammar);
