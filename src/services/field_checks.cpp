// SPDX-License-Identifier: MIT
#include "services/field_checks.h"

#include <cmath>

#include "services/numbers.h"

namespace FieldChecks {

std::wstring NotANumberMessage(bool english) {
    return english ? L"Please enter a number." : L"Bitte geben Sie eine Zahl ein.";
}

std::wstring NotAWholeNumberMessage(bool english) {
    return english ? L"Please enter a whole number." : L"Bitte geben Sie eine ganze Zahl ein.";
}

std::wstring RangeMessage(bool english, double low, double high) {
    const std::string lowText = Numbers::WriteGeneral(low, 15);
    const std::string highText = Numbers::WriteGeneral(high, 15);
    const std::wstring lowWide(lowText.begin(), lowText.end());
    const std::wstring highWide(highText.begin(), highText.end());
    if (english) {
        return L"Please enter a number between " + lowWide + L" and " + highWide + L".";
    }
    return L"Bitte geben Sie eine Zahl zwischen " + lowWide + L" und " + highWide + L" ein.";
}

bool InRange(double value, double low, double high) {
    return value >= low && value <= high && (!std::signbit(value) || std::signbit(low));
}

Reading ReadDecimal(std::wstring_view typed, double low, double high, bool english) {
    const auto number = Numbers::ReadFormDecimal(typed);
    if (!number) {
        return {0.0, NotANumberMessage(english)};
    }
    if (!InRange(*number, low, high)) {
        return {*number, RangeMessage(english, low, high)};
    }
    return {*number, std::wstring()};
}

Reading ReadWholeNumber(std::wstring_view typed, int low, int high, bool english) {
    const auto number = Numbers::ReadFormWholeNumber(typed);
    if (!number) {
        return {0.0, NotAWholeNumberMessage(english)};
    }
    if (*number < low || *number > high) {
        return {static_cast<double>(*number), RangeMessage(english, low, high)};
    }
    return {static_cast<double>(*number), std::wstring()};
}

}  // namespace FieldChecks
