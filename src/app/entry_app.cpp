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
        form.DoModal();
    }  // the form writes the settings as it goes
    m_pMainWnd = nullptr;
    return FALSE;
}
