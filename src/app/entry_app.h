// SPDX-License-Identifier: MIT
// The application: it names the company key under which the settings live,
// runs the entry form as the program's only window and ends the program when
// the form closes.
#pragma once

#include "framework/win_app.h"

class CEntryDlg;

class CEntryApp : public CWinApp {
public:
    CEntryApp();

    // Runs the form; FALSE, so that the program ends with it.
    BOOL InitInstance() override;
    // The open form's settings and the language; nothing while no form is open.
    void SaveSettings() override;

private:
    CEntryDlg* m_form = nullptr;
};

extern CEntryApp theApp;
