// quillon-check --blame: each line of one revision with the author the
// program attributes it to, and clear refusals of what it cannot answer.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/temp_directory.h"
#include "tools/extract_histories.h"

namespace {

// Three revisions: ann writes a, b, c; bob changes b and adds d; cid
// removes a. The third revision has no entry in the revision list when
// `listed` is false.
std::string writeSample(const TempDirectory& scratch, bool listed = true)
{
    EvolutionSketch sketch;
    sketch.statuses = {"XXD", "--X", "XXX", ">XX"};
    sketch.authors = {"ann", "bob", listed ? "cid" : ""};
    sketch.texts = {"a\nb\nc\n", "a\nB\nc\nd\n", "B\nc\nd\n"};
    return scratch.path() + writeEvolution(scratch, sketch);
}

CommandResult blame(const std::string& revision, const std::string& path)
{
    return runProgram({QUILLON_CHECK, "--blame", revision, path}, ".");
}

TEST(Blame, NamesTheAuthorOfEveryLineWithItsText)
{
    TempDirectory scratch;
    const std::string path = writeSample(scratch);
    EXPECT_EQ(blame("1", path).output, "ann\ta\nann\tb\nann\tc\n");
    EXPECT_EQ(blame("2", path).output, "ann\ta\nbob\tB\nann\tc\nbob\td\n");
    const CommandResult third = blame("3", path);
    EXPECT_EQ(third.status, 0);
    EXPECT_EQ(third.output, "bob\tB\nann\tc\nbob\td\n");
}

TEST(Blame, CallsAnAuthorWithoutARevisionListEntryUnknown)
{
    TempDirectory scratch;
    EvolutionSketch sketch;
    sketch.statuses = {"XX", "--"};
    sketch.authors = {"ann", ""};
    sketch.texts = {"a\nb\n", "a\nB\n"};
    const std::string path = scratch.path() + writeEvolution(scratch, sketch);
    EXPECT_EQ(blame("2", path).output, "ann\ta\nunknown\tB\n");
}

TEST(Blame, RefusesARevisionThatIsNotThere)
{
    TempDirectory scratch;
    const std::string path = writeSample(scratch);
    for (const char* revision : {"0", "4", "two", "1x", ""}) {
        const CommandResult result = blame(revision, path);
        EXPECT_EQ(result.status, 2) << revision;
        EXPECT_NE(result.output.find("ERROR: no revision"), std::string::npos) << result.output;
    }
    EXPECT_EQ(blame("1", scratch.path() + "missing_cvs").status, 1);
}

TEST(Blame, RefusesATextThatDisagreesWithTheEvolution)
{
    TempDirectory scratch;
    const std::string path = writeSample(scratch);
    scratch.write("revisions/demo.c.v1.3", "B\nc\nd\nextra\n");
    const CommandResult longer = blame("3", path);
    EXPECT_EQ(longer.status, 1);
    EXPECT_NE(longer.output.find("line 4 has no line in the evolution"), std::string::npos) << longer.output;

    scratch.write("revisions/demo.c.v1.3", "B\n");
    const CommandResult shorter = blame("3", path);
    EXPECT_EQ(shorter.status, 1);
    EXPECT_NE(shorter.output.find("fewer than the evolution marks present"), std::string::npos) << shorter.output;

    std::filesystem::remove(scratch.path() + "revisions/demo.c.v1.2");
    const CommandResult missing = blame("2", path);
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.output.find("for reading"), std::string::npos) << missing.output;
}

}  // namespace
