// SPDX-License-Identifier: MIT
// Test access to the ellipsoid table: back to the unloaded state, and loading
// from rows other than the built-in ones. The program never includes this.
#pragma once

#include "geodesy/ellipsoid_table.h"

namespace EllipsoidTable {

void ResetForTesting();
// Load, from the given rows instead of the built-in ones.
ErrorFlags LoadRowsForTesting(const char* const* rows, int count);

}  // namespace EllipsoidTable
