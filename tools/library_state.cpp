// SPDX-License-Identifier: MIT
#include "library_state.h"

#include <optional>

#include "geodesy/datum_table.h"
#include "geodesy/ellipsoid_table.h"
#include "projection/utm_projection.h"

namespace {

struct UtmParameters {
    double a;
    double f;
    std::int32_t zoneOverride;
};

bool tablesLoaded = false;
// None until the first accepted utm-set: the module then still has its start
// values, WGS 84 without override, and the everyday commands need not touch it.
std::optional<UtmParameters> chosenUtm;

void SetWgs84Utm() {
    LibraryState::LoadTables();
    double a = 0.0;
    double f = 0.0;
    EllipsoidTable::Wgs84Parameters(&a, &f);
    UtmProjection::SetParameters(a, f, 0);
}

}  // namespace

namespace LibraryState {

void LoadTables() {
    if (tablesLoaded) {
        return;
    }
    // The built-in tables always load; like the engine, nothing checks it.
    DatumTable::Load();
    EllipsoidTable::Load();
    tablesLoaded = true;
}

std::uint32_t SetUtmParameters(double a, double f, std::int32_t zoneOverride) {
    const std::uint32_t flags = UtmProjection::SetParameters(a, f, zoneOverride);
    if (flags == 0) {
        chosenUtm = UtmParameters{a, f, zoneOverride};
    }
    return flags;
}

void RestoreUtmParameters() {
    if (chosenUtm) {
        UtmProjection::SetParameters(chosenUtm->a, chosenUtm->f, chosenUtm->zoneOverride);
    } else {
        SetWgs84Utm();
    }
}

ScopedWgs84Utm::ScopedWgs84Utm() {
    if (chosenUtm) {
        SetWgs84Utm();
    }
}

ScopedWgs84Utm::~ScopedWgs84Utm() {
    if (chosenUtm) {
        RestoreUtmParameters();
    }
}

}  // namespace LibraryState
