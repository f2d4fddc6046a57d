// SPDX-License-Identifier: MIT
// Test access to the geocentric conversion: back to the ellipsoid state of
// program start. The program never includes this.
#pragma once

namespace GeocentricConverter {

void ResetForTesting();

}  // namespace GeocentricConverter
