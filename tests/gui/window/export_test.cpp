// A picture exported without a display against the window's own canvas,
// with the same evolution and settings: the window's frame, drawn once more
// in an off-screen context of this process and by the program run with no
// display at all, differs in at most half a percent of its pixels.

#include <cstdlib>
#include <cstring>
#include <string>

#include "app/command_line.h"
#include "support/canvas_pixels.h"
#include "support/main_window_fixture.h"
#include "support/png_reading.h"
#include "app/open_close.h"
#include "ui/opening_choices.h"
#include "ui/widgets.h"
#include "view/evolution_view.h"
#include "view/offscreen_frame.h"

namespace {

RgbPicture fromTop(const Frame& frame)
{
    RgbPicture picture{frame.width, frame.height, {}};
    for (int y = 0; y < frame.height; ++y)
        for (int x = 0; x < frame.width; ++x) {
            const Rgba pixel = frame.fromTop(x, y);
            picture.rgb.insert(picture.rgb.end(), {static_cast<unsigned char>(pixel.red),
                                                   static_cast<unsigned char>(pixel.green),
                                                   static_cast<unsigned char>(pixel.blue)});
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
        EXPECT_GT(differingShare(window, RgbPicture{window.width, window.height,
                                                    std::vector<unsigned char>(window.rgb.size(), window.rgb[0])}),
                  0.2);
    }
}
