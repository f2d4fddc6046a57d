// SPDX-License-Identifier: MIT
#include "entry/add_point.h"

#include <optional>
#include <string>

#include "route/route_line.h"
#include "route/route_point.h"

const char* const GridRefusedMessages[2] = {
    "Die Gitterposition kann nicht umgerechnet werden. Bitte Zone (1 bis 60), Halbkugel (N oder "
    "S), Nordwert (0 bis 10000000) und Ostwert (100000 bis 900000) pr\xFC"
    "fen.",
    "The grid position cannot be converted. Please check the zone (1 to 60), the hemisphere (N "
    "or S), the northing (0 to 10000000) and the easting (100000 to 900000).",
};

void GetWgs84Degrees(const PositionEngine& engine, double& latitude, double& longitude) {
    engine.GetWgs84(latitude, longitude);
    latitude *= AngleConstants::k180OverPi;
    longitude *= AngleConstants::k180OverPi;
}

PointRefusal CheckRoutePoint(const CString& name, double latitude, double longitude) {
    if (name.IsEmpty()) {
        return PointRefusal::EmptyName;
    }
    if (!IsSoundPosition(latitude, longitude)) {
        return PointRefusal::NotOnEarth;
    }
    return PointRefusal::None;
}

AppendResult AppendRoutePoint(const std::filesystem::path& file, const CString& name,
                              double latitude, double longitude) {
    if (!IsSoundPosition(latitude, longitude)) {
        return {false, UnsoundPositionMessages[1]};
    }
    const std::optional<std::string> line = FormatRouteLine(name, latitude, longitude);
    if (!line) {
        return {false, "the name is too long"};
    }
    return AppendToRouteFile(file, *line);
}
