// SPDX-License-Identifier: MIT
// Data exchange between a dialog's members and its controls. Reading stops
// at the first field that fails: the framework shows one message, puts the
// focus on that field, and every later DDX_/DDV_ call of the exchange does
// nothing. Numbers are read and written without regard to the locale.
#pragma once

#include "framework/wnd.h"
#include "services/c_string.h"

class CDataExchange {
public:
    CDataExchange(CWnd* dialog, BOOL saveAndValidate);

    BOOL m_bSaveAndValidate;  // TRUE: controls to members
    CWnd* m_pDlgWnd;

    bool Failed() const { return m_failed; }
    // The control of the next exchange, remembered for its range check and
    // for the focus should it fail; nullptr when there is no such control.
    HWND PrepareCtrl(int id);
    void Fail(const CString& message);

private:
    HWND m_lastControl = nullptr;
    bool m_failed = false;
};

void DDX_Control(CDataExchange* pDX, int id, CWnd& control);
void DDX_Text(CDataExchange* pDX, int id, CString& value);
// Numbers are read as Numbers::ReadFormWholeNumber and ReadFormDecimal read
// them; doubles are written as %.15g.
void DDX_Text(CDataExchange* pDX, int id, int& value);
void DDX_Text(CDataExchange* pDX, int id, double& value);
void DDV_MinMaxInt(CDataExchange* pDX, int value, int minValue, int maxValue);
void DDV_MinMaxDouble(CDataExchange* pDX, double value, double minValue, double maxValue);

// The languages of the framework's messages. Any value but English speaks
// German, as a fresh framework does.
constexpr int kAfxGerman = 0;
constexpr int kAfxEnglish = 1;
// The program sets it whenever its language changes.
void AfxSetMessageLanguage(int language);
int AfxGetMessageLanguage();
