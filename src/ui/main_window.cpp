#include "ui/main_window.h"

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Menu_Bar.H>
#include <FL/Fl_Nice_Slider.H>
#include <FL/Fl_Pack.H>
#include <FL/Fl_Tabs.H>
#include <FL/Fl_Text_Buffer.H>
#include <FL/Fl_Text_Display.H>
#include <FL/Fl_Tile.H>
#include <FL/Fl_Window.H>

#include <memory>

#include "app/globals.h"
#include "codeview/code_view.h"
#include "codeview/listing/code_listing.h"
#include "codeview/status_text.h"
#include "colouring/attributes.h"
#include "ui/canvas_companions.h"
#include "ui/colour_legend.h"
#include "ui/control_callbacks.h"
#include "ui/control_panels.h"
#include "ui/legend_stack.h"
#include "ui/main_menu.h"
#include "ui/marked_slider.h"
#include "ui/menu_key_guard.h"
#include "ui/scroll_sync.h"
#include "ui/widget_building.h"
#include "ui/widgets.h"
#include "ui/window_states.h"
#include "view/evolution_view.h"
#include "view/pointer_globals.h"

namespace {

// The window and the status text live until the process ends; the groups
// own every other widget. The buffer is declared first so that it outlives
// the display that shows it.
std::unique_ptr<Fl_Text_Buffer> statusBufferHolder;
std::unique_ptr<Fl_Window> mainWindowHolder;

constexpr int panelWidth = 250;  // left of the canvas: tabs, scroll slider and legend
constexpr int codeViewHeight = 145;

// A flat slider with the plain look, counting whole rows or columns.
Fl_Slider* scrollSlider(Fl_Group* parent, int x, int y, int w, int h, unsigned char type, Fl_Callback* callback)
{
    Fl_Slider* slider = addWidget<Fl_Nice_Slider>(parent, x, y, w, h);
    slider->type(type);
    slider->bounds(0, 1);
    slider->step(1);
    slider->callback(callback);
    return slider;
}

// The revision span and the values come from the reset.
MarkedSlider* rangeSlider(Fl_Pack* pack, int y, int markPlacement)
{
    auto* slider = addWidget<MarkedSlider>(pack, pack->x(), y, pack->w(), 10);
    slider->type(FL_HOR_SLIDER);
    slider->step(1);
    slider->markPlacement = markPlacement;
    slider->callback(revisionRangeCallback);
    return slider;
}

// A legend made while its stack is open for registration; the stack takes
// it among its children and owns it from then on.
ColourLegend* stackedLegend(int x, int y, int w, int h, Attribute* shown, int mode)
{
    auto legend = std::make_unique<ColourLegend>(x, y, w, h, shown, mode, setStatusText);
    return legend.release();
}

Fl_Group* tabPanel(Fl_Tabs* tabs, int canvasHeight, const char* label)
{
    return addWidget<Fl_Group>(tabs, 5, 60, 190, canvasHeight + 15, label);
}

void buildUpperGroup(int W, int H)
{
    upperGroup = addWidget<Fl_Group>(mainTile, 0, 0, W + panelWidth, H + 80);
    menuBar = addWidget<Fl_Menu_Bar>(upperGroup, 0, 0, W + panelWidth, 30, "Menu");
    fillMainMenu(menuBar);

    rangePack = addWidget<Fl_Pack>(upperGroup, 230, 30, W, 20);
    rangePack->type(Fl_Pack::VERTICAL);
    rangePack->resizable(rangePack);
    rangeStartSlider = rangeSlider(rangePack, 30, 0);
    rangeEndSlider = rangeSlider(rangePack, 40, 1);

    controlTabs = addWidget<Fl_Tabs>(upperGroup, 0, 30, 200, H + 50);
    displayTab = tabPanel(controlTabs, H, "Display");
    enginesTab = tabPanel(controlTabs, H, "Engines");
    blocksTab = tabPanel(controlTabs, H, "Blocks");

    lineScrollSlider = scrollSlider(upperGroup, 200, 50, 10, H, FL_VERT_SLIDER, lineScrollCallback);

    lineLegendStack = addWidget<LegendStack>(upperGroup, 210, 50, 20, H + 20);
    lineLegend = stackedLegend(210, 50, 20, H, lineStatistic, colourMapCells);
    lineBarLegend = stackedLegend(210, 50, 20, H, lineStatistic, barCells);
    lineBarLegend->hide();
    lineLegendStack->finish();
    lineLegendStack->resizable(lineLegend);

    evolutionView = addWidget<EvolutionView>(upperGroup, 230, 50, W, H, "Stratoview");

    revisionLegendStack = addWidget<LegendStack>(upperGroup, 230, H + 50, W + 20, 20);
    revisionLegend = stackedLegend(230, H + 50, W, 20, revisionLineCount, colourMapCells);
    revisionBarLegend = stackedLegend(230, H + 50, W, 20, revisionLineCount, barCells);
    authorLegend = stackedLegend(230, H + 50, W, 20, authorAttribute, identifierCells);
    revisionBarLegend->hide();
    authorLegend->hide();
    revisionLegendStack->finish();
    revisionLegendStack->resizable(authorLegend);

    revisionScrollSlider = scrollSlider(upperGroup, 230, H + 70, W, 10, FL_HOR_SLIDER, revisionScrollCallback);
    upperGroup->resizable(evolutionView);

    buildDisplayControls(displayTab);
    buildBlocksControls(blocksTab);
    buildEnginesControls(enginesTab);
}

void buildLowerGroup(int W, int H)
{
    lowerGroup = addWidget<Fl_Group>(mainTile, 0, H + 80, W + panelWidth, 6 + codeViewHeight + 25);
    // The grip by which the user drags the border between the two groups.
    splitterBox = addWidget<Fl_Box>(lowerGroup, 0, H + 80, W + panelWidth, 6);
    splitterBox->box(FL_UP_BOX);
    codeView = addWidget<CodeView>(lowerGroup, 0, H + 86, W + panelWidth, codeViewHeight, "");
    statusDisplay = addWidget<Fl_Text_Display>(lowerGroup, 0, H + 86 + codeViewHeight, W + panelWidth, 25);
    statusDisplay->color(FL_BACKGROUND_COLOR);
    statusBufferHolder = std::make_unique<Fl_Text_Buffer>(256);
    statusBuffer = statusBufferHolder.get();
    statusBuffer->text("Status bar");
    lowerGroup->resizable(codeView);
    viewState->codeViewHeight = codeViewHeight;
    viewState->codeViewWidth = W + panelWidth;
}

}  // namespace

void buildHiddenMainWindow(int savedX, int savedY, int canvasWidth, int canvasHeight)
{
    const int W = canvasWidth, H = canvasHeight;
    savedWindowX = savedX;
    savedWindowY = savedY;
    ViewState& v = *viewState;
    v.viewWidth = W;
    v.viewHeight = H;
    previousViewWidth = W;
    previousViewHeight = H;
    v.scrollY = 0;
    v.scrollX = 0;

    installMenuKeyGuard();
    Fl_Group::current(nullptr);
    mainWindowHolder = std::make_unique<Fl_Window>(W + panelWidth, H + 256);
    mainWindow = mainWindowHolder.get();
    mainTile = addWidget<Fl_Tile>(mainWindow, 0, 0, W + panelWidth, H + 256);
    buildUpperGroup(W, H);
    codeListingText = ": Code ";
    buildLowerGroup(W, H);
    mainWindow->resizable(mainTile);
    followCanvasResize = relayCanvasCompanions;
}

void buildMainWindow(int savedX, int savedY, int canvasWidth, int canvasHeight)
{
    buildHiddenMainWindow(savedX, savedY, canvasWidth, canvasHeight);
    const int W = canvasWidth, H = canvasHeight;
    // A text display measures its font the moment it gets a buffer, which
    // takes a display: the hidden window's status bar keeps its text alone.
    statusDisplay->buffer(statusBuffer);
    mainWindow->show();
    mainWindow->size_range(W + panelWidth, H + 256, 0, 0, 0, 0, 0);
    Fl::focus(evolutionView);
    resetControls();
}
