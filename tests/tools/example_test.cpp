// The sample evolutions under examples/: each loads with its grammar, agrees
// with its revision texts and is sound to the checker; the word counter is
// what its generating script writes today.

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "evolution/consistency.h"
#include "evolution/evolution_file.h"
#include "evolution/evolution_path.h"
#include "syntax/grammar.h"
#include "tools/extract_histories.h"

namespace fs = std::filesystem;

namespace {

const fs::path sourceDirectory = QUILLON_SOURCE_DIR;

TEST(Examples, EveryBundledEvolutionLoadsAndIsSound)
{
    int found = 0;
    for (const auto& entry : fs::recursive_directory_iterator(sourceDirectory / "examples")) {
        const std::string path = entry.path().string();
        if (!entry.is_regular_file() || !path.ends_with("_cvs"))
            continue;
        ++found;
        const EvolutionPath split = splitEvolutionPath(path);
        Grammar grammar(split.directory);
        EvolutionFile e(split.directory, split.fileName, &grammar);
        ASSERT_TRUE(e.loadEvolution()) << path;
        EXPECT_EQ(checkConsistency(e), std::vector<std::string>{}) << path;
        const CommandResult check = runProgram({QUILLON_CHECK, path}, ".");
        EXPECT_EQ(check.status, 0) << check.output;
        EXPECT_NE(check.output.find("Consistency: sound"), std::string::npos) << check.output;
    }
    EXPECT_GE(found, 2);
}

TEST(Examples, TheScriptRegeneratesTheCommittedWordCounter)
{
    TempDirectory scratch;
    const fs::path committed = sourceDirectory / "examples" / "wordfreq", generated = scratch.path() + "wordfreq";
    const CommandResult made =
        runProgram({"python3", (sourceDirectory / "scripts" / "make_example.py").string(), generated.string()}, ".");
    ASSERT_EQ(made.status, 0) << made.errors;
    const auto filesBelow = [](const fs::path& directory) {
        std::set<std::string> files;
        for (const auto& entry : fs::recursive_directory_iterator(directory))
            if (entry.is_regular_file())
                files.insert(fs::relative(entry.path(), directory).generic_string());
        return files;
    };
    const std::set<std::string> files = filesBelow(committed);
    EXPECT_EQ(filesBelow(generated), files);
    for (const std::string& file : files)
        EXPECT_TRUE(readFileBytes(committed / file) == readFileBytes(generated / file))
            << file << " differs from what scripts/make_example.py writes; run make examples";
}

}  // namespace
