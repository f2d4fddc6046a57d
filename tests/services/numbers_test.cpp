// SPDX-License-Identifier: MIT
// The policies of what counts as a number, side by side on the same texts,
// and the writing of numbers, all under a German locale, whose decimal comma
// must never get in.
#include "services/numbers.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <limits>
#include <optional>
#include <string>
#include "support/german_locale.h"

namespace {

class NumbersTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(std::setlocale(LC_ALL, kGermanLocale), nullptr)
            << "scripts/setup makes this locale";
    }
    void TearDown() override { std::setlocale(LC_ALL, "C"); }
};

TEST_F(NumbersTest, TheFormAndTheCompanionDifferWhereTheirPoliciesSay) {
    struct Case {
        const char* text;
        std::optional<double> form;
        std::optional<double> companion;
    };
    const double inf = std::numeric_limits<double>::infinity();
    const Case cases[] = {
        {"53.5", 53.5, 53.5},
        {"-0.25e2", -25.0, -25.0},
        {" 53.5\t", 53.5, std::nullopt},  // the form allows blanks around
        {"53,5", std::nullopt, std::nullopt},
        {".5", 0.5, 0.5},
        {"5.", 5.0, 5.0},
        {".", std::nullopt, std::nullopt},
        {"1e", std::nullopt, std::nullopt},
        {"0x10", std::nullopt, 16.0},  // strtod reads hex floats
        {"inf", std::nullopt, inf},
        {"1e400", inf, inf},
        {"-1e400", -inf, -inf},
        {"1e-400", 0.0, 0.0},  // too small: zero, as strtod has it
        {"4e-320", 4e-320, 4e-320},
        {"0.000001e-320", 0.0, 0.0},
        {"+0x1.8p1", std::nullopt, 3.0},
        {"0x1p-2000", std::nullopt, 0.0},
        {"0xinf", std::nullopt, std::nullopt},
        {"+-1", std::nullopt, std::nullopt},
        {"53.5x", std::nullopt, std::nullopt},
        {"", std::nullopt, std::nullopt},
    };
    for (const Case& c : cases) {
        const std::string text = c.text;
        EXPECT_EQ(Numbers::ReadFormDecimal(std::wstring(text.begin(), text.end())), c.form) << text;
        EXPECT_EQ(Numbers::ReadCDecimal(text), c.companion) << text;
    }
    EXPECT_TRUE(std::isnan(Numbers::ReadCDecimal("nan").value()));
    EXPECT_FALSE(Numbers::ReadFormDecimal(L"nan"));
}

TEST_F(NumbersTest, WholeNumbers) {
    // The form holds numbers beyond the int at its limits, so the range check speaks.
    EXPECT_EQ(Numbers::ReadFormWholeNumber(L" +32 "), 32);
    EXPECT_EQ(Numbers::ReadFormWholeNumber(L"99999999999"), std::numeric_limits<int>::max());
    EXPECT_EQ(Numbers::ReadFormWholeNumber(L"-99999999999"), std::numeric_limits<int>::min());
    EXPECT_FALSE(Numbers::ReadFormWholeNumber(L"3.0"));
    EXPECT_FALSE(Numbers::ReadFormWholeNumber(L"-"));
    // Elsewhere a number that does not fit is none.
    EXPECT_EQ(Numbers::ReadWholeNumber("+32"), 32);
    EXPECT_EQ(Numbers::ReadWholeNumber("-2147483648"), std::numeric_limits<int>::min());
    EXPECT_FALSE(Numbers::ReadWholeNumber("2147483648"));
    EXPECT_FALSE(Numbers::ReadWholeNumber("+-1"));
    EXPECT_FALSE(Numbers::ReadWholeNumber(" 1"));
    EXPECT_FALSE(Numbers::ReadWholeNumber("1e3"));
}

TEST_F(NumbersTest, WritingMatchesPrintfInTheCLocale) {
    const double values[] = {53.5, -0.000123456789, 1e308, 5933912.1665, 0.1 + 0.2};
    for (const double value : values) {
        char expected[400];
        std::setlocale(LC_NUMERIC, "C");
        std::snprintf(expected, sizeof expected, "%.3f", value);
        std::setlocale(LC_NUMERIC, kGermanLocale);
        EXPECT_EQ(Numbers::WriteFixed(value, 3), expected);
        std::setlocale(LC_NUMERIC, "C");
        std::snprintf(expected, sizeof expected, "%.17g", value);
        std::setlocale(LC_NUMERIC, kGermanLocale);
        EXPECT_EQ(Numbers::WriteGeneral(value, 17), expected);
    }
}

}  // namespace
