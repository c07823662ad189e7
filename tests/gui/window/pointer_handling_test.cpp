#include <gtest/gtest.h>

#include <FL/Fl.H>
#include <FL/Fl_Window.H>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/globals.h"
#include "app/open_close.h"
#include "codeview/listing/code_listing.h"
#include "evolution/evolution_file.h"
#include "support/main_window_fixture.h"
#include "support/pointer_on_screen.h"
#include "ui/scroll_sync.h"
#include "ui/widgets.h"
#include "view/evolution_view.h"
#include "view/pointer_globals.h"

namespace {

// In the bundled example, line 22 of the evolution is modified in revision 2
// (index 1), where it is the 14th line of the text; in revisions 2 and 3
// alike 13 present lines lie above it.
constexpr int modifiedRow = 21;
constexpr int modifiedRevision = 1;
constexpr int rowsAboveModified = 13;

// The middle of the Normal cell at stack position k of a revision.
Pixel normalCellCentre(int k, int revision)
{
    const ViewState& v = *viewState;
    return {static_cast<int>((static_cast<float>(revision) + 0.5f) * v.versionSize - v.scrollX),
            static_cast<int>((static_cast<float>(k) + 0.5f) * v.lineSize - v.scrollY)};
}

int sendAt(int event, Pixel at)
{
    Fl::e_x = at.x;
    Fl::e_y = at.y;
    return evolutionView->handle(event);
}

int sendKey(int event, int key, Pixel at = {})
{
    Fl::e_keysym = key;
    return sendAt(event, at);
}

std::string textLine(const std::string& path, int number)
{
    std::ifstream in(path);
    std::string line;
    for (int i = 0; i < number && std::getline(in, line); ++i) {
    }
    return line;
}

std::vector<std::string> listingLines()
{
    std::vector<std::string> lines;
    std::istringstream in(codeListingText);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

class PointerHandlingTest : public ExampleUnderPointerTest {
protected:
    void SetUp() override
    {
        ExampleUnderPointerTest::SetUp();
        ASSERT_EQ(evolutionView->layoutMode, modeNormal);
    }

    Pixel modifiedCell() const { return normalCellCentre(rowsAboveModified, modifiedRevision); }
};

TEST_F(PointerHandlingTest, APointerMovedOverACellNamesItAndListsItsRevision)
{
    movePointerOverCanvas(modifiedCell());
    ASSERT_TRUE(waitUntil([] { return statusText().rfind("Line:", 0) == 0; })) << statusText();

    EXPECT_TRUE(pointerInCanvas);
    const std::string status = statusText();
    EXPECT_EQ(status.substr(0, 34), "Line:    14; Version:     2 Block ");
    EXPECT_TRUE(status.ends_with("  modified  2023-01-10T16:40:37 Read the text from a file named on the command line"))
        << status;
    EXPECT_EQ(hoveredRow, modifiedRow);
    EXPECT_EQ(hoveredRevision, modifiedRevision + 1);
    EXPECT_EQ(viewState->hoverState, 0);
    EXPECT_EQ(viewState->hoverKind, 3);

    const std::vector<std::string> lines = listingLines();
    const int h = listingHalfHeight(viewState->codeViewHeight, viewState->fontHeight);
    ASSERT_EQ(static_cast<int>(lines.size()), 2 * h + 1);
    EXPECT_EQ(lines[h], textLine(exampleDirectory() + "revisions/wordfreq.c.v1.2", 14));
    EXPECT_EQ(viewState->textLineCount, 2 * h + 1);

    // Leaving the canvas empties the status bar and hides the listing.
    parkPointer();
    ASSERT_TRUE(waitUntil([] { return !pointerInCanvas; }));
    EXPECT_EQ(statusText(), "");
    EXPECT_EQ(viewState->hoverState, 10);
}

TEST_F(PointerHandlingTest, OverNoCellOrAnAbsentOneTheStatusBarNamesTheCommitterOrNothing)
{
    // Below the stack of revision 1, which is shorter than the canvas.
    const Pixel belowStack = {modifiedCell().x, evolutionView->h() - 1};
    ASSERT_LT(static_cast<float>(belowStack.y) / viewState->lineSize, currentEvolution->maxRevisionLength);
    sendAt(FL_MOVE, belowStack);
    EXPECT_EQ(statusText(), " Author : hartley  2023-01-10T16:40:37 Read the text from a file named on the command line");
    EXPECT_EQ(viewState->hoverState, 2);
    EXPECT_EQ(hoveredRevision, 1);
    EXPECT_NE(codeListingText.find("Version committed by:"), std::string::npos);
    // Ctrl there locks nothing.
    sendKey(FL_KEYDOWN, FL_Control_R, belowStack);
    EXPECT_EQ(viewState->pointerMode, 0);
    sendKey(FL_KEYUP, FL_Control_R);

    // Right of the last column nothing is named.
    viewState->versionSize = 10.0f;
    sendAt(FL_MOVE, {300, 10});
    EXPECT_EQ(statusText(), "");
    EXPECT_EQ(viewState->hoverState, 2);

    // Line 3 (row 2) is added only in revision 7; in revision 1 the stack
    // has lines 1 and 2, then line 9, so no pixel of it is row 2. In the
    // Horizontal layout every row keeps its place.
    evolutionView->layoutMode = modeHorizontal;
    sendAt(FL_MOVE, {static_cast<int>(0.5f * viewState->versionSize), static_cast<int>(2.5f * viewState->lineSize)});
    EXPECT_EQ(hoveredRow, 2);
    EXPECT_EQ(hoveredRevision, 1);
    EXPECT_EQ(viewState->hoverState, 1);
    EXPECT_EQ(viewState->hoverKind, 2);
    EXPECT_EQ(statusText(), "");
    evolutionView->layoutMode = modeNormal;
}

TEST_F(PointerHandlingTest, APushFocusesTheRevisionAndASecondPushOnItUnfocuses)
{
    const Pixel cell = modifiedCell();
    EXPECT_EQ(sendAt(FL_PUSH, cell), 1);
    EXPECT_EQ(sendAt(FL_RELEASE, cell), 1);
    EXPECT_EQ(currentEvolution->focusRevision, modifiedRevision);

    // The fit after the push may have changed the cell size.
    EXPECT_EQ(sendAt(FL_PUSH, normalCellCentre(0, modifiedRevision)), 1);
    EXPECT_EQ(currentEvolution->focusRevision, -1);

    // Another column takes the focus; a push right of the grid does nothing.
    sendAt(FL_PUSH, normalCellCentre(0, 4));
    EXPECT_EQ(currentEvolution->focusRevision, 4);
    sendAt(FL_PUSH, {evolutionView->w() + 50, 5});
    EXPECT_EQ(currentEvolution->focusRevision, 4);
}

TEST_F(PointerHandlingTest, AHeldDigitShowsItsSchemeUntilReleased)
{
    const int before = viewState->attributeIndex;
    ASSERT_NE(before, 2);
    sendKey(FL_KEYDOWN, '3');
    EXPECT_EQ(viewState->attributeIndex, 2);
    EXPECT_FALSE(attributeKeyReady);
    sendKey(FL_KEYDOWN, '4');
    EXPECT_EQ(viewState->attributeIndex, 2);
    sendKey(FL_KEYUP, '3');
    EXPECT_EQ(viewState->attributeIndex, before);
    EXPECT_TRUE(attributeKeyReady);

    // The key also arrives as a shortcut when nothing took it.
    sendKey(FL_SHORTCUT, '1');
    EXPECT_EQ(viewState->attributeIndex, 0);
    sendKey(FL_KEYUP, '1');
    EXPECT_EQ(viewState->attributeIndex, before);
}

TEST_F(PointerHandlingTest, CtrlAndASidewaysMoveKeepThePointerOnTheRow)
{
    const Pixel cell = modifiedCell();
    sendAt(FL_MOVE, cell);
    sendKey(FL_KEYDOWN, FL_Control_L, cell);
    EXPECT_EQ(viewState->pointerMode, 1);
    EXPECT_EQ(viewState->pointerRow, modifiedRow);
    EXPECT_EQ(viewState->pointerRevision, modifiedRevision);

    sendAt(FL_MOVE, {cell.x + 5, cell.y + 2});
    EXPECT_EQ(viewState->pointerMode, 2);

    // One column on and well below the row: the pointer goes back up to
    // the row, which has as many lines above it there.
    const Pixel off = {cell.x + static_cast<int>(viewState->versionSize), cell.y + 20};
    sendAt(FL_MOVE, off);
    EXPECT_EQ(hoveredRow, modifiedRow);
    EXPECT_EQ(hoveredRevision, modifiedRevision + 2);
    const Pixel canvas = canvasOnScreen();
    const float lineSize = viewState->lineSize;
    const int rowTop = static_cast<int>(rowsAboveModified * lineSize);
    const int rowMiddle = lineSize > 2.0f ? static_cast<int>(static_cast<float>(rowTop) + lineSize * 0.5f) : rowTop;
    ASSERT_TRUE(waitUntil([&] { return pointerOnScreen().y == canvas.y + rowMiddle; }))
        << pointerOnScreen().y - canvas.y << " instead of " << rowMiddle;
    EXPECT_EQ(pointerOnScreen().x, canvas.x + off.x);

    // The move the X server reports there finds the row by itself.
    hoveredRow = -1;
    ASSERT_TRUE(waitUntil([] { return hoveredRow == modifiedRow; }));
    EXPECT_EQ(viewState->pointerMode, 2);

    sendKey(FL_KEYUP, FL_Control_L);
    EXPECT_EQ(viewState->pointerMode, 0);
}

TEST_F(PointerHandlingTest, CtrlAndADownwardMoveKeepThePointerInTheRevision)
{
    const Pixel cell = modifiedCell();
    sendAt(FL_MOVE, cell);
    sendKey(FL_KEYDOWN, FL_Control_L, cell);
    sendAt(FL_MOVE, {cell.x + 2, cell.y + 5});
    EXPECT_EQ(viewState->pointerMode, 3);

    // Three columns over: the pointer goes back to the column it locked.
    const Pixel off = {cell.x + 3 * static_cast<int>(viewState->versionSize), cell.y + 10};
    sendAt(FL_MOVE, off);
    const Pixel canvas = canvasOnScreen();
    ASSERT_TRUE(waitUntil([&] { return pointerOnScreen().x == canvas.x + cell.x; }))
        << pointerOnScreen().x - canvas.x << " instead of " << cell.x;
    EXPECT_EQ(pointerOnScreen().y, canvas.y + off.y);
    hoveredRevision = -1;
    ASSERT_TRUE(waitUntil([] { return hoveredRevision == modifiedRevision + 1; }));
    // The k-th line of a Normal stack is line k + 1 of the revision's text.
    const int k = static_cast<int>(static_cast<float>(off.y) / viewState->lineSize);
    char expected[64];
    std::snprintf(expected, sizeof expected, "Line: %5d; Version:     2 ", k + 1);
    EXPECT_EQ(statusText().substr(0, 28), expected);

    sendKey(FL_KEYUP, FL_Control_L);
    EXPECT_EQ(viewState->pointerMode, 0);
    // Unlocked, an arrow key moves the pointer one cell on.
    sendKey(FL_KEYDOWN, FL_Right, cell);
    const int right = canvas.x + cell.x + static_cast<int>(viewState->versionSize);
    ASSERT_TRUE(waitUntil([&] { return pointerOnScreen().x == right; }));
    EXPECT_EQ(pointerOnScreen().y, canvas.y + cell.y);
}

TEST_F(PointerHandlingTest, TheWheelAndHomeAndEndStayWithinTheContent)
{
    viewState->lineSize = 10.0f;
    syncLineScroll(lineScrollSlider);
    const float bottom = static_cast<float>(layoutRowCount()) * 10.0f - static_cast<float>(viewState->viewHeight);
    ASSERT_GT(bottom, 100.0f);

    sendKey(FL_KEYDOWN, FL_End);
    EXPECT_FLOAT_EQ(viewState->scrollY, bottom);
    Fl::e_dy = 1;
    sendAt(FL_MOUSEWHEEL, {10, 10});
    EXPECT_FLOAT_EQ(viewState->scrollY, bottom);
    Fl::e_dy = -1;
    sendAt(FL_MOUSEWHEEL, {10, 10});
    EXPECT_FLOAT_EQ(viewState->scrollY, bottom - 3.0f * 10.0f);

    sendKey(FL_KEYDOWN, FL_Home);
    EXPECT_FLOAT_EQ(viewState->scrollY, 0.0f);
    sendAt(FL_MOUSEWHEEL, {10, 10});
    EXPECT_FLOAT_EQ(viewState->scrollY, 0.0f);
    Fl::e_dy = 1;
    sendAt(FL_MOUSEWHEEL, {10, 10});
    EXPECT_FLOAT_EQ(viewState->scrollY, 30.0f);
    Fl::e_dy = 0;
}

TEST_F(PointerHandlingTest, FTogglesFullScreenAndRestoresTheGeometry)
{
    const int x = mainWindow->x(), y = mainWindow->y();
    // The window's construction set where it goes back to; later tests
    // expect that again.
    const int builderX = savedWindowX, builderY = savedWindowY;
    sendKey(FL_KEYDOWN, 'f');
    EXPECT_TRUE(fullScreen);
    EXPECT_TRUE(waitUntil([] { return mainWindow->w() == Fl::w() && mainWindow->h() == Fl::h(); }))
        << mainWindow->w() << " x " << mainWindow->h();
    EXPECT_EQ(savedWindowWidth, 650);
    EXPECT_EQ(savedWindowHeight, 726);

    sendKey(FL_KEYDOWN, 'f');
    EXPECT_FALSE(fullScreen);
    EXPECT_TRUE(waitUntil([] { return mainWindow->w() == 650 && mainWindow->h() == 726 && mainWindow->visible(); }));
    EXPECT_EQ(mainWindow->x(), x);
    EXPECT_EQ(mainWindow->y(), y);
    settleWindow();
    savedWindowX = builderX;
    savedWindowY = builderY;
}

TEST_F(PointerHandlingTest, KeysTheViewHasNoUseForReachTheMenuShortcutsAndNoneWithNothingLoaded)
{
    sendAt(FL_MOVE, modifiedCell());
    ASSERT_EQ(Fl::focus(), evolutionView);
    Fl::e_keysym = 'n';
    Fl::e_state = FL_CTRL;
    Fl::handle(FL_KEYBOARD, mainWindow);
    Fl::e_state = 0;
    ASSERT_FALSE(viewState->loaded) << "Ctrl+N did not close the evolution";
    // With nothing loaded the view takes no keys.
    const int before = viewState->attributeIndex;
    sendKey(FL_KEYDOWN, '3');
    EXPECT_EQ(viewState->attributeIndex, before);
    sendKey(FL_KEYDOWN, 'f');
    EXPECT_FALSE(fullScreen);
}

}  // namespace
