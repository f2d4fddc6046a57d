// SPDX-License-Identifier: MIT
#include "result_line.h"

#include <charconv>
#include <cstdio>

#include "engine/position_engine.h"
#include "services/numbers.h"

ResultLine::ResultLine(Mode mode, std::uint32_t flags) : m_mode(mode) {
    if (mode == Mode::Raw) {
        char prefix[16];
        const int length = std::snprintf(prefix, sizeof prefix, "0x%04X", flags);
        m_text.assign(prefix, length);
    }
}

ResultLine& ResultLine::Angle(double radians) {
    if (m_mode == Mode::Raw || std::bit_cast<std::uint64_t>(radians) == kUnwrittenBits) {
        return Number(radians);
    }
    Fixed(radians * AngleConstants::k180OverPi, 9);
    return *this;
}

ResultLine& ResultLine::Length(double metres) {
    if (m_mode == Mode::Raw || std::bit_cast<std::uint64_t>(metres) == kUnwrittenBits) {
        return Number(metres);
    }
    Fixed(metres, 3);
    return *this;
}

ResultLine& ResultLine::Number(double value) {
    if (std::bit_cast<std::uint64_t>(value) == kUnwrittenBits) {
        return Verbatim("-");
    }
    General(value, 17);
    return *this;
}

ResultLine& ResultLine::FormValue(double value) {
    if (m_mode == Mode::Raw) {
        return Number(value);
    }
    General(value, 15);
    return *this;
}

ResultLine& ResultLine::Integer(std::int32_t value) {
    if (value == kUnwrittenInteger) {
        return Verbatim("-");
    }
    Separate();
    char digits[16];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    m_text.append(digits, end);
    return *this;
}

ResultLine& ResultLine::Letter(char letter) {
    if (letter == kUnwrittenLetter) {
        return Verbatim("-");
    }
    return Verbatim(std::string_view(&letter, 1));
}

ResultLine& ResultLine::Verbatim(std::string_view text) {
    Separate();
    m_text.append(text);
    return *this;
}

void ResultLine::Fixed(double value, int decimals) {
    Separate();
    m_text.append(Numbers::WriteFixed(value, decimals));
}

void ResultLine::General(double value, int digits) {
    Separate();
    m_text.append(Numbers::WriteGeneral(value, digits));
}

void ResultLine::Separate() {
    if (!m_text.empty()) {
        m_text.push_back(' ');
    }
}
