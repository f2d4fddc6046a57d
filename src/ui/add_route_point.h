// Add: appends the entry form's named position as one route point to the
// route file the user picks.
#pragma once

// The message shown when Add is asked for a point without a name, as
// Windows-1252 text indexed by the interface language (German 0, English 1).
extern const char* const EmptyNameMessages[2];
