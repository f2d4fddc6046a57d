// SPDX-License-Identifier: MIT
// The program on Windows: the form as real Win32 dialogs. A GUI-subsystem
// program, so that no console window opens beside the form; the usage and
// the version go to the console it was started from.
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/parent_console.h"
#include "app/run_program.h"
#include "app/wide_arguments.h"
#include "backends/win32/win32_backend.h"

int main() {
    const std::vector<std::string> arguments = WideArguments();
    std::vector<const char*> argv;
    for (const std::string& argument : arguments) {
        argv.push_back(argument.c_str());
    }
    const CommandLine line = ReadCommandLine(static_cast<int>(argv.size()), argv.data());
    if (line.action != CommandLine::Action::Run) {
        UseParentConsole();
    }
    if (const auto status = AnswerCommandLine(line)) {
        return *status;
    }
    Win32Backend backend;
    return RunProgram(backend);
}
