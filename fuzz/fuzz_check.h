#pragma once

#include <cstdio>
#include <cstdlib>

// A broken invariant is a finding: report it and stop, so that libFuzzer keeps the input.
#define FUZZ_CHECK(condition)                                                                  \
    do {                                                                                       \
        if (!(condition)) {                                                                    \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                      \
        }                                                                                      \
    } while (false)

#include <cstddef>
#include <cstdint>

// Whole-picture checks run on every input; kept out of the coverage feedback so that they
// neither slow the fuzzer down nor count as new behaviour.
__attribute__((no_sanitize("coverage"))) inline bool AllIndicesValid(const std::uint8_t* bytes,
                                                                     std::size_t count, int limit,
                                                                     int forbidden = -1) {
    for (std::size_t i = 0; i < count; ++i) {
        if (bytes[i] >= limit || bytes[i] == forbidden) {
            return false;
        }
    }
    return true;
}
