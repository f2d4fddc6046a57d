// SPDX-License-Identifier: MIT
// The route-point line of the navigation software's route files. It knows no
// dialogs, so the entry form and the command-line companion share it.
#pragma once

#include <optional>
#include <string>

#include "services/c_string.h"

// The line for a named WGS 84 position in degrees, as Windows-1252 bytes
// ending in '\n'; the line holds the longitude first. Control characters in
// the name become blanks, so that one route point is always exactly one line.
// No line for a position that is not on the Earth (IsSoundPosition), so no
// caller can write one, nor for a name too long to be formatted.
std::optional<std::string> FormatRouteLine(const CString& name, double latitude, double longitude);
