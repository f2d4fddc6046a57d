// SPDX-License-Identifier: MIT
// CDialog: a modal dialog built from a dialog template. DoModal creates the
// controls, runs OnInitDialog, hands the dialog to the backend's modal loop
// and returns what EndDialog was given; dialogs may open dialogs.
#pragma once

#include "framework/message_map.h"
#include "framework/wnd.h"

class CDialog : public CWnd {
public:
    explicit CDialog(UINT templateId, CWnd* parent = nullptr);

    // The EndDialog code, or -1 when the dialog could not be opened (no such
    // template, no backend).
    virtual int DoModal();
    // The base writes the members to the controls. TRUE puts the focus on the
    // first tab stop; FALSE leaves it where the function put it.
    virtual BOOL OnInitDialog();
    // The base reads the controls and ends with IDOK only if that succeeds.
    virtual void OnOK();
    virtual void OnCancel();
    void EndDialog(int result);

    UINT TemplateId() const { return m_templateId; }
    bool ModalEnded() const { return m_hWnd && m_hWnd->ended; }

    // The default buttons: IDOK (also the title-bar OK) and IDCANCEL.
    bool DispatchNotification(const Notification& notification) override;

protected:
    UINT m_templateId;
    CWnd* m_pParentWnd;
};
