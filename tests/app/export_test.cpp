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

TEST(Program, RepositoryPathsAreReadIntoTheCacheOnceAndFollowTheirHistory)
{
    const TempDirectory scratch;
    const std::string repo = scratch.path() + "repo", cache = scratch.path() + "cache";
    const auto sh = [&](const std::string& command) {
        return std::system(("cd " + scratch.path() + " && " + command + " >/dev/null 2>&1").c_str());
    };
    ASSERT_EQ(sh("git init -q repo && cd repo && git config user.name A && git config user.email a@b && mkdir -p "
                 "src && for i in 1 2 3; do seq $i 9 > src/f.c; git add -A; git commit -qm c$i; done && "
                 "echo junk > untracked.c"), 0);
    const auto run = [&](const std::string& arguments) {
        return quillon(scratch, "--export " + scratch.path() + "p.png " + arguments).status;
    };
    const auto revisions = [&]() {
        int count = 0, entries = 0;
        for (const auto& entry : std::filesystem::directory_iterator(cache + "/quillon")) {
            entries += entry.path().filename().string()[0] != '.' && entry.is_directory();
            EXPECT_NE(entry.path().filename().string().find(".part"), 0u) << "a half-made entry is left";
            if (std::filesystem::exists(entry.path() / "revisions"))
                for (const auto& file : std::filesystem::directory_iterator(entry.path() / "revisions"))
                    count += !file.path().empty();
        }
        return entries == 1 ? count : -entries;
    };
    const auto listing = [](const char* file) { return "(find repo -type f -exec md5sum {} + | sort >" + std::string(file) + ")"; };
    ASSERT_EQ(sh(listing("before.txt")), 0);
    setenv("XDG_CACHE_HOME", cache.c_str(), 1);

    EXPECT_EQ(run(repo + "/src/f.c"), 0);
    EXPECT_EQ(revisions(), 3);
    const auto made = std::filesystem::last_write_time(cache + "/quillon");
    EXPECT_EQ(run(repo + "/src/f.c"), 0) << "opened again from the cache";
    EXPECT_EQ(std::filesystem::last_write_time(cache + "/quillon"), made);
    ASSERT_EQ(sh(listing("after.txt") + " && cmp before.txt after.txt"), 0) << "the repository was written into";

    const auto firstText = [&] {
        for (const auto& entry : std::filesystem::directory_iterator(cache + "/quillon"))
            if (entry.path().filename().string()[0] != '.')
                return std::filesystem::last_write_time(entry.path() / "revisions/f.c.v1.1");
        return std::filesystem::file_time_type{};
    };
    const auto firstWritten = firstText();
    ASSERT_EQ(sh("sleep 0.01 && cd repo && seq 4 12 > src/f.c && git commit -qam c4"), 0);
    EXPECT_EQ(run(repo + "/src/f.c"), 0);
    EXPECT_EQ(revisions(), 4) << "the new commit is one more revision";
    EXPECT_EQ(firstText(), firstWritten) << "an update leaves the earlier revisions' files as they are";
    ASSERT_EQ(sh("cd repo && git reset -q --hard HEAD~2 && seq 7 9 > src/f.c && git commit -qam rebased"), 0);
    EXPECT_EQ(run(repo + "/src/f.c"), 0);
    EXPECT_EQ(revisions(), 3) << "a rewritten history is read afresh";
    EXPECT_EQ(run("--ref HEAD~1 " + repo + "/src/f.c"), 0);
    EXPECT_EQ(revisions(), -2) << "another ref is another entry";
    std::filesystem::remove_all(cache);
    ASSERT_EQ(sh("cd repo && git mv src/f.c src/h.c && git commit -qm moved && seq 8 9 > src/h.c && git commit -qam e"), 0);
    EXPECT_EQ(run(repo + "/src/h.c"), 0);
    EXPECT_EQ(revisions(), 4) << "a moved file keeps its older revisions";

    // A file git does not know, or no repository at all: no entry is made.
    std::filesystem::remove_all(cache);
    EXPECT_EQ(run(repo + "/untracked.c"), 1);
    EXPECT_EQ(run(scratch.path() + "before.txt"), 1);
    EXPECT_EQ(run(scratch.path() + "nowhere.c"), 1);
    EXPECT_FALSE(std::filesystem::exists(cache + "/quillon") && revisions() != 0);

    // An RCS file, a file of a CVS checkout, and directories of evolutions.
    ASSERT_EQ(sh("mkdir rcs && cd rcs && seq 1 5 > g.c && ci -q -t-x -m1 -l g.c < /dev/null && seq 2 6 > g.c && "
                 "ci -q -m2 -l g.c < /dev/null && mkdir ../cvsroot && cvs -Q -d " + scratch.path() +
                 "cvsroot init && mkdir -p ../cvsroot/mod && cp g.c,v ../cvsroot/mod/ && cd .. && cvs -Q -d " +
                 scratch.path() + "cvsroot checkout mod"), 0);
    for (const std::string& path : {scratch.path() + "rcs/g.c,v", scratch.path() + "mod/g.c"}) {
        std::filesystem::remove_all(cache);
        EXPECT_EQ(run(path), 0) << path;
        EXPECT_EQ(revisions(), 2) << path;
    }
    EXPECT_EQ(run(QUILLON_SOURCE_DIR "/examples/wordfreq"), 0);
    EXPECT_NE(quillon(scratch, "--export " + scratch.path() + "p.png " + scratch.path() + "rcs").err.find(
                  "holds no evolution file"), std::string::npos);
    unsetenv("XDG_CACHE_HOME");
}
