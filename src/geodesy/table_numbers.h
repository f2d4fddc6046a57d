// SPDX-License-Identifier: MIT
// The numbers of the ellipsoid and datum tables' texts, read with a decimal
// point whatever locale the process runs in. The geodetic library stands on
// nothing else of the program, so it keeps this small reader of its own.
#pragma once

// Reads up to `count` numbers separated by white space from `text`, as
// sscanf's successive %lf conversions would, into values[0], values[1], ...
// The first text that is no number ends the reading: it and every value after
// it keep what they held.
void ScanTableNumbers(const char* text, double* const* values, int count);
