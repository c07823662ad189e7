// Milliseconds per frame of each layout, fitted to the canvas as opening
// fits it, on made-up evolutions of growing size, drawn by Mesa's software
// renderer.

#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <utility>

#include <FL/Fl.H>
#include <FL/Fl_Window.H>
#include <FL/gl.h>
#include <benchmark/benchmark.h>

#include "app/globals.h"
#include "evolution/evolution_file.h"
#include "ui/controls/view_mode_focus.h"
#include "ui/scroll_sync.h"
#include "ui/widgets.h"
#include "view/evolution_view.h"

namespace {

namespace fs = std::filesystem;

// An evolution file of `lines` lines over `revisions` revisions: a core of
// lines present from the first revision, lines added and deleted along the
// way, a few modifications and replacements, one author per ten revisions.
std::unique_ptr<EvolutionFile> makeEvolution(int lines, int revisions)
{
    const fs::path directory = fs::temp_directory_path() /
                               ("quillon-frame-bench-" + std::to_string(lines) + "x" + std::to_string(revisions));
    fs::create_directories(directory);
    std::mt19937 random(static_cast<unsigned>(lines * 31 + revisions));
    std::uniform_real_distribution<double> chance(0.0, 1.0);
    std::uniform_int_distribution<int> anyRevision(0, revisions - 1);
    {
        std::ofstream out(directory / "bench.c_cvs");
        out << "bench.c\nBranch: 1.\nLines: " << lines << "\nRevisions: " << revisions << "\n";
        std::string row;
        for (int i = 0; i < lines; ++i) {
            const int birth = chance(random) < 0.3 ? 0 : anyRevision(random) / 2;
            const int death = chance(random) < 0.6 ? revisions : std::max(birth + 1, anyRevision(random));
            row = "  " + std::to_string(i + 1) + ":";
            for (int r = 0; r < revisions; ++r) {
                char status = 'X';
                if (r < birth)
                    status = '>';
                else if (r >= death)
                    status = '<';
                else if (const double p = chance(random); p < 0.02)
                    status = '-';
                else if (p < 0.025)
                    status = 'n';
                else if (p < 0.03)
                    status = '|';
                row += status;
                row += ' ';
            }
            out << row << '\n';
        }
    }
    {
        std::ofstream out(directory / "bench.c.rev");
        for (int r = 0; r < revisions; ++r)
            out << "1." << r + 1 << "%author" << r / 10 << "%2024-01-01%change\n";
    }
    std::string path = directory.string() + "/";
    auto evolution = std::make_unique<EvolutionFile>(path, "bench.c_cvs", nullptr);
    const bool loaded = evolution->loadEvolution();
    fs::remove_all(directory);
    return loaded ? std::move(evolution) : nullptr;
}

// Each size is made and loaded once per run.
EvolutionFile* evolutionOf(int lines, int revisions)
{
    static std::map<std::pair<int, int>, std::unique_ptr<EvolutionFile>> made;
    auto& slot = made[{lines, revisions}];
    if (!slot)
        slot = makeEvolution(lines, revisions);
    return slot.get();
}

// The canvas in a shown window of its own, as the program's window holds it.
struct Canvas {
    Canvas(int width, int height) : window(width, height, "Frame benchmark")
    {
        view = new EvolutionView(0, 0, width, height);
        window.end();
        window.show();
        for (int i = 0; i < 5; ++i)
            Fl::check();
        viewState->viewWidth = width;
        viewState->viewHeight = height;
    }
    ~Canvas() { window.hide(); }

    Fl_Window window;
    EvolutionView* view;  // owned by the window
};

// Arguments: lines, revisions, canvas width and height, colour scheme,
// layout mode, antialiasing, and a line size in hundredths of a pixel that
// replaces the fitted one (0 keeps the fit).
void evolutionFrame(benchmark::State& state)
{
    const int lines = static_cast<int>(state.range(0));
    const int revisions = static_cast<int>(state.range(1));
    const int width = static_cast<int>(state.range(2));
    const int height = static_cast<int>(state.range(3));
    createGlobalObjects();
    EvolutionFile* evolution = evolutionOf(lines, revisions);
    if (!evolution) {
        state.SkipWithError("the evolution could not be made");
        return;
    }

    viewState->release();
    viewState->tableRows = evolution->rowCount;
    viewState->tableColumns = evolution->columnCount;
    viewState->reset();
    viewState->loaded = true;
    Canvas canvas(width, height);
    canvas.view->layoutMode = static_cast<int>(state.range(5));
    viewState->antiAliasing = static_cast<int>(state.range(6));
    viewState->attributeIndex = static_cast<int>(state.range(4));

    // The evolution is lent to the global for the run only. Shown the way
    // opening shows it: whole, fitted to the canvas for the layout's rows,
    // with the focus the view mode change gives it.
    const int layout = static_cast<int>(state.range(5));
    evolution->focusRevision = focusForViewMode(layout, evolution->focusRevision, evolution->columnCount).focusRevision;
    evolution->applyViewMode(layout);
    currentEvolution.reset(evolution);
    evolutionView = canvas.view;
    fitToWindow();
    if (const auto forced = state.range(7); forced > 0)
        viewState->lineSize = static_cast<float>(forced) / 100.0f;
    for (auto _ : state) {
        canvas.view->make_current();
        canvas.view->draw();
        glFinish();
    }
    evolutionView = nullptr;
    currentEvolution.release();
    viewState->loaded = false;
    state.counters["cells"] = static_cast<double>(evolution->rowCount) * evolution->columnCount;
    state.counters["lineSize"] = viewState->lineSize;
}

void frameCases(benchmark::internal::Benchmark* benchmark)
{
    benchmark->ArgNames({"lines", "revisions", "width", "height", "scheme", "layout", "aa", "forcedLine"});
    for (int layout : {modeNormal, modeHorizontal})
        for (auto [lines, revisions] : {std::pair{1000, 100}, {5000, 1000}, {20000, 2000}})
            for (auto [width, height] : {std::pair{400, 470}, {1200, 900}})
                benchmark->Args({lines, revisions, width, height, 1, layout, 1, 0});
    // The schemes that cost most per cell, on the target size.
    for (int layout : {modeNormal, modeHorizontal})
        for (int scheme : {2, 3})
            benchmark->Args({5000, 1000, 400, 470, scheme, layout, 1, 0});
    // Fitted, the Horizontal rows are thinner than a pixel and merged; at a
    // whole pixel a row they are drawn one by one.
    for (int scheme : {1, 2})
        benchmark->Args({5000, 1000, 400, 470, scheme, modeHorizontal, 1, 100});
    benchmark->Args({1000, 100, 1200, 900, 1, modeHorizontal, 1, 100});
    // Interpolated, focused on the middle revision: plain and anti-aliased.
    for (int aa : {0, 1})
        for (auto [lines, revisions] : {std::pair{1000, 100}, {5000, 1000}, {20000, 2000}})
            for (auto [width, height] : {std::pair{400, 470}, {1200, 900}})
                benchmark->Args({lines, revisions, width, height, 1, modeInterpolated, aa, 0});
    for (int scheme : {2, 3})
        benchmark->Args({5000, 1000, 400, 470, scheme, modeInterpolated, 1, 0});
    benchmark->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5)->ReportAggregatesOnly(true);
}

BENCHMARK(evolutionFrame)->Apply(frameCases);

}  // namespace
