#pragma once
// For the tests that draw the code view (they live with the window tests):
// a CodeView of the window's size in a shown window, drawing listings set
// up by hand in the view state and the listing texts.

#include <algorithm>
#include <climits>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "app/globals.h"
#include "codeview/code_view.h"
#include "codeview/listing/code_listing.h"
#include "colouring/colour_maps.h"
#include "support/gl_harness.h"
#include "ui/widgets.h"

// The pixels of a frame darker than any colour the code view paints except
// its black text.
struct Ink {
    int left = INT_MAX;
    int right = -1;
    int bottom = INT_MAX;
    int top = -1;

    bool empty() const { return right < 0; }
    int width() const { return right - left + 1; }
    int height() const { return top - bottom + 1; }
};

inline Ink inkIn(const Frame& frame, int x0, int x1)
{
    Ink ink;
    for (int y = 0; y < frame.height; ++y) {
        for (int x = x0; x < x1; ++x) {
            const Rgba p = frame.at(x, y);
            if (p.red < 100 && p.green < 100 && p.blue < 100) {
                ink.left = std::min(ink.left, x);
                ink.right = std::max(ink.right, x);
                ink.bottom = std::min(ink.bottom, y);
                ink.top = std::max(ink.top, y);
            }
        }
    }
    return ink;
}

inline Rgb mixed(const Rgb& over, float alpha, const Rgb& under)
{
    return {over[0] * alpha + under[0] * (1 - alpha), over[1] * alpha + under[1] * (1 - alpha),
            over[2] * alpha + under[2] * (1 - alpha)};
}

inline Rgb scaledColour(const Rgb& c, float factor)
{
    return {c[0] * factor, c[1] * factor, c[2] * factor};
}

constexpr Rgb whiteColour = {1.0f, 1.0f, 1.0f};

class CodeViewCanvas : public testing::Test {
protected:
    // The code view of the window as it opens.
    static constexpr int width = 650;
    static constexpr int height = 145;

    CodeViewCanvas() : harness((createGlobalObjects(), std::make_unique<CodeView>(0, 0, width, height)))
    {
        codeView = static_cast<CodeView*>(&harness.canvas());
        ViewState& view = *viewState;
        view.release();
        view.tableRows = 0;
        view.tableColumns = 0;
        view.reset();
        view.codeViewWidth = width;
        view.codeViewHeight = height;
        statusColours = defaultStatusColours;
    }

    ~CodeViewCanvas() override
    {
        codeView = nullptr;
        viewState->reset();
        codeListingText.clear();
        absentListingText.clear();
    }

    // A listing of a hovered present cell, with no swatches or spans.
    void showListing(const std::string& text)
    {
        viewState->loaded = true;
        viewState->hoverState = 0;
        viewState->hoverKind = 0;
        viewState->textLineCount = 0;
        codeListingText = text;
    }

    // The absent panel of a hovered absent cell (kind 1 deleted, 2 added),
    // with nothing in it and no marker.
    void showAbsentPanel(int hoverKind, const std::string& absentText = {})
    {
        showListing({});
        viewState->hoverState = 1;
        viewState->hoverKind = hoverKind;
        viewState->focusPosition = 0;
        viewState->codeLineCount = 0;
        absentListingText = absentText;
    }

    Frame draw() { return harness.drawFrame(); }

    // The pixel row (from the bottom) in the middle of the band of listing
    // line i, in the normal or the reduced font; valid after a draw, which
    // sets the baselines.
    int lineMiddle(int line) const
    {
        const ViewState& v = *viewState;
        const float baseline = static_cast<float>(v.codeViewHeight - v.fontHeight) - v.fontBaseline;
        return static_cast<int>(baseline - (static_cast<float>(line) - 0.2f) * static_cast<float>(v.fontHeight));
    }
    int smallLineMiddle(int line) const
    {
        const ViewState& v = *viewState;
        const int small = v.fontHeight - v.fontDifference;
        const float baseline = static_cast<float>(v.codeViewHeight - small) - v.smallFontBaseline;
        return static_cast<int>(baseline - (static_cast<float>(line) - 0.2f) * static_cast<float>(small));
    }

    GlHarness harness;
};
