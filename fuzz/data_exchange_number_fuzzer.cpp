// SPDX-License-Identifier: MIT
// Fuzzes how data exchange reads a number typed into a field. Each input byte
// is one character of the field (so the Latin-1 letters and blanks a user
// can type come up too). Besides running clean, every answer is checked
// against the C library: a text is a number exactly when it is one in strtod's
// or strtoll's reading without their extras (nan, inf, hex, other white
// space), and a number written back into the field reads again.
#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>

#include "services/c_string.h"
#include "services/numbers.h"
#include "property_check.h"

namespace {

std::string Trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool OnlyOf(const std::string& text, const char* allowed) {
    return text.find_first_not_of(allowed) == std::string::npos;
}

void CheckInt(const std::wstring& field, const std::string& text) {
    const std::optional<int> number = Numbers::ReadFormWholeNumber(field);
    // strtoll skips white space of its own and stops at a NUL: only sign and
    // digits may reach it, and all of them must be taken. Beyond its range it
    // gives its own limits, which lie beyond the int's as well.
    const std::string trimmed = Trimmed(text);
    bool expected = !trimmed.empty() && OnlyOf(trimmed, "+-0123456789");
    long long value = 0;
    if (expected) {
        char* end = nullptr;
        value = std::strtoll(trimmed.c_str(), &end, 10);
        expected = end == trimmed.c_str() + trimmed.size();
    }
    Check(number.has_value() == expected, "an int is read exactly when strtoll reads one");
    if (!number) {
        return;
    }
    Check(*number == std::clamp<long long>(value, INT_MIN, INT_MAX),
          "an int reads as strtoll reads it, too large ones as the nearest limit");
    CString written;
    written.Format(L"%d", *number);
    Check(Numbers::ReadFormWholeNumber(written.str()) == number, "an int written reads back equal");
}

void CheckDouble(const std::wstring& field, const std::string& text) {
    const std::optional<double> number = Numbers::ReadFormDecimal(field);
    const std::string trimmed = Trimmed(text);
    bool expected = !trimmed.empty() && OnlyOf(trimmed, "+-.0123456789eE");
    double value = 0.0;
    if (expected) {
        char* end = nullptr;
        value = std::strtod(trimmed.c_str(), &end);
        expected = end == trimmed.c_str() + trimmed.size();
    }
    Check(number.has_value() == expected, "a double is read exactly when strtod reads one");
    if (!number) {
        return;
    }
    Check(std::memcmp(&*number, &value, sizeof value) == 0, "a double reads as strtod reads it");
    // What the field shows of a finite number must be a number again: the
    // form writes every double it holds back into its field.
    if (std::isfinite(value)) {
        CString written;
        written.Format(L"%.15g", value);
        const std::optional<double> again = Numbers::ReadFormDecimal(written.str());
        const std::string narrow(written.str().begin(), written.str().end());
        Check(again && *again == std::strtod(narrow.c_str(), nullptr),
              "a double written reads back as written");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::wstring field(data, data + size);
    CheckInt(field, text);
    CheckDouble(field, text);
    return 0;
}
