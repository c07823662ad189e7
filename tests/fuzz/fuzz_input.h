#pragma once
// What every harness shares: one scratch directory for the readers that take
// a path, the input cut in two at its first NUL for the readers that take two
// files, and a check that ends the run in a way libFuzzer reports.

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <utility>

#include "support/temp_directory.h"

inline const TempDirectory& scratch()
{
    static const TempDirectory directory;
    return directory;
}

inline std::pair<std::string_view, std::string_view> splitAtNul(const uint8_t* data, size_t size)
{
    const std::string_view whole(reinterpret_cast<const char*>(data), size);
    const size_t nul = whole.find('\0');
    if (nul == std::string_view::npos)
        return {whole, {}};
    return {whole.substr(0, nul), whole.substr(nul + 1)};
}

// An invariant of what a reader accepted does not hold: a fault as real as a
// crash, so it stops the run with a reproducer.
#define FUZZ_CHECK(condition)                                                       \
    do {                                                                            \
        if (!(condition)) {                                                         \
            std::fprintf(stderr, "%s:%d: %s does not hold\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                           \
        }                                                                           \
    } while (0)
