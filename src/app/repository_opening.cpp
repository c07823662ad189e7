#include "app/repository_opening.h"

#include <FL/Fl.H>
#include <FL/Fl_Progress.H>
#include <FL/Fl_Text_Buffer.H>
#include <FL/Fl_Text_Display.H>
#include <FL/Fl_Window.H>

#include <atomic>
#include <cstdio>
#include <thread>

#include "app/command_line.h"
#include "app/open_close.h"
#include "extract/interruption.h"
#include "extract/openable_path.h"
#include "ui/opening_choices.h"
#include "ui/widget_building.h"
#include "ui/widgets.h"

namespace {

// The one extraction the window runs at a time. The worker writes only the
// atomics and, before its last message, the result; the main thread reads
// the result after joining it.
struct WindowExtraction {
    std::thread worker;
    CommandLine line;
    std::atomic<int> done{0};
    std::atomic<int> total{0};
    bool succeeded = false;
    std::string file;
    std::string error;
};

WindowExtraction extraction;
// Made on first use in the status bar's place, and owned by the window.
Fl_Progress* progressBar = nullptr;

bool resolve(const CommandLine& line, OpenablePath& path, std::string& error)
{
    return resolvePath(line.path, line.ref, line.branch, path, error);
}

void showError(const std::string& sentence)
{
    std::printf("%s\n", sentence.c_str());
    std::fflush(stdout);
    if (statusBuffer)
        statusBuffer->text(sentence.c_str());
}

void showProgress(void*)
{
    if (!progressBar || !extraction.worker.joinable())
        return;
    const int total = extraction.total, done = extraction.done;
    progressBar->maximum(static_cast<float>(total > 0 ? total : 1));
    progressBar->value(static_cast<float>(done));
    progressBar->copy_label(("Reading revisions: " + std::to_string(done) + "/" + std::to_string(total)).c_str());
}

void endProgressBar()
{
    progressBar->hide();
    statusDisplay->show();
}

void finish(void*)
{
    if (!extraction.worker.joinable())
        return;
    extraction.worker.join();
    endProgressBar();
    const bool cancelled = interrupted();
    clearInterruption();
    if (extraction.succeeded && !cancelled) {
        openEvolution(extraction.file);
        applyOpeningChoices(extraction.line);
    } else {
        showError(cancelled ? "Reading the history of " + extraction.line.path + " was cancelled."
                            : "Cannot open " + extraction.line.path + ": " + extraction.error + ".");
    }
}

void extract(OpenablePath path)
{
    Progress progress;
    int shown = -1;
    progress.observer = [&shown](const std::string&, int done, int total) {
        extraction.done = done;
        extraction.total = total;
        // The toolkit's queue of messages is short: one per percent.
        const int percent = total > 0 ? static_cast<int>(100LL * done / total) : 0;
        if (percent != shown) {
            shown = percent;
            Fl::awake(showProgress, nullptr);
        }
    };
    extraction.succeeded = extractIntoCache(path, progress, extraction.file, extraction.error);
    Fl::awake(finish, nullptr);
}

}  // namespace

bool evolutionFileFor(const CommandLine& line, std::string& file, std::string& error)
{
    OpenablePath path;
    if (!resolve(line, path, error))
        return false;
    if (path.kind == PathKind::evolution) {
        file = path.evolutionFile;
        return true;
    }
    file = cachedEvolution(path);
    if (!file.empty())
        return true;
    Progress progress = progressOnStandardError();
    return extractIntoCache(path, progress, file, error);
}

void openInWindow(const CommandLine& line)
{
    cancelExtraction();
    OpenablePath path;
    std::string error;
    if (!resolve(line, path, error)) {
        showError("Cannot open " + line.path + ": " + error + ".");
        return;
    }
    const std::string cached = path.kind == PathKind::evolution ? path.evolutionFile : cachedEvolution(path);
    if (!cached.empty()) {
        openEvolution(cached);
        applyOpeningChoices(line);
        return;
    }
    if (!progressBar) {
        progressBar = addWidget<Fl_Progress>(statusDisplay->parent(), statusDisplay->x(), statusDisplay->y(),
                                             statusDisplay->w(), statusDisplay->h());
        progressBar->selection_color(FL_BLUE);
    }
    // The worker talks to the window through Fl::awake, which needs the
    // toolkit's thread support, started by its first lock.
    static const bool threadsStarted = (Fl::lock(), true);
    (void)threadsStarted;
    statusDisplay->hide();
    progressBar->show();
    extraction.line = line;
    extraction.done = 0;
    extraction.total = 0;
    extraction.succeeded = false;
    clearInterruption();
    extraction.worker = std::thread(extract, path);
    showProgress(nullptr);
}

bool extractionRunning()
{
    return extraction.worker.joinable();
}

void cancelExtraction()
{
    if (!extraction.worker.joinable())
        return;
    requestInterruption();
    finish(nullptr);
}
