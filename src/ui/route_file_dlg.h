// SPDX-License-Identifier: MIT
// The route file chooser: lists the navigation software's route files on the
// storage card and hands back the device path of the one the user picked.
#pragma once

#include "framework/controls.h"
#include "framework/dialog.h"
#include "res/resource_ids.h"
#include "services/c_string.h"

class CRouteFileDlg : public CDialog {
public:
    static constexpr UINT IDD = IDD_ROUTE_FILE;

    explicit CRouteFileDlg(CWnd* parent = nullptr);

    // The folder followed by the chosen file name; empty unless the dialog
    // ended with OK, which it does only with an entry selected.
    CString GetPath() const { return m_path; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;

private:
    CListBox m_list;
    int m_selection = -1;
    CString m_folder;
    CString m_path;
    CString m_note;  // where the chooser looked, when it found no route file

    DECLARE_MESSAGE_MAP()
};
