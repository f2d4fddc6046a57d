// SPDX-License-Identifier: MIT
// Numbers read and written without regard to the process's locale: the
// terminal sets the user's locale for its wide characters, and a German one
// would otherwise read and print "53,5". Each kind of input has its own
// policy of what counts as a number, named here.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace Numbers {

// The entry form's fields: a decimal number as typed, blanks around it
// allowed: sign, digits with at most one point (at least one digit), and an
// exponent with digits. nan, inf, hex floats and trailing garbage are not
// numbers. One too large for a double comes back as an infinity, which lies
// outside every range of the form.
std::optional<double> ReadFormDecimal(std::wstring_view typed);
// The entry form's whole-number fields: sign and digits, blanks around them
// allowed. One too large for an int comes back as the int's nearest limit, so
// that the user hears the range rather than that a number is not one.
std::optional<int> ReadFormWholeNumber(std::wstring_view typed);

// The companion's fields: the whole field as C's strtod reads it in the "C"
// locale, so nan, inf, -0.0, exponents and hex floats count; leading white
// space does not. One too large for a double is an infinity, one too small a
// zero, as strtod has them.
std::optional<double> ReadCDecimal(std::string_view field);
// A whole decimal number with an optional sign that fits 32 bits, without
// blanks: the companion's whole numbers and the settings file's values.
std::optional<std::int32_t> ReadWholeNumber(std::string_view field);

// What printf's %.*f, %.*e and %.*g print in the "C" locale.
std::string WriteFixed(double value, int decimals);
std::string WriteScientific(double value, int decimals);
std::string WriteGeneral(double value, int significantDigits);

}  // namespace Numbers
