// The pointer and the keyboard over the canvas with the bundled example open.
#include "support/pointer_on_screen.h"

#include <cstdio>
#include <sstream>

#include "codeview/listing/code_listing.h"
#include "ui/scroll_sync.h"
#include "view/pointer_globals.h"

namespace {

// Line 22 of the example (row 21) is modified in revision 2 (index 1), the
// 14th line of its text; in revisions 2 and 3 alike 13 present lines lie above.
constexpr int modifiedRow = 21, modifiedRevision = 1, rowsAboveModified = 13;

// The middle of the Normal cell at stack position k of a revision.
Pixel normalCellCentre(int k, int revision)
{
    const ViewState& v = *viewState;
    return {static_cast<int>((static_cast<float>(revision) + 0.5f) * v.versionSize - v.scrollX),
            static_cast<int>((static_cast<float>(k) + 0.5f) * v.lineSize - v.scrollY)};
}

Pixel modifiedCell() { return normalCellCentre(rowsAboveModified, modifiedRevision); }

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

std::vector<std::string> linesOf(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
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
    EXPECT_EQ(hoveredRow, modifiedRow);
    EXPECT_EQ(hoveredRevision, modifiedRevision + 1);
    EXPECT_EQ(viewState->hoverState, 0);
    EXPECT_EQ(viewState->hoverKind, 3);

    const std::vector<std::string> lines = linesOf(codeListingText);
    const int h = listingHalfHeight(viewState->codeViewHeight, viewState->fontHeight);
    ASSERT_EQ(static_cast<int>(lines.size()), 2 * h + 1);
    EXPECT_EQ(lines[h], linesOf(fileText(exampleDirectory() + "revisions/wordfreq.c.v1.2")).at(13));
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

    // Row 2 is added only in revision 7, so in the Horizontal layout, where
    // every row keeps its place, its cell in revision 1 is absent.
    evolutionView->layoutMode = modeHorizontal;
    sendAt(FL_MOVE, {static_cast<int>(0.5f * viewState->versionSize), static_cast<int>(2.5f * viewState->lineSize)});
    EXPECT_EQ(hoveredRow, 2);
    EXPECT_EQ(hoveredRevision, 1);
    EXPECT_EQ(viewState->hoverState, 1);
    EXPECT_EQ(viewState->hoverKind, 2);
    EXPECT_EQ(statusText(), "");
    evolutionView->layoutMode = modeNormal;
}

// A push focuses its revision, a second push on it unfocuses; a push right
// of the grid changes nothing. Each cell is found after the fit the last push made.
TEST_F(PointerHandlingTest, PushesFocusAndUnfocusRevisions)
{
    struct Push {
        int k, revision, focus;  // revision -1: right of the grid
    };
    for (const Push& p : {Push{rowsAboveModified, modifiedRevision, modifiedRevision}, Push{0, modifiedRevision, -1},
                          Push{0, 4, 4}, Push{0, -1, 4}}) {
        SCOPED_TRACE(p.revision);
        const Pixel at = p.revision < 0 ? Pixel{evolutionView->w() + 50, 5} : normalCellCentre(p.k, p.revision);
        EXPECT_EQ(sendAt(FL_PUSH, at), 1);
        EXPECT_EQ(sendAt(FL_RELEASE, at), 1);
        EXPECT_EQ(currentEvolution->focusRevision, p.focus);
    }
}

// Digits show their scheme while held, also as shortcuts; the wheel, Home
// and End scroll within the content and leave the scheme alone.
TEST_F(PointerHandlingTest, KeysAndTheWheelShowSchemesAndScrollWithinTheContent)
{
    viewState->lineSize = 10.0f;
    syncLineScroll(lineScrollSlider);
    const float bottom = static_cast<float>(layoutRowCount()) * 10.0f - static_cast<float>(viewState->viewHeight);
    ASSERT_GT(bottom, 100.0f);
    const int before = viewState->attributeIndex;
    ASSERT_NE(before, 2);
    struct Key {
        int event, key, wheel, scheme;
        bool ready;
        float scrollY;
    };
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
        sendKey(k.event, k.key, {10, 10});
        EXPECT_EQ(viewState->attributeIndex, k.scheme);
        EXPECT_EQ(attributeKeyReady, k.ready);
        EXPECT_FLOAT_EQ(viewState->scrollY, k.scrollY);
    }
    Fl::e_dy = 0;
}

// Ctrl locks the pointer to its cell's row (a sideways move) or revision (a
// downward one): moved off it, the real pointer is put back, and the move
// the X server then reports finds the locked row or revision by itself.
TEST_F(PointerHandlingTest, CtrlAndAMoveKeepThePointerOnTheRowOrInTheRevision)
{
    const Pixel cell = modifiedCell(), canvas = canvasOnScreen();
    const int column = static_cast<int>(viewState->versionSize);
    const float lineSize = viewState->lineSize;
    const int rowTop = static_cast<int>(rowsAboveModified * lineSize);
    const int rowMiddle = lineSize > 2.0f ? static_cast<int>(static_cast<float>(rowTop) + lineSize * 0.5f) : rowTop;
    for (const bool sideways : {true, false}) {
        SCOPED_TRACE(sideways ? "sideways" : "downward");
        parkPointer();
        sendAt(FL_MOVE, cell);
        sendKey(FL_KEYDOWN, FL_Control_L, cell);
        EXPECT_EQ(viewState->pointerMode, 1);
        EXPECT_EQ(viewState->pointerRow, modifiedRow);
        EXPECT_EQ(viewState->pointerRevision, modifiedRevision);
        sendAt(FL_MOVE, sideways ? Pixel{cell.x + 5, cell.y + 2} : Pixel{cell.x + 2, cell.y + 5});
        const int mode = sideways ? 2 : 3;
        EXPECT_EQ(viewState->pointerMode, mode);

        // One column on and below the row, or three columns over.
        const Pixel off = sideways ? Pixel{cell.x + column, cell.y + 20} : Pixel{cell.x + 3 * column, cell.y + 10};
        sendAt(FL_MOVE, off);
        if (sideways) {
            EXPECT_EQ(hoveredRow, modifiedRow);
            EXPECT_EQ(hoveredRevision, modifiedRevision + 2);
        }
        const Pixel back = sideways ? Pixel{canvas.x + off.x, canvas.y + rowMiddle} : Pixel{canvas.x + cell.x, canvas.y + off.y};
        ASSERT_TRUE(waitUntil([&] { return pointerOnScreen().x == back.x && pointerOnScreen().y == back.y; }))
            << pointerOnScreen().x << ", " << pointerOnScreen().y << " instead of " << back.x << ", " << back.y;
        hoveredRow = hoveredRevision = -1;
        ASSERT_TRUE(waitUntil([&] { return sideways ? hoveredRow == modifiedRow : hoveredRevision == modifiedRevision + 1; }));
        EXPECT_EQ(viewState->pointerMode, mode);
        if (!sideways) {
            // The k-th line of a Normal stack is line k + 1 of the revision's text.
            char expected[64];
            std::snprintf(expected, sizeof expected, "Line: %5d; Version:     2 ",
                          static_cast<int>(static_cast<float>(off.y) / lineSize) + 1);
            EXPECT_EQ(statusText().substr(0, 28), expected);
        }
        sendKey(FL_KEYUP, FL_Control_L);
        EXPECT_EQ(viewState->pointerMode, 0);
    }
    // Unlocked, an arrow key moves the pointer one cell on.
    sendKey(FL_KEYDOWN, FL_Right, cell);
    ASSERT_TRUE(waitUntil([&] { return pointerOnScreen().x == canvas.x + cell.x + column; }));
    EXPECT_EQ(pointerOnScreen().y, canvas.y + cell.y);
}

TEST_F(PointerHandlingTest, FTogglesFullScreenAndRestoresTheGeometry)
{
    const int x = mainWindow->x(), y = mainWindow->y();
    // Later tests expect the place the window's construction set to go back to.
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
