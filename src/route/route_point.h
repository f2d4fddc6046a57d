// SPDX-License-Identifier: MIT
// What a route point needs before it may be written: a name that is not empty
// and a position of finite numbers. The entry form's Add and the companion
// refuse alike, with the same words.
#pragma once

// The message for a point without a name, as Windows-1252 text indexed by
// the interface language (German 0, English 1).
extern const char* const EmptyNameMessages[2];

// A number too large for a double arrives as an infinity; written, it would
// put "inf" where the navigation software expects a decimal.
bool IsFinitePosition(double latitude, double longitude);
