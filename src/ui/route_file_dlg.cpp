// SPDX-License-Identifier: MIT
#include "ui/route_file_dlg.h"

#include "framework/data_exchange.h"
#include "res/resource_ids.h"
#include "services/device_files.h"

CRouteFileDlg::CRouteFileDlg(CWnd* parent) : CDialog(IDD, parent) {}

void CRouteFileDlg::DoDataExchange(CDataExchange* pDX) {
    DDX_Control(pDX, IDC_ROUTE_FILES, m_list);
}

BEGIN_MESSAGE_MAP(CRouteFileDlg, CDialog)
ON_LBN_DBLCLK(IDC_ROUTE_FILES, &CRouteFileDlg::OnOK)
END_MESSAGE_MAP()

BOOL CRouteFileDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_folder = L"\\Storage Card\\MN6\\Settings\\Routes\\";
    // With several cards mounted the title names the one listed; --card
    // chooses another.
    if (const std::wstring card = StorageCardChoiceNote(); !card.empty()) {
        CString title;
        GetWindowText(title);
        SetWindowText(title + L" - " + card.c_str());
    }
    WIN32_FIND_DATAW found;
    const CString pattern = m_folder + L"*.rte";
    const HANDLE search = FindFirstFileW(pattern, &found);
    if (search == INVALID_HANDLE_VALUE) {
        return FALSE;  // no folder or no route file: an empty list, and no complaint
    }
    do {
        m_list.SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(found.cFileName));
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return TRUE;
}

void CRouteFileDlg::OnOK() {
    m_selection = static_cast<int>(m_list.SendMessage(LB_GETCURSEL));
    if (m_selection < 0) {
        m_path.Empty();
    } else {
        CString name;
        m_list.GetText(m_selection, name);
        m_path = m_folder + name;
    }
    CDialog::OnOK();
}
