// The code view: listing text in bitmap fonts, author swatches, syntax
// spans, the bracket of the centre line, the absent panel, and the status
// bar text.

#include <FL/Fl_Text_Buffer.H>

#include <climits>
#include <cstdlib>

#include "app/globals.h"
#include "codeview/code_view.h"
#include "codeview/listing/code_listing.h"
#include "codeview/row_to_line.h"
#include "codeview/status_text.h"
#include "evolution/line_status.h"
#include "support/gl_harness.h"
#include "support/opened_evolution.h"
#include "ui/widgets.h"
#include "view/evolution_view.h"

namespace {

constexpr int width = 650, height = 145, textLeft = 20, panelLeft = width / 2 + 30;
const Rgb white = {1.0f, 1.0f, 1.0f};

Rgb mixed(const Rgb& over, float alpha, const Rgb& under)
{
    Rgb out;
    for (int i = 0; i < 3; ++i)
        out[i] = over[i] * alpha + under[i] * (1 - alpha);
    return out;
}

// The panel's translucent fill over the white view, and its frame.
Rgb panel(int status) { return mixed(times(statusColours[status], 0.95f), 0.8f, white); }
Rgb darker(int status)
{
    const Rgb& k = statusColours[status];
    return {k[0] - 0.5f, k[1] - 0.5f, k[2] - 0.5f};
}

// The box around the pixels darker than anything but the black text.
struct Ink {
    int left = INT_MAX, right = -1, bottom = INT_MAX, top = -1;
    bool empty() const { return right < 0; }
};

Ink inkIn(const Frame& frame, int x0, int x1)
{
    Ink ink;
    for (int y = 0; y < frame.height; ++y)
        for (int x = x0; x < x1; ++x)
            if (const Rgba p = frame.at(x, y); p.red < 100 && p.green < 100 && p.blue < 100) {
                ink = {std::min(ink.left, x), std::max(ink.right, x), std::min(ink.bottom, y), std::max(ink.top, y)};
            }
    return ink;
}

class CodeViewCanvas : public testing::Test {
protected:
    CodeViewCanvas() : harness((createGlobalObjects(), std::make_unique<CodeView>(0, 0, width, height)))
    {
        codeView = static_cast<CodeView*>(&harness.canvas());
        viewState->release();
        viewState->tableRows = viewState->tableColumns = 0;
        viewState->reset();
        viewState->codeViewWidth = width;
        viewState->codeViewHeight = height;
        statusColours = defaultStatusColours;
    }
    ~CodeViewCanvas() override
    {
        codeView = nullptr;
        viewState->reset();
        codeListingText.clear();
        absentListingText.clear();
    }
    // A hovered present cell's listing, with no swatches or spans.
    void showListing(const std::string& text, int hoverKind = 0)
    {
        ViewState& v = *viewState;
        v.loaded = true;
        v.hoverState = 0;
        v.hoverKind = hoverKind;
        v.textLineCount = static_cast<int>(std::count(text.begin(), text.end(), '\n'));
        v.textLineAuthors.fill(-1);
        codeListingText = text;
    }
    // The absent panel of a hovered deleted (1) or added (2) cell.
    void showAbsentPanel(int hoverKind, const std::string& text = {})
    {
        showListing({});
        viewState->hoverState = 1;
        viewState->hoverKind = hoverKind;
        viewState->focusPosition = 0;
        viewState->codeLineCount = 0;
        absentListingText = text;
    }
    Frame draw() { return harness.drawFrame(); }
    Ink listingInk(const std::string& text)
    {
        showListing(text);
        return inkIn(draw(), 0, width / 2);
    }
    Ink panelInk(const std::string& text)
    {
        showAbsentPanel(1, text);
        return inkIn(draw(), width / 2 + 40, width - 20);
    }
    // The pixel row in the middle of listing line i, normal or reduced font.
    static int lineMiddle(int line, bool small = false)
    {
        const ViewState& v = *viewState;
        const int size = small ? v.fontHeight - v.fontDifference : v.fontHeight;
        const float base = (v.codeViewHeight - size) - (small ? v.smallFontBaseline : v.fontBaseline);
        return static_cast<int>(base - (line - 0.2f) * size);
    }
    static int columnX(int column) { return textLeft + column * viewState->fontWidth; }

    GlHarness harness;
};

TEST_F(CodeViewCanvas, GlyphsSitOnTheirCellsAndAdvanceOneFontWidthATabEight)
{
    const Ink h = listingInk("H");
    ASSERT_FALSE(h.empty());
    // The first cell spans x 20 .. 27, the first baseline lies at 129.5.
    EXPECT_GE(h.left, 20);
    EXPECT_LT(h.right, 28);
    EXPECT_NEAR(h.bottom, 129.5, 1.0);
    EXPECT_GE(h.top - h.bottom, 6);
    for (int size : {8, 11}) {
        viewState->fontWidth = size;
        viewState->fontHeight = size + 7;
        const Ink one = listingInk("H");
        EXPECT_EQ(listingInk("HHHH").right, one.right + 3 * size);
        EXPECT_EQ(listingInk("H\tH").right, one.right + 9 * size);
        EXPECT_EQ(listingInk("HHH\tH").right, one.right + 11 * size);  // a flat eight, not to a tab stop
        EXPECT_EQ(listingInk("H\n\n\nH").bottom, one.bottom - 3 * (size + 7));
        EXPECT_EQ(listingInk("\xff\x01H").left, one.left + 2 * size);
    }
    viewState->fontHeight = 15;
    EXPECT_TRUE(listingInk(" \t \x01\x7f\xff").empty());
    viewState->fontWidth = 16;
    const Ink wide = listingInk("W");
    viewState->fontWidth = 8;
    const Ink narrow = listingInk("W");
    EXPECT_GT(wide.right - wide.left, narrow.right - narrow.left + 4);
    EXPECT_LT(wide.right, 20 + 16);
    // The reduced font is smaller but keeps the character step.
    const Ink small = panelInk("H");
    ASSERT_FALSE(small.empty());
    EXPECT_GE(small.left, width / 2 + 60);
    EXPECT_LT(small.top - small.bottom, h.top - h.bottom);
    EXPECT_EQ(panelInk("HHH").right, small.right + 2 * viewState->fontWidth);
    EXPECT_EQ(panelInk("H\nH").bottom, small.bottom - (viewState->fontHeight - viewState->fontDifference));
    // A new context gets its fonts back.
    const Ink before = listingInk("Hx");
    harness.loseContext();
    const Ink after = listingInk("Hx");
    EXPECT_EQ((std::array{after.left, after.right, after.bottom}), (std::array{before.left, before.right, before.bottom}));
}

TEST_F(CodeViewCanvas, SwatchesSpansAndBracketsColourTheListing)
{
    const Rgb comment = {0.7f, 1.0f, 0.7f}, block = {0.59f, 0.79f, 0.99f}, string = {1.0f, 0.7f, 0.7f};
    const int lower = (height - 15) / 2, upper = (height + 15) / 2;
    for (auto [hoverKind, status] : {std::pair{0, statusConstant}, {3, statusModified},
                                     {4, statusReplacedByAddition}, {5, statusReplacedByDeletion}}) {
        showListing(std::string(9, '\n'), hoverKind);
        ViewState& v = *viewState;
        ASSERT_EQ(v.fontHeight, 15);
        v.textLineAuthors[1] = 1;
        v.textLineAuthors[3] = 10;  // past the nine colours they repeat
        v.textLineAuthors[4] = 0;
        v.codeLineRegions[2] = {{comment[0], comment[1], comment[2], 3, 6}};
        v.codeLineRegions[6] = {{block[0], block[1], block[2], 0, endOfLineColumn}, {string[0], string[1], string[2], 2, 4}};
        const Frame frame = draw();
        const auto shows = [&](int x, int y, const Rgb& k) { return showsColour(frame.at(x, y), k); };
        SCOPED_TRACE(hoverKind);
        EXPECT_TRUE(shows(7, lineMiddle(0), white));
        EXPECT_TRUE(shows(7, lineMiddle(1), identifierColours[1]));
        EXPECT_TRUE(shows(14, lineMiddle(3), identifierColours[1]));
        EXPECT_TRUE(shows(0, lineMiddle(4), identifierColours[0]));
        EXPECT_TRUE(shows(16, lineMiddle(4), white));
        EXPECT_TRUE(shows(7, lower, identifierColours[0]) && shows(7, upper - 1, identifierColours[0]));
        EXPECT_TRUE(shows(columnX(3), lineMiddle(2), comment) && shows(columnX(6) - 1, lineMiddle(2), comment));
        EXPECT_TRUE(shows(columnX(6) + 1, lineMiddle(2), white) && shows(columnX(3) - 1, lineMiddle(2), white));
        EXPECT_TRUE(shows(columnX(2) + v.fontWidth / 2, lineMiddle(6), string));
        EXPECT_TRUE(shows(columnX(5), lineMiddle(6), block) && shows(width - 1, lineMiddle(6), block));
        EXPECT_TRUE(shows(textLeft - 2, lineMiddle(6), white) && shows(columnX(4), lineMiddle(5), white));
        for (int x : {1, width / 2, width - 1})
            for (int y : {upper, upper + 1, lower - 1, lower - 2})
                EXPECT_TRUE(shows(x, y, statusColours[status])) << x << ", " << y;
        for (auto [x, y] : {std::pair{width / 2, upper + 2}, {width / 2, upper - 1}, {width / 2, lower},
                            {width / 2, lower - 3}})
            EXPECT_TRUE(shows(x, y, white)) << x << ", " << y;
    }
    // Without highlighting only the spans go.
    viewState->syntaxHighlighting = 0;
    Frame frame = draw();
    EXPECT_TRUE(showsColour(frame.at(columnX(5), lineMiddle(6)), white));
    EXPECT_TRUE(showsColour(frame.at(7, lineMiddle(1)), identifierColours[1]));
    // Over no cell the author line has its swatch on line one.
    viewState->hoverState = 2;
    for (int author : {3, -1}) {
        viewState->textLineAuthors[0] = author;
        codeListingText = "\n Version committed by: ann";
        frame = draw();
        EXPECT_TRUE(showsColour(frame.at(7, lineMiddle(1)), authorColour(author)));
        EXPECT_TRUE(showsColour(frame.at(7, lineMiddle(0)), white));
        EXPECT_LT(inkIn(frame, 0, width).top, lineMiddle(0) - 2);
    }
    // Outside the evolution view the code view is white, before anything
    // is loaded grey.
    for (auto [state, loaded, colour] : {std::tuple{10, true, white}, {0, false, greyOf(0.85f)}}) {
        viewState->hoverState = state;
        viewState->loaded = loaded;
        frame = draw();
        for (int y : {0, lineMiddle(4), height - 1})
            for (int x : {0, 7, 30, width / 2, width - 1})
                EXPECT_TRUE(showsColour(frame.at(x, y), colour)) << x << ", " << y;
    }
    harness.resize(700, 200);
    EXPECT_EQ(viewState->codeViewWidth, 700);
    EXPECT_EQ(viewState->codeViewHeight, 200);
}

TEST_F(CodeViewCanvas, TheAbsentPanelShowsBarsSwatchesAndTheMarkerOfTheHoveredRevision)
{
    for (auto [hoverKind, status] : {std::pair{1, statusDeleted}, {2, statusAdded}}) {
        SCOPED_TRACE(hoverKind);
        showAbsentPanel(hoverKind);
        ViewState& v = *viewState;
        v.codeLineCount = 11;
        v.codeLineAuthors.fill(-1);
        v.codeLineLifetimes[5] = {0.25f, 0.5f};
        v.codeLineAuthors[5] = 2;
        v.hoverPosition = 0.5f;
        const int panelWidth = width - panelLeft, row = lineMiddle(5, true), marker = panelLeft + (width / 2 - 30) / 2;
        const Rgb bar = mixed(times(statusColours[status], 0.85f), 0.85f, panel(status));
        Frame frame = draw();
        const auto shows = [&](int x, int y, const Rgb& k) { return showsColour(frame.at(x, y), k); };
        EXPECT_TRUE(shows(panelLeft + 100, 20, panel(status)) && shows(width - 20, height - 3, panel(status)));
        EXPECT_TRUE(shows(width / 2 - 20, 20, white));
        const int centre = (height - (v.fontHeight - v.fontDifference)) / 2;
        EXPECT_TRUE(shows(panelLeft + 100, centre, darker(status)) || shows(panelLeft + 100, centre - 1, darker(status)));
        EXPECT_TRUE(shows(50, (height + v.fontHeight) / 2, white));  // no bracket over an absent cell
        EXPECT_TRUE(shows(panelLeft + panelWidth * 3 / 8, row, bar));
        EXPECT_TRUE(shows(panelLeft + panelWidth * 3 / 4, row, panel(status)));
        EXPECT_TRUE(shows(panelLeft + panelWidth * 3 / 8, lineMiddle(4, true), panel(status)));
        EXPECT_TRUE(shows(width - 7, row, identifierColours[2]));
        EXPECT_TRUE(shows(width - 7, lineMiddle(2, true), times(statusColours[status], 0.95f)));
        EXPECT_TRUE(shows(marker, 2, panel(status)));
        v.focusPosition = 1;
        frame = draw();
        EXPECT_TRUE(shows(marker, 2, darker(status)) && shows(marker, height - 3, darker(status)));
        EXPECT_TRUE(shows(marker + 8, 2, panel(status)));
    }
    // Spans stop at the panel, where a white wedge joins it.
    showAbsentPanel(1);
    viewState->textLineCount = 9;
    viewState->codeLineRegions[4] = {{0.59f, 0.79f, 0.99f, 0, endOfLineColumn}};
    codeListingText = std::string(9, '\n');
    const Frame frame = draw();
    EXPECT_TRUE(showsColour(frame.at(width / 2 - 20, lineMiddle(4)), {0.59f, 0.79f, 0.99f}));
    EXPECT_TRUE(showsColour(frame.at(panelLeft - 5, lineMiddle(4)), panel(statusDeleted)));
}

TEST(StatusText, ReplacesTheWholeTextAndIsDroppedWithoutABar)
{
    Fl_Text_Buffer buffer(256);
    statusBuffer = &buffer;
    buffer.text("Status bar");
    for (const std::string& text : {std::string(" Author : ann"), std::string(5000, 'x'), std::string()}) {
        setStatusText(text.c_str());
        char* shown = buffer.text();
        EXPECT_EQ(shown, text);
        std::free(shown);
    }
    setStatusText("x");
    setStatusText(nullptr);
    EXPECT_EQ(buffer.length(), 0);
    statusBuffer = nullptr;
    setStatusText("nothing to show it in");
}

TEST(RowToLine, FollowsTheLayoutOfTheEvolutionView)
{
    EvolutionSketch sketch;
    sketch.statuses = {"XXX", "XXD", "XXX"};
    sketch.authors = {"ann", "bob", "cid"};
    OpenEvolution open(sketch);
    open.evolution().setFocusRevision(modeInterpolated, 2);
    evolutionView = nullptr;
    EXPECT_EQ(evolutionLayoutMode(), modeNormal);
    EXPECT_EQ(rowToLine(1), 2);
    EvolutionView view(0, 0, 40, 30);
    evolutionView = &view;
    for (auto [mode, line] : {std::pair{modeInterpolated, 1}, {modeHorizontal, 2}}) {
        view.layoutMode = mode;
        EXPECT_EQ(evolutionLayoutMode(), mode);
        EXPECT_EQ(rowToLine(1), line);
    }
    evolutionView = nullptr;
}

}  // namespace
