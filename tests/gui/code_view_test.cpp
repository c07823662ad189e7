// The code view: text in bitmap fonts, swatches, spans, the centre bracket.

#include "app/globals.h"
#include "codeview/code_view.h"
#include "codeview/listing/code_listing.h"
#include "support/gl_harness.h"
#include "ui/widgets.h"

namespace {

constexpr int width = 650, height = 145, lower = 65, upper = 80;
const Rgb white = {1.0f, 1.0f, 1.0f}, blue = {0.59f, 0.79f, 0.99f}, red = {1.0f, 0.7f, 0.7f};

struct CodeViewCanvas : testing::Test {
    CodeViewCanvas() : harness((createGlobalObjects(), std::make_unique<CodeView>(0, 0, width, height)))
    {
        codeView = static_cast<CodeView*>(&harness.canvas());
        viewState->release();
        viewState->tableRows = viewState->tableColumns = 0;
        viewState->reset();
        viewState->codeViewWidth = width, viewState->codeViewHeight = height;
        statusColours = defaultStatusColours;
    }
    ~CodeViewCanvas() override { codeView = nullptr, viewState->reset(), codeListingText.clear(); }
    // The listing of a hovered cell of `kind`.
    Frame show(const std::string& text, int kind = 0)
    {
        viewState->loaded = true;
        viewState->hoverState = 0, viewState->hoverKind = kind;
        viewState->textLineCount = static_cast<int>(std::count(text.begin(), text.end(), '\n'));
        codeListingText = text;
        return harness.drawFrame();
    }
    // The left, right and bottom ends of the ink of `text`'s listing.
    std::array<int, 3> listing(const std::string& text)
    {
        const Frame frame = show(text);
        std::array<int, 3> box = {INT_MAX, -1, INT_MAX};
        for (int y = 0; y < frame.height; ++y)
            for (int x = 0; x < width / 2; ++x)
                if (const Rgba p = frame.at(x, y); std::max({p.red, p.green, p.blue}) < 100)
                    box = {std::min(box[0], x), std::max(box[1], x), std::min(box[2], y)};
        return box;
    }
    // The pixel row, from the bottom, in the middle of line i.
    static int middle(int line)
    {
        const ViewState& v = *viewState;
        return static_cast<int>(v.codeViewHeight - v.fontHeight - v.fontBaseline - (line - 0.2f) * v.fontHeight);
    }
    static int column(int c) { return 20 + c * viewState->fontWidth; }
    GlHarness harness;
};

TEST_F(CodeViewCanvas, GlyphsSitOnTheirCellsAndAdvanceOneFontWidthATabEight)
{
    const auto h = listing("H");
    EXPECT_TRUE(h[0] >= 20 && h[1] < 28 && std::abs(h[2] - 129.5) <= 1) << h[0] << " " << h[1] << " " << h[2];
    for (int size : {8, 11}) {
        viewState->fontWidth = size;
        viewState->fontHeight = size + 7;
        const auto one = listing("H");
        EXPECT_EQ(listing("HHHH")[1], one[1] + 3 * size);
        EXPECT_EQ(listing("H\tH")[1], one[1] + 9 * size);
        EXPECT_EQ(listing("HHH\tH")[1], one[1] + 11 * size);  // a flat eight, not to a tab stop
        EXPECT_EQ(listing("H\n\n\nH")[2], one[2] - 3 * (size + 7));
        EXPECT_EQ(listing("\xff\x01H")[0], one[0] + 2 * size);
        EXPECT_EQ(listing(" \t \x01\x7f\xff")[1], -1);
    }
    viewState->fontHeight = 15;
    viewState->fontWidth = 8;
    const auto before = listing("Hx");
    harness.loseContext();
    EXPECT_EQ(listing("Hx"), before);  // a new context gets its fonts back
}

TEST_F(CodeViewCanvas, SwatchesSpansAndBracketsColourTheListing)
{
    ViewState& v = *viewState;
    v.textLineAuthors.fill(-1);
    v.textLineAuthors[1] = 1;
    v.textLineAuthors[3] = 10;  // past the nine colours they repeat
    v.codeLineRegions[2] = {{red[0], red[1], red[2], 3, 6}};
    v.codeLineRegions[6] = {{blue[0], blue[1], blue[2], 0, endOfLineColumn}, {red[0], red[1], red[2], 2, 4}};
    for (auto [kind, status] : {std::pair{0, statusConstant}, {3, statusModified}, {4, statusReplacedByAddition}, {5, statusReplacedByDeletion}}) {
        const Frame frame = show(std::string(9, '\n'), kind);
        struct Probe { int x, y; Rgb colour; };
        for (const Probe& p : std::vector<Probe>{
                 {7, middle(0), white}, {7, middle(1), identifierColours[1]}, {14, middle(3), identifierColours[1]},
                 {column(3), middle(2), red}, {column(6) + 1, middle(2), white}, {column(3) - 1, middle(2), white},
                 {column(2) + 4, middle(6), red}, {column(5), middle(6), blue}, {18, middle(6), white},
                 {1, upper + 1, statusColours[status]}, {width - 1, lower - 2, statusColours[status]},
                 {width / 2, upper + 2, white}, {width / 2, upper - 1, white}, {width / 2, lower, white}, {width / 2, lower - 3, white}})
            EXPECT_TRUE(showsColour(frame.at(p.x, p.y), p.colour)) << kind << ": " << p.x << ", " << p.y;
    }
    v.syntaxHighlighting = 0;  // only the spans go
    const Frame frame = show(std::string(9, '\n'));
    EXPECT_TRUE(showsColour(frame.at(column(5), middle(6)), white) && showsColour(frame.at(7, middle(1)), identifierColours[1]));
}

}  // namespace
