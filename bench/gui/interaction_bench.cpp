// What the user waits for in the program's window on a large evolution:
// each kind of event delivered as the toolkit delivers it, timed until every
// window it damaged is drawn, flushed and finished; medians of one run per
// layout on a 1200 by 900 canvas, with the opening to its first frame and
// the peak memory.
//
//   quillon-interaction-bench [--evolution PATH] [--lines N] [--revisions N] [--events N]
//
// Without --evolution it opens a made-up evolution without revision texts,
// by default of 7,000 lines a revision over 2,000 revisions (20,404 rows).

#include <malloc.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include <FL/Fl.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Choice.H>
#include <FL/Fl_Gl_Window.H>
#include <FL/Fl_Value_Slider.H>
#include <FL/Fl_Window.H>
#include <FL/gl.h>
#include <FL/x.H>

#include "app/globals.h"
#include "app/open_close.h"
#include "evolution/evolution_file.h"
#include "program_window.h"
#include "ui/marked_slider.h"
#include "ui/widgets.h"
#include "view/evolution_view.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int canvasWidth = 1200;
constexpr int canvasHeight = 900;

struct Options {
    std::string evolution;
    SyntheticParameters made;
    int events = 11;  // timed events of each kind in each layout
};

bool parseOptions(int argc, char** argv, Options& options)
{
    options.made.lines = 7000;
    options.made.revisions = 2000;
    options.made.texts = false;
    for (int i = 1; i < argc; ++i) {
        const std::string flag = argv[i];
        if (i + 1 >= argc)
            return false;
        const char* value = argv[++i];
        if (flag == "--evolution") {
            options.evolution = value;
            continue;
        }
        char* end = nullptr;
        const long number = std::strtol(value, &end, 10);
        if (*end != '\0' || number < 1 || number > 1000000)
            return false;
        if (flag == "--lines")
            options.made.lines = static_cast<int>(number);
        else if (flag == "--revisions")
            options.made.revisions = static_cast<int>(number);
        else if (flag == "--events")
            options.events = static_cast<int>(number);
        else
            return false;
    }
    return true;
}

double millisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// A field of /proc/self/status in bytes; the kernel gives kilobytes.
double statusBytes(const std::string& field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.compare(0, field.size() + 1, field + ":") == 0)
            return std::atof(line.c_str() + field.size() + 1) * 1024.0;
    return 0.0;
}

// The peak so far starts again from what the process holds now, so that
// making the evolution does not count as the program's memory.
void restartPeakMemory()
{
    malloc_trim(0);
    std::ofstream("/proc/self/clear_refs") << "5";
}

// What the event loop does once an event is handled: one flush draws every
// damaged window; then each OpenGL window among them is finished and the
// server has put through the rest. True when the canvas drew a frame: a
// window shown afresh keeps its damage until the server has exposed it.
bool drawDamaged()
{
    std::vector<Fl_Gl_Window*> damaged;
    // The toolkit's list of shown windows holds the subwindows too, and its
    // flush walks the same list.
    for (Fl_Window* window = Fl::first_window(); window; window = Fl::next_window(window))
        if (Fl_Gl_Window* gl = window->as_gl_window(); gl && gl->damage() && gl->visible_r())
            damaged.push_back(gl);
    Fl::flush();
    for (Fl_Gl_Window* window : damaged) {
        window->make_current();
        glFinish();
    }
    XSync(fl_display, False);
    return std::find(damaged.begin(), damaged.end(), evolutionView) != damaged.end() && !evolutionView->damage();
}

// Outside the timing: takes what the server sent meanwhile (exposures,
// crossings) and draws whatever is left over.
void settle()
{
    Fl::check();
    drawDamaged();
}

// Events reach the canvas's own window, in its pixels, as the server
// reports them.
int deliver(int event, int x, int y)
{
    Fl::e_x = x;
    Fl::e_y = y;
    Fl::e_x_root = mainWindow->x() + evolutionView->x() + x;
    Fl::e_y_root = mainWindow->y() + evolutionView->y() + y;
    return Fl::handle(event, evolutionView);
}

void key(int event, int symbol, const char* text, int x, int y)
{
    Fl::e_keysym = symbol;
    Fl::e_text = const_cast<char*>(text);
    Fl::e_length = static_cast<int>(std::strlen(text));
    deliver(event, x, y);
}

void click(int x, int y)
{
    Fl::e_keysym = FL_Button + FL_LEFT_MOUSE;
    Fl::e_state = FL_BUTTON1;
    Fl::e_clicks = 0;
    deliver(FL_PUSH, x, y);
    Fl::e_state = 0;
    deliver(FL_RELEASE, x, y);
}

// A slider dragged or an item picked: the widget takes the value and calls
// back, as its own handling does.
void change(Fl_Valuator* valuator, double value)
{
    valuator->value(value);
    valuator->do_callback();
}

void pick(Fl_Choice* choice, int item)
{
    choice->value(item);
    choice->do_callback();
}

struct Measured {
    std::vector<double> milliseconds;
    int canvasDrawn = 0;  // events after which the canvas drew a frame
};

double median(std::vector<double> values)
{
    if (values.empty())
        return 0.0;
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2.0;
}

using Step = std::function<void(int)>;

// Event i is delivered by `event` and drawn within the timing; `before` and
// `after` run outside it, each followed by the drawing it asked for.
Measured measure(int count, const Step& event, const Step& before = {}, const Step& after = {})
{
    Measured measured;
    for (int i = 0; i < count; ++i) {
        if (before)
            before(i);
        settle();
        const Clock::time_point start = Clock::now();
        event(i);
        measured.canvasDrawn += drawDamaged();
        measured.milliseconds.push_back(millisecondsSince(start));
        if (after)
            after(i);
    }
    settle();
    return measured;
}

enum Kind { clickKind, wheelKind, zoomKind, sliderKind, controlKind, pointerKind, lockKind, redrawKind, kindCount };

constexpr std::array<const char*, kindCount> kindNames = {
    "click (focus)", "wheel step", "zoom step", "slider move", "control change", "pointer move", "Ctrl move",
    "full redraw"};

void fitCanvas()
{
    fitToWindowButton->do_callback();
    settle();
}

// Every kind of event in the layout that is shown. The click comes last:
// the focus it leaves changes the rows of the Normal and Horizontal layouts.
std::array<Measured, kindCount> measureLayout(int events)
{
    std::array<Measured, kindCount> result;
    const int w = evolutionView->w(), h = evolutionView->h();
    const int middleX = w / 2, middleY = h / 2;

    fitCanvas();
    result[redrawKind] = measure(events, [&](int) { key(FL_KEYDOWN, 'r', "r", middleX, middleY); },
                                 {}, [&](int) { key(FL_KEYUP, 'r', "r", middleX, middleY); });

    // The pointer comes in from outside with Shift held, so that both
    // legends show their mark at it; the moves spread over the whole path.
    const auto path = pointerPath(w, h);
    const auto point = [&](int i) { return path[static_cast<size_t>(i) * path.size() / static_cast<size_t>(events)]; };
    deliver(FL_LEAVE, middleX, middleY);
    deliver(FL_ENTER, middleX, middleY);
    key(FL_KEYDOWN, FL_Shift_L, "", middleX, middleY);
    result[pointerKind] = measure(events, [&](int i) {
        const auto [x, y] = point(i);
        deliver(FL_MOVE, x, y);
    });
    key(FL_KEYUP, FL_Shift_L, "", middleX, middleY);

    // The first move after Ctrl chooses what the pointer follows and draws
    // the overlay for it; Ctrl is pressed and let go outside the timing.
    result[lockKind] = measure(
        events,
        [&](int i) {
            const auto [x, y] = point(i);
            deliver(FL_MOVE, std::min(x + 12, w - 1), y);
        },
        [&](int i) {
            const auto [x, y] = point(i);
            deliver(FL_MOVE, x, y);
            key(FL_KEYDOWN, FL_Control_L, "", x, y);
        },
        [&](int i) {
            const auto [x, y] = point(i);
            key(FL_KEYUP, FL_Control_L, "", x, y);
        });

    // Through every colour scheme in turn; the menu's size counts its end.
    const int scheme = attributeChoice->value();
    const int schemes = attributeChoice->size() - 1;
    result[controlKind] = measure(events, [&](int i) { pick(attributeChoice, (scheme + 1 + i) % schemes); });
    pick(attributeChoice, scheme);

    // In and out again about the middle, by a quarter.
    fitCanvas();
    const double fitted = lineSizeSlider->value();
    result[zoomKind] = measure(events, [&](int i) { change(lineSizeSlider, i % 2 ? fitted : fitted * 1.25); });

    // One pixel a row, scrolled to the middle by the zoom about it; down and
    // up again.
    change(lineSizeSlider, 1.0);
    result[wheelKind] = measure(events, [&](int i) {
        Fl::e_dx = 0;
        Fl::e_dy = i % 2 ? -1 : 1;
        deliver(FL_MOUSEWHEEL, middleX, middleY);
    });

    fitCanvas();
    const double start = rangeStartSlider->value();
    result[sliderKind] = measure(events, [&](int i) { change(rangeStartSlider, i % 2 ? start : start + 1); });
    change(rangeStartSlider, start);

    fitCanvas();
    result[clickKind] = measure(events, [&](int i) { click(i % 2 ? w / 4 : 3 * w / 4, middleY); });
    return result;
}

// The opening as the menu does it, until the canvas has drawn its first
// frame; the canvas shown afresh draws at the first exposure.
double openToFirstFrame(const std::string& path)
{
    const Clock::time_point start = Clock::now();
    openEvolution(path);
    drawDamaged();
    while (viewState->loaded && evolutionView->damage()) {
        Fl::wait(0.001);
        drawDamaged();
    }
    return millisecondsSince(start);
}

void printRow(const char* name, const std::vector<std::string>& cells)
{
    std::printf("%-13s", name);
    for (const std::string& cell : cells)
        std::printf(" %15s", cell.c_str());
    std::printf("\n");
}

}  // namespace

int main(int argc, char** argv)
{
    Options options;
    if (!parseOptions(argc, argv, options)) {
        std::fprintf(stderr,
                     "usage: %s [--evolution PATH] [--lines N] [--revisions N] [--events N]\n"
                     "  --lines and --revisions size the made-up evolution opened without --evolution\n",
                     argv[0]);
        return 2;
    }
    std::string path = options.evolution;
    if (path.empty()) {
        path = syntheticEvolutionPath(options.made);
        if (path.empty()) {
            std::fprintf(stderr, "the made-up evolution could not be written\n");
            return 1;
        }
    }
    restartPeakMemory();
    showMainWindow(canvasWidth, canvasHeight);
    if (evolutionView->w() != canvasWidth || evolutionView->h() != canvasHeight) {
        std::fprintf(stderr, "the canvas is %dx%d, not %dx%d\n", evolutionView->w(), evolutionView->h(), canvasWidth,
                     canvasHeight);
        return 1;
    }
    const double heldBefore = statusBytes("VmRSS");
    const double opening = openToFirstFrame(path);
    if (!viewState->loaded) {
        std::fprintf(stderr, "%s could not be opened\n", path.c_str());
        return 1;
    }
    const double peakOpened = statusBytes("VmHWM");
    const double cells = static_cast<double>(currentEvolution->rowCount) * currentEvolution->columnCount;
    std::printf("%s: %d rows x %d revisions, canvas %dx%d, %d events of each kind\n", path.c_str(),
                currentEvolution->rowCount, currentEvolution->columnCount, evolutionView->w(), evolutionView->h(),
                options.events);

    constexpr std::array<const char*, 3> layouts = {"Normal", "Horizontal", "Interpolated"};
    std::array<std::array<Measured, kindCount>, layouts.size()> measured;
    for (size_t layout = 0; layout < layouts.size(); ++layout) {
        pick(viewModeChoice, static_cast<int>(layout));
        settle();
        measured[layout] = measureLayout(options.events);
    }
    const double peak = statusBytes("VmHWM");

    std::printf("\nmedian milliseconds from the event to every damaged window drawn and finished\n");
    printRow("layout", {kindNames.begin(), kindNames.end()});
    for (size_t layout = 0; layout < layouts.size(); ++layout) {
        std::vector<std::string> cells;
        for (const Measured& kind : measured[layout]) {
            char cell[32];
            std::snprintf(cell, sizeof cell, "%.2f", median(kind.milliseconds));
            cells.emplace_back(cell);
        }
        printRow(layouts[layout], cells);
    }
    std::printf("\nevents after which the canvas drew a frame\n");
    printRow("layout", {kindNames.begin(), kindNames.end()});
    for (size_t layout = 0; layout < layouts.size(); ++layout) {
        std::vector<std::string> cells;
        for (const Measured& kind : measured[layout])
            cells.push_back(std::to_string(kind.canvasDrawn) + "/" + std::to_string(kind.milliseconds.size()));
        printRow(layouts[layout], cells);
    }
    std::printf("\nopening to the first frame: %.0f ms\n", opening);
    std::printf("peak memory: %.0f MB after opening, %.0f MB over the run (%.1f bytes a cell, %.1f of them "
                "beyond what the window held before opening)\n",
                peakOpened / 1e6, peak / 1e6, peak / cells, (peak - heldBefore) / cells);
    closeEvolution();
    return 0;
}
