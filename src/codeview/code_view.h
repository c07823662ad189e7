#pragma once
// The lower OpenGL canvas of the window: the text of the revision under the
// pointer around the pointed line, with syntax colours and author marks.
// It keeps no state of its own; what it shows is in the view state and the
// listing texts.

#include <FL/Fl_Gl_Window.H>

class CodeView : public Fl_Gl_Window {
public:
    // An RGB canvas with alpha, double-buffered.
    CodeView(int x, int y, int w, int h, const char* label = nullptr);

    void draw() override;
    // Frees the fonts' textures while the context that holds them can still
    // be made current: the toolkit destroys it here, and in a later context
    // their names may already mean another canvas's textures.
    void hide() override;
    // Keeps the view state's code view size.
    void resize(int x, int y, int w, int h) override;
};
