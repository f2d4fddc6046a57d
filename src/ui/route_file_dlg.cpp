// SPDX-License-Identifier: MIT
#include "ui/route_file_dlg.h"

#include "framework/backend.h"
#include "framework/data_exchange.h"
#include "language/language_dlg.h"
#include "res/resource_ids.h"
#include "services/device_files.h"
#include "services/host_path.h"

namespace {

// Any language but English speaks German, as the framework's messages do.
int ChooserLanguage() {
    return GetLanguage() == English ? English : German;
}

// The route folder as the user's system names it, without the closing
// separator: the card's folder, whichever the program found.
std::wstring HostFolder(const CString& deviceFolder) {
    std::wstring folder = deviceFolder.str();
    folder.pop_back();
    std::filesystem::path host = DeviceToHostPath(folder);
    return WideFromHostPath(host.make_preferred());
}

}  // namespace

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
    CWnd* note = GetDlgItem(IDC_ROUTE_NOTE);
    if (search == INVALID_HANDLE_VALUE) {
        // An empty list would say nothing: the note says where the chooser
        // looked, so that the user can tell a missing card from an empty one.
        m_list.ShowWindow(SW_HIDE);
        m_note.Format(NoRouteFileTexts()[ChooserLanguage()], HostFolder(m_folder).c_str());
        note->SetWindowText(m_note);
        return FALSE;
    }
    note->ShowWindow(SW_HIDE);
    do {
        m_list.SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(found.cFileName));
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return TRUE;
}

// OK without a file would end the Add unseen, and the user would take the
// point for added: the chooser asks for a file, or says again that there is
// none, and stays open. Cancel is the one way out without a file.
void CRouteFileDlg::OnOK() {
    m_selection = static_cast<int>(m_list.SendMessage(LB_GETCURSEL));
    if (m_selection < 0) {
        AfxMessageBox(m_note.IsEmpty() ? ChooseRouteFileMessages()[ChooserLanguage()] : m_note,
                      MB_OK);
        return;
    }
    CString name;
    m_list.GetText(m_selection, name);
    m_path = m_folder + name;
    CDialog::OnOK();
}
