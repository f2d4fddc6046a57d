// SPDX-License-Identifier: MIT
#include "argument_reader.h"

#include "engine/position_engine.h"
#include "services/host_path.h"
#include "services/numbers.h"

ArgumentReader::ArgumentReader(std::span<const std::string_view> arguments, Mode mode)
    : m_arguments(arguments), m_mode(mode) {}

double ArgumentReader::Angle(std::string_view what) {
    const double value = Number(what);
    return m_mode == Mode::Raw ? value : value * AngleConstants::kPiOver180;
}

double ArgumentReader::Length(std::string_view what) {
    return Number(what);
}

double ArgumentReader::Number(std::string_view what) {
    const std::string_view field = Next();
    if (const auto value = Numbers::ReadCDecimal(field)) {
        return *value;
    }
    Fail(what, field, "a number");
    return 0.0;
}

std::int32_t ArgumentReader::WholeNumber(std::string_view what) {
    const std::string_view field = Next();
    if (const auto value = Numbers::ReadWholeNumber(field)) {
        return *value;
    }
    Fail(what, field, "a whole number");
    return 0;
}

double ArgumentReader::FormDecimal(std::string_view what, const FieldRange& range) {
    constexpr bool kEnglish = true;
    return Checked(
        what, FieldChecks::ReadDecimal(HostBytesToWide(Next()), range.low, range.high, kEnglish));
}

std::int32_t ArgumentReader::FormWholeNumber(std::string_view what, int low, int high) {
    constexpr bool kEnglish = true;
    return static_cast<std::int32_t>(
        Checked(what, FieldChecks::ReadWholeNumber(HostBytesToWide(Next()), low, high, kEnglish)));
}

double ArgumentReader::Checked(std::string_view what, const FieldChecks::Reading& reading) {
    if (reading.refusal.empty()) {
        return reading.value;
    }
    if (m_refusal.empty()) {
        m_refusal.append(what).append(": ").append(WideToHostBytes(reading.refusal));
    }
    return 0.0;
}

char ArgumentReader::Character(std::string_view what) {
    const std::string_view field = Next();
    if (field.size() == 1) {
        return field.front();
    }
    Fail(what, field, "a single character");
    return '\0';
}

char ArgumentReader::Hemisphere(std::string_view what, std::string_view letters) {
    const std::string_view field = Next();
    if (field.size() == 1) {
        const char upper = field.front() >= 'a' && field.front() <= 'z'
                               ? static_cast<char>(field.front() - 'a' + 'A')
                               : field.front();
        if (letters.find(upper) != std::string_view::npos) {
            return upper;
        }
    }
    std::string expected(1, letters.front());
    expected += " or ";
    expected += letters.back();
    Fail(what, field, expected);
    return letters.front();
}

std::string_view ArgumentReader::Text() {
    return Next();
}

std::string_view ArgumentReader::Next() {
    // Counts are checked before the reading; past the end reads as empty, never
    // out of bounds.
    return m_next < m_arguments.size() ? m_arguments[m_next++] : std::string_view();
}

void ArgumentReader::Fail(std::string_view what, std::string_view field,
                          std::string_view expected) {
    if (Failed()) {
        return;
    }
    m_error.append(what).append(" must be ").append(expected).append(", not ");
    m_error.append(Quoted(field));
}

std::string Quoted(std::string_view token) {
    constexpr std::size_t kShown = 40;
    std::string quoted = "'";
    quoted.append(token.substr(0, kShown));
    if (token.size() > kShown) {
        quoted.append("...");
    }
    return quoted + "'";
}
