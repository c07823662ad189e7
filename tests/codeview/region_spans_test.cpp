#include "codeview/listing/region_spans.h"

#include <gtest/gtest.h>

#include "support/temp_directory.h"
#include "syntax/grammar.h"

namespace {

SyntaxRegion region(int startLine, int startColumn, int endLine, int endColumn, int kind, int depth = 0)
{
    SyntaxRegion r;
    r.startLine = startLine;
    r.startColumn = startColumn;
    r.endLine = endLine;
    r.endColumn = endColumn;
    r.kind = kind;
    r.depth = depth;
    return r;
}

void expectSpan(const CodeSpan& span, float red, float green, float blue, int startColumn, int endColumn)
{
    EXPECT_NEAR(span.red, red, 1e-6);
    EXPECT_NEAR(span.green, green, 1e-6);
    EXPECT_NEAR(span.blue, blue, 1e-6);
    EXPECT_EQ(span.startColumn, startColumn);
    EXPECT_EQ(span.endColumn, endColumn);
}

// A grammar whose closing tokens differ in length, so that each region kind
// shows which one it adds.
class RegionSpans : public testing::Test {
protected:
    RegionSpans()
    {
        directory.write("grammar.dat", "BLOCK begin end\nCOMMENT_BLOCK (* ***)\n");
        grammar = std::make_unique<Grammar>(directory.path());
    }
    TempDirectory directory;
    std::unique_ptr<Grammar> grammar;
};

}  // namespace

TEST_F(RegionSpans, OneLineRegionsReachPastTheirClosingToken)
{
    const std::vector<SyntaxRegion> regions = {
        region(4, 6, 4, 9, regionString),
        region(4, 12, 4, 20, regionComment),
        region(4, 2, 4, 30, regionBlock, 0),
    };
    std::vector<CodeSpan> spans;
    appendRegionSpans(spans, regions, 4, grammar.get());
    ASSERT_EQ(spans.size(), 3u);
    // From the last region to the first: the enclosing block comes first
    // and the string inside it is painted last.
    expectSpan(spans[0], 0.59f, 0.79f, 0.99f, 2, 33);
    expectSpan(spans[1], 0.7f, 1.0f, 0.7f, 12, 24);
    expectSpan(spans[2], 1.0f, 0.7f, 0.7f, 6, 10);
}

TEST_F(RegionSpans, MultiLineRegionsColourTheirInnerLinesWhole)
{
    const std::vector<SyntaxRegion> regions = {region(2, 8, 5, 4, regionBlock, 3)};
    const float red = 0.44f, green = 0.64f, blue = 0.84f;  // the darkest of the usual depths

    std::vector<CodeSpan> first, inner, last, outside;
    appendRegionSpans(first, regions, 2, grammar.get());
    appendRegionSpans(inner, regions, 3, grammar.get());
    appendRegionSpans(last, regions, 5, grammar.get());
    appendRegionSpans(outside, regions, 6, grammar.get());
    ASSERT_EQ(first.size(), 1u);
    ASSERT_EQ(inner.size(), 1u);
    ASSERT_EQ(last.size(), 1u);
    expectSpan(first[0], red, green, blue, 8, endOfLineColumn);
    expectSpan(inner[0], red, green, blue, 0, endOfLineColumn);
    expectSpan(last[0], red, green, blue, 0, 7);
    EXPECT_TRUE(outside.empty());
}

TEST_F(RegionSpans, ReferenceLinesAreWholeAndUnknownKindsUncoloured)
{
    const std::vector<SyntaxRegion> regions = {
        region(1, 0, 1, wholeLineEndColumn, regionReference),
        region(1, 3, 1, 5, 4),
    };
    std::vector<CodeSpan> spans;
    appendRegionSpans(spans, regions, 1, grammar.get());
    ASSERT_EQ(spans.size(), 1u);
    expectSpan(spans[0], 1.0f, 0.75f, 0.5f, 0, endOfLineColumn);
}

TEST(RegionSpansWithoutGrammar, ClosingTokensCountNothing)
{
    const std::vector<SyntaxRegion> regions = {
        region(0, 1, 0, 5, regionComment),
        region(0, 0, 0, 9, regionBlock, 1),
        region(0, 2, 0, 4, regionString),
    };
    std::vector<CodeSpan> spans;
    appendRegionSpans(spans, regions, 0, nullptr);
    ASSERT_EQ(spans.size(), 3u);
    EXPECT_EQ(spans[0].endColumn, 5);   // the string's closing quote still counts
    EXPECT_EQ(spans[1].endColumn, 9);
    EXPECT_EQ(spans[2].endColumn, 5);
    expectSpan(spans[1], 0.54f, 0.74f, 0.94f, 0, 9);
}
