#include "route/name_case.h"

namespace {

wchar_t UpperCase(wchar_t c) {
    if ((c >= L'a' && c <= L'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7)) {
        return static_cast<wchar_t>(c - 0x20);
    }
    switch (c) {
        case 0xFF:  // ÿ
            return 0x178;
        case 0x161:  // š
            return 0x160;
        case 0x17E:  // ž
            return 0x17D;
        case 0x153:  // œ
            return 0x152;
        default:
            return c;
    }
}

}  // namespace

void NormaliseName(CString& name) {
    for (wchar_t& c : name.str()) {
        c = UpperCase(c);
    }
}
