// The RCS file parser and the trunk reader behind it: every delta it accepts
// is findable by its number, and the trunk rebuilt from the deltas, however
// their "next" fields loop, holds no more revisions than the file has.

#include "extract/rcs_file.h"
#include "extract/rcs_history.h"
#include "fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view content(reinterpret_cast<const char*>(data), size);
    RcsFile file;
    std::string error;
    if (!parseRcsFile(content, file, error)) {
        FUZZ_CHECK(!error.empty());
        return 0;
    }
    FUZZ_CHECK(file.deltaIndex.size() <= file.deltas.size());
    for (const RcsDelta& delta : file.deltas) {
        FUZZ_CHECK(findDelta(file, delta.number) != nullptr);
        FUZZ_CHECK(delta.text.size() <= size && delta.log.size() <= size);
    }
    SourceHistory history;
    if (rcsBranchHistory(file, "1.", history, error))
        FUZZ_CHECK(!history.revisions.empty() && history.revisions.size() <= file.deltas.size());
    else
        FUZZ_CHECK(!error.empty());
    return 0;
}
