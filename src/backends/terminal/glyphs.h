// SPDX-License-Identifier: MIT
// The characters the dialogs are drawn with beyond plain text, and what
// stands in for a character the terminal cannot show: under a locale
// without UTF-8 the frames become ASCII and an umlaut loses its dots
// rather than turning into garbage.
#pragma once

namespace Glyph {
constexpr wchar_t kHorizontal = L'\u2500';
constexpr wchar_t kVertical = L'\u2502';
constexpr wchar_t kTopLeft = L'\u250C';
constexpr wchar_t kTopRight = L'\u2510';
constexpr wchar_t kBottomLeft = L'\u2514';
constexpr wchar_t kBottomRight = L'\u2518';
constexpr wchar_t kDropDownArrow = L'\u25BC';
constexpr wchar_t kMoreAbove = L'\u2191';
constexpr wchar_t kMoreBelow = L'\u2193';
}  // namespace Glyph

// The character as the terminal shows it under the current locale: itself
// where the locale's character set has it as one column, else a stand-in.
wchar_t CharacterToShow(wchar_t ch);
