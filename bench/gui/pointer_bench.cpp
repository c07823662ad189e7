// Milliseconds from a pointer move delivered to the evolution canvas to the
// end of the code view's redraw it asks for, in the program's window, on a
// made-up evolution of 20,000 lines drawn by Mesa's software renderer.

#include <string>

#include <FL/Fl.H>
#include <FL/Fl_Window.H>
#include <FL/gl.h>
#include <benchmark/benchmark.h>

#include "app/globals.h"
#include "app/open_close.h"
#include "codeview/code_view.h"
#include "evolution/evolution_file.h"
#include "program_window.h"
#include "ui/widgets.h"
#include "view/evolution_view.h"

namespace {

void pointerMoveToCodeView(benchmark::State& state)
{
    SyntheticParameters parameters;
    parameters.lines = static_cast<int>(state.range(0));
    parameters.revisions = static_cast<int>(state.range(1));
    const int layout = static_cast<int>(state.range(2));
    showMainWindow(400, 470);
    const std::string evolutionPath = syntheticEvolutionPath(parameters);
    if (!evolutionPath.empty())
        openEvolution(evolutionPath);
    if (evolutionPath.empty() || !viewState->loaded) {
        state.SkipWithError("the evolution could not be made or opened");
        return;
    }
    evolutionView->layoutMode = layout;
    currentEvolution->applyViewMode(layout);
    // The Interpolated hit test walks the row heights that its frame draws.
    evolutionView->make_current();
    evolutionView->draw();
    glFinish();

    const auto path = pointerPath(evolutionView->w(), evolutionView->h());
    size_t next = 0;
    int64_t overCells = 0;
    for (auto _ : state) {
        const auto [x, y] = path[next];
        next = (next + 1) % path.size();
        Fl::e_x = x;
        Fl::e_y = y;
        evolutionView->handle(FL_MOVE);
        // Over a cell the listing is read from the revision's text.
        overCells += viewState->hoverState == 0 || viewState->hoverState == 1;
        codeView->make_current();
        codeView->draw();
        glFinish();
    }
    state.counters["rows"] = currentEvolution->rowCount;
    state.counters["overCells"] = static_cast<double>(overCells) / static_cast<double>(state.iterations());
    closeEvolution();
}

BENCHMARK(pointerMoveToCodeView)
    ->ArgNames({"lines", "revisions", "layout"})
    ->Args({1000, 100, 0})
    ->Args({20000, 100, 0})
    ->Args({20000, 100, 1})
    ->Args({20000, 100, 2})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace
