#include "app/run_program.h"

#include <cstdio>
#include <string>

#include "framework/end_signals.h"
#include "framework/resource.h"
#include "backends/terminal/terminal_backend.h"
#include "framework/win_app.h"
#include "res/resources.h"

int RunProgram(Backend& backend) {
    AfxSetResources(&QuillpostResources());
    SetBackend(&backend);
    const int status = AfxWinMain();
    SetBackend(nullptr);
    return status;
}

int RunInTerminal() {
    TerminalBackend terminal;
    if (const std::string problem = terminal.Open(); !problem.empty()) {
        std::fprintf(stderr, "quillpost: %s\n", problem.c_str());
        return 1;
    }
    const int status = RunProgram(terminal);
    terminal.Close();
    ReportUnsavedSettings();
    return StatusAfterEndSignal(status);
}

void ReportUnsavedSettings() {
    // A changed format lost in silence would be a failure that looks like
    // success.
    if (const CWinApp* app = AfxGetApp(); app && !app->SettingsNotSaved().empty()) {
        std::fprintf(stderr, "quillpost: %s\n", app->SettingsNotSaved().c_str());
    }
}

int StatusAfterEndSignal(int status) {
    // Ended by a signal, after the settings were written: the status a shell
    // gives a program the signal killed.
    const int signal = EndSignals::Received();
    return signal != 0 ? 128 + signal : status;
}
