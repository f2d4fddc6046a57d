// SPDX-License-Identifier: MIT
// Add, from the position the engine holds to one line in a route file, for
// the entry form and the companion alike: the position it writes, what it
// refuses before a route file is asked for, and the append once one is chosen.
#pragma once

#include <filesystem>

#include "engine/position_engine.h"
#include "route/route_file.h"
#include "services/c_string.h"

// What Add says when the engine cannot convert the grid position of the UTM
// fields, as Windows-1252 text indexed by the interface language (German 0,
// English 1).
extern const char* const GridRefusedMessages[2];

// The engine's position in the WGS 84 degrees a route point is written in
// (the engine works in radians).
void GetWgs84Degrees(const PositionEngine& engine, double& latitude, double& longitude);

enum class PointRefusal { None, EmptyName, NotOnEarth };
// What Add refuses before it asks for a route file, in this order: a point
// without a name (a name of blanks has one), then a position that is not on
// the Earth (IsSoundPosition): fields each inside their range can still add
// up to one beyond a pole or the date line, and a number too large for a
// double gives one that is not finite.
PointRefusal CheckRoutePoint(const CString& name, double latitude, double longitude);

// Add once the route file is chosen: the point's line appended to the route
// file at a host path. When nothing was written the reason, in English, is
// a name too long for the line or the append's own.
AppendResult AppendRoutePoint(const std::filesystem::path& file, const CString& name,
                              double latitude, double longitude);
