#include "codeview/code_view.h"

#include <FL/gl.h>

#include "app/globals.h"
#include "codeview/code_fonts.h"
#include "codeview/code_listing_drawing.h"
#include "codeview/listing/code_listing.h"

CodeView::CodeView(int x, int y, int w, int h, const char* label) : Fl_Gl_Window(x, y, w, h, label)
{
    mode(FL_RGB8 | FL_ALPHA | FL_DOUBLE);
}

void CodeView::draw()
{
    // The fonts' textures live in the context; a new one needs its own.
    if (!context_valid())
        createCodeFontTextures();

    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, w(), 0, h(), -10, 10);
    glViewport(0, 0, w(), h());

    buildCodeFonts();
    const ViewState& view = *viewState;
    if (view.loaded) {
        drawCodeListing(codeListingText, absentListingText);
        return;
    }
    glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
    glColor3f(0.85f, 0.85f, 0.85f);
    glRectf(0.0f, 0.0f, static_cast<float>(view.codeViewWidth), static_cast<float>(view.codeViewHeight));
}

void CodeView::resize(int x, int y, int w, int h)
{
    Fl_Gl_Window::resize(x, y, w, h);
    viewState->codeViewHeight = h;
    viewState->codeViewWidth = w;
}

void CodeView::hide()
{
    if (context()) {
        make_current();
        releaseCodeFontTextures();
    }
    Fl_Gl_Window::hide();
}
