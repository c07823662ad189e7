#include <FL/Fl.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Choice.H>
#include <FL/Fl_Menu_Bar.H>
#include <FL/Fl_Pack.H>
#include <FL/Fl_Slider.H>
#include <FL/Fl_Tile.H>
#include <FL/Fl_Value_Slider.H>
#include <FL/Fl_Window.H>

#include <array>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "app/globals.h"
#include "app/open_close.h"
#include "codeview/code_view.h"
#include "evolution/evolution_file.h"
#include "support/main_window_fixture.h"
#include "ui/colour_legend.h"
#include "ui/legend_stack.h"
#include "ui/marked_slider.h"
#include "ui/widgets.h"
#include "view/evolution_view.h"

namespace {

EvolutionSketch smallEvolution()
{
    EvolutionSketch sketch;
    sketch.module = "small.c";
    sketch.statuses = {"XXXX", "X-XX", ">XXX", "XXDD", "XXXX"};
    sketch.authors = {"ann", "bob", "ann", "cy"};
    sketch.texts = {"a\nc\nd\ne\n", "a\nc\nd\ne\n", "a\nb\nc\ne\n", "a\nb\nc\ne\n"};
    std::ifstream grammar(exampleDirectory() + "grammar.dat");
    std::ostringstream text;
    text << grammar.rdbuf();
    sketch.grammar = text.str();
    return sketch;
}

// Runs `body` with standard output captured; returns what it printed.
template <class Body>
std::string printedBy(Body body)
{
    testing::internal::CaptureStdout();
    body();
    return testing::internal::GetCapturedStdout();
}

// Finds, in the window shown modally, the button labelled `label`.
Fl_Widget* modalButton(const char* label)
{
    Fl_Window* dialog = Fl::modal();
    if (!dialog)
        return nullptr;
    Fl_Widget* found = nullptr;
    auto search = [&](auto&& self, Fl_Group* group) -> void {
        for (int i = 0; i < group->children() && !found; ++i) {
            Fl_Widget* child = group->child(i);
            if (child->label() && std::string(child->label()) == label)
                found = child;
            else if (Fl_Group* inner = child->as_group())
                self(self, inner);
        }
    };
    search(search, dialog);
    return found;
}

// Presses "Cancel" in the chooser once it shows; gives up after a while so
// that a chooser that never appears cannot hang the test.
void cancelChooser(void* attempts)
{
    int& left = *static_cast<int*>(attempts);
    if (Fl_Widget* cancel = modalButton("Cancel")) {
        cancel->do_callback();
        return;
    }
    if (--left > 0)
        Fl::repeat_timeout(0.05, cancelChooser, attempts);
    else if (Fl::modal())
        Fl::modal()->hide();
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
    const std::string printed = printedBy([&] { openFromExamples("absent.c_cvs"); });
    EXPECT_NE(printed.find("ERROR: Could not open file : " +
                           std::filesystem::canonical(exampleDirectory()).generic_string() + "/absent.c_cvs"),
              std::string::npos)
        << printed;
    EXPECT_FALSE(viewState->loaded);
    EXPECT_EQ(currentEvolution, nullptr);
    EXPECT_EQ(currentGrammar, nullptr);
    EXPECT_EQ(windowTitle(), "Quillon");
    EXPECT_FALSE(evolutionView->active());
    EXPECT_FALSE(rangePack->visible());

    // The program goes on: the next open works as the first did.
    openFromExamples("./wordfreq.c_cvs");
    ASSERT_TRUE(viewState->loaded);
    EXPECT_EQ(currentDirectory.front(), '/');
    EXPECT_EQ(currentDirectory.back(), '/');
    EXPECT_EQ(windowTitle(), "Quillon : wordfreq.c");
}

TEST_F(MainWindowTest, SecondOpenReplacesTheFirstAndResetsTheView)
{
    openEvolution(examplePath());
    ASSERT_TRUE(viewState->loaded);
    viewState->blendingRatio = 0.9f;
    viewState->fontHeight = 22;
    viewState->displayBlocks = 1;
    viewState->scrollY = 40.0f;
    evolutionView->layoutMode = 1;
    blockSortIndex = 1;

    TempDirectory directory;
    const EvolutionSketch sketch = smallEvolution();
    openEvolution(writeOpenableEvolution(directory, sketch));
    ASSERT_TRUE(viewState->loaded);

    EXPECT_EQ(currentModuleName, "small.c");
    EXPECT_EQ(currentDirectory, directory.path());
    EXPECT_EQ(windowTitle(), "Quillon : small.c");
    EXPECT_EQ(currentEvolution->columnCount, 4);
    EXPECT_EQ(rangeEndSlider->maximum(), 4.0);
    EXPECT_EQ(rangeEndSlider->markCount, 4);
    EXPECT_EQ(viewState->tableRows, currentEvolution->rowCount);
    EXPECT_EQ(viewState->tableColumns, 4);
    EXPECT_FLOAT_EQ(viewState->blendingRatio, 0.2f);
    EXPECT_EQ(viewState->fontHeight, 15);
    EXPECT_EQ(viewState->displayBlocks, 0);
    EXPECT_EQ(viewState->scrollY, 0.0f);
    EXPECT_EQ(evolutionView->layoutMode, 0);
    EXPECT_FLOAT_EQ(viewState->versionSize, 100.0f);

    // The sorting survives, and the blocks are those of that sorting.
    EXPECT_EQ(blockSortIndex, 1);
    EXPECT_EQ(blockSortingChoice->value(), 1);
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
}

TEST_F(MainWindowTest, CloseFromTheMenuEmptiesTheWindowAndClosingAgainIsHarmless)
{
    openEvolution(examplePath());
    menuBar->picked(menuBar->find_item("File/Close"));
    EXPECT_FALSE(viewState->loaded);
    closeEvolution();
    EXPECT_FALSE(viewState->loaded);
    EXPECT_EQ(currentEvolution, nullptr);
    EXPECT_EQ(windowTitle(), "Quillon");
    EXPECT_EQ(statusText(), "Status bar");
}

TEST_F(MainWindowTest, CancellingTheChooserChangesNothing)
{
    openEvolution(examplePath());
    ASSERT_TRUE(viewState->loaded);
    int attempts = 100;
    Fl::add_timeout(0.05, cancelChooser, &attempts);
    chooseAndOpen();
    Fl::remove_timeout(cancelChooser, &attempts);
    EXPECT_GT(attempts, 0) << "the chooser never showed its Cancel button";
    EXPECT_TRUE(viewState->loaded);
    EXPECT_EQ(windowTitle(), "Quillon : wordfreq.c");
    EXPECT_EQ(currentModuleName, "wordfreq.c");
}

TEST_F(MainWindowTest, DraggingTheTileBorderResizesTheCanvasAndItsCompanions)
{
    openEvolution(examplePath());
    const float lineSize = viewState->lineSize;
    mainTile->position(0, 550, 0, 450);
    settleWindow();

    EXPECT_EQ(evolutionView->h(), 370);
    EXPECT_EQ(viewState->viewHeight, 370);
    EXPECT_EQ(codeView->h(), 245);
    EXPECT_EQ(lineScrollSlider->h(), 370);
    EXPECT_EQ(lineLegendStack->h(), 390);
    EXPECT_EQ(lineLegend->h(), 370);
    EXPECT_EQ(revisionLegendStack->y(), evolutionView->y() + 370);
    EXPECT_FLOAT_EQ(viewState->lineSize, lineSize * 370.0f / 470.0f);
    // The legends draw their rows where the canvas now draws them.
    EXPECT_FLOAT_EQ(lineLegend->offset, 370.0f + viewState->scrollY);
    EXPECT_FLOAT_EQ(lineLegend->scale, viewState->lineSize);

    mainTile->position(0, 450, 0, 550);
    settleWindow();
    EXPECT_EQ(evolutionView->h(), 470);
}
