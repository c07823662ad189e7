// The RCS file parser: every delta it accepts is findable by its number, and
// the head, when named, is one of them.

#include "extract/rcs_edits.h"
#include "extract/rcs_file.h"
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
    if (const RcsDelta* head = findDelta(file, file.head)) {
        // The chain of "next" revisions applied as the history reader
        // applies it: each script to the text before it.
        std::vector<std::string_view> lines = splitTextLines(head->text), older;
        for (const RcsDelta* d = findDelta(file, head->next); d && d != head; d = findDelta(file, d->next)) {
            if (!applyEditScript(lines, d->text, older, error))
                break;
            lines.swap(older);
            if (d->next == d->number)
                break;
        }
    }
    return 0;
}
