// SPDX-License-Identifier: MIT
#include "backends/win32/run_quillpost.h"

#include "app/run_program.h"
#include "backends/win32/win32_backend.h"

int RunQuillpost() {
    Win32Backend backend;
    return RunProgram(backend);
}
