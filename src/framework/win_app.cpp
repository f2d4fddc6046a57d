// SPDX-License-Identifier: MIT
#include "framework/win_app.h"

#include "services/profile_store.h"

namespace {
CWinApp* g_app = nullptr;

// The profile file is named after the application, without the extension
// that the application name carries ("Quillpost.htp" keeps "Quillpost").
std::wstring ProfileName(const std::wstring& appName) {
    const size_t dot = appName.rfind(L'.');
    return dot == std::wstring::npos || dot == 0 ? appName : appName.substr(0, dot);
}
}  // namespace

CWinApp::CWinApp(const wchar_t* appName) : m_appName(appName ? appName : L"") {
    g_app = this;
}

CWinApp::~CWinApp() {
    if (g_app == this) {
        g_app = nullptr;
    }
}

std::wstring CWinApp::GetTitle() const {
    return ProfileName(m_appName);
}

void CWinApp::SetRegistryKey(const wchar_t* companyKey) {
    m_companyKey = companyKey;
}

UINT CWinApp::GetProfileInt(const wchar_t* section, const wchar_t* entry, int defaultValue) {
    const auto file = ProfileStore::FilePath(m_companyKey, ProfileName(m_appName));
    return static_cast<UINT>(ProfileStore::ReadInt(file, section, entry, defaultValue));
}

BOOL CWinApp::WriteProfileInt(const wchar_t* section, const wchar_t* entry, int value) {
    const auto file = ProfileStore::FilePath(m_companyKey, ProfileName(m_appName));
    std::string why;
    if (ProfileStore::WriteInt(file, section, entry, value, &why)) {
        return TRUE;
    }
    if (m_notSaved.empty()) {
        m_notSaved = "the settings were not saved" +
                     (file.empty() ? std::string() : " to '" + file.string() + "'") + ": " + why;
    }
    return FALSE;
}

CWinApp* AfxGetApp() {
    return g_app;
}

int AfxWinMain() {
    CWinApp* app = AfxGetApp();
    if (!app) {
        return 1;
    }
    app->m_notSaved.clear();
    app->InitInstance();
    return 0;
}
