// SPDX-License-Identifier: MIT
// The fields of each display format as the position engine takes and gives
// them. The entry form and the companion store and show a format alike, so
// the same fields give the same position to the last bit.
#pragma once

#include <cstdint>

#include "engine/position_engine.h"

// The values behind the fields, as a fresh form holds them: zeros, north and
// east. UTM uses the latitude sign as its hemisphere (+1 north).
struct EntryFields {
    SignPair sign{1, 1};
    ValuePair degrees{0.0, 0.0};
    ValuePair minutes{0.0, 0.0};
    ValuePair seconds{0.0, 0.0};
    std::int32_t zone = 0;
    UtmCoordinates utm{0.0, 0.0};
};

// The Set operation of the format; false when the engine refused the entry
// (a grid position UTM cannot convert) and kept the position it held.
bool StoreFields(PositionEngine& engine, CoordFormat format, const EntryFields& fields);
// The Get operation of the format; the values it does not write keep theirs,
// and UTM leaves the longitude sign alone.
void ShowFields(const PositionEngine& engine, CoordFormat format, EntryFields& fields);
