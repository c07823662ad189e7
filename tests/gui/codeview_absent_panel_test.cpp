// The panel of absent lines: its colour for deleted and added lines, the
// lifetime bars, author swatches, the marker of the hovered revision and
// the wedge joining it to the listing.

#include "support/code_view_canvas.h"

#include "evolution/line_status.h"

namespace {

class CodeViewAbsentPanel : public CodeViewCanvas {
protected:
    // Panel geometry of the 650-pixel view.
    static constexpr int split = width / 2;
    static constexpr int panelLeft = width / 2 + 30;
    static constexpr int panelWidth = width - panelLeft;

    // The panel's translucent fill over the white view.
    static Rgb panelColour(const Rgb& k) { return mixed(scaledColour(k, 0.95f), 0.8f, whiteColour); }
};

}  // namespace

TEST_F(CodeViewAbsentPanel, TakesTheColourOfDeletedOrAddedLines)
{
    const std::pair<int, int> kinds[] = {{1, statusDeleted}, {2, statusAdded}};
    for (auto [hoverKind, status] : kinds) {
        SCOPED_TRACE(hoverKind);
        showAbsentPanel(hoverKind);
        const Frame frame = draw();
        const Rgb& k = statusColours[status];
        EXPECT_TRUE(showsColour(frame.at(panelLeft + 100, 20), panelColour(k)));
        EXPECT_TRUE(showsColour(frame.at(width - 20, height - 3), panelColour(k)));
        EXPECT_TRUE(showsColour(frame.at(split - 20, 20), whiteColour));
        // The frame of the panel's centre line, in the darkened colour.
        const int smallLower = (height - (viewState->fontHeight - viewState->fontDifference)) / 2;
        const Rgb dark = {k[0] - 0.5f, k[1] - 0.5f, k[2] - 0.5f};
        EXPECT_TRUE(showsColour(frame.at(panelLeft + 100, smallLower), dark) ||
                    showsColour(frame.at(panelLeft + 100, smallLower - 1), dark));
        // No bracket lines over an absent cell.
        EXPECT_TRUE(showsColour(frame.at(50, (height + viewState->fontHeight) / 2), whiteColour));
    }
}

TEST_F(CodeViewAbsentPanel, LifetimeBarsAndSwatchesMarkEachAbsentLine)
{
    showAbsentPanel(1);
    viewState->codeLineCount = 11;
    viewState->codeLineAuthors.fill(-1);
    viewState->codeLineLifetimes[5] = {0.25f, 0.5f};
    viewState->codeLineAuthors[5] = 2;
    const Frame frame = draw();
    const Rgb& k = statusColours[statusDeleted];
    const Rgb bar = mixed(scaledColour(k, 0.85f), 0.85f, panelColour(k));
    const int row = smallLineMiddle(5);
    EXPECT_TRUE(showsColour(frame.at(panelLeft + panelWidth * 3 / 8, row), bar));
    EXPECT_TRUE(showsColour(frame.at(panelLeft + panelWidth * 3 / 4, row), panelColour(k)));
    EXPECT_TRUE(showsColour(frame.at(panelLeft + panelWidth * 3 / 8, smallLineMiddle(4)), panelColour(k)));
    // Swatches are opaque: the author's colour, or the panel's own shade.
    EXPECT_TRUE(showsColour(frame.at(width - 7, row), identifierColours[2]));
    EXPECT_TRUE(showsColour(frame.at(width - 7, smallLineMiddle(2)), scaledColour(k, 0.95f)));
}

TEST_F(CodeViewAbsentPanel, MarksTheHoveredRevisionOnlyWithFocusPosition)
{
    showAbsentPanel(2);
    viewState->hoverPosition = 0.5f;
    const int marker = panelLeft + (width / 2 - 30) / 2;
    const Rgb& k = statusColours[statusAdded];
    const Rgb dark = {k[0] - 0.5f, k[1] - 0.5f, k[2] - 0.5f};

    Frame frame = draw();
    EXPECT_TRUE(showsColour(frame.at(marker + 1, 30), panelColour(k)));
    EXPECT_TRUE(showsColour(frame.at(marker, 2), panelColour(k)));

    viewState->focusPosition = 1;
    frame = draw();
    EXPECT_TRUE(showsColour(frame.at(marker + 1, 30), mixed(scaledColour(k, 0.85f), 0.85f, panelColour(k))));
    EXPECT_TRUE(showsColour(frame.at(marker, 2), dark));
    EXPECT_TRUE(showsColour(frame.at(marker, height - 3), dark));
    EXPECT_TRUE(showsColour(frame.at(marker + 8, 2), panelColour(k)));
}

TEST_F(CodeViewAbsentPanel, SpansStopAtThePanelAndAWhiteWedgeJoinsIt)
{
    const Rgb block = {0.59f, 0.79f, 0.99f};
    showAbsentPanel(1);
    viewState->textLineCount = 9;
    viewState->textLineAuthors.fill(-1);
    viewState->codeLineRegions[4] = {{block[0], block[1], block[2], 0, endOfLineColumn}};
    codeListingText = std::string(9, '\n');
    const Rgb& k = statusColours[statusDeleted];
    const int row = lineMiddle(4);

    Frame frame = draw();
    EXPECT_TRUE(showsColour(frame.at(split - 20, row), block));
    // Inside the wedge the span gives way to white under the panel's fill.
    EXPECT_TRUE(showsColour(frame.at(panelLeft - 5, row), panelColour(k)));
    EXPECT_TRUE(showsColour(frame.at(panelLeft + 40, row), panelColour(k)));

    viewState->syntaxHighlighting = 0;
    frame = draw();
    EXPECT_TRUE(showsColour(frame.at(split - 20, row), whiteColour));
    EXPECT_TRUE(showsColour(frame.at(panelLeft - 5, row), panelColour(k)));
}
