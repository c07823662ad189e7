#include "support/canvas_pixels.h"

#include "ui/widgets.h"
#include "view/evolution_view.h"

Frame drawCanvas()
{
    evolutionView->make_current();
    evolutionView->draw();
    return readBackBuffer(*evolutionView);
}
