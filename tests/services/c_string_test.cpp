// SPDX-License-Identifier: MIT
#include "services/c_string.h"

#include <gtest/gtest.h>

#include <clocale>
#include "support/german_locale.h"

TEST(CStringFormat, WideStringArgumentsAsTheDeviceReadsThem) {
    CString line;
    line.Format(L"[%s||]%c|%5s|%-4s|", L"H\u00e4user", L'\u00c4', L"ab", L"x");
    EXPECT_EQ(line.str(), L"[H\u00e4user||]\u00c4|   ab|x   |");
}

TEST(CStringFormat, NumbersAndPercent) {
    CString text;
    text.Format(L"%f,%d,%.15g,%.15g,%%,%ld", -10.5, -42, 53.5, 0.0, 7L);
    EXPECT_EQ(text.str(), L"-10.500000,-42,53.5,0,%,7");
}

TEST(CStringFormat, FlagsWidthsAndPrecisionsAsPrintfHasThem) {
    CString text;
    text.Format(L"%+.2f|%08.3f|%-7.1f|% .0f|%e|%.3E|%G|%5d|%-4x|%*.*f|%.2s", 1.005, -3.14159, 2.0,
                7.5, 0.000123, 123456.0, 1e-10, 42, 255u, 6, 1, 9.96, L"abc");
    EXPECT_EQ(text.str(),
              L"+1.00|-003.142|2.0    | 8|1.230000e-04|1.235E+05|1E-10|   42|ff  |  10.0|ab");
    EXPECT_FALSE(text.Format(L"%n", nullptr));  // not a conversion of the program's
}

TEST(CStringFormat, DecimalPointUnderAGermanLocale) {
    ASSERT_NE(std::setlocale(LC_ALL, kGermanLocale), nullptr) << "scripts/setup makes this locale";
    CString german;
    german.Format(L"%s", L"x");  // the locale really is in force: wide text still works
    CString text;
    text.Format(L"%f", 10.0);
    std::setlocale(LC_ALL, "C");
    EXPECT_EQ(text.str(), L"10.000000");
}

TEST(CStringFormat, LongResultsAreNotCut) {
    const std::wstring name(5000, L'n');
    CString text;
    text.Format(L"<%s>", name.c_str());
    EXPECT_EQ(text.str(), L"<" + name + L">");
}
