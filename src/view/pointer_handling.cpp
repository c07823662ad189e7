#include <FL/Fl_Window.H>

#include <cstdlib>
#include <string>

#include "app/globals.h"
#include "ui/range_tooltips.h"
#include "codeview/code_view.h"
#include "codeview/listing/absent_listing.h"
#include "codeview/listing/code_listing.h"
#include "codeview/status_text.h"
#include "colouring/attributes.h"
#include "evolution/evolution_file.h"
#include "ui/marked_slider.h"
#include "ui/scroll_sync.h"
#include "ui/widgets.h"
#include "view/canvas_input.h"
#include "view/evolution_view.h"
#include "view/geometry/hit_tests.h"
#include "view/navigation/pointer_steps.h"
#include "view/pointer_globals.h"
#include "view/pointer_warp.h"
#include "view/status/status_format.h"

namespace {

// The first move after Ctrl: its direction decides what the pointer follows.
void chooseLock(EvolutionView& canvas, int x, int y)
{
    const int mode = lockModeForFirstMove(std::abs(x - lastPointerX), std::abs(y - lastPointerY));
    viewState->pointerMode = mode;
    if (mainWindow)
        mainWindow->cursor(mode == pointerRowLocked ? FL_CURSOR_WE : FL_CURSOR_NS, FL_BLACK, FL_WHITE);
    canvas.damage(overlayDamage);
}

// Keeps the pointer on the locked row at the column under it.
void followLockedRow(const EvolutionView& canvas, const CellHit& cell, int x)
{
    const EvolutionFile& evolution = *currentEvolution;
    const ViewState& v = *viewState;
    const int layout = canvas.layoutMode;
    hoveredRow = v.pointerRow;
    const CellPixel left = pixelOfCell(evolution, v.pointerRow, cell.revision, layout);
    // Normal rows run level across a column; the other layouts may slope.
    const CellPixel right = layout == modeNormal
        ? CellPixel{left.ok, static_cast<int>(static_cast<float>(left.x) + v.versionSize), left.y}
        : pixelOfCell(evolution, v.pointerRow, cell.revision + 1, layout);
    // A row absent here with no present row above it has no place in the
    // column; the pointer then stays where the user put it.
    if (left.ok && right.ok)
        warpToCanvasPixel(canvas, x, lockedRowY(x, left.x, left.y, right.x, right.y, v.lineSize));
    lastPointerX = x;
}

// Over no cell, the status bar names the committer of the column under the
// pointer. Outside every column it stays empty, and the code view's author
// line, which reads the revision tables only within their bounds, calls the
// committer unknown.
void describeNoCell()
{
    ViewState& v = *viewState;
    const std::string author = authorStatusText(*currentEvolution, hoveredRevision);
    setStatusText(author.empty() ? "" : (author + revisionDetailsText(*currentEvolution, hoveredRevision)).c_str());
    v.hoverState = 2;
    refreshAuthorLine();
    redrawCodeView();
}

void describeCell(int layout, int row, int revision)
{
    const EvolutionFile& evolution = *currentEvolution;
    ViewState& v = *viewState;
    v.hoverPosition = static_cast<float>(revision) / static_cast<float>(evolution.columnCount);
    const int block = evolution.blockAt(row, revision);
    const int status = evolution.status(row, revision);
    v.hoverKind = hoverKindOf(status);
    // The code view's listings count revisions from 1 over a cell.
    hoveredRevision = revision + 1;
    if (!isPresentStatus(status)) {
        v.hoverState = 1;
        refreshRevisionListing(layout);
        refreshAbsentListing(layout);
        redrawCodeView();
        setStatusText("");
        return;
    }
    const int lineNumber = evolution.lineNumberIn(rowToLine(row, layout), revision) + 1;
    const std::string text = cellStatusText(lineNumber, revision + 1, block, evolution.statusName(row, revision)) +
                             revisionDetailsText(evolution, revision);
    v.hoverState = 0;
    refreshRevisionListing(layout);
    redrawCodeView();
    setStatusText(text.c_str());
}

}  // namespace

void redrawCodeView()
{
    if (codeView)
        codeView->redraw();
}

void warpToCanvasPixel(const EvolutionView& canvas, int x, int y)
{
    const int windowX = mainWindow ? mainWindow->x() : 0;
    const int windowY = mainWindow ? mainWindow->y() : 0;
    warpPointer(windowX + canvas.x() + x, windowY + canvas.y() + y);
}

void handlePush(EvolutionView& canvas, int x, int y)
{
    focusRevisionOf(canvas, cellAtPixel(*currentEvolution, x, y, canvas.layoutMode).revision);
}

void focusRevisionOf(EvolutionView& canvas, int revision)
{
    EvolutionFile& evolution = *currentEvolution;
    const int layout = canvas.layoutMode;
    if (revision < 0 || revision >= evolution.columnCount)
        return;
    evolution.setFocusRevision(layout, revision);
    recomputeAttributes(layout);
    if (rangeStartSlider && rangeEndSlider) {
        rangeStartSlider->value(evolution.firstRevision + 1);
        rangeEndSlider->value(evolution.lastRevision + 1);
        refreshRangeTooltips();
    }
    refreshBlockThreshold();
    if (layout == modeInterpolated)
        canvas.redraw();
    else
        fitToWindow();
}

void handlePointerMove(EvolutionView& canvas, int x, int y)
{
    ViewState& v = *viewState;
    const CellHit cell = cellAtPixel(*currentEvolution, x, y, canvas.layoutMode);
    hoveredRow = cell.row;
    hoveredRevision = cell.revision;
    // A warp below brings a fresh move at the locked position, which runs
    // this again and describes the cell there.
    switch (v.pointerMode) {
    case pointerLockPending:
        chooseLock(canvas, x, y);
        break;
    case pointerRowLocked:
        // A push while Ctrl is held may have left fewer rows than the lock's.
        if (cell.hit && v.pointerRow < currentEvolution->rowCount)
            followLockedRow(canvas, cell, x);
        break;
    case pointerRevisionLocked:
        hoveredRevision = v.pointerRevision;
        warpToCanvasPixel(canvas, lastPointerX, y);
        lastPointerY = y;
        break;
    default:
        lastPointerX = x;
        lastPointerY = y;
        break;
    }
    if (!cell.hit) {
        describeNoCell();
        return;
    }
    describeCell(canvas.layoutMode, hoveredRow, hoveredRevision);
}
