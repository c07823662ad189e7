#pragma once
// The colour schemes of the "Attributes" choice, by the view state's
// attributeIndex.

enum ColourScheme : int {
    schemeContent = 0,
    schemeEvolution = 1,
    schemeAuthors = 2,
    schemeLinePosition = 3,
};
