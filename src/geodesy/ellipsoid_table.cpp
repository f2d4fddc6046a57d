// SPDX-License-Identifier: MIT
#include "geodesy/ellipsoid_table.h"

#include <cstdio>
#include <cstring>

#include "geodesy/ellipsoid_table_testing.h"
#include "geodesy/table_numbers.h"

namespace EllipsoidTable {
namespace {

struct EllipsoidRecord {
    char name[30];  // 29 characters with their trailing blanks, then the terminator
    char code[3];
    double a;
    double b;  // kept as read; nothing uses it
    double inverseFlattening;
};

constexpr int kMaxRows = 32;

// Each row: the name padded to 31 characters, the code, a, b and 1/f.
constexpr const char* kBuiltInRows[] = {
    "International 1924             IN 6378388.000 6356911.9460 297.000000000",
    "Bessel 1841                    BR 6377397.155 6356078.9630 299.152812800",
    "WGS 72                         WD 6378135.000 6356750.5200 298.260000000",
    "WGS 84                         WE 6378137.000 6356752.3142 298.257223563",
};

EllipsoidRecord rows[kMaxRows];
std::int32_t rowCount = 0;
std::int32_t loaded = 0;
std::int32_t wgs84Index = 0;
std::int32_t wgs72Index = 0;

char AsciiUpper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

ErrorFlags LoadRows(const char* const* texts, int count) {
    if (loaded) {
        return 0;
    }
    ErrorFlags flags = 0;
    int stored = 0;
    for (int i = 0; i < count; ++i) {
        if (stored == kMaxRows) {
            flags |= kTooManyRowsError;
            continue;
        }
        EllipsoidRecord& row = rows[stored];
        // %30c takes exactly 30 characters and adds no terminator; the 30th
        // is overwritten, so the name keeps 29 characters.
        int numbersAt = -1;
        std::sscanf(texts[i], "%30c %s%n", row.name, row.code, &numbersAt);
        if (numbersAt >= 0) {
            double* const numbers[] = {&row.a, &row.b, &row.inverseFlattening};
            ScanTableNumbers(texts[i] + numbersAt, numbers, 3);
        }
        row.name[29] = '\0';
        ++stored;
    }

    rowCount = stored;
    if (flags != 0) {
        loaded = 0;
        rowCount = 0;
    } else {
        loaded = 1;
    }
    if (FindByCode("WE", &wgs84Index) != 0) {
        flags |= kMissingWgsError;
    }
    if (FindByCode("WD", &wgs72Index) != 0) {
        flags |= kMissingWgsError;
    }
    return flags;
}

}  // namespace

ErrorFlags Load() {
    return LoadRows(kBuiltInRows, sizeof kBuiltInRows / sizeof kBuiltInRows[0]);
}

ErrorFlags FindByCode(const char* code, std::int32_t* index) {
    *index = 0;
    if (!loaded) {
        return kNotLoadedError;
    }
    // Only the first two characters count: "WGE" is looked up as "WG".
    char key[3] = {};
    for (int i = 0; i < 2 && code[i] != '\0'; ++i) {
        key[i] = AsciiUpper(code[i]);
    }
    for (std::int32_t i = 0; i < rowCount; ++i) {
        if (std::strcmp(key, rows[i].code) == 0) {
            *index = i + 1;
            return 0;
        }
    }
    return kUnknownCodeError;
}

ErrorFlags Parameters(std::int32_t index, double* a, double* f) {
    *a = 0.0;
    *f = 0.0;
    if (!loaded) {
        return kNotLoadedError;
    }
    if (index < 1 || index > rowCount) {
        return kIndexError;
    }
    const EllipsoidRecord& row = rows[index - 1];
    *a = row.a;
    *f = 1.0 / row.inverseFlattening;
    return 0;
}

// The load always finds both WGS rows among the built-in ones, so the index
// check inside Parameters never fires here.
ErrorFlags Wgs84Parameters(double* a, double* f) {
    return Parameters(wgs84Index, a, f);
}

ErrorFlags Wgs72Parameters(double* a, double* f) {
    return Parameters(wgs72Index, a, f);
}

void ResetForTesting() {
    std::memset(rows, 0, sizeof rows);
    rowCount = 0;
    loaded = 0;
    wgs84Index = 0;
    wgs72Index = 0;
}

ErrorFlags LoadRowsForTesting(const char* const* texts, int count) {
    return LoadRows(texts, count);
}

}  // namespace EllipsoidTable
