// SPDX-License-Identifier: MIT
// What quillpost-geo keeps of the library's module state from one command to
// the next: the geodetic tables, loaded once before the first command that
// needs them, and the UTM parameters of the last utm-set, which the everyday
// commands (each on WGS 84, as the program is) put back when they are done.
#pragma once

#include <cstdint>

namespace LibraryState {

// Datum table first, then the ellipsoid table, as the position engine does.
void LoadTables();

// utm-set: the library call, remembered when the library takes it.
std::uint32_t SetUtmParameters(double a, double f, std::int32_t zoneOverride);

// Puts back the UTM parameters of the last utm-set (WGS 84 without override
// when there was none) after something else, a position engine, changed them.
void RestoreUtmParameters();

// UTM on WGS 84 without override for the lifetime of the object.
class ScopedWgs84Utm {
public:
    ScopedWgs84Utm();
    ~ScopedWgs84Utm();
    ScopedWgs84Utm(const ScopedWgs84Utm&) = delete;
    ScopedWgs84Utm& operator=(const ScopedWgs84Utm&) = delete;
};

}  // namespace LibraryState
