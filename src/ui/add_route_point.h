// Add: appends the entry form's named position as one route point to the
// route file the user picks.
#pragma once

#include "platform/c_string.h"

// The message shown when Add is asked for a point without a name, as
// Windows-1252 text indexed by the interface language (German 0, English 1).
extern const char* const EmptyNameMessages[2];

// Refuses an empty name with the message of the language, lets the user pick
// the route file and appends the route point for the WGS 84 position
// {latitude, longitude} in degrees. Returns 1 when the line was written, 0
// otherwise. A cancelled choice or an empty one ends silently; a file that
// cannot be written is named in a message with the reason.
int AddRoutePoint(const CString& name, const double position[2], int language);
