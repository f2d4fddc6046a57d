#include "engine/truncation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

namespace {

TEST(Truncation, TowardZeroInsideTheRange) {
    EXPECT_EQ(Truncation::ToInt32(10999999.9), 10999999);
    EXPECT_EQ(Truncation::ToInt32(-2.9), -2);
    EXPECT_EQ(Truncation::ToInt32(-0.0), 0);
    EXPECT_EQ(Truncation::ToInt32(2147483647.9), INT32_MAX);
    EXPECT_EQ(Truncation::ToInt32(-2147483648.9), INT32_MIN);
}

TEST(Truncation, SaturatesOutsideTheRangeAndMapsNanToZero) {
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(Truncation::ToInt32(2147483648.0), INT32_MAX);
    EXPECT_EQ(Truncation::ToInt32(1e300), INT32_MAX);
    EXPECT_EQ(Truncation::ToInt32(inf), INT32_MAX);
    EXPECT_EQ(Truncation::ToInt32(-2147483649.0), INT32_MIN);
    EXPECT_EQ(Truncation::ToInt32(-inf), INT32_MIN);
    EXPECT_EQ(Truncation::ToInt32(std::nan("")), 0);
    EXPECT_EQ(Truncation::ToInt32(-std::numeric_limits<double>::quiet_NaN()), 0);
}

}  // namespace
