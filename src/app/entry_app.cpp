// SPDX-License-Identifier: MIT
#include "app/entry_app.h"

#include "language/language_dlg.h"
#include "ui/entry_dlg.h"
#include "ui/import_gpx.h"

CEntryApp theApp;

CEntryApp::CEntryApp() : CWinApp(L"Quillpost.htp") {}

BOOL CEntryApp::InitInstance() {
    SetRegistryKey(L"Kvo Applications");
    if (!m_gpx.empty()) {
        // Asked for on the first start, as the form would, and kept.
        const CLanguageDlg language;
        ImportGpxFile(m_gpx, GetLanguage());
        return FALSE;
    }
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
