#include "view/evolution_view.h"

#include <gtest/gtest.h>

#include "app/globals.h"
#include "support/gl_harness.h"
#include "support/open_evolution.h"

namespace {

TEST(EvolutionViewFrame, ShowsLightGreyWithNothingLoaded)
{
    closeTestEvolution();
    EvolutionViewHarness harness(40, 30);
    const Frame frame = harness.drawFrame();
    for (int y : {0, 15, 29})
        for (int x : {0, 20, 39})
            EXPECT_TRUE(showsColour(frame.at(x, y), {0.85f, 0.85f, 0.85f}));
}

}  // namespace
