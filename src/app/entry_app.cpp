// SPDX-License-Identifier: MIT
#include "app/entry_app.h"

#include "ui/entry_dlg.h"

CEntryApp theApp;

CEntryApp::CEntryApp() : CWinApp(L"Quillpost.htp") {}

BOOL CEntryApp::InitInstance() {
    SetRegistryKey(L"Kvo Applications");
    {
        CEntryDlg form;
        m_pMainWnd = &form;
        m_form = &form;
        form.DoModal();
        m_form = nullptr;
    }  // the form writes the settings as it goes
    m_pMainWnd = nullptr;
    return FALSE;
}

void CEntryApp::SaveSettings() {
    if (m_form) {
        m_form->SaveSettings();
    }
}
