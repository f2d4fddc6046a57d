// SPDX-License-Identifier: MIT
// The application: it names the company key under which the settings live,
// runs the entry form as the program's only window and ends the program when
// the form closes; or, started with a GPX file, imports that file instead.
#pragma once

#include <filesystem>

#include "framework/win_app.h"

class CEntryApp : public CWinApp {
public:
    CEntryApp();

    // Runs the form, or the import; FALSE, so that the program ends with it.
    BOOL InitInstance() override;

    // The GPX file to import instead of showing the form.
    void ImportOnStart(std::filesystem::path gpx) { m_gpx = std::move(gpx); }

private:
    std::filesystem::path m_gpx;
};

extern CEntryApp theApp;
