// Opening and closing in the real window: failed, cancelled and repeated opens, and the looks they leave.

#include "support/main_window_fixture.h"

#include <FL/Fl_Pack.H>
#include <FL/Fl_Tile.H>

#include <array>
#include <filesystem>

#include "ui/colour_legend.h"
#include "ui/legend_stack.h"

namespace {

Fl_Widget* labelled(Fl_Group* group, const std::string& label)
{
    for (int i = 0; i < group->children(); ++i) {
        Fl_Widget* child = group->child(i);
        if (child->label() && child->label() == label)
            return child;
        if (Fl_Group* inner = child->as_group())
            if (Fl_Widget* found = labelled(inner, label))
                return found;
    }
    return nullptr;
}

// Presses the chooser's "Cancel" once it shows; gives up so that a chooser that never shows cannot hang.
void cancelChooser(void* attempts)
{
    int& left = *static_cast<int*>(attempts);
    if (Fl_Widget* cancel = Fl::modal() ? labelled(Fl::modal(), "Cancel") : nullptr)
        cancel->do_callback();
    else if (--left > 0)
        Fl::repeat_timeout(0.05, cancelChooser, attempts);
    else if (Fl::modal())
        Fl::modal()->hide();
}

// Everything that exists only for an open evolution is active and shown, or none of it.
void expectLoadedLook(bool loaded)
{
    EXPECT_EQ(windowTitle(), loaded ? "Quillon : wordfreq.c" : "Quillon");
    EXPECT_EQ(statusText(), "Status bar");
    for (Fl_Widget* widget : std::vector<Fl_Widget*>{evolutionView, codeView, displayTab, enginesTab, blocksTab, statusDisplay})
        EXPECT_EQ(widget->active() != 0, loaded) << widget->label();
    for (Fl_Widget* widget :
         std::vector<Fl_Widget*>{lineLegendStack, revisionLegendStack, rangePack, lineScrollSlider, revisionScrollSlider})
        EXPECT_EQ(widget->visible() != 0, loaded);
    EXPECT_EQ(std::make_pair(viewState->loaded, currentEvolution != nullptr), std::make_pair(loaded, loaded));
}

}  // namespace

// A path on the command line counts from the working directory.
TEST_F(MainWindowTest, FailedOpenReportsAndLeavesNothingLoaded)
{
    const std::filesystem::path before = std::filesystem::current_path();
    const auto openFromExamples = [&](const char* path) {
        std::filesystem::current_path(exampleDirectory());
        openCommandLinePath(path);
        std::filesystem::current_path(before);
    };
    openFromExamples("wordfreq.c_cvs");
    ASSERT_TRUE(viewState->loaded);
    testing::internal::CaptureStdout();
    openFromExamples("absent.c_cvs");
    const std::string printed = testing::internal::GetCapturedStdout();
    const std::string absent = std::filesystem::canonical(exampleDirectory()).generic_string() + "/absent.c_cvs";
    EXPECT_NE(printed.find("ERROR: Could not open file : " + absent), std::string::npos) << printed;
    expectLoadedLook(false);
    EXPECT_EQ(currentGrammar, nullptr);

    // The program goes on: the next open works as the first did.
    openFromExamples("./wordfreq.c_cvs");
    ASSERT_TRUE(viewState->loaded);
    EXPECT_EQ(std::make_pair(currentDirectory.front(), currentDirectory.back()), std::make_pair('/', '/'));
    EXPECT_EQ(windowTitle(), "Quillon : wordfreq.c");
}

// Open, the controls span the example and a cancelled chooser changes nothing; reopened or closed, it resets.
TEST_F(MainWindowTest, OpeningReopeningAndClosingGiveTheirLooks)
{
    const std::vector<std::pair<std::function<double()>, std::function<double()>>> shown = {
        {[] { return scrollSpeedSlider->value(); }, [] { return double(scrollSpeed); }},
        {[] { return revisionBlendingSlider->value(); }, [] { return double(revisionBlending); }},
        {[] { return blockBlendingSlider->value(); }, [] { return double(blockBlending); }},
        {[] { return blendingRatioSlider->value(); }, [] { return double(viewState->blendingRatio); }},
        {[] { return geometryCushionsCheck->value(); }, [] { return double(viewState->cushionStrength != 0); }},
        {[] { return fontHeightSlider->value(); }, [] { return double(viewState->fontHeight); }},
        {[] { return attributeChoice->value(); }, [] { return double(viewState->attributeIndex); }},
        {[] { return viewModeChoice->value(); }, [] { return double(evolutionView->layoutMode); }},
        {[] { return versionSizeSlider->value(); }, [] { return double(viewState->versionSize); }},
        {[] { return lineSizeSlider->value(); }, [] { return double(viewState->lineSize); }},
        {[] { return blocksAboveSlider->value(); }, [] { return double(viewState->blocksAbove); }},
        {[] { return blockSortingChoice->value(); }, [] { return double(blockSortIndex); }},
    };
    std::vector<double> first;
    for (const auto& [control, parameter] : shown)
        first.push_back(parameter());
    const auto expectShown = [&] {
        for (size_t i = 0; i < shown.size(); ++i) {
            EXPECT_NEAR(shown[i].first(), shown[i].second(), 1e-6) << "control " << i;
            if (i < 8) {
                EXPECT_NEAR(shown[i].second(), first[i], 1e-6) << "control " << i;
            }
        }
        EXPECT_EQ(blockSortIndex, 1);
    };
    // What the user may have chosen, control and parameter alike.
    const auto userChooses = [] {
        scrollSpeed = 9, scrollSpeedSlider->value(9);
        revisionBlending = 0.9f, revisionBlendingSlider->value(0.9);
        blockBlending = 0.1f, blockBlendingSlider->value(0.1);
        viewState->blendingRatio = 0.7f, blendingRatioSlider->value(0.7);
        viewState->cushionStrength = 2, geometryCushionsCheck->value(1);
        viewState->fontHeight = 20, fontHeightSlider->value(20);
        viewState->attributeIndex = 3, attributeChoice->value(3);
        blockSortIndex = 1, blockSortingChoice->value(1);
        evolutionView->layoutMode = 1, viewModeChoice->value(1), lineStatistic->kind = 1;
        viewState->displayBlocks = 1;
        viewState->scrollY = 40.0f;
    };
    expectLoadedLook(false);
    openEvolution(examplePath());
    ASSERT_TRUE(viewState->loaded);
    expectLoadedLook(true);
    const EvolutionFile& e = *currentEvolution;
    const int n = e.columnCount;
    for (MarkedSlider* slider : {rangeStartSlider, rangeEndSlider}) {
        EXPECT_EQ(std::make_pair(slider->minimum(), slider->maximum()), std::make_pair(1.0, double(n)));
        EXPECT_EQ(slider->markCount, n);
    }
    EXPECT_EQ(std::make_pair(rangeStartSlider->value(), rangeEndSlider->value()), std::make_pair(1.0, double(n)));
    EXPECT_EQ(std::make_tuple(lineScrollSlider->maximum(), revisionScrollSlider->maximum(), blocksAboveSlider->maximum()),
              std::make_tuple(double(e.maxRevisionLength), double(n), double(e.maxBlockLevel)));
    EXPECT_EQ(viewState->blocksAbove, e.maxBlockLevel);
    EXPECT_EQ(evolutionView->layoutMode, modeNormal);  // fitted to the canvas, unscrolled
    EXPECT_FLOAT_EQ(viewState->versionSize, static_cast<float>(viewState->viewWidth) / n);
    EXPECT_FLOAT_EQ(viewState->lineSize, static_cast<float>(viewState->viewHeight) / e.maxRevisionLength);
    EXPECT_EQ(std::make_pair(viewState->scrollX, viewState->scrollY), std::make_pair(0.0f, 0.0f));
    EXPECT_EQ(std::make_pair(lineStatistic->count(), revisionLineCount->count()), std::make_pair(e.maxRevisionLength, n));

    for (const char* path : {"Settings/Load ...", "Settings/Reset", "Settings/Save"}) {
        const Fl_Menu_Item* item = menuBar->find_item(path);
        ASSERT_NE(item, nullptr) << path;
        menuBar->picked(item);
    }
    int attempts = 100;
    Fl::add_timeout(0.05, cancelChooser, &attempts);
    chooseAndOpen();
    Fl::remove_timeout(cancelChooser, &attempts);
    EXPECT_GT(attempts, 0) << "the chooser never showed its Cancel button";
    expectLoadedLook(true);
    EXPECT_EQ(currentModuleName, "wordfreq.c");

    for (LegendStack* stack : {lineLegendStack, revisionLegendStack}) {
        const int legends = stack->children() - LegendStack::firstLegendChild;
        for (int step = 1; step <= 2 * legends; ++step) {
            stack->child(step <= legends ? 1 : 0)->do_callback();
            const int visible = step <= legends ? step % legends : (3 * legends - step) % legends;
            for (int k = 0; k < legends; ++k)
                EXPECT_EQ(stack->child(LegendStack::firstLegendChild + k)->visible() != 0, k == visible) << step;
        }
    }

    // The tile border dragged up: the canvas, its companions, its rows and their legends follow.
    const float lineSize = viewState->lineSize;
    mainTile->position(0, 550, 0, 450);
    settleWindow();
    EXPECT_EQ(std::make_tuple(evolutionView->h(), viewState->viewHeight, codeView->h(), lineScrollSlider->h(),
                              lineLegendStack->h(), lineLegend->h(), revisionLegendStack->y() - evolutionView->y()),
              std::make_tuple(370, 370, 245, 370, 390, 370, 370));
    EXPECT_FLOAT_EQ(viewState->lineSize, lineSize * 370.0f / 470.0f);
    EXPECT_FLOAT_EQ(lineLegend->offset, 370.0f + viewState->scrollY);
    EXPECT_FLOAT_EQ(lineLegend->scale, viewState->lineSize);
    mainTile->position(0, 450, 0, 550);
    settleWindow();
    EXPECT_EQ(evolutionView->h(), 470);

    // Reopened or closed, every control shows its parameter, reset but for the user's zoom and sorting.
    userChooses();

    TempDirectory directory;
    const EvolutionSketch sketch{.module = "small.c", .statuses = {"XXXX", "X-XX", ">XXX", "XXDD", "XXXX"},
                                 .authors = {"ann", "bob", "ann", "cy"},
                                 .texts = {"a\nc\nd\ne\n", "a\nc\nd\ne\n", "a\nb\nc\ne\n", "a\nb\nc\ne\n"},
                                 .grammar = fileText(exampleDirectory() + "grammar.dat")};
    openEvolution(writeOpenableEvolution(directory, sketch));
    ASSERT_TRUE(viewState->loaded);
    EXPECT_EQ(std::make_tuple(currentModuleName, currentDirectory, windowTitle()),
              std::make_tuple("small.c", directory.path(), "Quillon : small.c"));
    EXPECT_EQ(std::make_tuple(currentEvolution->columnCount, rangeEndSlider->maximum(), rangeEndSlider->markCount),
              std::make_tuple(4, 4.0, 4));
    EXPECT_EQ(std::make_pair(viewState->tableRows, viewState->tableColumns), std::make_pair(currentEvolution->rowCount, 4));
    EXPECT_EQ(std::make_tuple(viewState->displayBlocks, viewState->scrollY, viewState->versionSize),
              std::make_tuple(0, 0.0f, 100.0f));
    EXPECT_EQ(lineStatistic->valueList, std::vector<float>(currentEvolution->maxRevisionLength, 0.2f))
        << "the line legends of the Horizontal view before";
    expectShown();
    // The blocks are those of the sorting kept.
    auto expected = loadWrittenEvolution(directory, sketch);
    ASSERT_NE(expected, nullptr);
    expected->buildBlocks(1);
    const auto corners = [](const EvolutionFile& e) {
        std::vector<std::array<int, 4>> found;
        for (const EvolutionBlock& b : e.blocks)
            found.push_back({b.firstRow, b.firstRevision, b.lastRow, b.lastRevision});
        return found;
    };
    EXPECT_EQ(corners(*currentEvolution), corners(*expected));

    userChooses();
    menuBar->picked(menuBar->find_item("File/Close"));
    EXPECT_FALSE(viewState->loaded);
    closeEvolution();
    expectLoadedLook(false);
    EXPECT_EQ(rangeEndSlider->value(), rangeEndSlider->maximum());
    expectShown();
}

