// The entry form's fields of each display format as command arguments: read
// in the form's order with hemisphere letters, handed to a position engine as
// the form stores them, and shown again as the form shows them.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "argument_reader.h"
#include "engine/position_engine.h"
#include "result_line.h"

// "deg", "dm", "dms" or "utm".
std::optional<CoordFormat> ParseFormat(std::string_view name);
std::size_t FieldCount(CoordFormat format);

// The form's members behind the fields, as a fresh form holds them: zeros,
// north and east.
struct EntryFields {
    SignPair sign{1, 1};
    ValuePair degrees{0.0, 0.0};
    ValuePair minutes{0.0, 0.0};
    ValuePair seconds{0.0, 0.0};
    std::int32_t zone = 0;
    UtmCoordinates utm{0.0, 0.0};
};

// deg: LAT N/S LON E/W; dm: D M N/S D M E/W; dms: D M S N/S D M S E/W;
// utm: ZONE N/S NORTHING EASTING.
void ReadFields(ArgumentReader& in, CoordFormat format, EntryFields& fields);
// The Set operation of the format; false when the engine refused the entry
// (a grid position UTM cannot convert) and kept the position it held.
bool StoreFields(PositionEngine& engine, CoordFormat format, const EntryFields& fields);
// The Get operation of the format; members it does not write keep their values.
void ShowFields(const PositionEngine& engine, CoordFormat format, EntryFields& fields);
// The fields of the format in the syntax ReadFields reads, with English letters.
void WriteFields(ResultLine& out, CoordFormat format, const EntryFields& fields);
