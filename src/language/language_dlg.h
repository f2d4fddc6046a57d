// SPDX-License-Identifier: MIT
// The interface language: the application-wide value, and the dialog that
// asks for it on the first start (and again from the entry form's help
// button). The value is kept in the setting "Language".
#pragma once

#include "framework/controls.h"
#include "framework/dialog.h"
#include "language/interface_texts.h"

// The current UiLanguage; -1 only between reading an absent setting and the
// end of the first language dialog.
extern int g_language;
int GetLanguage();

class CLanguageDlg : public CDialog {
public:
    // Reads "Language"; on the first start it asks the user before anything
    // else is shown.
    explicit CLanguageDlg(CWnd* parent = nullptr);
    // Writes "Language".
    ~CLanguageDlg() override;
    void SaveLanguage();

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    void OnGerman();
    void OnEnglish();

    CButton m_btnEnglish;
    CButton m_btnGerman;
    CButton m_btnOk;

    DECLARE_MESSAGE_MAP()
};
