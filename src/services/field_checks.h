// SPDX-License-Identifier: MIT
// What a number field of a form takes, and the words for what it refuses, in
// German and English. The window framework's data exchange shows them in the
// form; the companion reads the form's fields with them and says the same.
#pragma once

#include <string>
#include <string_view>

namespace FieldChecks {

std::wstring NotANumberMessage(bool english);
// A field of whole numbers says so: "53.5" is a number, and being asked for
// one would not tell the user what is wrong with it.
std::wstring NotAWholeNumberMessage(bool english);
// Names both bounds, as the field shows numbers (%.15g).
std::wstring RangeMessage(bool english, double low, double high);

// The closed range. A value with a minus sign lies below a range whose lower
// bound has none, a typed "-0" too: such a field gives no sign, the form's
// hemisphere buttons do.
bool InRange(double value, double low, double high);

// A field read and checked as the form's data exchange does it: the number,
// or the message that refuses the text.
struct Reading {
    double value = 0.0;
    std::wstring refusal;  // empty when the field is taken
};
Reading ReadDecimal(std::wstring_view typed, double low, double high, bool english);
Reading ReadWholeNumber(std::wstring_view typed, int low, int high, bool english);

}  // namespace FieldChecks
