#include "codeview/row_to_line.h"

#include "codeview/listing/code_listing.h"
#include "ui/widgets.h"
#include "view/evolution_view.h"

int evolutionLayoutMode()
{
    return evolutionView ? evolutionView->layoutMode : 0;
}

int rowToLine(int row)
{
    return rowToLine(row, evolutionLayoutMode());
}
