#include "platform/windows/data_exchange.h"

#include <locale.h>
#include <algorithm>
#include <cerrno>
#include <climits>
#include <clocale>
#include <cstdlib>
#include <optional>
#include <string>

#include "platform/windows/backend.h"

namespace {

int g_language = 0;

const wchar_t* NotANumberMessage() {
    return g_language == 1 ? L"Please enter a number." : L"Bitte geben Sie eine Zahl ein.";
}

// A field of whole numbers says so: "53.5" is a number, and being asked for
// one would not tell the user what is wrong with it.
const wchar_t* NotAWholeNumberMessage() {
    return g_language == 1 ? L"Please enter a whole number."
                           : L"Bitte geben Sie eine ganze Zahl ein.";
}

CString RangeMessage(const CString& low, const CString& high) {
    CString message;
    if (g_language == 1) {
        message.Format(L"Please enter a number between %s and %s.", low.GetString(),
                       high.GetString());
    } else {
        message.Format(L"Bitte geben Sie eine Zahl zwischen %s und %s ein.", low.GetString(),
                       high.GetString());
    }
    return message;
}

bool IsBlank(wchar_t c) {
    return c == L' ' || c == L'\t';
}
bool IsDigit(wchar_t c) {
    return c >= L'0' && c <= L'9';
}

// The text without the blanks around it.
std::wstring Trimmed(const std::wstring& text) {
    size_t first = 0;
    size_t last = text.size();
    while (first < last && IsBlank(text[first])) {
        ++first;
    }
    while (last > first && IsBlank(text[last - 1])) {
        --last;
    }
    return text.substr(first, last - first);
}

size_t SkipDigits(const std::wstring& text, size_t at) {
    while (at < text.size() && IsDigit(text[at])) {
        ++at;
    }
    return at;
}

size_t SkipSign(const std::wstring& text, size_t at) {
    return at < text.size() && (text[at] == L'+' || text[at] == L'-') ? at + 1 : at;
}

}  // namespace

namespace DataExchange {

// A whole decimal number as typed: sign and digits. One too large for an int
// comes back as the int's nearest limit, which lies outside every range, so
// the user hears the range rather than that a number is not one.
std::optional<int> ParseInt(const std::wstring& typed) {
    const std::wstring text = Trimmed(typed);
    const size_t digits = SkipSign(text, 0);
    if (digits == text.size() || SkipDigits(text, digits) != text.size()) {
        return std::nullopt;
    }
    const bool negative = text[0] == L'-';
    const long long limit = negative ? -static_cast<long long>(INT_MIN) : INT_MAX;
    long long value = 0;
    for (size_t i = digits; i < text.size() && value <= limit; ++i) {
        value = value * 10 + (text[i] - L'0');
    }
    value = std::min(value, limit);
    return static_cast<int>(negative ? -value : value);
}

// A decimal number as typed: sign, digits with at most one point (at least
// one digit), and an exponent with digits. A number too large for a double
// comes back as an infinity, which lies outside every range.
std::optional<double> ParseDouble(const std::wstring& typed) {
    const std::wstring text = Trimmed(typed);
    size_t at = SkipSign(text, 0);
    const size_t integerEnd = SkipDigits(text, at);
    size_t mantissaEnd = integerEnd;
    if (mantissaEnd < text.size() && text[mantissaEnd] == L'.') {
        mantissaEnd = SkipDigits(text, mantissaEnd + 1);
    }
    const size_t fractionDigits = mantissaEnd > integerEnd ? mantissaEnd - integerEnd - 1 : 0;
    if (integerEnd == at && fractionDigits == 0) {
        return std::nullopt;
    }
    at = mantissaEnd;
    if (at < text.size() && (text[at] == L'e' || text[at] == L'E')) {
        const size_t exponentDigits = SkipSign(text, at + 1);
        at = SkipDigits(text, exponentDigits);
        if (at == exponentDigits) {
            return std::nullopt;
        }
    }
    if (at != text.size()) {
        return std::nullopt;
    }
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    const std::string narrow(text.begin(), text.end());  // only ASCII is left
    return strtod_l(narrow.c_str(), nullptr, cLocale);
}

}  // namespace DataExchange

CDataExchange::CDataExchange(CWnd* dialog, BOOL saveAndValidate)
    : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(dialog) {}

HWND CDataExchange::PrepareCtrl(int id) {
    m_lastControl = m_pDlgWnd && m_pDlgWnd->m_hWnd ? FindChild(*m_pDlgWnd->m_hWnd, id) : nullptr;
    return m_lastControl;
}

void CDataExchange::Fail(const CString& message) {
    m_failed = true;
    AfxMessageBox(message);
    if (m_lastControl) {
        ChangeFocus(*m_lastControl->parent, m_lastControl, false);
    }
}

void DDX_Control(CDataExchange* pDX, int id, CWnd& control) {
    if (HWND window = pDX->PrepareCtrl(id)) {
        control.Attach(window);
    }
}

void DDX_Text(CDataExchange* pDX, int id, CString& value) {
    if (pDX->Failed()) {
        return;
    }
    HWND window = pDX->PrepareCtrl(id);
    if (!window) {
        return;
    }
    if (pDX->m_bSaveAndValidate) {
        value = window->text;
    } else {
        window->text = value.str();
    }
}

namespace {

// Writes a number in the given format, or reads it back with the given parser;
// text that is no number of the field's kind fails with the given message.
template <typename Number, typename Parser>
void ExchangeNumber(CDataExchange* pDX, int id, Number& value, const wchar_t* format, Parser parse,
                    const CString& notANumber) {
    if (pDX->Failed()) {
        return;
    }
    HWND window = pDX->PrepareCtrl(id);
    if (!window) {
        return;
    }
    if (!pDX->m_bSaveAndValidate) {
        CString text;
        text.Format(format, value);
        window->text = text.str();
        return;
    }
    if (const auto number = parse(window->text)) {
        value = *number;
    } else {
        pDX->Fail(notANumber);
    }
}

}  // namespace

void DDX_Text(CDataExchange* pDX, int id, int& value) {
    ExchangeNumber(pDX, id, value, L"%d", DataExchange::ParseInt, NotAWholeNumberMessage());
}

void DDX_Text(CDataExchange* pDX, int id, double& value) {
    ExchangeNumber(pDX, id, value, L"%.15g", DataExchange::ParseDouble, NotANumberMessage());
}

void DDV_MinMaxInt(CDataExchange* pDX, int value, int minValue, int maxValue) {
    if (pDX->Failed() || !pDX->m_bSaveAndValidate || (value >= minValue && value <= maxValue)) {
        return;
    }
    CString low;
    CString high;
    low.Format(L"%d", minValue);
    high.Format(L"%d", maxValue);
    pDX->Fail(RangeMessage(low, high));
}

void DDV_MinMaxDouble(CDataExchange* pDX, double value, double minValue, double maxValue) {
    if (pDX->Failed() || !pDX->m_bSaveAndValidate || (value >= minValue && value <= maxValue)) {
        return;
    }
    CString low;
    CString high;
    low.Format(L"%.15g", minValue);
    high.Format(L"%.15g", maxValue);
    pDX->Fail(RangeMessage(low, high));
}

void AfxSetMessageLanguage(int language) {
    g_language = language;
}
