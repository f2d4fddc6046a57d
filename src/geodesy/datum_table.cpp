// SPDX-License-Identifier: MIT
#include "geodesy/datum_table.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <iterator>

#include "geodesy/datum_table_testing.h"
#include "geodesy/table_numbers.h"

namespace DatumTable {
namespace {

constexpr int kMaxSevenParameter = 25;
constexpr int kMaxThreeParameter = 250;
constexpr int kMaxDatums = 2 + kMaxSevenParameter + kMaxThreeParameter;
constexpr std::size_t kMaxCodeLength = 6;

// The texts give rotations in arc-seconds and bounds in degrees.
constexpr double kArcSecondsToRadians = 4.848136811095274e-06;
constexpr double kDegreesToRadians = 0.017453292519943295;

// Code, "name", ellipsoid code, dx, dy, dz (m), rx, ry, rz (arc-seconds),
// scale difference.
constexpr const char* kSevenParameterTexts[] = {
    "EUR-7 \"EUROPEAN 1950, Mean (7 Param)\"  IN  -102  -102  -129  0.413 -0.184  0.385    "
    "0.0000024664",
};
// Code, "name", ellipsoid code, dx and its sigma, dy and its sigma, dz and
// its sigma (m), south, north, west, east (degrees).
constexpr const char* kThreeParameterTexts[] = {
    "DHDN   \"Potsdam Datum\"                  BR  587   -1   16   -1   393   -1   47   55    6   "
    "24 ",
};

const double kPi = 4.0 * std::atan(1.0);

DatumRecord wgs84Record;
DatumRecord wgs72Record;
DatumRecord sevenParameterRecords[kMaxSevenParameter];
DatumRecord threeParameterRecords[kMaxThreeParameter];
const DatumRecord* indexList[kMaxDatums];
std::int32_t sevenParameterCount = 0;
std::int32_t threeParameterCount = 0;
std::int32_t datumCount = 0;
bool loaded = false;

void SetWholeEarth(DatumRecord& record) {
    record.west = -kPi;
    record.east = kPi;
    record.south = -kPi / 2;
    record.north = kPi / 2;
}

void FillWgsRecord(DatumRecord& record, DatumKind kind, const char* code, const char* name,
                   const char* ellipsoidCode) {
    record.kind = kind;
    std::strcpy(record.code, code);
    std::strcpy(record.name, name);
    std::strcpy(record.ellipsoidCode, ellipsoidCode);
    record.dx = record.dy = record.dz = 0.0;
    record.rx = record.ry = record.rz = 0.0;
    record.scale = 1.0;
    record.sigmaX = record.sigmaY = record.sigmaZ = 0.0;
    SetWholeEarth(record);
}

// The texts are not checked against their formats: a field the scan does not
// reach keeps what it held.
void ScanSevenParameter(const char* text, DatumRecord& record) {
    int numbersAt = -1;
    std::sscanf(text, " %s \"%32[^\"]\" %s%n", record.code, record.name, record.ellipsoidCode,
                &numbersAt);
    if (numbersAt >= 0) {
        double* const numbers[] = {&record.dx, &record.dy, &record.dz,   &record.rx,
                                   &record.ry, &record.rz, &record.scale};
        ScanTableNumbers(text + numbersAt, numbers, 7);
    }
    record.kind = SevenParameter;
    record.rx *= kArcSecondsToRadians;
    record.ry *= kArcSecondsToRadians;
    record.rz *= kArcSecondsToRadians;
    record.sigmaX = record.sigmaY = record.sigmaZ = 0.0;
    SetWholeEarth(record);
}

void ScanThreeParameter(const char* text, DatumRecord& record) {
    int numbersAt = -1;
    std::sscanf(text, "%s \"%32[^\"]\" %s%n", record.code, record.name, record.ellipsoidCode,
                &numbersAt);
    if (numbersAt >= 0) {
        double* const numbers[] = {&record.dx,     &record.sigmaX, &record.dy,
                                   &record.sigmaY, &record.dz,     &record.sigmaZ,
                                   &record.south,  &record.north,  &record.west,
                                   &record.east};
        ScanTableNumbers(text + numbersAt, numbers, 10);
    }
    record.kind = ThreeParameter;
    record.rx = record.ry = record.rz = 0.0;
    record.scale = 1.0;
    record.south *= kDegreesToRadians;
    record.north *= kDegreesToRadians;
    record.west *= kDegreesToRadians;
    record.east *= kDegreesToRadians;
}

ErrorFlags LoadTexts(const char* const* sevenTexts, int sevenCount, const char* const* threeTexts,
                     int threeCount) {
    if (loaded) {
        return 0;
    }
    ErrorFlags flags = 0;
    int sevenStored = 0;
    for (int i = 0; i < sevenCount; ++i) {
        if (sevenStored == kMaxSevenParameter) {
            flags |= kTooManySevenParameterError;
            break;
        }
        ScanSevenParameter(sevenTexts[i], sevenParameterRecords[sevenStored++]);
    }
    int threeStored = 0;
    for (int i = 0; i < threeCount; ++i) {
        if (threeStored == kMaxThreeParameter) {
            flags |= kTooManyThreeParameterError;
            break;
        }
        ScanThreeParameter(threeTexts[i], threeParameterRecords[threeStored++]);
    }

    sevenParameterCount = sevenStored;
    threeParameterCount = threeStored;
    if (flags != 0) {
        datumCount = 0;
        return flags | kLoadFailed;
    }

    FillWgsRecord(wgs84Record, Wgs84, "WGE", "World Geodetic System 1984", "WE");
    FillWgsRecord(wgs72Record, Wgs72, "WGC", "World Geodetic System 1972", "WD");
    int n = 0;
    indexList[n++] = &wgs84Record;
    indexList[n++] = &wgs72Record;
    for (int i = 0; i < sevenParameterCount; ++i) {
        indexList[n++] = &sevenParameterRecords[i];
    }
    for (int i = 0; i < threeParameterCount; ++i) {
        indexList[n++] = &threeParameterRecords[i];
    }
    datumCount = n;
    loaded = true;
    return 0;
}

char AsciiUpper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

bool IsWhiteSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

}  // namespace

ErrorFlags Load() {
    return LoadTexts(kSevenParameterTexts, static_cast<int>(std::size(kSevenParameterTexts)),
                     kThreeParameterTexts, static_cast<int>(std::size(kThreeParameterTexts)));
}

ErrorFlags FindByCode(const char* code, std::int32_t* index) {
    *index = 0;
    if (!loaded) {
        return kNotLoadedError;
    }
    // The length counts the blanks that are removed below: " WGE " is a
    // valid way to write "WGE", "EUR-7  " is too long.
    if (std::strlen(code) > kMaxCodeLength) {
        return kUnknownCodeError;
    }
    char key[kMaxCodeLength + 1];
    std::size_t length = 0;
    for (const char* c = code; *c != '\0'; ++c) {
        const char upper = AsciiUpper(*c);
        if (!IsWhiteSpace(upper)) {
            key[length++] = upper;
        }
    }
    key[length] = '\0';
    for (std::int32_t i = 0; i < datumCount; ++i) {
        if (std::strcmp(indexList[i]->code, key) == 0) {
            *index = i + 1;
            return 0;
        }
    }
    return kUnknownCodeError;
}

bool IsLoaded() {
    return loaded;
}

std::int32_t Count() {
    return datumCount;
}

const DatumRecord* Record(std::int32_t index) {
    if (index < 1 || index > datumCount) {
        return nullptr;
    }
    return indexList[index - 1];
}

void ResetForTesting() {
    std::memset(&wgs84Record, 0, sizeof wgs84Record);
    std::memset(&wgs72Record, 0, sizeof wgs72Record);
    std::memset(sevenParameterRecords, 0, sizeof sevenParameterRecords);
    std::memset(threeParameterRecords, 0, sizeof threeParameterRecords);
    std::memset(indexList, 0, sizeof indexList);
    sevenParameterCount = 0;
    threeParameterCount = 0;
    datumCount = 0;
    loaded = false;
}

ErrorFlags LoadTextsForTesting(const char* const* sevenTexts, int sevenCount,
                               const char* const* threeTexts, int threeCount) {
    return LoadTexts(sevenTexts, sevenCount, threeTexts, threeCount);
}

}  // namespace DatumTable
