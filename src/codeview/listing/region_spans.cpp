#include "codeview/listing/region_spans.h"

#include "syntax/grammar.h"

namespace {

struct RegionStyle {
    bool shown = false;
    float red = 0, green = 0, blue = 0;
    int closingLength = 0;  // how far the colour reaches past the end column
    bool wholeLines = false;
};

RegionStyle styleOf(const SyntaxRegion& region, const Grammar* grammar)
{
    switch (region.kind) {
    case regionComment: {
        const int closing = grammar ? static_cast<int>(grammar->commentBlockClose.size()) : 0;
        return {true, 0.7f, 1.0f, 0.7f, closing, false};
    }
    case regionBlock: {
        // Deeper blocks are darker.
        const float g = static_cast<float>(3 - region.depth) * 0.05f + 0.84f;
        const int closing = grammar ? static_cast<int>(grammar->blockClose.size()) : 0;
        return {true, g - 0.4f, g - 0.2f, g, closing, false};
    }
    case regionReference:
        return {true, 1.0f, 0.75f, 0.5f, 0, true};
    case regionString:
        return {true, 1.0f, 0.7f, 0.7f, 1, false};
    default:
        return {};
    }
}

}  // namespace

void appendRegionSpans(std::vector<CodeSpan>& spans, const std::vector<SyntaxRegion>& regions,
                       int textLine, const Grammar* grammar)
{
    for (auto region = regions.rbegin(); region != regions.rend(); ++region) {
        if (region->startLine > textLine || textLine > region->endLine)
            continue;
        const RegionStyle style = styleOf(*region, grammar);
        if (!style.shown)
            continue;
        CodeSpan span{style.red, style.green, style.blue, 0, endOfLineColumn};
        if (!style.wholeLines) {
            if (textLine == region->startLine)
                span.startColumn = region->startColumn;
            if (textLine == region->endLine)
                span.endColumn = region->endColumn + style.closingLength;
        }
        spans.push_back(span);
    }
}
