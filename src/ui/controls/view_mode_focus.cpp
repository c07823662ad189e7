#include "ui/controls/view_mode_focus.h"

#include "evolution/evolution_file.h"

namespace {

constexpr int unchangedRevisionsPerRow = 1;
constexpr int uniformRows = 2;

}  // namespace

ViewModeFocus focusForViewMode(int mode, int focusRevision, int columnCount)
{
    const int middle = columnCount / 2;
    if (mode == modeInterpolated)
        return {focusRevision < 0 ? middle : focusRevision, unchangedRevisionsPerRow};
    const int focus = focusRevision == middle ? -1 : focusRevision;
    return {focus, mode == modeNormal ? uniformRows : unchangedRevisionsPerRow};
}
