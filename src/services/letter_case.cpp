// SPDX-License-Identifier: MIT
#include "services/letter_case.h"

#include <algorithm>
#include <tuple>

namespace {

// Latin-1 puts each upper-case letter 0x20 below its lower-case one; the
// multiplication and division signs sit where a pair would be.
bool IsLatin1Lower(wchar_t c) {
    return (c >= L'a' && c <= L'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7);
}
bool IsLatin1Upper(wchar_t c) {
    return (c >= L'A' && c <= L'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7);
}

struct CasePair {
    wchar_t lower;
    wchar_t upper;
};

// The pairs of Windows-1252's own block 0x80-0x9F and of ÿ, whose upper case
// lies outside Latin-1.
constexpr CasePair kWindowsPairs[] = {
    {0x0161, 0x0160},  // š Š
    {0x017E, 0x017D},  // ž Ž
    {0x0153, 0x0152},  // œ Œ
    {0x00FF, 0x0178},  // ÿ Ÿ
};

}  // namespace

wchar_t UpperCaseWindows1252(wchar_t c) {
    if (IsLatin1Lower(c)) {
        return static_cast<wchar_t>(c - 0x20);
    }
    for (const CasePair& pair : kWindowsPairs) {
        if (pair.lower == c) {
            return pair.upper;
        }
    }
    return c;
}

wchar_t FoldLatin1Case(wchar_t c) {
    return IsLatin1Upper(c) ? static_cast<wchar_t>(c + 0x20) : c;
}

namespace {

// The base letters of the accented letters of Windows-1252, in lower case,
// indexed from 0xC0; ligatures and ß stand for two letters.
constexpr const wchar_t* kLatin1Bases[64] = {
    L"a", L"a", L"a", L"a", L"a", L"a", L"ae", L"c",       // À Á Â Ã Ä Å Æ Ç
    L"e", L"e", L"e", L"e", L"i", L"i", L"i",  L"i",       // È É Ê Ë Ì Í Î Ï
    L"d", L"n", L"o", L"o", L"o", L"o", L"o",  L"\u00d7",  // Ð Ñ Ò Ó Ô Õ Ö ×
    L"o", L"u", L"u", L"u", L"u", L"y", L"th", L"ss",      // Ø Ù Ú Û Ü Ý Þ ß
    L"a", L"a", L"a", L"a", L"a", L"a", L"ae", L"c",       // à á â ã ä å æ ç
    L"e", L"e", L"e", L"e", L"i", L"i", L"i",  L"i",       // è é ê ë ì í î ï
    L"d", L"n", L"o", L"o", L"o", L"o", L"o",  L"\u00f7",  // ð ñ ò ó ô õ ö ÷
    L"o", L"u", L"u", L"u", L"u", L"y", L"th", L"y",       // ø ù ú û ü ý þ ÿ
};

std::wstring BaseLetters(wchar_t c) {
    if (c >= 0xC0 && c <= 0xFF) {
        return kLatin1Bases[c - 0xC0];
    }
    switch (c) {
        case 0x0160:  // Š
        case 0x0161:
            return L"s";
        case 0x017D:  // Ž
        case 0x017E:
            return L"z";
        case 0x0152:  // Œ
        case 0x0153:
            return L"oe";
        case 0x0178:  // Ÿ
            return L"y";
        default:
            return std::wstring(1, FoldLatin1Case(c));
    }
}

std::wstring Bases(const std::wstring& text) {
    std::wstring bases;
    for (wchar_t c : text) {
        bases += BaseLetters(c);
    }
    return bases;
}

// Each letter in lower case, its accent kept.
std::wstring Folded(const std::wstring& text) {
    std::wstring folded = text;
    for (wchar_t& c : folded) {
        c = FoldLatin1Case(c);
        if (c == 0x0160 || c == 0x017D || c == 0x0152) {
            ++c;  // Š Ž Œ to š ž œ
        } else if (c == 0x0178) {
            c = 0x00FF;  // Ÿ to ÿ
        }
    }
    return folded;
}

// Lower case before upper case where two names differ only in case.
std::wstring CaseSwapped(const std::wstring& text) {
    std::wstring swapped = text;
    for (wchar_t& c : swapped) {
        const wchar_t lower = FoldLatin1Case(c);
        c = lower != c ? lower : UpperCaseWindows1252(c);
    }
    return swapped;
}

}  // namespace

bool SortsBefore(const std::wstring& left, const std::wstring& right) {
    return std::forward_as_tuple(Bases(left), Folded(left), CaseSwapped(left)) <
           std::forward_as_tuple(Bases(right), Folded(right), CaseSwapped(right));
}
