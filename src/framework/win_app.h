// SPDX-License-Identifier: MIT
// CWinApp: the application object. It names the application and the company
// key under which the profile store keeps its settings; the framework's entry
// point runs its InitInstance.
#pragma once

#include <string>

#include "services/win_types.h"

class CWnd;

class CWinApp {
public:
    explicit CWinApp(const wchar_t* appName);
    virtual ~CWinApp();

    // Does the application's work; FALSE ends the program afterwards.
    virtual BOOL InitInstance() { return TRUE; }
    // Writes the settings now, while the program still runs: the backend
    // calls it when the system ends the session, after which the system may
    // end the program before its windows close and write them themselves.
    virtual void SaveSettings() {}
    // The application's title: its name without the extension ("Quillpost").
    std::wstring GetTitle() const;

    void SetRegistryKey(const wchar_t* companyKey);
    UINT GetProfileInt(const wchar_t* section, const wchar_t* entry, int defaultValue);
    // A failed write is kept, for the program to say once its screen is
    // given back (see SettingsNotSaved).
    BOOL WriteProfileInt(const wchar_t* section, const wchar_t* entry, int value);
    // The first failed write of the settings, with the file and the reason;
    // empty while every write worked.
    const std::string& SettingsNotSaved() const { return m_notSaved; }

    CWnd* m_pMainWnd = nullptr;

private:
    std::wstring m_appName;
    std::wstring m_companyKey;
    std::string m_notSaved;

    friend int AfxWinMain();
};

// The one application object, as the framework's AfxGetApp gives it.
CWinApp* AfxGetApp();

// The framework's entry point: runs the application object's InitInstance
// with the backend and resources the caller has set. Returns the process's
// exit status: 0, or 1 without an application object.
int AfxWinMain();
