// config.cfg: which lines set which status colour, and where the file is
// looked for.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "colouring/colour_maps.h"
#include "config/colour_configuration.h"
#include "support/temp_directory.h"

namespace fs = std::filesystem;

namespace {

// The colour table is shared by the whole program: every case starts from
// the built-in colours and leaves them behind.
class ColourConfiguration : public testing::Test {
protected:
    void SetUp() override { statusColours = defaultStatusColours; }
    void TearDown() override
    {
        statusColours = defaultStatusColours;
        fs::current_path(saved);
    }
    // Loads for an evolution directory holding `beside` (nothing for "-")
    // from a working directory holding `work`; returns what was printed.
    std::string load(const std::string& beside, const std::string& work = "-")
    {
        if (beside != "-")
            evolution.write("config.cfg", beside);
        if (work != "-")
            workDirectory.write("config.cfg", work);
        fs::current_path(workDirectory.path());
        testing::internal::CaptureStdout();
        loadColourConfiguration(evolution.path());
        return testing::internal::GetCapturedStdout();
    }
    TempDirectory evolution, workDirectory;
    fs::path saved = fs::current_path();
};

TEST_F(ColourConfiguration, EachKeyLineSetsItsOwnStatusOnly)
{
    const struct {
        std::string file;
        std::vector<std::pair<int, Rgb>> changed;
    } cases[] = {
        {"COLOR_MOD 1 0 0\n", {{1, {1, 0, 0}}}},
        {"COLOR_DEL 1 2 3\nCOLOR_ADD 4 5 6\nCOLOR_CON 7 8 9\nCOLOR_MOD .1 .2 .3\nCOLOR_RDEL -1 -2 -3\nCOLOR_RADD 0 0 0\n",
         {{5, {1, 2, 3}}, {4, {4, 5, 6}}, {0, {7, 8, 9}}, {1, {.1f, .2f, .3f}}, {2, {-1, -2, -3}}, {3, {0, 0, 0}}}},
        {"color_mod 1 0 0\nCOLOR_MODIFIED 1 0 0\nCOLOR 1 1 1\n\n# COLOR_CON 0 0 0\n", {}},
        {"COLOR_ADD 0.5\nCOLOR_CON x 1 1\n", {{4, {0.5f, -1, -1}}, {0, {-1, -1, -1}}}},
        {"COLOR_CON 2.5 -7 1e3\n", {{0, {2.5f, -7, 1000}}}},  // stored as read, unclamped
        {"COLOR_DEL 0 0 0\nCOLOR_DEL 0.1 0.2 0.3\n", {{5, {.1f, .2f, .3f}}}},
        {"  \tCOLOR_RADD\t 0.1   0.2 0.3  \r\n", {{3, {.1f, .2f, .3f}}}},
        {"COLOR_CON 1 1 1" + std::string(5000, ' ') + "9\nCOLOR_MOD 0 0 0\n", {{0, {1, 1, 1}}, {1, {0, 0, 0}}}},
        {std::string("\0\xff\x01", 3) + "COLOR_MOD\n", {}},
    };
    for (const auto& c : cases) {
        SetUp();
        EXPECT_EQ(load(c.file), "");
        std::array<Rgb, 6> expected = defaultStatusColours;
        for (const auto& [status, colour] : c.changed)
            expected[status] = colour;
        EXPECT_EQ(statusColours, expected) << c.file;
    }
    // A second file keeps what it does not set.
    load("COLOR_MOD 0 0 0\n");
    TempDirectory other;
    other.write("config.cfg", "COLOR_DEL 1 1 1\n");
    loadColourConfiguration(other.path());
    EXPECT_EQ(statusColours[1], (Rgb{0, 0, 0}));
    EXPECT_EQ(statusColours[5], (Rgb{1, 1, 1}));
}

TEST_F(ColourConfiguration, TheFileBesideTheEvolutionComesFirstThenTheWorkingDirectory)
{
    const std::string fallback = "\nNo configuration file found. Using defaults. \n";
    EXPECT_EQ(load("COLOR_CON 1 1 1\n", "COLOR_CON 0 0 0\nCOLOR_ADD 0 0 0\n"), "");
    EXPECT_EQ(statusColours[0], (Rgb{1, 1, 1}));
    EXPECT_EQ(statusColours[4], defaultStatusColours[4]);
    SetUp();
    fs::remove(evolution.path() + "config.cfg");
    evolution.write("config.cfg/inner", "COLOR_CON 1 1 1\n");  // a directory is no file
    EXPECT_EQ(load("-", "COLOR_CON 0.25 0.5 0.75\n"), fallback);
    EXPECT_EQ(statusColours[0], (Rgb{0.25f, 0.5f, 0.75f}));
    testing::internal::CaptureStdout();
    EXPECT_FALSE(readColourConfiguration(evolution.path() + "absent.cfg"));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    const std::vector<std::string> paths = defaultConfigurationPaths();
    ASSERT_GE(paths.size(), 2u);
    EXPECT_EQ(paths[0], "config.cfg");
    EXPECT_EQ(paths[1], fs::read_symlink("/proc/self/exe").parent_path().string() + "/config.cfg");
}

TEST(ColourConfigurationDeathTest, NoConfigurationAnywhereEndsTheProgramWithStatus2)
{
    const std::vector<std::string> defaults = defaultConfigurationPaths();
    for (size_t i = 1; i < defaults.size(); ++i)
        if (fs::is_regular_file(defaults[i]))
            GTEST_SKIP() << "an installed configuration exists: " << defaults[i];
    TempDirectory evolution, work, output;
    const std::string printed = output.path() + "stdout.txt";
    EXPECT_EXIT(
        {
            fs::current_path(work.path());
            if (!std::freopen(printed.c_str(), "w", stdout))
                std::_Exit(3);
            loadColourConfiguration(evolution.path());
        },
        testing::ExitedWithCode(2), "");
    std::ifstream in(printed);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(text, "\nNo configuration file found. Using defaults. \n\nERROR: Default configuration file not found.\n");
}

}  // namespace
