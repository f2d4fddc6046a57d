// SPDX-License-Identifier: MIT
// Test access to the datum table: back to the unloaded state, and loading
// from texts other than the built-in ones. The program never includes this.
#pragma once

#include "geodesy/datum_table.h"

namespace DatumTable {

void ResetForTesting();
// Load, from the given seven- and three-parameter texts instead of the
// built-in ones.
ErrorFlags LoadTextsForTesting(const char* const* sevenTexts, int sevenCount,
                               const char* const* threeTexts, int threeCount);

}  // namespace DatumTable
