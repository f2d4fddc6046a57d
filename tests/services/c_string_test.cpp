#include "services/c_string.h"

#include <gtest/gtest.h>

#include <clocale>

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

TEST(CStringFormat, DecimalPointUnderAGermanLocale) {
    ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr) << "scripts/setup makes this locale";
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
