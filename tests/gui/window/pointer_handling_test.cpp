// The pointer and the keyboard over the canvas with the bundled example open.
#include "support/pointer_on_screen.h"

#include <cstdio>

#include "codeview/listing/code_listing.h"
#include "ui/scroll_sync.h"
#include "view/pointer_globals.h"

namespace {

// Row 21 is modified in revision index 1 as its 14th line; 13 lines lie above it there and in index 2.
constexpr int modifiedRow = 21, modifiedRevision = 1, rowsAboveModified = 13;

// The middle of the Normal cell at stack position k of a revision.
Pixel normalCellCentre(int k, int revision)
{
    const ViewState& v = *viewState;
    return {static_cast<int>((static_cast<float>(revision) + 0.5f) * v.versionSize - v.scrollX),
            static_cast<int>((static_cast<float>(k) + 0.5f) * v.lineSize - v.scrollY)};
}

Pixel modifiedCell() { return normalCellCentre(rowsAboveModified, modifiedRevision); }

int send(int event, Pixel at = {}, int key = 0)
{
    Fl::e_keysym = key;
    Fl::e_x = at.x;
    Fl::e_y = at.y;
    return evolutionView->handle(event);
}

using PointerHandlingTest = ExampleUnderPointerTest;

TEST_F(PointerHandlingTest, APointerMovedOverACellNamesItAndListsItsRevision)
{
    movePointerOverCanvas(modifiedCell());
    ASSERT_TRUE(waitUntil([] { return statusText().rfind("Line:", 0) == 0; })) << statusText();
    EXPECT_TRUE(pointerInCanvas);
    const std::string status = statusText();
    EXPECT_EQ(status.substr(0, 34), "Line:    14; Version:     2 Block ");
    EXPECT_TRUE(status.ends_with("  modified  2023-01-10T16:40:37 Read the text from a file named on the command line"))
        << status;
    EXPECT_EQ(std::make_tuple(hoveredRow, hoveredRevision, viewState->hoverState, viewState->hoverKind),
              std::make_tuple(modifiedRow, modifiedRevision + 1, 0, 3));

    const std::vector<std::string> lines = textLines(codeListingText);
    const int h = listingHalfHeight(viewState->codeViewHeight, viewState->fontHeight);
    ASSERT_EQ(std::make_pair(static_cast<int>(lines.size()), viewState->textLineCount), std::make_pair(2 * h + 1, 2 * h + 1));
    EXPECT_EQ(lines[h], textLines(fileText(exampleDirectory() + "revisions/wordfreq.c.v1.2")).at(13));

    // Leaving the canvas empties the status bar and hides the listing.
    parkPointer();
    ASSERT_TRUE(waitUntil([] { return !pointerInCanvas; }));
    EXPECT_EQ(std::make_pair(statusText(), viewState->hoverState), std::make_pair(std::string(), 10));
}

TEST_F(PointerHandlingTest, OverNoCellOrAnAbsentOneTheStatusBarNamesTheCommitterOrNothing)
{
    // Below the stack of revision 1, which is shorter than the canvas.
    const Pixel belowStack = {modifiedCell().x, evolutionView->h() - 1};
    ASSERT_LT(static_cast<float>(belowStack.y) / viewState->lineSize, currentEvolution->maxRevisionLength);
    send(FL_MOVE, belowStack);
    EXPECT_EQ(std::make_tuple(statusText(), viewState->hoverState, hoveredRevision),
              std::make_tuple(" Author : hartley  2023-01-10T16:40:37 Read the text from a file named on the command line", 2, 1));
    EXPECT_NE(codeListingText.find("Version committed by:"), std::string::npos);
    // Ctrl there locks nothing.
    send(FL_KEYDOWN, belowStack, FL_Control_R);
    EXPECT_EQ(viewState->pointerMode, 0);
    send(FL_KEYUP, {}, FL_Control_R);

    // Right of the last column nothing is named.
    viewState->versionSize = 10.0f;
    send(FL_MOVE, {300, 10});
    EXPECT_EQ(std::make_pair(statusText(), viewState->hoverState), std::make_pair(std::string(), 2));

    // Row 2 comes only in revision 7: its Horizontal cell in revision 1 is absent.
    evolutionView->layoutMode = modeHorizontal;
    send(FL_MOVE, {static_cast<int>(0.5f * viewState->versionSize), static_cast<int>(2.5f * viewState->lineSize)});
    EXPECT_EQ(std::make_tuple(hoveredRow, hoveredRevision, viewState->hoverState, viewState->hoverKind, statusText()),
              std::make_tuple(2, 1, 1, 2, std::string()));
    evolutionView->layoutMode = modeNormal;
}

// A second push on the focused revision unfocuses; each cell is found after the last push's fit.
TEST_F(PointerHandlingTest, PushesFocusAndUnfocusRevisions)
{
    struct Push { int k, revision, focus; };  // revision -1: right of the grid
    for (const Push& p : {Push{rowsAboveModified, modifiedRevision, modifiedRevision}, Push{0, modifiedRevision, -1},
                          Push{0, 4, 4}, Push{0, -1, 4}}) {
        SCOPED_TRACE(p.revision);
        const Pixel at = p.revision < 0 ? Pixel{evolutionView->w() + 50, 5} : normalCellCentre(p.k, p.revision);
        EXPECT_EQ(send(FL_PUSH, at), 1);
        EXPECT_EQ(send(FL_RELEASE, at), 1);
        EXPECT_EQ(currentEvolution->focusRevision, p.focus);
    }
}

// Digits show their scheme only while held; scrolling stays within the content.
TEST_F(PointerHandlingTest, KeysAndTheWheelShowSchemesAndScrollWithinTheContent)
{
    viewState->lineSize = 10.0f;
    syncLineScroll(lineScrollSlider);
    const float bottom = static_cast<float>(layoutRowCount()) * 10.0f - static_cast<float>(viewState->viewHeight);
    ASSERT_GT(bottom, 100.0f);
    const int before = viewState->attributeIndex;
    ASSERT_NE(before, 2);
    struct Key { int event, key, wheel, scheme; bool ready; float scrollY; };
    const Key keys[] = {
        {FL_KEYDOWN, '3', 0, 2, false, 0.0f},           {FL_KEYDOWN, '4', 0, 2, false, 0.0f},
        {FL_KEYUP, '3', 0, before, true, 0.0f},         {FL_SHORTCUT, '1', 0, 0, false, 0.0f},
        {FL_KEYUP, '1', 0, before, true, 0.0f},         {FL_KEYDOWN, FL_End, 0, before, true, bottom},
        {FL_MOUSEWHEEL, 0, 1, before, true, bottom},    {FL_MOUSEWHEEL, 0, -1, before, true, bottom - 30.0f},
        {FL_KEYDOWN, FL_Home, 0, before, true, 0.0f},   {FL_MOUSEWHEEL, 0, -1, before, true, 0.0f},
        {FL_MOUSEWHEEL, 0, 1, before, true, 30.0f},
    };
    for (const Key& k : keys) {
        SCOPED_TRACE(testing::Message() << "event " << k.event << ", key " << k.key << ", wheel " << k.wheel);
        Fl::e_dy = k.wheel;
        send(k.event, {10, 10}, k.key);
        EXPECT_EQ(std::make_pair(viewState->attributeIndex, attributeKeyReady), std::make_pair(k.scheme, k.ready));
        EXPECT_FLOAT_EQ(viewState->scrollY, k.scrollY);
    }
    Fl::e_dy = 0;
}

// Ctrl then a sideways (downward) move locks the real pointer to the row (revision).
TEST_F(PointerHandlingTest, CtrlAndAMoveKeepThePointerOnTheRowOrInTheRevision)
{
    const Pixel cell = modifiedCell(), canvas = canvasOnScreen();
    const int column = static_cast<int>(viewState->versionSize);
    const float lineSize = viewState->lineSize;
    const int rowTop = static_cast<int>(rowsAboveModified * lineSize);
    const int rowMiddle = static_cast<int>(static_cast<float>(rowTop) + (lineSize > 2.0f ? lineSize * 0.5f : 0.0f));
    for (const bool sideways : {true, false}) {
        SCOPED_TRACE(sideways ? "sideways" : "downward");
        parkPointer();
        send(FL_MOVE, cell);
        send(FL_KEYDOWN, cell, FL_Control_L);
        EXPECT_EQ(std::make_tuple(viewState->pointerMode, viewState->pointerRow, viewState->pointerRevision),
                  std::make_tuple(1, modifiedRow, modifiedRevision));
        send(FL_MOVE, sideways ? Pixel{cell.x + 5, cell.y + 2} : Pixel{cell.x + 2, cell.y + 5});
        EXPECT_EQ(viewState->pointerMode, sideways ? 2 : 3);

        const Pixel off = sideways ? Pixel{cell.x + column, cell.y + 20} : Pixel{cell.x + 3 * column, cell.y + 10};
        send(FL_MOVE, off);
        if (sideways) {
            EXPECT_EQ(std::make_pair(hoveredRow, hoveredRevision), std::make_pair(modifiedRow, modifiedRevision + 2));
        }
        const Pixel back = sideways ? Pixel{canvas.x + off.x, canvas.y + rowMiddle} : Pixel{canvas.x + cell.x, canvas.y + off.y};
        ASSERT_TRUE(waitUntil([&] { return pointerOnScreen().x == back.x && pointerOnScreen().y == back.y; }))
            << pointerOnScreen().x << ", " << pointerOnScreen().y << " instead of " << back.x << ", " << back.y;
        hoveredRow = hoveredRevision = -1;  // the X server's move finds the cell by itself
        ASSERT_TRUE(waitUntil([&] { return sideways ? hoveredRow == modifiedRow : hoveredRevision == modifiedRevision + 1; }));
        EXPECT_EQ(viewState->pointerMode, sideways ? 2 : 3);
        if (!sideways) {
            // The k-th line of a Normal stack is line k + 1 of the revision's text.
            char expected[64];
            std::snprintf(expected, sizeof expected, "Line: %5d; Version:     2 ",
                          static_cast<int>(static_cast<float>(off.y) / lineSize) + 1);
            EXPECT_EQ(statusText().substr(0, 28), expected);
        }
        send(FL_KEYUP, {}, FL_Control_L);
        EXPECT_EQ(viewState->pointerMode, 0);
    }
    // Unlocked, an arrow key moves the pointer one cell on.
    send(FL_KEYDOWN, cell, FL_Right);
    ASSERT_TRUE(waitUntil([&] { return pointerOnScreen().x == canvas.x + cell.x + column; }));
    EXPECT_EQ(pointerOnScreen().y, canvas.y + cell.y);
}

TEST_F(PointerHandlingTest, FTogglesFullScreenAndOtherKeysReachTheMenuShortcuts)
{
    const int x = mainWindow->x(), y = mainWindow->y(), builderX = savedWindowX, builderY = savedWindowY;
    send(FL_KEYDOWN, {}, 'f');
    EXPECT_TRUE(fullScreen);
    EXPECT_TRUE(waitUntil([] { return mainWindow->w() == Fl::w() && mainWindow->h() == Fl::h(); }))
        << mainWindow->w() << " x " << mainWindow->h();
    EXPECT_EQ(std::make_pair(savedWindowWidth, savedWindowHeight), std::make_pair(650, 726));

    send(FL_KEYDOWN, {}, 'f');
    EXPECT_FALSE(fullScreen);
    EXPECT_TRUE(waitUntil([] { return mainWindow->w() == 650 && mainWindow->h() == 726 && mainWindow->visible(); }));
    EXPECT_EQ(std::make_pair(mainWindow->x(), mainWindow->y()), std::make_pair(x, y));
    settleWindow();
    savedWindowX = builderX, savedWindowY = builderY;  // where later tests expect the window to go back to

    // Keys the view has no use for reach the menu's shortcuts; with nothing loaded it takes none.
    send(FL_MOVE, modifiedCell());
    ASSERT_EQ(Fl::focus(), evolutionView);
    Fl::e_keysym = 'n';
    Fl::e_state = FL_CTRL;
    Fl::handle(FL_KEYBOARD, mainWindow);
    Fl::e_state = 0;
    ASSERT_FALSE(viewState->loaded) << "Ctrl+N did not close the evolution";
    const int scheme = viewState->attributeIndex;
    send(FL_KEYDOWN, {}, '3');
    EXPECT_EQ(viewState->attributeIndex, scheme);
    send(FL_KEYDOWN, {}, 'f');
    EXPECT_FALSE(fullScreen);
}

}  // namespace
