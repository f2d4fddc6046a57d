// SPDX-License-Identifier: MIT
// The application: it names the company key under which the settings live,
// runs the entry form as the program's only window and ends the program when
// the form closes; or, started with a GPX file, imports that file instead.
#pragma once

#include <filesystem>

#include "framework/win_app.h"

class CEntryDlg;

class CEntryApp : public CWinApp {
public:
    CEntryApp();

    // Runs the form, or the import; FALSE, so that the program ends with it.
    BOOL InitInstance() override;
    // The open form's settings and the language; nothing while no form is open.
    void SaveSettings() override;

    // The GPX file to import instead of showing the form.
    void ImportOnStart(std::filesystem::path gpx) { m_gpx = std::move(gpx); }

private:
    CEntryDlg* m_form = nullptr;
    std::filesystem::path m_gpx;
};

extern CEntryApp theApp;
