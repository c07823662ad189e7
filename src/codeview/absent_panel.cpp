#include "codeview/absent_panel.h"

#include <algorithm>

#include "app/globals.h"
#include "codeview/code_drawing.h"
#include "codeview/code_fonts.h"
#include "codeview/code_text.h"
#include "view/view_transforms.h"

namespace {

Rgb scaled(const Rgb& c, float factor)
{
    return {c[0] * factor, c[1] * factor, c[2] * factor};
}

Rgb darkened(const Rgb& c)
{
    return {c[0] - 0.5f, c[1] - 0.5f, c[2] - 0.5f};
}

void fillTriangle(float xa, float ya, float xb, float yb, float xc, float yc)
{
    glBegin(GL_TRIANGLES);
    glVertex2f(xa, ya);
    glVertex2f(xb, yb);
    glVertex2f(xc, yc);
    glEnd();
}

}  // namespace

void drawAbsentPanel(const Rgb& k, std::string_view absentText)
{
    const ViewState& view = *viewState;
    const int smallHeight = reducedFontHeight();
    const float w = static_cast<float>(view.codeViewWidth);
    const float h = static_cast<float>(view.codeViewHeight);
    const float split = static_cast<float>(view.codeViewWidth / 2);
    const float panelLeft = static_cast<float>(view.codeViewWidth / 2 + 30);
    const float panelWidth = w - panelLeft;
    const float centreLower = static_cast<float>((view.codeViewHeight - view.fontHeight) / 2);
    const float smallLower = static_cast<float>((view.codeViewHeight - smallHeight) / 2);
    const float smallUpper = static_cast<float>((view.codeViewHeight + smallHeight) / 2);
    const Rgb light = scaled(k, 0.95f);
    const Rgb medium = scaled(k, 0.85f);
    const Rgb dark = darkened(k);
    const int lines = std::min(view.codeLineCount, codeListingSlots);

    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_BLEND);
    setColour(light, 0.8f);
    fillTriangle(panelLeft, 0.0f, split, centreLower, panelLeft, h);
    glRectf(panelLeft, 0.0f, w, h);

    setColour(medium, 0.85f);
    pushViewTransform(smallCodeTextTransform);
    for (int i = 0; i < lines; ++i) {
        const auto& [start, end] = view.codeLineLifetimes[i];
        fillListingLine(panelLeft + panelWidth * start, panelLeft + panelWidth * end, i,
                        static_cast<float>(smallHeight));
    }
    pushViewTransform(popTransform);

    if (view.focusPosition == 1) {
        const float m = panelLeft + static_cast<float>(view.codeViewWidth / 2 - 30) * view.hoverPosition;
        setColour(medium, 0.85f);
        glRectf(m, 0.0f, m + 2.0f, h);
        setColour(dark);
        fillTriangle(m - 5.0f, 0.0f, m + 5.0f, 0.0f, m, 10.0f);
        fillTriangle(m - 5.0f, h, m + 5.0f, h, m, h - 10.0f);
    }
    glDisable(GL_BLEND);

    pushViewTransform(smallCodeTextTransform);
    setColour({0.0f, 0.0f, 0.0f});
    drawCodeText(reducedCodeFont, static_cast<float>(view.codeViewWidth / 2 + 60), 0.0f, absentText);
    for (int i = 0; i < lines; ++i) {
        const int author = view.codeLineAuthors[i];
        setColour(author == -1 ? light : authorColour(author));
        fillListingLine(w - 15.0f, w, i, static_cast<float>(smallHeight));
    }
    pushViewTransform(popTransform);

    setColour(dark);
    glLineWidth(2.0f);
    glBegin(GL_LINES);
    glVertex2f(panelLeft, 0.0f);
    glVertex2f(split, centreLower);
    glVertex2f(panelLeft, h);
    glVertex2f(split, centreLower);
    glVertex2f(1.0f, centreLower);
    glVertex2f(split, centreLower);
    glVertex2f(panelLeft, smallLower);
    glVertex2f(w, smallLower);
    glVertex2f(panelLeft, smallUpper);
    glVertex2f(w, smallUpper);
    glVertex2f(panelLeft, smallUpper);
    glVertex2f(panelLeft, smallLower);
    glEnd();
}
