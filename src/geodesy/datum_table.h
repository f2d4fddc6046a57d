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
constexpr ErrorFlags kLoadFailed = 0x8000;

enum DatumKind : std::int32_t { ThreeParameter = 0, SevenParameter = 1, Wgs84 = 2, Wgs72 = 3 };

struct DatumRecord {
    std::int32_t kind;
    char code[7];
    char name[33];
    char ellipsoidCode[3];
    double dx, dy, dz;
    double rx, ry, rz;
    double scale;
    double sigmaX, sigmaY, sigmaZ;
    double west, east;
    double south, north;
};

ErrorFlags Load();
ErrorFlags FindByCode(const char* code, std::int32_t* index);

// Read access for the datum shifts.
bool IsLoaded();
std::int32_t Count();
// The record of a datum index from 1 to Count(); nullptr for any other index.
const DatumRecord* Record(std::int32_t index);

}  // namespace DatumTable
