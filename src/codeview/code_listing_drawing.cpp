#include "codeview/code_listing_drawing.h"

#include <algorithm>

#include "app/globals.h"
#include "codeview/absent_panel.h"
#include "codeview/code_drawing.h"
#include "codeview/code_text.h"
#include "evolution/line_status.h"
#include "view/view_transforms.h"

namespace {

constexpr float textLeft = 20.0f;
constexpr float swatchWidth = 15.0f;
constexpr Rgb white = {1.0f, 1.0f, 1.0f};

void drawAuthorSwatches(const ViewState& view)
{
    const int lines = std::min(view.textLineCount, codeListingSlots);
    for (int i = 0; i < lines; ++i) {
        const int author = view.textLineAuthors[i];
        setColour(author == -1 ? white : authorColour(author));
        fillListingLine(0.0f, swatchWidth, i, static_cast<float>(view.fontHeight));
    }
}

void drawSyntaxSpans(const ViewState& view, bool panelShown)
{
    const float width = static_cast<float>(view.fontWidth);
    const float panelEdge = static_cast<float>(view.codeViewWidth / 2 + 30);
    const auto columnX = [&](int column) {
        const float x = static_cast<float>(column) * width + textLeft;
        return panelShown ? std::min(x, panelEdge) : x;
    };
    const int lines = std::min(view.textLineCount, codeListingSlots);
    for (int i = 0; i < lines; ++i) {
        for (const CodeSpan& span : view.codeLineRegions[i]) {
            glColor3f(span.red, span.green, span.blue);
            fillListingLine(columnX(span.startColumn), columnX(span.endColumn), i, static_cast<float>(view.fontHeight));
        }
    }
    if (!panelShown)
        return;
    // The spans stop short of the panel; white fills the wedge between the
    // listing's centre line and the panel's left edge.
    const float h = static_cast<float>(view.codeViewHeight);
    const float shift = static_cast<float>(view.fontHeight) + view.fontBaseline;
    const float upperEdge = static_cast<float>((view.codeViewHeight + view.fontHeight) / 2);
    setColour(white);
    glBegin(GL_TRIANGLES);
    glVertex2f(panelEdge, -shift);
    glVertex2f(static_cast<float>(view.codeViewWidth / 2), upperEdge - shift);
    glVertex2f(panelEdge, h - shift);
    glEnd();
}

// The status colour of a hovered present cell, by its hover kind.
const Rgb* bracketColour(int hoverKind)
{
    switch (hoverKind) {
    case 0: return &statusColours[statusConstant];
    case 3: return &statusColours[statusModified];
    case 4: return &statusColours[statusReplacedByAddition];
    case 5: return &statusColours[statusReplacedByDeletion];
    default: return nullptr;
    }
}

bool absentPanelShown(const ViewState& view)
{
    return view.hoverKind == 1 || view.hoverKind == 2;
}

// In the code text transform.
void drawCellListing(const ViewState& view, std::string_view listingText)
{
    drawAuthorSwatches(view);
    if (view.syntaxHighlighting)
        drawSyntaxSpans(view, absentPanelShown(view));
    setColour({0.0f, 0.0f, 0.0f});
    drawCodeText(normalCodeFont, textLeft, 0.0f, listingText);
}

// In window pixels: what marks the hovered cell's line.
void drawCentreMarks(const ViewState& view, std::string_view absentText)
{
    if (const Rgb* colour = bracketColour(view.hoverKind)) {
        const float w = static_cast<float>(view.codeViewWidth);
        const float lower = static_cast<float>((view.codeViewHeight - view.fontHeight) / 2);
        const float upper = static_cast<float>((view.codeViewHeight + view.fontHeight) / 2);
        setColour(*colour);
        glRectf(1.0f, upper, w, upper + 2.0f);
        glRectf(1.0f, lower - 2.0f, w, lower);
    } else if (view.hoverKind == 1) {
        drawAbsentPanel(statusColours[statusDeleted], absentText);
    } else if (view.hoverKind == 2) {
        drawAbsentPanel(statusColours[statusAdded], absentText);
    }
}

void drawAuthorLine(const ViewState& view, std::string_view listingText)
{
    setColour({0.0f, 0.0f, 0.0f});
    drawCodeText(normalCodeFont, textLeft, 0.0f, listingText);
    setColour(authorColour(view.textLineAuthors[0]));
    fillListingLine(0.0f, swatchWidth, 1, static_cast<float>(view.fontHeight));
}

}  // namespace

void drawCodeListing(std::string_view listingText, std::string_view absentText)
{
    const ViewState& view = *viewState;
    glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    const bool overCell = view.hoverState == 0 || view.hoverState == 1;
    pushViewTransform(codeTextTransform);
    if (overCell)
        drawCellListing(view, listingText);
    else if (view.hoverState == 2)
        drawAuthorLine(view, listingText);
    pushViewTransform(popTransform);
    if (overCell)
        drawCentreMarks(view, absentText);
}
