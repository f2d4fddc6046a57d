// SPDX-License-Identifier: MIT
#include "geodesy/table_numbers.h"

#include <charconv>
#include <cstring>

void ScanTableNumbers(const char* text, double* const* values, int count) {
    const char* at = text;
    const char* const end = text + std::strlen(text);
    for (int read = 0; read < count; ++read) {
        while (at < end && (*at == ' ' || (*at >= '\t' && *at <= '\r'))) {
            ++at;
        }
        // from_chars takes a minus sign only.
        const bool plus = at < end && *at == '+' && at + 1 < end && at[1] != '-';
        const auto [stop, error] = std::from_chars(at + (plus ? 1 : 0), end, *values[read]);
        if (error != std::errc{}) {
            return;
        }
        at = stop;
    }
}
