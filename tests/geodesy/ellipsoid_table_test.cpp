// SPDX-License-Identifier: MIT
#include "geodesy/ellipsoid_table.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>

#include "geodesy/ellipsoid_table_testing.h"
#include "support/german_locale.h"

namespace {

using namespace EllipsoidTable;

class EllipsoidTableTest : public ::testing::Test {
protected:
    void SetUp() override { ResetForTesting(); }
};

TEST_F(EllipsoidTableTest, RefusesEverythingBeforeLoading) {
    std::int32_t index = -1;
    double a = -1.0;
    double f = -1.0;
    EXPECT_EQ(FindByCode("WE", &index), kNotLoadedError);
    EXPECT_EQ(index, 0);
    EXPECT_EQ(Parameters(1, &a, &f), kNotLoadedError);
    EXPECT_EQ(a, 0.0);
    EXPECT_EQ(f, 0.0);
    a = f = -1.0;
    EXPECT_EQ(Wgs84Parameters(&a, &f), kNotLoadedError);
    EXPECT_EQ(a, 0.0);
    EXPECT_EQ(f, 0.0);
}

TEST_F(EllipsoidTableTest, LooksUpTwoUpperCasedCharacters) {
    ASSERT_EQ(Load(), 0u);
    const struct {
        const char* code;
        ErrorFlags flags;
        std::int32_t index;
    } cases[] = {
        {"IN", 0, 1},
        {"Br", 0, 2},
        {"wd", 0, 3},
        {"we", 0, 4},
        {"WEX", 0, 4},
        {"WGE", kUnknownCodeError, 0},  // looked up as "WG"
        {"W", kUnknownCodeError, 0},
        {"", kUnknownCodeError, 0},
    };
    for (const auto& c : cases) {
        std::int32_t index = -1;
        EXPECT_EQ(FindByCode(c.code, &index), c.flags) << c.code;
        EXPECT_EQ(index, c.index) << c.code;
    }
}

TEST_F(EllipsoidTableTest, GivesTheFlatteningOfEachRow) {
    ASSERT_EQ(Load(), 0u);
    double a = 0.0;
    double f = 0.0;
    ASSERT_EQ(Parameters(4, &a, &f), 0u);
    EXPECT_EQ(a, 6378137.0);
    EXPECT_EQ(f, 0.0033528106647474805);
    ASSERT_EQ(Parameters(1, &a, &f), 0u);
    EXPECT_EQ(a, 6378388.0);
    EXPECT_EQ(f, 1.0 / 297);
    ASSERT_EQ(Parameters(2, &a, &f), 0u);
    EXPECT_EQ(a, 6377397.155);
    EXPECT_EQ(f, 1.0 / 299.1528128);
    ASSERT_EQ(Wgs72Parameters(&a, &f), 0u);
    EXPECT_EQ(a, 6378135.0);
    EXPECT_EQ(f, 1.0 / 298.26);
    ASSERT_EQ(Wgs84Parameters(&a, &f), 0u);
    EXPECT_EQ(a, 6378137.0);

    for (std::int32_t index : {0, 5}) {
        a = f = -1.0;
        EXPECT_EQ(Parameters(index, &a, &f), kIndexError);
        EXPECT_EQ(a, 0.0);
        EXPECT_EQ(f, 0.0);
    }
}

TEST_F(EllipsoidTableTest, SecondLoadChangesNothing) {
    ASSERT_EQ(Load(), 0u);
    EXPECT_EQ(Load(), 0u);
    std::int32_t index = 0;
    EXPECT_EQ(FindByCode("WE", &index), 0u);
    EXPECT_EQ(index, 4);
    EXPECT_EQ(FindByCode("IN", &index), 0u);
    EXPECT_EQ(index, 1);
}

TEST_F(EllipsoidTableTest, ReadsDecimalPointsUnderAGermanLocale) {
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    ASSERT_NE(std::setlocale(LC_ALL, kGermanLocale), nullptr) << "scripts/setup makes this locale";
    const ErrorFlags flags = Load();
    std::setlocale(LC_ALL, previous.c_str());
    ASSERT_EQ(flags, 0u);
    double a = 0.0;
    double f = 0.0;
    ASSERT_EQ(Parameters(2, &a, &f), 0u);
    EXPECT_EQ(a, 6377397.155);
    EXPECT_EQ(f, 1.0 / 299.1528128);
}

TEST_F(EllipsoidTableTest, FailedLoads) {
    const char* row = "Row                            XX 6378137.000 6356752.3142 298.257223563";
    const char* rows[33];
    for (auto& r : rows) {
        r = row;
    }
    // Too many rows leave the table unloaded, so neither WGS row is found.
    EXPECT_EQ(LoadRowsForTesting(rows, 33), kTooManyRowsError | kMissingWgsError);
    std::int32_t index = 0;
    EXPECT_EQ(FindByCode("XX", &index), kNotLoadedError);

    // Without the WGS rows the table still loads.
    EXPECT_EQ(LoadRowsForTesting(rows, 32), kMissingWgsError);
    EXPECT_EQ(FindByCode("XX", &index), 0u);
    EXPECT_EQ(index, 1);
}

}  // namespace
