// SPDX-License-Identifier: MIT
#include "route/name_case.h"

#include <gtest/gtest.h>

#include <clocale>
#include "support/german_locale.h"

namespace {

// Every lower-case letter of Windows-1252 with its upper-case partner, and the
// letters that have none; the result must not depend on the process locale.
TEST(NameCase, EveryWindows1252LetterHasItsUpperCase) {
    for (const char* locale : {"C", kGermanLocale}) {
        ASSERT_NE(std::setlocale(LC_ALL, locale), nullptr) << "scripts/setup makes " << locale;
        CString name(
            L"abcxyz \u00e0\u00e4\u00e7\u00e9\u00f0\u00f1\u00f6\u00f8\u00fe"
            L"\u00ff\u0161\u017e\u0153 \u00df\u00f7\u00b5\u00aa 09\u20ac\u0142");
        NormaliseName(name);
        EXPECT_EQ(name.str(),
                  L"ABCXYZ \u00c0\u00c4\u00c7\u00c9\u00d0\u00d1\u00d6\u00d8\u00de"
                  L"\u0178\u0160\u017d\u0152 \u00df\u00f7\u00b5\u00aa 09\u20ac\u0142")
            << locale;
    }
    std::setlocale(LC_ALL, "C");
}

}  // namespace
