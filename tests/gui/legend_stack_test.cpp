#include "ui/legend_stack.h"

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Group.H>
#include <FL/Fl_Window.H>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "colouring/attributes.h"
#include "ui/colour_legend.h"

namespace {

void expectGeometry(const Fl_Widget* widget, int x, int y, int w, int h)
{
    EXPECT_EQ(widget->x(), x);
    EXPECT_EQ(widget->y(), y);
    EXPECT_EQ(widget->w(), w);
    EXPECT_EQ(widget->h(), h);
}

// A stack made as the window's builder makes one: opened inside a parent
// group, filled with legends of the stack's size, closed with `finish`.
struct StackInWindow {
    StackInWindow(int legendCount, int x, int y, int w, int h)
    {
        window->begin();
        stack = new LegendStack(x, y, w, h);
        for (int i = 0; i < legendCount; ++i)
            legends.push_back(new ColourLegend(x, y, w, h, nullptr, colourMapCells,
                                               [this](const char* text) { statusTexts.emplace_back(text); }));
        stack->finish();
        window->end();
        // Only the first legend shows, as after the window's construction.
        for (size_t i = 1; i < legends.size(); ++i)
            legends[i]->hide();
    }

    void show()
    {
        window->show();
        while (!window->shown())
            Fl::wait(0.01);
        Fl::check();
    }

    void press(const char* label)
    {
        for (int i = 0; i < 2; ++i)
            if (std::string(stack->child(i)->label()) == label)
                stack->child(i)->do_callback();
    }

    // The legends visible now, by their construction order.
    std::vector<int> visibleLegends() const
    {
        std::vector<int> shown;
        for (size_t i = 0; i < legends.size(); ++i)
            if (legends[i]->visible())
                shown.push_back(static_cast<int>(i));
        return shown;
    }

    std::vector<std::string> statusTexts;
    std::unique_ptr<Fl_Window> window = std::make_unique<Fl_Window>(700, 600);
    LegendStack* stack = nullptr;  // owned by the window, as are the legends
    std::vector<ColourLegend*> legends;
};

TEST(LegendStack, PlacesItsButtonsByItsShape)
{
    // Taller than wide: side by side along the bottom edge.
    StackInWindow tall(0, 210, 50, 21, 490);
    EXPECT_EQ(tall.stack->orientation, stackVertical);
    ASSERT_EQ(tall.stack->children(), 2);
    EXPECT_STREQ(tall.stack->child(0)->label(), "@<");
    EXPECT_STREQ(tall.stack->child(1)->label(), "@>");
    expectGeometry(tall.stack->child(0), 210, 520, 10, 20);
    expectGeometry(tall.stack->child(1), 220, 520, 10, 20);

    // Wider than tall, and square: one above the other at the right end.
    StackInWindow wide(0, 230, 520, 420, 21);
    EXPECT_EQ(wide.stack->orientation, stackHorizontal);
    expectGeometry(wide.stack->child(0), 630, 520, 20, 10);
    expectGeometry(wide.stack->child(1), 630, 530, 20, 10);
    StackInWindow square(0, 0, 0, 40, 40);
    EXPECT_EQ(square.stack->orientation, stackHorizontal);

    // An orientation given outright is kept whatever the shape.
    Fl_Group::current(nullptr);
    LegendStack forced(0, 0, 40, 200, stackHorizontal);
    forced.finish();
    EXPECT_EQ(forced.orientation, stackHorizontal);
    expectGeometry(forced.child(0), 20, 0, 20, 100);
}

TEST(LegendStack, GathersTheLegendsMadeWhileOpenAndNothingElse)
{
    auto window = std::make_unique<Fl_Window>(300, 300);
    window->begin();
    auto* stack = new LegendStack(10, 10, 200, 20);
    EXPECT_EQ(openLegendStack, stack);
    auto* first = new ColourLegend(10, 10, 180, 20);
    auto stray = std::make_unique<Fl_Box>(0, 0, 10, 10);
    auto* second = new ColourLegend(10, 10, 180, 20);
    stack->finish();
    EXPECT_EQ(openLegendStack, nullptr);
    EXPECT_EQ(Fl_Group::current(), window.get()) << "finishing returns to the stack's parent";
    auto* after = new ColourLegend(10, 40, 180, 20);
    window->end();

    ASSERT_EQ(stack->children(), 4);
    EXPECT_EQ(stack->child(2), first);
    EXPECT_EQ(stack->child(3), second);
    EXPECT_NE(stray->parent(), stack);
    EXPECT_EQ(stack->legends, (std::set<ColourLegend*>{first, second}));
    EXPECT_EQ(first->ownerStack, stack);
    EXPECT_EQ(second->ownerStack, stack);
    EXPECT_EQ(stack->shownIndex, 2);

    EXPECT_EQ(after->ownerStack, nullptr);
    EXPECT_EQ(after->parent(), window.get());
}

TEST(LegendStack, ArrowsStepThroughTheLegendsOneAtATimeAndWrapAround)
{
    StackInWindow three(3, 230, 520, 420, 20);
    three.show();
    ASSERT_EQ(three.visibleLegends(), std::vector<int>{0});

    // Forward: map, bars, authors, and back to the map.
    const std::vector<int> forward = {1, 2, 0, 1};
    for (int expected : forward) {
        three.press("@>");
        EXPECT_EQ(three.visibleLegends(), std::vector<int>{expected});
        EXPECT_EQ(three.stack->shownIndex, expected + 2);
    }
    // Backward from the first shows the last.
    const std::vector<int> backward = {0, 2, 1, 0};
    for (int expected : backward) {
        three.press("@<");
        EXPECT_EQ(three.visibleLegends(), std::vector<int>{expected});
    }

    StackInWindow two(2, 210, 50, 20, 490);
    two.show();
    for (const char* arrow : {"@>", "@>", "@<", "@<", "@>"}) {
        const int before = two.visibleLegends().at(0);
        two.press(arrow);
        EXPECT_EQ(two.visibleLegends(), std::vector<int>{1 - before}) << arrow;
    }

    StackInWindow none(0, 210, 50, 20, 490);
    none.show();
    none.press("@>");
    none.press("@<");
    EXPECT_EQ(none.stack->shownIndex, 2);
    EXPECT_EQ(none.stack->children(), 2);
}

TEST(LegendStack, BroadcastsReachHiddenLegendsToo)
{
    StackInWindow three(3, 230, 520, 420, 20);
    three.show();
    Attribute values;
    values.valueList = {0.0f, 1.0f};
    for (ColourLegend* legend : three.legends)
        legend->attribute = &values;

    three.stack->setOffsetAndScale(37.5f, 6.25f);
    three.stack->showCursor(true);
    for (ColourLegend* legend : three.legends) {
        EXPECT_EQ(legend->offset, 37.5f);
        EXPECT_EQ(legend->scale, 6.25f);
        EXPECT_TRUE(legend->cursorShown);
    }

    // A pointer over the canvas moves the cursor but writes no description.
    three.stack->movePointer(12, 34);
    EXPECT_EQ(legendCursorX, 12);
    EXPECT_EQ(legendCursorY, 34);
    EXPECT_TRUE(three.statusTexts.empty());

    // A hidden legend shown later has followed along.
    three.press("@>");
    three.press("@>");
    EXPECT_EQ(three.visibleLegends(), std::vector<int>{2});
    EXPECT_EQ(three.legends[2]->offset, 37.5f);
    EXPECT_EQ(three.legends[2]->scale, 6.25f);

    three.stack->showCursor(false);
    for (ColourLegend* legend : three.legends)
        EXPECT_FALSE(legend->cursorShown);

    // Once the newly shown legend has been drawn, a redraw asks for another.
    for (int tries = 0; tries < 100 && three.legends[2]->damage(); ++tries)
        Fl::wait(0.01);
    ASSERT_EQ(three.legends[2]->damage(), 0);
    three.stack->redrawLegends();
    EXPECT_NE(three.legends[2]->damage(), 0);
}

TEST(LegendStack, LegendsAndStacksMayGoInEitherOrder)
{
    StackInWindow three(3, 230, 520, 420, 20);
    three.show();
    // The shown legend goes first; cycling carries on among the rest.
    std::unique_ptr<ColourLegend> goner(three.legends[0]);
    three.legends.erase(three.legends.begin());
    goner.reset();
    EXPECT_EQ(three.stack->legends.size(), 2u);
    EXPECT_EQ(three.stack->children(), 4);
    three.stack->setOffsetAndScale(1.0f, 2.0f);
    three.stack->movePointer(1, 1);
    three.press("@>");
    EXPECT_EQ(three.visibleLegends(), (std::vector<int>{1}));
    three.press("@>");
    EXPECT_EQ(three.visibleLegends(), (std::vector<int>{0}));

    // A stack going first leaves its legends nothing to reach back into.
    auto lone = std::make_unique<LegendStack>(0, 0, 100, 20);
    auto legend = std::make_unique<ColourLegend>(0, 0, 80, 20);
    lone->finish();
    lone->remove(legend.get());  // so that the group does not delete it
    lone.reset();
    EXPECT_EQ(legend->ownerStack, nullptr);
}

}  // namespace
