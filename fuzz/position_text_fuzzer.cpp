// SPDX-License-Identifier: MIT
// Fuzzes the reader of position text with whatever a user may paste, as
// UTF-8 bytes (the companion's argument; the form's paste is the same text
// wide). Beyond running clean, every text it accepts must give a position on
// the Earth through the engine's Set operation of the text's format, as the
// form and the companion store it.
#include <cstdint>
#include <string_view>

#include "engine/position_engine.h"
#include "entry/add_point.h"
#include "entry/entry_fields.h"
#include "entry/position_text.h"
#include "property_check.h"
#include "route/route_point.h"
#include "services/host_path.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    // The engine sets UTM to WGS 84, as the program runs.
    static PositionEngine engine;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    EntryFields fields;
    const PositionText read = ReadPositionText(HostBytesToWide(bytes), fields);
    if (read.kind != PositionText::Kind::Position) {
        return 0;
    }
    Check(StoreFields(engine, read.format, fields), "an accepted text stores");
    double latitude = 0.0;
    double longitude = 0.0;
    GetWgs84Degrees(engine, latitude, longitude);
    Check(IsSoundPosition(latitude, longitude), "an accepted text is on the Earth");
    return 0;
}
