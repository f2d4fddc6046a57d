// SPDX-License-Identifier: MIT
#include "geodesy/datum_table.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <string>

#include "geodesy/datum_table_testing.h"
#include "support/german_locale.h"

namespace {

using namespace DatumTable;

const double kPi = 4.0 * std::atan(1.0);

class DatumTableTest : public ::testing::Test {
protected:
    void SetUp() override { ResetForTesting(); }
};

TEST_F(DatumTableTest, RefusesLookupsBeforeLoading) {
    std::int32_t index = -1;
    EXPECT_EQ(FindByCode("WGE", &index), kNotLoadedError);
    EXPECT_EQ(index, 0);
    EXPECT_FALSE(IsLoaded());
    EXPECT_EQ(Count(), 0);
    EXPECT_EQ(Record(1), nullptr);
}

TEST_F(DatumTableTest, CleansTheCodeAfterCheckingItsLength) {
    ASSERT_EQ(Load(), 0u);
    const struct {
        const char* code;
        ErrorFlags flags;
        std::int32_t index;
    } cases[] = {
        {"WGE", 0, 1},
        {"WGC", 0, 2},
        {"EUR-7", 0, 3},
        {"DHDN", 0, 4},
        {"dhdn", 0, 4},
        {" WGE ", 0, 1},
        {"WG E", 0, 1},
        {"\tDhdn\r", 0, 4},
        {"EUR-7  ", kUnknownCodeError, 0},  // seven characters before cleaning
        {"", kUnknownCodeError, 0},
        {"  ", kUnknownCodeError, 0},
        {"WG", kUnknownCodeError, 0},
    };
    for (const auto& c : cases) {
        std::int32_t index = -1;
        EXPECT_EQ(FindByCode(c.code, &index), c.flags) << '"' << c.code << '"';
        EXPECT_EQ(index, c.index) << '"' << c.code << '"';
    }
}

void ExpectWholeEarth(const DatumRecord& r) {
    EXPECT_EQ(r.west, -kPi);
    EXPECT_EQ(r.east, kPi);
    EXPECT_EQ(r.south, -kPi / 2);
    EXPECT_EQ(r.north, kPi / 2);
}

void ExpectBuiltInRecords() {
    ASSERT_TRUE(IsLoaded());
    ASSERT_EQ(Count(), 4);
    EXPECT_EQ(Record(0), nullptr);
    EXPECT_EQ(Record(5), nullptr);

    const DatumRecord& wgs84 = *Record(1);
    EXPECT_EQ(wgs84.kind, Wgs84);
    EXPECT_STREQ(wgs84.code, "WGE");
    EXPECT_STREQ(wgs84.name, "World Geodetic System 1984");
    EXPECT_STREQ(wgs84.ellipsoidCode, "WE");
    EXPECT_EQ(wgs84.scale, 1.0);
    ExpectWholeEarth(wgs84);
    const DatumRecord& wgs72 = *Record(2);
    EXPECT_EQ(wgs72.kind, Wgs72);
    EXPECT_STREQ(wgs72.code, "WGC");
    EXPECT_STREQ(wgs72.name, "World Geodetic System 1972");
    EXPECT_STREQ(wgs72.ellipsoidCode, "WD");

    const DatumRecord& eur = *Record(3);
    EXPECT_EQ(eur.kind, SevenParameter);
    EXPECT_STREQ(eur.code, "EUR-7");
    EXPECT_STREQ(eur.name, "EUROPEAN 1950, Mean (7 Param)");
    EXPECT_STREQ(eur.ellipsoidCode, "IN");
    EXPECT_EQ(eur.dx, -102.0);
    EXPECT_EQ(eur.dy, -102.0);
    EXPECT_EQ(eur.dz, -129.0);
    EXPECT_EQ(eur.rx, 2.0022805029823482e-06);
    EXPECT_EQ(eur.ry, -8.920571732415305e-07);
    EXPECT_EQ(eur.rz, 1.8665326722716807e-06);
    EXPECT_EQ(eur.scale, 0.0000024664);
    EXPECT_EQ(eur.sigmaX, 0.0);
    ExpectWholeEarth(eur);

    const DatumRecord& dhdn = *Record(4);
    EXPECT_EQ(dhdn.kind, ThreeParameter);
    EXPECT_STREQ(dhdn.code, "DHDN");
    EXPECT_STREQ(dhdn.name, "Potsdam Datum");
    EXPECT_STREQ(dhdn.ellipsoidCode, "BR");
    EXPECT_EQ(dhdn.dx, 587.0);
    EXPECT_EQ(dhdn.dy, 16.0);
    EXPECT_EQ(dhdn.dz, 393.0);
    EXPECT_EQ(dhdn.rx, 0.0);
    EXPECT_EQ(dhdn.scale, 1.0);
    EXPECT_EQ(dhdn.sigmaX, -1.0);
    EXPECT_EQ(dhdn.sigmaY, -1.0);
    EXPECT_EQ(dhdn.sigmaZ, -1.0);
    EXPECT_EQ(dhdn.west, 0.10471975511965978);
    EXPECT_EQ(dhdn.east, 0.4188790204786391);
    EXPECT_EQ(dhdn.south, 0.8203047484373349);
    EXPECT_EQ(dhdn.north, 0.9599310885968813);
}

TEST_F(DatumTableTest, LoadsTheBuiltInDatumsInIndexOrder) {
    ASSERT_EQ(Load(), 0u);
    ExpectBuiltInRecords();
    EXPECT_EQ(Load(), 0u);
    ExpectBuiltInRecords();
}

TEST_F(DatumTableTest, ReadsDecimalPointsUnderAGermanLocale) {
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    ASSERT_NE(std::setlocale(LC_ALL, kGermanLocale), nullptr) << "scripts/setup makes this locale";
    const ErrorFlags flags = Load();
    std::setlocale(LC_ALL, previous.c_str());
    ASSERT_EQ(flags, 0u);
    ExpectBuiltInRecords();
}

TEST_F(DatumTableTest, TooManyTextsLeaveTheTableEmpty) {
    const char* seven = "S7 \"Seven\" IN 1 2 3 0.1 0.2 0.3 0.000001";
    const char* three = "T3 \"Three\" BR 1 -1 2 -1 3 -1 47 55 6 24";
    const char* sevens[26];
    const char* threes[251];
    for (auto& t : sevens) {
        t = seven;
    }
    for (auto& t : threes) {
        t = three;
    }
    EXPECT_EQ(LoadTextsForTesting(sevens, 26, threes, 1),
              kTooManySevenParameterError | kLoadFailed);
    EXPECT_FALSE(IsLoaded());
    EXPECT_EQ(Count(), 0);
    EXPECT_EQ(LoadTextsForTesting(sevens, 1, threes, 251),
              kTooManyThreeParameterError | kLoadFailed);
    EXPECT_EQ(Count(), 0);

    // The limits themselves fit.
    ASSERT_EQ(LoadTextsForTesting(sevens, 25, threes, 250), 0u);
    EXPECT_EQ(Count(), 277);
    EXPECT_EQ(Record(27)->kind, SevenParameter);
    EXPECT_EQ(Record(28)->kind, ThreeParameter);
    EXPECT_EQ(Record(277)->dz, 3.0);
}

}  // namespace
