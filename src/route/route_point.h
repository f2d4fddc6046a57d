// SPDX-License-Identifier: MIT
// What a route point needs before it may be written: a name that is not empty
// and a position on the Earth. The entry form's Add, the companion and the
// route line itself refuse alike, with the same words.
#pragma once

// The message for a point without a name, as Windows-1252 text indexed by
// the interface language (German 0, English 1).
extern const char* const EmptyNameMessages[2];

// The message for a position that is not on the Earth, as Windows-1252 text
// indexed by the interface language (German 0, English 1).
extern const char* const UnsoundPositionMessages[2];

// The navigation software reads a route file blindly: a latitude beyond a
// pole, a longitude beyond the date line or a number that is not finite
// ("inf" where it expects a decimal) must never reach it. The limits are
// closed: the poles and the date line are on the Earth.
bool IsSoundPosition(double latitude, double longitude);
