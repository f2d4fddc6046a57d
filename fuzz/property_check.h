// SPDX-License-Identifier: MIT
// A property a fuzzer checks beside the sanitizers: when it fails, the
// fuzzer stops and saves the input, just as for a sanitizer's report.
#pragma once

#include <cstdio>
#include <cstdlib>

inline void Check(bool condition, const char* property) {
    if (!condition) {
        std::fprintf(stderr, "property violated: %s\n", property);
        std::abort();
    }
}
