#include "services/letter_case.h"

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
