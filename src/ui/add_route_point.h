// Add: appends the entry form's named position as one route point to the
// route file the user picks.
#pragma once

#include "platform/c_string.h"

// Refuses an empty name with the message of the language, lets the user pick
// the route file and appends the route point for the WGS 84 position
// {latitude, longitude} in degrees. Returns 1 when the line was written, 0
// otherwise; a position that is not finite, a cancelled choice or a file
// that cannot be written end silently.
int AddRoutePoint(const CString& name, const double position[2], int language);
