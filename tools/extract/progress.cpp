#include "extract/progress.h"

#include <unistd.h>

namespace {

constexpr int barWidth = 30;

}  // namespace

Progress progressOnStandardError()
{
    Progress progress;
    progress.terminal = ::isatty(STDERR_FILENO) == 1;
    return progress;
}

void startProgress(Progress& progress, const std::string& label, int total)
{
    progress.label = label;
    progress.total = total;
    progress.shown = -1;
    showProgress(progress, 0);
}

void showProgress(Progress& progress, int done)
{
    if (progress.observer) {
        progress.observer(progress.label, done, progress.total);
        return;
    }
    const int total = progress.total > 0 ? progress.total : 1;
    if (progress.terminal) {
        const int percent = static_cast<int>(100LL * done / total);
        if (percent == progress.shown)
            return;
        progress.shown = percent;
        const int filled = static_cast<int>(static_cast<long long>(barWidth) * done / total);
        std::fprintf(progress.stream, "\r%s [%s%s] %d/%d", progress.label.c_str(), std::string(filled, '#').c_str(),
                     std::string(barWidth - filled, '.').c_str(), done, progress.total);
    } else {
        const int tenth = static_cast<int>(10LL * done / total);
        if (tenth == progress.shown)
            return;
        progress.shown = tenth;
        std::fprintf(progress.stream, "%s: %d/%d\n", progress.label.c_str(), done, progress.total);
    }
    std::fflush(progress.stream);
}

void endProgress(Progress& progress)
{
    showProgress(progress, progress.total);
    if (progress.terminal && !progress.observer) {
        std::fputc('\n', progress.stream);
        std::fflush(progress.stream);
    }
}
