// SPDX-License-Identifier: MIT
// One result line of quillpost-geo: the outputs of a command in the units and
// number format of the mode, in raw mode behind the flags of the library
// calls, with "-" for every output the library left unwritten.
#pragma once

#include <bit>
#include <cstdint>
#include <string>
#include <string_view>

#include "tool_mode.h"

// Outputs are filled with these before a library call. The double is a NaN
// with a payload of its own, compared bit for bit, because a library may
// legitimately write a NaN and that must still show as written.
constexpr std::uint64_t kUnwrittenBits = 0x7FF8'0000'0BAD'F00DULL;
constexpr double kUnwritten = std::bit_cast<double>(kUnwrittenBits);
constexpr std::int32_t kUnwrittenInteger = INT32_MIN;
constexpr char kUnwrittenLetter = '\0';

class ResultLine {
public:
    // Raw mode starts the line with the flags as 0x and four hex digits.
    ResultLine(Mode mode, std::uint32_t flags);

    ResultLine& Angle(double radians);    // degrees with 9 decimals in normal mode
    ResultLine& Length(double metres);    // 3 decimals in normal mode
    ResultLine& Number(double value);     // a pure number: 17 digits in both modes
    ResultLine& FormValue(double value);  // as the entry form shows it: 15 digits in normal mode
    ResultLine& Integer(std::int32_t value);
    ResultLine& Letter(char letter);
    ResultLine& Verbatim(std::string_view text);  // as it stands, in both modes

    Mode mode() const { return m_mode; }
    std::string& Text() { return m_text; }

private:
    void Fixed(double value, int decimals);
    void General(double value, int digits);
    void Separate();

    Mode m_mode;
    std::string m_text;
};
