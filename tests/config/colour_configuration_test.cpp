// Reading config.cfg into the status colours, and the files it falls back on.

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <cstdlib>

#include "colouring/colour_maps.h"
#include "config/colour_configuration.h"
#include "support/temp_directory.h"

using namespace std::string_literals;

namespace {

namespace fs = std::filesystem;

constexpr int cConstant = 0, cModified = 1, cReplacedByDeletion = 2, cReplacedByAddition = 3, cAdded = 4,
              cDeleted = 5;

// Works in another directory for as long as it lives.
class WorkingDirectory {
public:
    explicit WorkingDirectory(const std::string& path) : saved(fs::current_path()) { fs::current_path(path); }
    ~WorkingDirectory() { fs::current_path(saved); }
    WorkingDirectory(const WorkingDirectory&) = delete;
    WorkingDirectory& operator=(const WorkingDirectory&) = delete;

private:
    fs::path saved;
};

std::string readWhole(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The colour table is shared by the whole program; every test starts from
// the built-in colours and leaves them behind.
class ColourConfiguration : public testing::Test {
protected:
    TempDirectory evolution;

    void SetUp() override { statusColours = defaultStatusColours; }
    void TearDown() override { statusColours = defaultStatusColours; }

    void apply(const std::string& content)
    {
        evolution.write("config.cfg", content);
        testing::internal::CaptureStdout();
        loadColourConfiguration(evolution.path());
        EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    }

    void expectDefaultsExcept(int changed)
    {
        for (int s = 0; s < 6; ++s) {
            if (s == changed)
                continue;
            EXPECT_EQ(statusColours[s], defaultStatusColours[s]) << "status " << s;
        }
    }
};

TEST_F(ColourConfiguration, OneKeyChangesOnlyItsColour)
{
    apply("COLOR_MOD 1 0 0\n");
    EXPECT_EQ(statusColours[cModified], (Rgb{1, 0, 0}));
    expectDefaultsExcept(cModified);
}

TEST_F(ColourConfiguration, EveryKeySetsItsStatus)
{
    apply("COLOR_CON 0.1 0.1 0.1\nCOLOR_MOD 0.2 0.2 0.2\nCOLOR_RDEL 0.3 0.3 0.3\n"
          "COLOR_RADD 0.4 0.4 0.4\nCOLOR_ADD 0.5 0.5 0.5\nCOLOR_DEL 0.6 0.6 0.6\n");
    EXPECT_EQ(statusColours[cConstant], (Rgb{0.1f, 0.1f, 0.1f}));
    EXPECT_EQ(statusColours[cModified], (Rgb{0.2f, 0.2f, 0.2f}));
    EXPECT_EQ(statusColours[cReplacedByDeletion], (Rgb{0.3f, 0.3f, 0.3f}));
    EXPECT_EQ(statusColours[cReplacedByAddition], (Rgb{0.4f, 0.4f, 0.4f}));
    EXPECT_EQ(statusColours[cAdded], (Rgb{0.5f, 0.5f, 0.5f}));
    EXPECT_EQ(statusColours[cDeleted], (Rgb{0.6f, 0.6f, 0.6f}));
}

TEST_F(ColourConfiguration, KeysAreCaseSensitiveAndWhole)
{
    apply("color_mod 1 0 0\nColor_Add 1 0 0\nCOLOR_MOD1 0 0\nCOLOR_MODIFIED 1 0 0\nCOLOR 1 0 0\n");
    expectDefaultsExcept(-1);
}

TEST_F(ColourConfiguration, MissingComponentsAreMinusOne)
{
    apply("COLOR_ADD 0.5\nCOLOR_CON\nCOLOR_DEL 0.1 x 0.3\nCOLOR_RADD 1,0,0\n");
    EXPECT_EQ(statusColours[cAdded], (Rgb{0.5f, -1, -1}));
    EXPECT_EQ(statusColours[cConstant], (Rgb{-1, -1, -1}));
    EXPECT_EQ(statusColours[cDeleted], (Rgb{0.1f, -1, -1}));
    EXPECT_EQ(statusColours[cReplacedByAddition], (Rgb{1, -1, -1}));
}

TEST_F(ColourConfiguration, ValuesAreStoredUnclamped)
{
    apply("COLOR_RDEL 2 -3 1e3\n");
    EXPECT_EQ(statusColours[cReplacedByDeletion], (Rgb{2, -3, 1000}));
}

TEST_F(ColourConfiguration, LaterLineForTheSameKeyWins)
{
    apply("COLOR_MOD 1 0 0\nCOLOR_MOD 0 1 0\n");
    EXPECT_EQ(statusColours[cModified], (Rgb{0, 1, 0}));
}

TEST_F(ColourConfiguration, BlankAndOtherLinesChangeNothing)
{
    apply("\n   \n# status colours\nremark COLOR_MOD 1 0 0\n\t\n");
    expectDefaultsExcept(-1);
}

TEST_F(ColourConfiguration, WhiteSpaceAroundTheFieldsIsAllowed)
{
    apply("  \tCOLOR_MOD\t1   0\t0  \r\nCOLOR_ADD 0 0 1\r\n");
    EXPECT_EQ(statusColours[cModified], (Rgb{1, 0, 0}));
    EXPECT_EQ(statusColours[cAdded], (Rgb{0, 0, 1}));
}

TEST_F(ColourConfiguration, ASecondFileKeepsWhatItDoesNotSet)
{
    apply("COLOR_DEL 0.9 0.1 0.1\nCOLOR_MOD 1 1 1\n");
    TempDirectory second;
    second.write("config.cfg", "COLOR_MOD 0 0 0\n");
    testing::internal::CaptureStdout();
    loadColourConfiguration(second.path());
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(statusColours[cDeleted], (Rgb{0.9f, 0.1f, 0.1f}));
    EXPECT_EQ(statusColours[cModified], (Rgb{0, 0, 0}));
}

TEST_F(ColourConfiguration, AnOverlongLineCountsAsOneLine)
{
    // Read in pieces, the key would lose its numbers and the numbers would
    // form a line of their own.
    apply("COLOR_MOD" + std::string(1100, ' ') + "1 0 0\nCOLOR_ADD 0 1 0\n");
    EXPECT_EQ(statusColours[cModified], (Rgb{1, 0, 0}));
    EXPECT_EQ(statusColours[cAdded], (Rgb{0, 1, 0}));
}

TEST_F(ColourConfiguration, EmptyAndBinaryFilesChangeNothingHarmful)
{
    apply("");
    expectDefaultsExcept(-1);
    apply("\x00\x01\x02\xff\xfe COLOR_MOD 1 0 0\n\xc3\x28 \x80\n\x00\n"s + "COLOR_ADD 0 1 0\n");
    EXPECT_EQ(statusColours[cAdded], (Rgb{0, 1, 0}));
    expectDefaultsExcept(cAdded);
}

TEST_F(ColourConfiguration, ReadingAMissingFileFailsQuietly)
{
    testing::internal::CaptureStdout();
    EXPECT_FALSE(readColourConfiguration(evolution.path() + "absent.cfg"));
    EXPECT_FALSE(readColourConfiguration(evolution.path()));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    expectDefaultsExcept(-1);
}

TEST_F(ColourConfiguration, WithoutAFileBesideTheEvolutionTheWorkingDirectoryIsUsed)
{
    TempDirectory work;
    work.write("config.cfg", "COLOR_CON 0.25 0.5 0.75\n");
    const WorkingDirectory inWork(work.path());
    testing::internal::CaptureStdout();
    loadColourConfiguration(evolution.path());
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "\nNo configuration file found. Using defaults. \n");
    EXPECT_EQ(statusColours[cConstant], (Rgb{0.25f, 0.5f, 0.75f}));
    expectDefaultsExcept(cConstant);
}

TEST_F(ColourConfiguration, TheFileBesideTheEvolutionComesFirst)
{
    TempDirectory work;
    work.write("config.cfg", "COLOR_CON 0.25 0.5 0.75\nCOLOR_ADD 0 0 0\n");
    const WorkingDirectory inWork(work.path());
    apply("COLOR_CON 1 1 1\n");
    EXPECT_EQ(statusColours[cConstant], (Rgb{1, 1, 1}));
    expectDefaultsExcept(cConstant);
}

TEST_F(ColourConfiguration, ADirectoryNamedLikeTheFileIsNoFile)
{
    evolution.write("config.cfg/inner", "COLOR_CON 1 1 1\n");
    TempDirectory work;
    work.write("config.cfg", "COLOR_MOD 0 0 0\n");
    const WorkingDirectory inWork(work.path());
    testing::internal::CaptureStdout();
    loadColourConfiguration(evolution.path());
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "\nNo configuration file found. Using defaults. \n");
    EXPECT_EQ(statusColours[cModified], (Rgb{0, 0, 0}));
}

TEST(DefaultConfiguration, WorkingDirectoryThenBesideTheProgramThenTheDataDirectory)
{
    const std::vector<std::string> paths = defaultConfigurationPaths();
    ASSERT_GE(paths.size(), 2u);
    EXPECT_EQ(paths[0], "config.cfg");
    const fs::path program = fs::read_symlink("/proc/self/exe");
    EXPECT_EQ(paths[1], program.parent_path().string() + "/config.cfg");
    for (size_t i = 1; i < paths.size(); ++i) {
        EXPECT_EQ(paths[i].front(), '/') << paths[i];
        EXPECT_EQ(fs::path(paths[i]).filename(), "config.cfg") << paths[i];
    }
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
    EXPECT_EQ(readWhole(printed),
              "\nNo configuration file found. Using defaults. \n\nERROR: Default configuration file not found.\n");
}

}  // namespace
