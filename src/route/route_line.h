// SPDX-License-Identifier: MIT
// The route-point line of the navigation software's route files. It knows no
// dialogs, so the entry form and the command-line companion share it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "services/c_string.h"

// The line for a named WGS 84 position in degrees, as Windows-1252 bytes
// ending in '\n'; the line holds the longitude first. Control characters in
// the name become blanks, so that one route point is always exactly one line.
// No line for a position that is not on the Earth (IsSoundPosition), so no
// caller can write one, nor for a name too long to be formatted.
std::optional<std::string> FormatRouteLine(const CString& name, double latitude, double longitude);

struct RoutePoint {
    CString name;
    double latitude = 0.0;
    double longitude = 0.0;
};

// The point of a line that FormatRouteLine writes, given with or without its
// line break (LF or CR LF). Any other line, also one the device writes of its
// own or one edited by hand so that it would be written differently, gives
// nothing: what is read is exactly what would be written again.
std::optional<RoutePoint> ReadRouteLine(std::string_view line);
