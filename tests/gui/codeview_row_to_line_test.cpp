#include "codeview/row_to_line.h"

#include <gtest/gtest.h>

#include "codeview/listing/code_listing.h"
#include "support/opened_evolution.h"
#include "ui/widgets.h"
#include "view/evolution_view.h"

TEST(RowToLineOfTheEvolutionView, FollowsTheViewsLayout)
{
    EvolutionSketch sketch;
    sketch.statuses = {"XXX", "XXD", "XXX"};
    sketch.authors = {"ann", "bob", "cid"};
    OpenEvolution open(sketch);
    open.evolution().setFocusRevision(modeInterpolated, 2);

    evolutionView = nullptr;
    EXPECT_EQ(evolutionLayoutMode(), modeNormal);
    EXPECT_EQ(rowToLine(1), rowToLine(1, modeNormal));
    EXPECT_EQ(rowToLine(1), 2);

    EvolutionView view(0, 0, 40, 30);
    evolutionView = &view;
    view.layoutMode = modeInterpolated;
    EXPECT_EQ(evolutionLayoutMode(), modeInterpolated);
    EXPECT_EQ(rowToLine(1), 1);
    view.layoutMode = modeHorizontal;
    EXPECT_EQ(rowToLine(1), 2);
    evolutionView = nullptr;
}
