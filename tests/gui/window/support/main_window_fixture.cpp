#include "support/main_window_fixture.h"

#include <FL/Fl_Text_Buffer.H>

#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>

#include "ui/main_window.h"
#include "ui/window_states.h"

void settleWindow()
{
    for (int i = 0; i < 10; ++i)
        Fl::check();
}

Frame drawCanvas()
{
    evolutionView->make_current();
    evolutionView->draw();
    return readBackBuffer(*evolutionView);
}

void MainWindowTest::SetUpTestSuite()
{
    if (mainWindow)
        return;
    createGlobalObjects();
    buildMainWindow(50, 30, 400, 470);
    disableControls();
    for (int i = 0; i < 200 && !mainWindow->visible(); ++i)
        Fl::wait(0.01);
    settleWindow();
}

void MainWindowTest::SetUp()
{
    closeEvolution();
    blockSortIndex = 0;
    ASSERT_EQ(std::make_pair(mainWindow->w(), mainWindow->h()), std::make_pair(650, 726));
}

void ExampleOpenTest::SetUp()
{
    MainWindowTest::SetUp();
    openEvolution(examplePath());
    settleWindow();
    ASSERT_TRUE(viewState->loaded && currentEvolution->columnCount == 20);
}

void MainWindowTest::TearDown() { closeEvolution(); settleWindow(); }

std::string exampleDirectory() { return QUILLON_SOURCE_DIR "/examples/wordfreq/"; }
std::string examplePath() { return exampleDirectory() + "wordfreq.c_cvs"; }

std::string fileText(const std::string& path)
{
    std::ifstream in(path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string writeOpenableEvolution(const TempDirectory& directory, const EvolutionSketch& sketch)
{
    directory.write("config.cfg", fileText(QUILLON_SOURCE_DIR "/config/config.cfg"));
    return directory.path() + writeEvolution(directory, sketch);
}

std::string windowTitle() { return mainWindow->label() ? mainWindow->label() : ""; }

std::string statusText()
{
    const std::unique_ptr<char, decltype(&std::free)> text(statusBuffer->text(), &std::free);
    return text.get();
}
