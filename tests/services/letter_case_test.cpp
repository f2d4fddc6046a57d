// SPDX-License-Identifier: MIT
// The order of the device's sorted lists.
#include "services/letter_case.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using ::testing::ElementsAre;

std::vector<std::wstring> Sorted(std::vector<std::wstring> names) {
    std::stable_sort(names.begin(), names.end(), SortsBefore);
    return names;
}

TEST(SortsBefore, IgnoresCaseAndPutsAccentedLettersBesideTheirBase) {
    EXPECT_THAT(Sorted({L"Zebra.rte", L"\u00dcbersicht.rte", L"ulm.rte", L"Uhr.rte", L"b.rte",
                        L"A.rte", L"\u00e4pfel.rte", L"Ubersicht.rte"}),
                ElementsAre(L"A.rte", L"\u00e4pfel.rte", L"b.rte", L"Ubersicht.rte",
                            L"\u00dcbersicht.rte", L"Uhr.rte", L"ulm.rte", L"Zebra.rte"));
    // ß reads as ss, the ligatures as their two letters, š and ž as s and z.
    EXPECT_THAT(Sorted({L"Stra\u00dfe", L"Strasse", L"Strb", L"Strand", L"\u00c6rø", L"Af",
                        L"\u0161ipka", L"Sip", L"\u017dd\u00e1r", L"Zd"}),
                ElementsAre(L"\u00c6rø", L"Af", L"Sip", L"\u0161ipka", L"Strand", L"Strasse",
                            L"Stra\u00dfe", L"Strb", L"Zd", L"\u017dd\u00e1r"));
    // Names that differ only in case keep a fixed order: lower case first.
    EXPECT_THAT(Sorted({L"ROUTE", L"route", L"Route"}), ElementsAre(L"route", L"Route", L"ROUTE"));
}

}  // namespace
