#include "ui/canvas_companions.h"

#include <FL/Fl_Pack.H>
#include <FL/Fl_Slider.H>
#include <FL/Fl_Value_Slider.H>

#include "app/globals.h"
#include "ui/legend_stack.h"
#include "ui/scroll_sync.h"
#include "ui/widgets.h"
#include "view/evolution_view.h"

void relayCanvasCompanions(EvolutionView& canvas)
{
    const ViewState& v = *viewState;
    if (versionSizeSlider)
        versionSizeSlider->value(v.versionSize);
    if (lineSizeSlider)
        lineSizeSlider->value(v.lineSize);

    if (rangePack)
        rangePack->resize(rangePack->x(), rangePack->y(), v.viewWidth, rangePack->h());
    if (lineScrollSlider)
        lineScrollSlider->resize(lineScrollSlider->x(), lineScrollSlider->y(), lineScrollSlider->w(), v.viewHeight);
    // Both stacks reach 20 pixels past the canvas: that is where their arrow
    // buttons sit.
    if (lineLegendStack)
        lineLegendStack->resize(lineLegendStack->x(), lineLegendStack->y(), lineLegendStack->w(), v.viewHeight + 20);
    if (revisionLegendStack)
        revisionLegendStack->resize(revisionLegendStack->x(), canvas.y() + canvas.h(), v.viewWidth + 20,
                                    revisionLegendStack->h());

    syncLineScroll(lineScrollSlider);
    syncRevisionScroll(revisionScrollSlider);
}
