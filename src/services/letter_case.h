// SPDX-License-Identifier: MIT
// Letter case as the device knows it, the same whatever locale the process
// runs in: its code page, Windows-1252, pairs the Latin-1 letters and four
// letters of its own block (š, ž, œ, ÿ).
#pragma once

#include <string>

// Upper case for every letter of Windows-1252 that has an upper-case partner
// there; every other character as it is (ß has none).
wchar_t UpperCaseWindows1252(wchar_t c);

// Lower case for the ASCII and Latin-1 letters only, as the device's file
// search and its sorted lists ignore letter case.
wchar_t FoldLatin1Case(wchar_t c);

// The order of the device's sorted lists: without regard to letter case, and
// with the accented letters of its code page beside their base letters
// ("Übersicht" between "Ubersicht" and "Uhr", ß as "ss", Æ as "ae"). Names
// that differ only in accents put the plain letter first, then names that
// differ only in case put the lower case first.
bool SortsBefore(const std::wstring& left, const std::wstring& right);
