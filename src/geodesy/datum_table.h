// SPDX-License-Identifier: MIT
// The built-in geodetic datums with their shifts to WGS 84, loaded once from
// two fixed entries and built-in text records, read-only afterwards. Datum
// indices are 1-based: 1 WGS 84, 2 WGS 72, then the seven-parameter and the
// three-parameter records in the order of their texts.
#pragma once

#include <cstdint>

namespace DatumTable {

using ErrorFlags = std::uint32_t;

constexpr ErrorFlags kNotLoadedError = 0x0001;
constexpr ErrorFlags kTooManySevenParameterError = 0x0008;
constexpr ErrorFlags kTooManyThreeParameterError = 0x0040;
constexpr ErrorFlags kUnknownCodeError = 0x0400;
constexpr ErrorFlags kLoadFailed = 0x8000;  // added to every failure of Load

enum DatumKind : std::int32_t { ThreeParameter = 0, SevenParameter = 1, Wgs84 = 2, Wgs72 = 3 };

struct DatumRecord {
    std::int32_t kind;  // a DatumKind
    char code[7];
    char name[33];
    char ellipsoidCode[3];  // the datum's ellipsoid in the ellipsoid table
    double dx, dy, dz;      // translation to WGS 84, metres
    double rx, ry, rz;      // rotations, radians; non-zero only for seven parameters
    double scale;  // seven parameters: scale difference (2.4664e-6 is 2.4664 ppm); else 1.0
    double sigmaX, sigmaY, sigmaZ;  // accuracy of dx, dy, dz in metres; kept, never used
    double west, east;              // area of use, radians; kept, never used
    double south, north;
};

// Fills the table from the built-in texts; a later call returns 0 and changes
// nothing. A failed load leaves the table unloaded and empty.
ErrorFlags Load();
// The code is upper-cased and cleared of white space after its length (at
// most 6) is checked; *index is 0 unless a datum matches.
ErrorFlags FindByCode(const char* code, std::int32_t* index);

// Read access for the datum shifts.
bool IsLoaded();
std::int32_t Count();
// The record of a datum index from 1 to Count(); nullptr for any other index.
const DatumRecord* Record(std::int32_t index);

}  // namespace DatumTable
