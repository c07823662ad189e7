// RCS edit scripts (after the NUL) applied to a text (before it): an
// accepted script yields only lines of the two, never more than both hold.

#include "extract/rcs_edits.h"
#include "fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const auto [sourceText, script] = splitAtNul(data, size);
    const std::vector<std::string_view> source = splitTextLines(sourceText);
    std::vector<std::string_view> result;
    std::string error;
    if (!applyEditScript(source, script, result, error)) {
        FUZZ_CHECK(!error.empty());
        return 0;
    }
    const auto within = [](std::string_view part, std::string_view whole) {
        return part.data() >= whole.data() && part.data() + part.size() <= whole.data() + whole.size();
    };
    FUZZ_CHECK(result.size() <= source.size() + splitTextLines(script).size());
    for (std::string_view line : result)
        FUZZ_CHECK(within(line, sourceText) || within(line, script));
    return 0;
}
