// SPDX-License-Identifier: MIT
#include "backends/terminal/glyphs.h"

#include <cwchar>

namespace {

struct StandIn {
    wchar_t ch;
    wchar_t ascii;
};

constexpr StandIn kStandIns[] = {
    {Glyph::kHorizontal, L'-'},
    {Glyph::kVertical, L'|'},
    {Glyph::kTopLeft, L'+'},
    {Glyph::kTopRight, L'+'},
    {Glyph::kBottomLeft, L'+'},
    {Glyph::kBottomRight, L'+'},
    {Glyph::kDropDownArrow, L'v'},
    {Glyph::kMoreAbove, L'^'},
    {Glyph::kMoreBelow, L'v'},
    {L'\u00B0', L'o'},  // the degree sign
    {L'\u00C4', L'A'},
    {L'\u00D6', L'O'},
    {L'\u00DC', L'U'},
    {L'\u00E4', L'a'},
    {L'\u00F6', L'o'},
    {L'\u00FC', L'u'},
    {L'\u00DF', L's'},
};

}  // namespace

wchar_t CharacterToShow(wchar_t ch) {
    if (wcwidth(ch) == 1) {
        return ch;
    }
    for (const StandIn& standIn : kStandIns) {
        if (standIn.ch == ch) {
            return standIn.ascii;
        }
    }
    return L'?';
}
