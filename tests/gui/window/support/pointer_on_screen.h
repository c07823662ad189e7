#pragma once
// The real pointer over the canvas, moved through the X test extension and read back from the X server.

#include "support/main_window_fixture.h"

struct Pixel { int x = 0, y = 0; };

// Lets the toolkit handle what the X server sends until `done` holds or a few seconds pass.
bool waitUntil(const std::function<bool()>& done);

// The canvas's top-left corner on the screen.
Pixel canvasOnScreen();
Pixel pointerOnScreen();
// Moves the pointer to `at` in canvas pixels, as the user's hand would.
void movePointerOverCanvas(Pixel at);
// Off the window, so that no stray pointer event reaches the canvas.
void parkPointer();

// The bundled example open, the pointer parked off the window around each test.
class ExampleUnderPointerTest : public ExampleOpenTest {
protected:
    void SetUp() override { parkPointer(); ExampleOpenTest::SetUp(); }
    void TearDown() override { parkPointer(); ExampleOpenTest::TearDown(); }
};
