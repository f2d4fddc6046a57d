// SPDX-License-Identifier: MIT
// The program on Windows: the form as real Win32 dialogs. A GUI-subsystem
// program, so that no console window opens beside the form; the usage and
// the version go to the console it was started from.
#include "app/command_line.h"
#include "app/parent_console.h"
#include "app/run_program.h"
#include "backends/win32/win32_backend.h"

int main(int argc, char** argv) {
    const CommandLine line = ReadCommandLine(argc, argv);
    if (line.action != CommandLine::Action::Run) {
        UseParentConsole();
    }
    if (const auto status = AnswerCommandLine(line)) {
        return *status;
    }
    Win32Backend backend;
    return RunProgram(backend);
}
