// The record an update goes on from: whatever it accepts holds together, and
// writes back to the very same text.

#include "extract/evolution_state.h"
#include "fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    EvolutionLines lines;
    std::string error;
    if (!parseEvolutionState(text, lines, error)) {
        FUZZ_CHECK(!error.empty());
        return 0;
    }
    FUZZ_CHECK(lines.lives.size() <= size && lines.present.size() <= lines.lives.size());
    const std::string written = formatEvolutionState(lines);
    EvolutionLines again;
    FUZZ_CHECK(parseEvolutionState(written, again, error));
    FUZZ_CHECK(formatEvolutionState(again) == written);
    return 0;
}
