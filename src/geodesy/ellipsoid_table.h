// SPDX-License-Identifier: MIT
// The built-in reference ellipsoids, each under a two-letter code, loaded
// once from rows of text and read-only afterwards. Indices are 1-based; every
// operation other than Load refuses to work before the table is loaded.
#pragma once

#include <cstdint>

namespace EllipsoidTable {

using ErrorFlags = std::uint32_t;

constexpr ErrorFlags kMissingWgsError = 0x0002;   // Load: no row "WE" or no row "WD"
constexpr ErrorFlags kTooManyRowsError = 0x0004;  // Load
constexpr ErrorFlags kNotLoadedError = 0x0008;
constexpr ErrorFlags kIndexError = 0x0010;
constexpr ErrorFlags kUnknownCodeError = 0x0020;

// Fills the table from the built-in rows; a later call returns 0 and changes
// nothing.
ErrorFlags Load();
// Looks up the first two characters of the code, upper-cased; *index is 0
// unless a row matches.
ErrorFlags FindByCode(const char* code, std::int32_t* index);
// a in metres and the flattening f (not its inverse); both 0.0 on a refusal.
ErrorFlags Parameters(std::int32_t index, double* a, double* f);
ErrorFlags Wgs84Parameters(double* a, double* f);
ErrorFlags Wgs72Parameters(double* a, double* f);

}  // namespace EllipsoidTable
