// What the command line opens: exported pictures against the window's canvas; repositories read with progress.

#include "support/main_window_fixture.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "app/command_line.h"
#include "app/repository_opening.h"
#include "support/png_reading.h"
#include "ui/opening_choices.h"
#include "view/offscreen_frame.h"

namespace {

RgbPicture fromTop(const Frame& frame)
{
    RgbPicture picture{frame.width, frame.height, {}};
    for (int y = 0; y < frame.height; ++y)
        for (int x = 0; x < frame.width; ++x) {
            const Rgba p = frame.fromTop(x, y);
            for (int channel : {p.red, p.green, p.blue})
                picture.rgb.push_back(static_cast<unsigned char>(channel));
        }
    return picture;
}

}  // namespace

TEST_F(MainWindowTest, ExportedPicturesMatchTheWindowsCanvas)
{
    const TempDirectory scratch;
    for (const char* options : {"", "--layout horizontal --scheme authors", "--scheme content --range 3:12",
                                "--layout interpolated --scheme position --focus 6", "--layout normal --focus 9"}) {
        SCOPED_TRACE(options);
        std::string words = std::string("quillon ") + options, error;
        std::vector<char*> argv;
        for (char* word = std::strtok(words.data(), " "); word; word = std::strtok(nullptr, " "))
            argv.push_back(word);
        CommandLine line;
        ASSERT_TRUE(parseCommandLine(static_cast<int>(argv.size()), argv.data(), line, error)) << error;
        openEvolution(examplePath());
        applyOpeningChoices(line);
        settleWindow();
        const RgbPicture window = fromTop(drawCanvas());

        // Drawn off-screen or by the program without a display, at most half a percent of the pixels differ.
        RgbPicture offscreen;
        ASSERT_TRUE(drawOffscreen(window.width, window.height, [] { evolutionView->draw(); }, offscreen, error))
            << error;
        EXPECT_LE(differingShare(window, offscreen), 0.005);

        const std::string png = scratch.path() + "p.png";
        const std::string command = "env -u DISPLAY " QUILLON_PROGRAM " --size " + std::to_string(window.width) +
                                    "x" + std::to_string(window.height) + " --export " + png + " " + options + " " +
                                    examplePath();
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
        RgbPicture exported;
        ASSERT_TRUE(readPng(png, exported));
        EXPECT_LE(differingShare(window, exported), 0.005);
        // Against a picture of one colour the comparisons would prove nothing.
        const RgbPicture flat{window.width, window.height, std::vector<unsigned char>(window.rgb.size(), window.rgb[0])};
        EXPECT_GT(differingShare(window, flat), 0.2);
    }
}

TEST_F(MainWindowTest, ARepositoryPathIsReadWhileTheWindowShowsProgressAndCanBeCancelled)
{
    const TempDirectory scratch;
    const std::string cache = scratch.path() + "cache";
    ASSERT_EQ(std::system(("cd " + scratch.path() + " && git init -q repo && cd repo && git config user.name A && "
                           "git config user.email a@b && for i in $(seq 1 40); do seq $i 60 > f.c; git add f.c; "
                           "git commit -qm c$i; done").c_str()), 0);
    setenv("XDG_CACHE_HOME", cache.c_str(), 1);
    CommandLine line;
    line.path = scratch.path() + "repo/f.c";
    line.layout = 1;
    std::error_code none;
    const auto entries = [&] { return std::distance(std::filesystem::directory_iterator(cache + "/quillon", none), {}); };

    openInWindow(line);
    EXPECT_TRUE(extractionRunning());
    EXPECT_FALSE(statusDisplay->visible()) << "the progress bar takes the status bar's place";
    cancelExtraction();
    EXPECT_FALSE(extractionRunning() || viewState->loaded);
    EXPECT_NE(statusText().find("was cancelled"), std::string::npos) << statusText();
    EXPECT_EQ(entries(), 0) << "a cancelled extraction leaves no cache entry";

    openInWindow(line);
    for (int i = 0; i < 3000 && extractionRunning(); ++i)
        Fl::wait(0.01);
    EXPECT_TRUE(viewState->loaded && statusDisplay->visible());
    EXPECT_NE(windowTitle().find("f.c"), std::string::npos) << windowTitle();
    EXPECT_EQ(evolutionView->layoutMode, 1) << "the command line's choices follow the opening";
    EXPECT_EQ(entries(), 1);
    // The range sliders name their revisions' commits.
    const std::string tooltip = rangeEndSlider->tooltip() ? rangeEndSlider->tooltip() : "";
    EXPECT_NE(tooltip.find("(revision 40  "), std::string::npos) << tooltip;
    EXPECT_TRUE(tooltip.ends_with(" c40)")) << tooltip;

    line.path = scratch.path() + "repo/missing.c";
    openInWindow(line);
    EXPECT_NE(statusText().find("Cannot open " + line.path), std::string::npos) << statusText();
    unsetenv("XDG_CACHE_HOME");
}
