// SPDX-License-Identifier: MIT
// Plain words for the error flags of the library's operations, for the one
// line that says why a command was refused.
#pragma once

#include <cstdint>
#include <span>
#include <string>

struct FlagReason {
    std::uint32_t flag;
    const char* text;
};
using FlagReasons = std::span<const FlagReason>;

extern const FlagReasons kTransverseMercatorReasons;
extern const FlagReasons kUtmReasons;
extern const FlagReasons kGeocentricReasons;
extern const FlagReasons kDatumShiftReasons;
extern const FlagReasons kDatumTableReasons;
extern const FlagReasons kEllipsoidTableReasons;

// "latitude outside ...; longitude outside ... (flags 0x0003)"
std::string DescribeFlags(std::uint32_t flags, FlagReasons reasons);
