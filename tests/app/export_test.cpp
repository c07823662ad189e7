// The program run as scripts run it, with no display: help, version and
// mistakes on the command line, and pictures exported with each option that
// changes them, or refused without a file left behind.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "support/png_reading.h"
#include "support/temp_directory.h"

namespace {

const std::string example = QUILLON_SOURCE_DIR "/examples/wordfreq/wordfreq.c_cvs";

struct Finished {
    int status = -1;
    std::string out, err;
};

Finished quillon(const TempDirectory& scratch, const std::string& arguments)
{
    const std::string out = scratch.path() + "out.txt", err = scratch.path() + "err.txt";
    const int code = std::system(("env -u DISPLAY " QUILLON_PROGRAM " " + arguments + " >" + out + " 2>" + err).c_str());
    const auto slurp = [](const std::string& path) {
        std::ostringstream text;
        text << std::ifstream(path).rdbuf();
        return text.str();
    };
    return {WIFEXITED(code) ? WEXITSTATUS(code) : -1, slurp(out), slurp(err)};
}

}  // namespace

TEST(Program, HelpVersionAndMistakesNeedNoDisplay)
{
    const TempDirectory scratch;
    struct Case { const char* arguments; int status; const char* out, * err; };
    for (const Case& c : {Case{"--help", 0, "usage: quillon", ""}, {"--version", 0, "quillon 0.", ""},
                          {"--bogus", 2, "", "quillon: unknown option --bogus\nusage: quillon"},
                          {"--layout sideways x_cvs", 2, "", "bad value \"sideways\""},
                          {"--export p.png", 2, "", "--export needs a PATH"},
                          {"a_cvs b_cvs", 2, "", "only one PATH"}}) {
        const Finished run = quillon(scratch, c.arguments);
        EXPECT_EQ(run.status, c.status) << c.arguments;
        EXPECT_NE(run.out.find(c.out), std::string::npos) << c.arguments << ": " << run.out;
        EXPECT_NE(run.err.find(c.err), std::string::npos) << c.arguments << ": " << run.err;
        EXPECT_TRUE(*c.err || run.err.empty()) << run.err;
    }
}

TEST(Program, EveryPictureOptionChangesTheExportedPicture)
{
    const TempDirectory scratch;
    const auto exported = [&](const std::string& options, RgbPicture& picture) {
        const Finished run = quillon(scratch, "--export " + scratch.path() + "p.png " + options + " " + example);
        EXPECT_EQ(run.status, 0) << options << ": " << run.err;
        return readPng(scratch.path() + "p.png", picture);
    };
    RgbPicture plain, again;
    ASSERT_TRUE(exported("", plain));
    EXPECT_EQ(std::pair(plain.width, plain.height), std::pair(1200, 900));
    ASSERT_TRUE(exported("", again));
    EXPECT_EQ(differingShare(plain, again, 0), 0.0) << "the same options draw the same picture";

    for (const char* options : {"--layout horizontal", "--layout interpolated", "--scheme content",
                                "--scheme authors", "--scheme position", "--focus 9", "--range 3:9"}) {
        RgbPicture picture;
        ASSERT_TRUE(exported(options, picture)) << options;
        EXPECT_GT(differingShare(plain, picture), 0.01) << options;
    }
    // Legends lie left of and below the canvas, which keeps its size.
    RgbPicture small, legends;
    ASSERT_TRUE(exported("--size 300x200", small));
    ASSERT_TRUE(exported("--size 300x200 --legends", legends));
    EXPECT_EQ(std::pair(small.width, small.height), std::pair(300, 200));
    EXPECT_EQ(std::pair(legends.width, legends.height), std::pair(320, 220));
}

TEST(Program, AFailedExportSaysWhyAndLeavesNoFile)
{
    const TempDirectory scratch;
    const std::string picture = scratch.path() + "p.png";
    struct Case { std::string arguments; const char* err; };
    for (const Case& c : {Case{"--size 0x5 --export " + picture + " " + example, "0x5 pixels cannot be made"},
                          {"--size 100x16385 --export " + picture + " " + example, "each side must be 1 to 16384"},
                          {"--export " + scratch.path() + "missing/p.png " + example, "cannot write"},
                          {"--export " + scratch.path() + " " + example, "cannot write"},
                          {"--export " + picture + " " + scratch.path() + "none_cvs", "does not open as an evolution"}}) {
        const Finished run = quillon(scratch, c.arguments);
        EXPECT_EQ(run.status, 1) << c.arguments;
        EXPECT_NE(run.err.find(c.err), std::string::npos) << c.arguments << ": " << run.err;
        for (const auto& entry : std::filesystem::directory_iterator(scratch.path()))
            EXPECT_TRUE(entry.path().extension() == ".txt") << c.arguments << " left " << entry.path();
    }
}
