// SPDX-License-Identifier: MIT
// The entry form's fields of each display format as command arguments: read
// in the form's order with hemisphere letters, and written back the same way.
#pragma once

#include <optional>
#include <string_view>

#include "argument_reader.h"
#include "engine/position_engine.h"
#include "entry/entry_fields.h"
#include "result_line.h"

// "deg", "dm", "dms" or "utm".
std::optional<CoordFormat> ParseFormat(std::string_view name);
std::size_t FieldCount(CoordFormat format);

// deg: LAT N/S LON E/W; dm: D M N/S D M E/W; dms: D M S N/S D M S E/W;
// utm: ZONE N/S NORTHING EASTING. The numbers are read and checked as the
// entry form reads its fields, in the same order (the reader's Refusal()).
void ReadFields(ArgumentReader& in, CoordFormat format, EntryFields& fields);
// The fields of the format in the syntax ReadFields reads, with English letters.
void WriteFields(ResultLine& out, CoordFormat format, const EntryFields& fields);
