// SPDX-License-Identifier: MIT
#include "engine/truncation.h"

#include <cmath>
#include <limits>

namespace Truncation {

std::int32_t ToInt32(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    // The limits are exact doubles, so these tests catch every value the cast
    // cannot take.
    if (value >= static_cast<double>(std::numeric_limits<std::int32_t>::max())) {
        return std::numeric_limits<std::int32_t>::max();
    }
    if (value <= static_cast<double>(std::numeric_limits<std::int32_t>::min())) {
        return std::numeric_limits<std::int32_t>::min();
    }
    return static_cast<std::int32_t>(value);
}

}  // namespace Truncation
