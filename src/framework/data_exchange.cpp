// SPDX-License-Identifier: MIT
#include "framework/data_exchange.h"

#include <optional>
#include <string>

#include "framework/backend.h"
#include "services/numbers.h"

namespace {

bool g_englishMessages = false;

const wchar_t* NotANumberMessage() {
    return g_englishMessages ? L"Please enter a number." : L"Bitte geben Sie eine Zahl ein.";
}

// A field of whole numbers says so: "53.5" is a number, and being asked for
// one would not tell the user what is wrong with it.
const wchar_t* NotAWholeNumberMessage() {
    return g_englishMessages ? L"Please enter a whole number."
                             : L"Bitte geben Sie eine ganze Zahl ein.";
}

CString RangeMessage(const CString& low, const CString& high) {
    CString message;
    if (g_englishMessages) {
        message.Format(L"Please enter a number between %s and %s.", low.GetString(),
                       high.GetString());
    } else {
        message.Format(L"Bitte geben Sie eine Zahl zwischen %s und %s ein.", low.GetString(),
                       high.GetString());
    }
    return message;
}

}  // namespace

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
        // The refused text is marked, so that typing replaces it.
        ChangeFocus(*m_lastControl->parent, m_lastControl, false);
        m_lastControl->markWholeText = m_lastControl->kind == WindowKind::Edit;
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
    ExchangeNumber(pDX, id, value, L"%d", Numbers::ReadFormWholeNumber, NotAWholeNumberMessage());
}

void DDX_Text(CDataExchange* pDX, int id, double& value) {
    ExchangeNumber(pDX, id, value, L"%.15g", Numbers::ReadFormDecimal, NotANumberMessage());
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
    g_englishMessages = language == kAfxEnglish;
}

int AfxGetMessageLanguage() {
    return g_englishMessages ? kAfxEnglish : kAfxGerman;
}
