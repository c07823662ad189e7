// The command line of quillon-extract, the grammar chosen for a file, and the
// rule for which files in an output directory belong to an evolution.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "extract/extract_options.h"
#include "extract/grammar_table.h"
#include "extract/output_directory.h"
#include "support/temp_directory.h"
#include "syntax/grammar.h"

namespace {

bool parse(const std::vector<std::string>& arguments, ExtractOptions& options, std::string& error)
{
    return parseExtractArguments(arguments, options, error);
}

TEST(ExtractOptions, ReadsBothCommandsWithTheirOptionsAnywhere)
{
    ExtractOptions options;
    std::string error;
    ASSERT_TRUE(parse({"git", "--ref", "v1.0", "repo", "src/a.c", "out", "--force"}, options, error)) << error;
    EXPECT_EQ(options.kind, SourceKind::git);
    EXPECT_EQ(options.repository, "repo");
    EXPECT_EQ(options.path, "src/a.c");
    EXPECT_EQ(options.outputDirectory, "out");
    EXPECT_EQ(options.ref, "v1.0");
    EXPECT_TRUE(options.force);
    EXPECT_EQ(options.grammar, "auto");

    ASSERT_TRUE(parse({"cvs", "root/m/a.c,v", "out", "--branch=1.2.4.", "--grammar", "none"}, options, error));
    EXPECT_EQ(options.kind, SourceKind::cvs);
    EXPECT_EQ(options.path, "root/m/a.c,v");
    EXPECT_EQ(options.branch, "1.2.4.");
    EXPECT_EQ(options.grammar, "none");
    EXPECT_FALSE(options.force);

    ASSERT_TRUE(parse({"cvs", "a.c,v", "out"}, options, error));
    EXPECT_EQ(options.branch, "1.");
    EXPECT_EQ(options.ref, "HEAD");
}

TEST(ExtractOptions, HelpAndVersionNeedNothingElse)
{
    ExtractOptions options;
    std::string error;
    ASSERT_TRUE(parse({"--help"}, options, error));
    EXPECT_TRUE(options.help);
    ASSERT_TRUE(parse({"git", "--version"}, options, error));
    EXPECT_TRUE(options.version);
}

TEST(ExtractOptions, RefusesWhatMakesNoCommand)
{
    const std::vector<std::vector<std::string>> bad = {
        {},
        {"svn", "a", "b"},
        {"git", "repo", "a.c"},
        {"cvs", "a.c,v"},
        {"cvs", "a.c,v", "out", "extra"},
        {"git", "repo", "a.c", "out", "--branch", "1."},
        {"cvs", "a.c,v", "out", "--ref", "HEAD"},
        {"cvs", "a.c,v", "out", "--branch", "1.2."},
        {"cvs", "a.c,v", "out", "--branch", "1"},
        {"cvs", "a.c,v", "out", "--branch", "1.x."},
        {"git", "repo", "a.c", "out", "--ref"},
        {"git", "repo", "a.c", "out", "--colour"},
        {"git", "repo", "a.c", "out", "--grammar="},
    };
    for (const auto& arguments : bad) {
        ExtractOptions options;
        std::string error;
        std::string shown;
        for (const std::string& a : arguments)
            shown += a + " ";
        EXPECT_FALSE(parse(arguments, options, error)) << shown;
        EXPECT_FALSE(error.empty()) << shown;
    }
}

TEST(ExtractOptions, KnowsBranchPrefixes)
{
    EXPECT_TRUE(isBranchPrefix("1."));
    EXPECT_TRUE(isBranchPrefix("1.2.4."));
    EXPECT_TRUE(isBranchPrefix("12.3.10.5.2."));
    EXPECT_FALSE(isBranchPrefix("1.2."));
    EXPECT_FALSE(isBranchPrefix("1.2.4"));
    EXPECT_FALSE(isBranchPrefix(".1."));
    EXPECT_FALSE(isBranchPrefix(""));
}

// The grammar as the program reads it.
Grammar loadedGrammar(const std::string& text)
{
    TempDirectory scratch;
    scratch.write("grammar.dat", text);
    return Grammar(scratch.path());
}

TEST(GrammarTable, ChoosesTokensByTheFilesExtension)
{
    const Grammar c = loadedGrammar(grammarForFile("evolution_file.cpp").text);
    EXPECT_EQ(c.blockOpen, "{");
    EXPECT_EQ(c.blockClose, "}");
    EXPECT_EQ(c.commentBlockOpen, "/*");
    EXPECT_EQ(c.commentBlockClose, "*/");
    EXPECT_EQ(c.commentLine, "//");
    EXPECT_EQ(c.commentLineFragment, "//");
    EXPECT_EQ(c.reference, "#include");

    EXPECT_EQ(loadedGrammar(grammarForFile("Main.java").text).reference, "import");
    EXPECT_EQ(loadedGrammar(grammarForFile("lib.rs").text).reference, "use");
    EXPECT_EQ(loadedGrammar(grammarForFile("Program.cs").text).reference, "using");

    const Grammar python = loadedGrammar(grammarForFile("make_example.py").text);
    EXPECT_EQ(python.commentLineFragment, "#");
    EXPECT_EQ(python.reference, "import");
    EXPECT_EQ(python.blockOpen, "");
    EXPECT_EQ(loadedGrammar(grammarForFile("build.sh").text).reference, "source");
    EXPECT_EQ(loadedGrammar(grammarForFile("Makefile").text).reference, "include");
    EXPECT_EQ(loadedGrammar(grammarForFile("CMakeLists.txt").text).commentLine, "#");

    const Grammar pascal = loadedGrammar(grammarForFile("unit.pas").text);
    EXPECT_EQ(pascal.blockOpen, "begin");
    EXPECT_EQ(pascal.blockClose, "end");
    EXPECT_EQ(loadedGrammar(grammarForFile("main.adb").text).commentLine, "--");

    const LanguageGrammar plain = grammarForFile("notes.txt");
    EXPECT_EQ(plain.language, "plain text");
    EXPECT_EQ(plain.text, "");
    EXPECT_EQ(grammarForFile("c").language, "plain text");
}

TEST(GrammarTable, EveryTokenSurvivesTheGrammarFileFormat)
{
    // A token with a blank or comma inside would be read as two.
    for (const char* name : {"a.c", "a.go", "a.py", "a.sh", "a.mk", "a.cmake", "a.pl", "a.rb", "a.pas", "a.adb",
                             "a.sql", "a.lua", "a.yaml"}) {
        const std::string text = grammarForFile(name).text;
        ASSERT_FALSE(text.empty()) << name;
        size_t start = 0;
        while (start < text.size()) {
            const size_t end = text.find('\n', start);
            const std::string line = text.substr(start, end - start);
            EXPECT_EQ(line.find(','), std::string::npos) << name << ": " << line;
            const size_t words = 1 + std::count(line.begin(), line.end(), ' ');
            const bool pair = line.rfind("BLOCK ", 0) == 0 || line.rfind("COMMENT_BLOCK ", 0) == 0;
            EXPECT_EQ(words, pair ? 3u : 2u) << name << ": " << line;
            start = end + 1;
        }
    }
}

TEST(OutputDirectory, KnowsTheFilesOfAnEvolution)
{
    EXPECT_TRUE(isEvolutionFile("a.c_cvs", "a.c"));
    EXPECT_TRUE(isEvolutionFile("a.c.rev", "a.c"));
    EXPECT_TRUE(isEvolutionFile("grammar.dat", "a.c"));
    EXPECT_TRUE(isEvolutionFile("config.cfg", "a.c"));
    EXPECT_TRUE(isEvolutionFile("revisions/a.c.v1.12", "a.c"));
    EXPECT_TRUE(isEvolutionFile("revisions/a.c.v1.2.4.3", "a.c"));
    EXPECT_FALSE(isEvolutionFile("revisions/a.c.v1.x", "a.c"));
    EXPECT_FALSE(isEvolutionFile("revisions/b.c.v1.1", "a.c"));
    EXPECT_FALSE(isEvolutionFile("b.c_cvs", "a.c"));
    EXPECT_FALSE(isEvolutionFile("a.c", "a.c"));
}

}  // namespace
