// SPDX-License-Identifier: MIT
#include "app/run_program.h"

#include <cstdio>

#include "framework/resource.h"
#include "framework/win_app.h"
#include "res/resources.h"

int RunProgram(Backend& backend) {
    AfxSetResources(&QuillpostResources());
    SetBackend(&backend);
    const int status = AfxWinMain();
    SetBackend(nullptr);
    return status;
}

void ReportUnsavedSettings() {
    // A changed format lost in silence would be a failure that looks like
    // success.
    if (const CWinApp* app = AfxGetApp(); app && !app->SettingsNotSaved().empty()) {
        std::fprintf(stderr, "quillpost: %s\n", app->SettingsNotSaved().c_str());
    }
}
