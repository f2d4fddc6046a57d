// SPDX-License-Identifier: MIT
// Add: appends the entry form's named position as one route point to the
// route file the user picks.
#pragma once

#include "services/c_string.h"

// Refuses an empty name or a position that is not on the Earth with the
// message of the language, lets the user pick the route file and appends the
// route point for the WGS 84 position in degrees. Returns 1 when the line was
// written, 0 otherwise. A cancelled choice or an empty one end silently; a
// file that cannot be written is named in a message with the reason.
int AddRoutePoint(const CString& name, double latitude, double longitude, int language);

// The language of Add's messages: any language but English speaks German, as
// the framework's messages do.
int MessageLanguage(int language);
