// SPDX-License-Identifier: MIT
#include "language/language_dlg.h"

#include "framework/data_exchange.h"
#include "framework/font.h"
#include "framework/win_app.h"
#include "res/resource_ids.h"

// The framework's messages follow the interface language by its number.
static_assert(German == kAfxGerman && English == kAfxEnglish);

int g_language = German;

int GetLanguage() {
    return g_language;
}

CLanguageDlg::CLanguageDlg(CWnd* parent) : CDialog(IDD_LANGUAGE, parent) {
    g_language = static_cast<int>(AfxGetApp()->GetProfileInt(L"Settings", L"Language", -1));
    if (g_language == -1 && DoModal() == IDCANCEL) {
        g_language = German;
    }
    // A damaged setting, or a first dialog that could not be shown at all,
    // would leave a value that no text table holds.
    if (g_language != German && g_language != English) {
        g_language = German;
    }
}

CLanguageDlg::~CLanguageDlg() {
    SaveLanguage();
}

void CLanguageDlg::SaveLanguage() {
    AfxGetApp()->WriteProfileInt(L"Settings", L"Language", g_language);
}

void CLanguageDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_ENGLISH, m_btnEnglish);
    DDX_Control(pDX, IDC_GERMAN, m_btnGerman);
    DDX_Control(pDX, IDOK, m_btnOk);
}

BOOL CLanguageDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    CFont courier;
    courier.CreatePointFont(80, L"Courier");
    m_btnOk.SetFont(&courier);
    m_btnOk.SetWindowText(L"OK");
    // On the first start (-1) English is offered.
    if (g_language != German) {
        OnEnglish();
    } else {
        OnGerman();
    }
    SetWindowPos(&wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    UpdateData(FALSE);
    return TRUE;
}

// The choice takes effect at the click, before OK.
void CLanguageDlg::OnGerman() {
    m_btnGerman.SendMessage(BM_SETCHECK, BST_CHECKED);
    m_btnEnglish.SendMessage(BM_SETCHECK, BST_UNCHECKED);
    g_language = German;
}

void CLanguageDlg::OnEnglish() {
    m_btnEnglish.SendMessage(BM_SETCHECK, BST_CHECKED);
    m_btnGerman.SendMessage(BM_SETCHECK, BST_UNCHECKED);
    g_language = English;
}

BEGIN_MESSAGE_MAP(CLanguageDlg, CDialog)
ON_BN_CLICKED(IDC_GERMAN, &CLanguageDlg::OnGerman)
ON_BN_CLICKED(IDC_ENGLISH, &CLanguageDlg::OnEnglish)
END_MESSAGE_MAP()
