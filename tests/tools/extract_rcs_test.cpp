// Reading RCS files: the format, the edit scripts, and the texts of a trunk
// and a branch rebuilt from them.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "extract/rcs_edits.h"
#include "extract/rcs_file.h"
#include "extract/rcs_history.h"

namespace {

// A trunk 1.1 to 1.4 (1.3 dead) and a branch 1.2.2 with two revisions, as
// CVS writes them: the head in full, older trunk revisions as scripts from
// the newer one, branch revisions as scripts from the one before.
const char* const sample = R"(head	1.4;
access;
symbols
	topic:1.2.0.2;
locks; strict;
comment	@ * @;


1.4
date	2024.01.04.10.00.00;	author dee;	state Exp;
branches;
next	1.3;
commitid	abc;

1.3
date	2024.01.03.10.00.00;	author cid;	state dead;
branches;
next	1.2;

1.2
date	2024.01.02.10.00.00;	author bob;	state Exp;
branches
	1.2.2.1;
next	1.1;

1.1
date	99.01.01.10.00.00;	author ann;	state Exp;
branches;
next	;

1.2.2.1
date	2024.01.05.10.00.00;	author eve;	state Exp;
branches;
next	1.2.2.2;

1.2.2.2
date	2024.01.06.10.00.00;	author eve;	state Exp;
branches;
next	;


desc
@@


1.4
log
@back again
@
text
@one
mail@@example
three
@


1.3
log
@removed
@
text
@d2 1
a2 1
two
@


1.2
log
@second
second line of the message
@
text
@@


1.1
log
@first
@
text
@d1 1
a1 1
ONE
@


1.2.2.1
log
@on the branch
@
text
@a3 1
four
@


1.2.2.2
log
@more
@
text
@d1 1
@
)";

struct Texts {
    SourceHistory history;
    std::vector<std::string> texts;
};

Texts branchTexts(const RcsFile& file, const std::string& branch)
{
    Texts result;
    std::string error;
    EXPECT_TRUE(rcsBranchHistory(file, branch, result.history, error)) << error;
    for (size_t i = 0; i < result.history.revisions.size(); ++i) {
        std::string_view text;
        std::vector<LineHunk> hunks;
        EXPECT_TRUE(result.history.readRevision(static_cast<int>(i), text, hunks, error));
        result.texts.emplace_back(text);
    }
    return result;
}

TEST(RcsFile, ReadsDeltasAndTexts)
{
    RcsFile file;
    std::string error;
    ASSERT_TRUE(parseRcsFile(sample, file, error)) << error;
    EXPECT_EQ(file.head, "1.4");
    ASSERT_EQ(file.deltas.size(), 6u);
    const RcsDelta* head = findDelta(file, "1.4");
    ASSERT_NE(head, nullptr);
    EXPECT_EQ(head->author, "dee");
    EXPECT_EQ(head->next, "1.3");
    EXPECT_EQ(head->text, "one\nmail@example\nthree\n");
    EXPECT_EQ(findDelta(file, "1.3")->state, "dead");
    EXPECT_EQ(findDelta(file, "1.2")->branches, std::vector<std::string>{"1.2.2.1"});
    EXPECT_EQ(findDelta(file, "1.1")->next, "");
    EXPECT_EQ(findDelta(file, "9.9"), nullptr);
}

TEST(RcsFile, RebuildsTheTrunkWithADeadRevisionEmpty)
{
    RcsFile file;
    std::string error;
    ASSERT_TRUE(parseRcsFile(sample, file, error)) << error;
    const Texts trunk = branchTexts(file, "1.");
    EXPECT_EQ(trunk.texts, (std::vector<std::string>{"ONE\ntwo\nthree\n", "one\ntwo\nthree\n", "",
                                                     "one\nmail@example\nthree\n"}));
    ASSERT_EQ(trunk.history.revisions.size(), 4u);
    EXPECT_EQ(trunk.history.branch, "1.");
    EXPECT_EQ(trunk.history.revisions[0].author, "ann");
    EXPECT_EQ(trunk.history.revisions[0].date, "1999-01-01T10:00:00Z");
    EXPECT_EQ(trunk.history.revisions[1].subject, "second");
    EXPECT_EQ(trunk.history.revisions[3].author, "dee");
}

TEST(RcsFile, RebuildsABranchFromTheRevisionItSproutsAt)
{
    RcsFile file;
    std::string error;
    ASSERT_TRUE(parseRcsFile(sample, file, error)) << error;
    const Texts branch = branchTexts(file, "1.2.2.");
    EXPECT_EQ(branch.texts, (std::vector<std::string>{"one\ntwo\nthree\nfour\n", "two\nthree\nfour\n"}));
    EXPECT_EQ(branch.history.revisions[1].author, "eve");

    SourceHistory history;
    EXPECT_FALSE(rcsBranchHistory(file, "1.4.2.", history, error));
    EXPECT_NE(error.find("no revisions"), std::string::npos) << error;
}

TEST(RcsFile, RefusesWhatIsNoRcsFile)
{
    RcsFile file;
    std::string error;
    EXPECT_FALSE(parseRcsFile("int main() { return 0; }\n", file, error));
    EXPECT_NE(error.find("line 1"), std::string::npos) << error;
    EXPECT_FALSE(parseRcsFile("", file, error));

    std::string unterminated = sample;
    unterminated.resize(unterminated.find("mail@@"));
    EXPECT_FALSE(parseRcsFile(unterminated, file, error));
    EXPECT_NE(error.find("unterminated"), std::string::npos) << error;

    std::string orphan = sample;
    orphan.replace(orphan.find("\n1.2.2.2\nlog"), 8, "\n7.7");
    EXPECT_FALSE(parseRcsFile(orphan, file, error));
    EXPECT_NE(error.find("7.7"), std::string::npos) << error;
}

TEST(RcsFile, RefusesABranchWhoseScriptsDoNotFit)
{
    std::string broken = sample;
    broken.replace(broken.rfind("d1 1\n"), 5, "d9 1\n");
    RcsFile file;
    std::string error;
    ASSERT_TRUE(parseRcsFile(broken, file, error)) << error;
    SourceHistory history;
    EXPECT_FALSE(rcsBranchHistory(file, "1.2.2.", history, error));
    EXPECT_NE(error.find("1.2.2.2"), std::string::npos) << error;
}

TEST(RcsEdits, DeletesAndAppendsByTheSourcesLineNumbers)
{
    const std::vector<std::string_view> source = splitTextLines("a\nb\nc\nd");
    ASSERT_EQ(source.size(), 4u);
    EXPECT_EQ(source[3], "d");
    std::vector<std::string_view> result;
    std::string error;
    ASSERT_TRUE(applyEditScript(source, "a0 1\nfirst\nd2 2\na3 2\nx\ny\na4 1\nlast", result, error)) << error;
    EXPECT_EQ(result, (std::vector<std::string_view>{"first\n", "a\n", "x\n", "y\n", "d", "last"}));
}

TEST(RcsEdits, RefusesScriptsThatDoNotFit)
{
    const std::vector<std::string_view> source = splitTextLines("a\nb\n");
    std::vector<std::string_view> result;
    std::string error;
    EXPECT_FALSE(applyEditScript(source, "d3 1\n", result, error));
    EXPECT_FALSE(applyEditScript(source, "d2 1\nd1 1\n", result, error));
    EXPECT_FALSE(applyEditScript(source, "a1 2\nonly one\n", result, error));
    EXPECT_FALSE(applyEditScript(source, "x1 1\n", result, error));
    EXPECT_FALSE(applyEditScript(source, "d0 1\n", result, error));
    // A count near the largest long once overflowed the bounds check.
    EXPECT_FALSE(applyEditScript(source, "d2 9223372036854775807\n", result, error));
    EXPECT_FALSE(applyEditScript(source, "a2 9223372036854775807\nx\n", result, error));
    EXPECT_TRUE(applyEditScript(source, "", result, error));
    EXPECT_EQ(result, source);
}

}  // namespace
