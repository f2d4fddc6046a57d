// CWinApp: the application object. It names the application and the company
// key under which the profile store keeps its settings, and runs InitInstance.
#pragma once

#include <string>

#include "platform/win_types.h"

class CWnd;

class CWinApp {
public:
    explicit CWinApp(const wchar_t* appName);
    virtual ~CWinApp();

    virtual BOOL InitInstance() { return TRUE; }

    void SetRegistryKey(const wchar_t* companyKey);
    UINT GetProfileInt(const wchar_t* section, const wchar_t* entry, int defaultValue);
    BOOL WriteProfileInt(const wchar_t* section, const wchar_t* entry, int value);

    CWnd* m_pMainWnd = nullptr;

private:
    std::wstring m_appName;
    std::wstring m_companyKey;
};

// The one application object, as the framework's AfxGetApp gives it.
CWinApp* AfxGetApp();
