// SPDX-License-Identifier: MIT
#include "framework/data_exchange.h"

#include <optional>
#include <string>

#include "framework/backend.h"
#include "services/field_checks.h"
#include "services/numbers.h"

namespace {

bool g_englishMessages = false;

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
    ExchangeNumber(pDX, id, value, L"%d", Numbers::ReadFormWholeNumber,
                   FieldChecks::NotAWholeNumberMessage(g_englishMessages).c_str());
}

void DDX_Text(CDataExchange* pDX, int id, double& value) {
    ExchangeNumber(pDX, id, value, L"%.15g", Numbers::ReadFormDecimal,
                   FieldChecks::NotANumberMessage(g_englishMessages).c_str());
}

void DDV_MinMaxInt(CDataExchange* pDX, int value, int minValue, int maxValue) {
    if (pDX->Failed() || !pDX->m_bSaveAndValidate || (value >= minValue && value <= maxValue)) {
        return;
    }
    pDX->Fail(FieldChecks::RangeMessage(g_englishMessages, minValue, maxValue).c_str());
}

void DDV_MinMaxDouble(CDataExchange* pDX, double value, double minValue, double maxValue) {
    if (pDX->Failed() || !pDX->m_bSaveAndValidate ||
        FieldChecks::InRange(value, minValue, maxValue)) {
        return;
    }
    pDX->Fail(FieldChecks::RangeMessage(g_englishMessages, minValue, maxValue).c_str());
}

void AfxSetMessageLanguage(int language) {
    g_englishMessages = language == kAfxEnglish;
}

int AfxGetMessageLanguage() {
    return g_englishMessages ? kAfxEnglish : kAfxGerman;
}
