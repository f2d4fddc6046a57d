// SPDX-License-Identifier: MIT
// Conversion of a double to a 32-bit signed integer toward zero, defined for
// every double: the plain cast is undefined out of range and for NaN, and the
// engine truncates whatever the user typed.
#pragma once

#include <cstdint>

namespace Truncation {

// Toward zero; values beyond the 32-bit range give its nearest limit, NaN gives 0.
std::int32_t ToInt32(double value);

}  // namespace Truncation
