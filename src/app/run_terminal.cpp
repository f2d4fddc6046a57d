// SPDX-License-Identifier: MIT
// The program in the terminal, and the exit status after an ending signal:
// the parts of running the program that only Linux has.
#include <cstdio>
#include <string>

#include "app/run_program.h"
#include "backends/terminal/terminal_backend.h"
#include "framework/end_signals.h"

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

int StatusAfterEndSignal(int status) {
    // Ended by a signal, after the settings were written: the status a shell
    // gives a program the signal killed.
    const int signal = EndSignals::Received();
    return signal != 0 ? 128 + signal : status;
}
