// Numbers in command-line arguments and batch fields. Decimals are read as
// C's strtod reads them in the "C" locale, whatever locale the process has,
// so "nan", "inf", "-0.0", exponents and hex floats all count; the whole
// field must be the number.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

std::optional<double> ParseDecimal(std::string_view field);

// A whole decimal number with an optional sign that fits 32 bits.
std::optional<std::int32_t> ParseWholeNumber(std::string_view field);
