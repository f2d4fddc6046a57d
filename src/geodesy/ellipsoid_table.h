// The built-in reference ellipsoids, each under a two-letter code, loaded
// once from rows of text and read-only afterwards. Indices are 1-based.
#pragma once

#include <cstdint>

namespace EllipsoidTable {

using ErrorFlags = std::uint32_t;

constexpr ErrorFlags kMissingWgsError = 0x0002;
constexpr ErrorFlags kTooManyRowsError = 0x0004;
constexpr ErrorFlags kNotLoadedError = 0x0008;
constexpr ErrorFlags kIndexError = 0x0010;
constexpr ErrorFlags kUnknownCodeError = 0x0020;

ErrorFlags Load();
ErrorFlags FindByCode(const char* code, std::int32_t* index);
ErrorFlags Parameters(std::int32_t index, double* a, double* f);
ErrorFlags Wgs84Parameters(double* a, double* f);
ErrorFlags Wgs72Parameters(double* a, double* f);

}  // namespace EllipsoidTable
