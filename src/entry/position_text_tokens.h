// SPDX-License-Identifier: MIT
// The characters, marks and words of position text, and the tokenizer that
// turns a text into numbers, signs, marks, words and separators.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace PositionTextParts {

enum Level { kDegrees = 0, kMinutes = 1, kSeconds = 2 };

enum class Role {
    LatitudeLabel,
    LongitudeLabel,
    North,
    South,
    East,
    West,
    DegreeMark,
    // Grid positions.
    Utm,
    EastingLabel,
    NorthingLabel,
    Metres,
};

struct Token {
    enum class Kind { Number, Sign, Mark, Word, Separator, Other } kind;
    // A number's digits with '.' for its decimal separator; a word in lower case.
    std::wstring text;
    bool blankBefore = false;
    Level level = kDegrees;  // a mark's
    bool negative = false;   // a sign's
    int decimals = -1;       // a number's digits after its decimal separator, -1 for none
};

struct Tokens {
    std::vector<Token> list;
    bool exponent = false;
    bool twoDecimalSeparators = false;  // "53,5,10": which comma separates?
};

bool IsBlank(wchar_t c);
bool IsDigit(wchar_t c);
bool IsLetter(wchar_t c);
std::wstring Lowered(std::wstring_view text);

// The meaning of a word in lower case; none for a word we do not know.
std::optional<Role> RoleOf(std::wstring_view word);

// A comma is a decimal comma where it stands between two digits and the text
// has no decimal point: "53,5501; 9,9937". Anywhere else it separates.
Tokens Tokenize(std::wstring_view text);

// A number token's value, read as a number typed into a field of the form.
double ValueOf(const Token& number);

}  // namespace PositionTextParts
