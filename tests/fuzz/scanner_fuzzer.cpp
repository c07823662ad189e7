// The scanner over a revision text (after the NUL) with the tokens of a
// grammar file (before it): every region lies within the text, in order.

#include <algorithm>
#include <vector>

#include "fuzz/fuzz_input.h"
#include "syntax/grammar.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const auto [grammarText, revisionText] = splitAtNul(data, size);
    scratch().write("grammar.dat", std::string(grammarText));
    scratch().write("text", std::string(revisionText));
    Grammar grammar(scratch().path());
    std::vector<SyntaxRegion> regions;
    grammar.setTarget(&regions);
    FUZZ_CHECK(grammar.scan(scratch().path() + "text"));
    const int lines = static_cast<int>(std::count(revisionText.begin(), revisionText.end(), '\n')) + 1;
    // A tab is the widest character, eight columns.
    const int columns = 8 * static_cast<int>(revisionText.size());
    for (const SyntaxRegion& region : regions) {
        FUZZ_CHECK(region.startLine >= 0 && region.startLine <= region.endLine && region.endLine < lines);
        FUZZ_CHECK(region.startColumn >= 0 && region.endColumn >= 0);
        FUZZ_CHECK(region.endColumn <= std::max(columns, wholeLineEndColumn));
        FUZZ_CHECK(region.startLine < region.endLine || region.startColumn <= region.endColumn);
        FUZZ_CHECK(region.kind == regionComment || region.kind == regionBlock || region.kind == regionReference ||
                   region.kind == regionString);
        FUZZ_CHECK(region.depth >= 0);
    }
    return 0;
}
