// The sample evolutions under examples/: each must load and agree with its
// revision texts; the two built to show every feature of the picture must
// show enough of a history to exercise the views; the word counter must also
// be what its generating script writes today.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "evolution/consistency.h"
#include "evolution/evolution_file.h"
#include "evolution/evolution_path.h"
#include "support/temp_directory.h"
#include "syntax/grammar.h"

namespace fs = std::filesystem;

namespace {

const fs::path sourceDirectory = QUILLON_SOURCE_DIR;

std::vector<std::string> exampleEvolutionPaths()
{
    std::vector<std::string> paths;
    const fs::path examples = sourceDirectory / "examples";
    if (!fs::is_directory(examples))
        return paths;
    for (const auto& entry : fs::recursive_directory_iterator(examples)) {
        const std::string name = entry.path().filename().string();
        if (entry.is_regular_file() && name.size() > 4 && name.ends_with("_cvs"))
            paths.push_back(entry.path().string());
    }
    std::sort(paths.begin(), paths.end());
    return paths;
}

std::string shellQuoted(const std::string& text)
{
    std::string quoted = "'";
    for (char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

std::string fileContent(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Runs a shell command with its output caught in `output`; the exit status,
// or -1 when the command did not end normally.
int runCommand(const std::string& command, const TempDirectory& scratch, std::string& output)
{
    const std::string outputPath = scratch.path() + "command-output.txt";
    const int status = std::system((command + " >" + shellQuoted(outputPath) + " 2>&1").c_str());
    output = fileContent(outputPath);
    return status != -1 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Every file below a directory, by path relative to it.
std::set<std::string> filesBelow(const fs::path& directory)
{
    std::set<std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(directory))
        if (entry.is_regular_file())
            files.insert(fs::relative(entry.path(), directory).generic_string());
    return files;
}

int authorCount(const EvolutionFile& e)
{
    std::set<int> authors;
    for (int r = 0; r < e.revisionCount; ++r)
        if (e.revisionAuthorIndex(r) >= 0)
            authors.insert(e.revisionAuthorIndex(r));
    return static_cast<int>(authors.size());
}

int presentLines(const EvolutionFile& e, int revision)
{
    int present = 0;
    for (int line = 0; line < e.lineCount; ++line)
        present += isPresentChar(e.lineStatus[line][revision]) ? 1 : 0;
    return present;
}

template <typename Predicate>
bool someCell(const EvolutionFile& e, Predicate predicate)
{
    for (int line = 0; line < e.lineCount; ++line)
        for (int r = 0; r < e.revisionCount; ++r)
            if (predicate(line, r))
                return true;
    return false;
}

bool hasClass(const EvolutionFile& e, int lowest, int highest)
{
    return someCell(e, [&](int line, int r) {
        const int c = e.lineClasses[line][r];
        return c >= lowest && c <= highest;
    });
}

// A line that a later revision adds and a still later one deletes again.
bool hasShortLivedLine(const EvolutionFile& e)
{
    for (int line = 0; line < e.lineCount; ++line) {
        enum { notYetAdded, added, lived } stage = notYetAdded;
        for (int r = 0; r < e.revisionCount; ++r) {
            const int status = e.lineStatusAt(line, r);
            if (stage == notYetAdded && status == statusAdded)
                stage = added;
            else if (stage == added && isPresentStatus(status))
                stage = lived;
            else if (stage == lived && status == statusDeleted)
                return true;
        }
    }
    return false;
}

std::string joined(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\n";
    return text;
}

class ExampleEvolution : public testing::TestWithParam<std::string> {
protected:
    void SetUp() override
    {
        const EvolutionPath path = splitEvolutionPath(GetParam());
        grammar = std::make_unique<Grammar>(path.directory);
        evolution = std::make_unique<EvolutionFile>(path.directory, path.fileName, grammar.get());
    }

    std::unique_ptr<Grammar> grammar;
    std::unique_ptr<EvolutionFile> evolution;
};

TEST(ExampleEvolutions, AtLeastOneIsBundled)
{
    EXPECT_FALSE(exampleEvolutionPaths().empty());
}

TEST_P(ExampleEvolution, LoadsAndAgreesWithItsRevisionTexts)
{
    ASSERT_TRUE(evolution->loadEvolution());
    const EvolutionFile& e = *evolution;

    const std::vector<std::string> problems = checkConsistency(e);
    EXPECT_TRUE(problems.empty()) << joined(problems);
}

// The examples made to exercise every feature; one cut from this project's
// own history has only what that history has (one author, few revisions).
std::vector<std::string> featureExamplePaths()
{
    std::vector<std::string> paths;
    for (const std::string& path : exampleEvolutionPaths()) {
        const std::string name = fs::path(path).filename().string();
        if (name == "wordfreq.c_cvs" || name == "ledger.c_cvs")
            paths.push_back(path);
    }
    return paths;
}

class FeatureExample : public ExampleEvolution {};

TEST(ExampleEvolutions, BothFeatureExamplesAreBundled)
{
    EXPECT_EQ(featureExamplePaths().size(), 2u);
}

TEST_P(FeatureExample, HasTheShapeOfABelievableHistory)
{
    ASSERT_TRUE(evolution->loadEvolution());
    const EvolutionFile& e = *evolution;

    EXPECT_GE(authorCount(e), 3);
    EXPECT_GE(e.revisionCount, 12);
    EXPECT_LE(e.revisionCount, 30);
    bool sized = false;
    for (int r = 0; r < e.revisionCount; ++r) {
        const int lines = presentLines(e, r);
        sized = sized || (lines >= 80 && lines <= 200);
    }
    EXPECT_TRUE(sized) << "no revision has 80 to 200 lines";

    EXPECT_TRUE(hasClass(e, classComment, classComment)) << "no comment";
    EXPECT_TRUE(hasClass(e, classString, classString)) << "no string";
    EXPECT_TRUE(hasClass(e, classReference, classReference)) << "no reference line";
    EXPECT_TRUE(hasClass(e, classBlock + 1, classDeepestBlock)) << "no nested block";

    EXPECT_TRUE(hasShortLivedLine(e)) << "no line is added and later deleted";
    EXPECT_TRUE(someCell(e, [&](int line, int r) { return e.lineStatus[line][r] == '-'; })) << "no modification";
}

TEST_P(ExampleEvolution, TheCheckerCallsItSound)
{
    TempDirectory scratch;
    std::string output;
    EXPECT_EQ(runCommand(shellQuoted(QUILLON_CHECK) + " " + shellQuoted(GetParam()), scratch, output), 0) << output;
    EXPECT_NE(output.find("Consistency: sound"), std::string::npos) << output;
}

std::string testName(const testing::TestParamInfo<std::string>& info)
{
    std::string name = fs::path(info.param).stem().string();
    std::replace_if(name.begin(), name.end(), [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); }, '_');
    return name + "_" + std::to_string(info.index);
}

INSTANTIATE_TEST_SUITE_P(Bundled, ExampleEvolution, testing::ValuesIn(exampleEvolutionPaths()), testName);
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(ExampleEvolution);
INSTANTIATE_TEST_SUITE_P(Bundled, FeatureExample, testing::ValuesIn(featureExamplePaths()), testName);
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(FeatureExample);

TEST(ExampleScript, RegeneratesTheCommittedWordCounterExample)
{
    TempDirectory scratch;
    std::string output;
    if (runCommand("python3 --version", scratch, output) != 0)
        GTEST_SKIP() << "python3 is not available";

    const fs::path committed = sourceDirectory / "examples" / "wordfreq";
    const fs::path generated = fs::path(scratch.path()) / "wordfreq";
    const std::string script = (sourceDirectory / "scripts" / "make_example.py").string();
    ASSERT_EQ(runCommand("python3 " + shellQuoted(script) + " " + shellQuoted(generated.string()), scratch, output), 0)
        << output;

    const std::set<std::string> files = filesBelow(committed);
    EXPECT_EQ(filesBelow(generated), files);
    for (const std::string& file : files)
        EXPECT_TRUE(fileContent(committed / file) == fileContent(generated / file))
            << file << " differs from what scripts/make_example.py writes; run make examples";
}

}  // namespace
