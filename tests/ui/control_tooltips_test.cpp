#include "ui/controls/control_tooltips.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <string_view>

TEST(ControlTooltips, EveryControlHasOneLineOfHelp)
{
    std::set<std::string_view> controls;
    for (const ControlTooltip& tooltip : controlTooltips()) {
        SCOPED_TRACE(std::string(tooltip.control));
        ASSERT_NE(tooltip.text, nullptr);
        const std::string_view text = tooltip.text;
        EXPECT_FALSE(text.empty());
        EXPECT_EQ(text.find('\n'), std::string_view::npos);
        EXPECT_LE(text.size(), 110u);
        EXPECT_TRUE(controls.insert(tooltip.control).second) << "listed twice";
    }
}

TEST(ControlTooltips, FoundByTheControlsLabel)
{
    EXPECT_STREQ(controlTooltip("Vertical scroll speed"), "Rows scrolled per wheel step");
    EXPECT_NE(controlTooltip("Reshuffle ID colors"), nullptr);
    EXPECT_NE(controlTooltip("Range start"), controlTooltip("Range end"));
    EXPECT_EQ(controlTooltip("Vertical scroll"), nullptr);
    EXPECT_EQ(controlTooltip(""), nullptr);
}
